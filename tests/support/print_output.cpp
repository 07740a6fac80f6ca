#include "support/print_output.h"

#include <gtest/gtest.h>
#include <stdio.h>

#include <algorithm>
#include <sstream>

#include "support/screenshot.h"
#include "support/work_dir.h"

namespace krtest {
namespace {

const DWORD kHostCommandMs = 30000;
const int kInkDpi = 150;
const double kMmPerPoint = 25.4 / 72;

// Wine's prefix maps drive Z: to the host's root directory.
std::string WindowsPath(const std::string &hostPath)
{
    std::string path = "Z:" + hostPath;
    std::replace(path.begin(), path.end(), '/', '\\');
    return path;
}

// The Out key of the cups-pdf configuration of the default printer's queue.
std::string PdfDirectory()
{
    char queue[256] = "";
    DWORD size = sizeof queue;
    GetDefaultPrinterA(queue, &size);
    std::istringstream lines(ReadTextFile(WindowsPath("/etc/cups/cups-pdf-" + std::string(queue) + ".conf")));
    std::string line, directory;
    while (std::getline(lines, line))
        if (line.compare(0, 4, "Out ") == 0)
            directory = line.substr(4);
    return directory;
}

// The spooler's PDF writer ends the file with its trailer.
bool IsWholePdf(const std::string &path)
{
    const std::string content = ReadTextFile(path);
    const size_t end = content.find_last_not_of(" \r\n");
    return end != std::string::npos && end >= 4 && content.compare(end - 4, 5, "%%EOF") == 0;
}

} // namespace

// Wine starts a host program itself when CreateProcess is given one, but
// hands back no process to wait for and does not connect its output to a
// pipe: the shell writes the output to a file and signals the end by
// renaming a second one.
bool RunHostCommand(const std::string &command, std::string *output)
{
    static int serial = 0;
    const std::string base = "host_command_" + std::to_string(++serial);
    std::string line = "/bin/sh -c \"{ " + command + "; } >" + base + ".out 2>&1 </dev/null; echo $? >" + base +
                       ".tmp; mv " + base + ".tmp " + base + ".end\"";
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    if (command.find('"') != std::string::npos ||
        !CreateProcessA(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr, WorkDir().c_str(), &startup, &process))
        return false;
    for (DWORD waited = 0; !FileExists(WorkPath(base + ".end")) && waited < kHostCommandMs; waited += 10)
        Sleep(10);
    const std::string status = ReadTextFile(WorkPath(base + ".end"));
    if (output)
        *output = ReadTextFile(WorkPath(base + ".out"));
    DeleteFileA(WorkPath(base + ".out").c_str());
    DeleteFileA(WorkPath(base + ".end").c_str());
    return status == "0\n";
}

std::string UniqueJobTitle(const std::string &what)
{
    static int serial = 0;
    return what.substr(0, 24) + "_" + std::to_string(GetCurrentProcessId()) + "_" + std::to_string(GetTickCount()) +
           "_" + std::to_string(++serial) + "x"; // no title is the start of another
}

std::set<std::string> PrintedPdfNames(const std::string &title)
{
    std::set<std::string> names;
    const std::string directory = PdfDirectory();
    WIN32_FIND_DATAA found;
    const HANDLE search = FindFirstFileA(WindowsPath(directory + "/" + title + "*.pdf").c_str(), &found);
    for (BOOL more = search != INVALID_HANDLE_VALUE; more; more = FindNextFileA(search, &found))
        names.insert(found.cFileName);
    if (search != INVALID_HANDLE_VALUE)
        FindClose(search);
    return names;
}

PrintedPdf::PrintedPdf(const std::string &title, DWORD timeoutMs) : PrintedPdf(title, {}, timeoutMs) {}

PrintedPdf::PrintedPdf(const std::string &title, const std::set<std::string> &earlier, DWORD timeoutMs)
{
    const std::string directory = PdfDirectory();
    for (DWORD waited = 0; !directory.empty() && waited < timeoutMs; waited += 50) {
        for (const std::string &name : PrintedPdfNames(title)) {
            if (!earlier.count(name) && IsWholePdf(WindowsPath(directory + "/" + name))) {
                hostPath_ = directory + "/" + name;
                return;
            }
        }
        Sleep(50);
    }
}

PrintedPdf::~PrintedPdf()
{
    if (Found() && !testing::Test::HasFailure())
        DeleteFileA(WindowsPath(hostPath_).c_str());
}

std::string PrintedPdf::Poppler(const std::string &tool, int page, const std::string &options) const
{
    std::string output;
    const std::string pages = page ? " -f " + std::to_string(page) + " -l " + std::to_string(page) : "";
    if (!Found() || !RunHostCommand(tool + pages + " '" + hostPath_ + "'" + options, &output))
        return "";
    return output;
}

int PrintedPdf::Pages() const
{
    const std::string info = Poppler("pdfinfo", 0, "");
    const size_t at = info.find("Pages:");
    return at == std::string::npos ? 0 : atoi(info.c_str() + at + 6);
}

AreaMm PrintedPdf::PageMm(int page) const
{
    const std::string info = Poppler("pdfinfo", page, "");
    const size_t size = info.find("size:"), rotation = info.find("rot:");
    double width = 0, height = 0;
    int degrees = 0;
    if (size == std::string::npos || rotation == std::string::npos ||
        sscanf(info.c_str() + size, "size: %lf x %lf", &width, &height) != 2 ||
        sscanf(info.c_str() + rotation, "rot: %d", &degrees) != 1)
        return {};
    if (degrees % 180)
        std::swap(width, height);
    return {0, 0, width * kMmPerPoint, height * kMmPerPoint};
}

std::string PrintedPdf::Text(int page) const
{
    return Poppler("pdftotext -layout", page, " -");
}

AreaMm PrintedPdf::InkMm(int page) const
{
    // Black and white, not smoothed, so that an edge is where it was drawn.
    Poppler("pdftoppm -gray -aa no -aaVector no -singlefile -r " + std::to_string(kInkDpi), page, " ink");
    std::istringstream image(ReadTextFile(WorkPath("ink.pgm")));
    DeleteFileA(WorkPath("ink.pgm").c_str());
    std::string magic;
    int width = 0, height = 0, maximum = 0;
    image >> magic >> width >> height >> maximum;
    image.get(); // the one blank before the pixels
    const std::string pixels(std::istreambuf_iterator<char>(image), {});
    if (magic != "P5" || pixels.size() != size_t(width) * height)
        return {};
    int left = width, top = height, right = 0, bottom = 0;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            if (static_cast<unsigned char>(pixels[size_t(y) * width + x]) < 128) {
                left = std::min(left, x);
                top = std::min(top, y);
                right = std::max(right, x + 1);
                bottom = std::max(bottom, y + 1);
            }
    const double mm = 25.4 / kInkDpi;
    return {left * mm, top * mm, right * mm, bottom * mm};
}

bool PrintedPdf::SavePng(int page, const std::string &name) const
{
    Poppler("pdftoppm -png -r 72 -singlefile", page, " '" + name + "'");
    return MoveFileExA(WorkPath(name + ".png").c_str(), ArtefactPath(name + ".png").c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_COPY_ALLOWED);
}

} // namespace krtest
