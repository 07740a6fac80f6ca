// A print job as the spooler wrote it: scripts/test.sh makes the PDF queue
// of cups-pdf the default printer, so every job the tests print ends as a
// PDF file, which this reads with poppler's tools on the Linux side (Wine
// starts host programs directly; see RunHostCommand).
//
//     const std::string title = krtest::UniqueJobTitle("report");
//     ... StartDocA(dc, {title}) ... EndDoc(dc);
//     krtest::PrintedPdf pdf(title);
//     ASSERT_TRUE(pdf.Found());
//     EXPECT_EQ(1, pdf.Pages());
#ifndef KRTEST_PRINT_OUTPUT_H
#define KRTEST_PRINT_OUTPUT_H

#include <windows.h>

#include <set>
#include <string>

namespace krtest {

// Millimetres from the top left corner of the page as it is shown.
struct AreaMm {
    double left = 0, top = 0, right = 0, bottom = 0;
    bool Empty() const { return right <= left || bottom <= top; }
};

// Runs a shell command line on the host in the working directory; true
// when it ended with status 0 within 30 s. What it printed goes to
// `output`. The line may hold no double quote.
bool RunHostCommand(const std::string &command, std::string *output = nullptr);

// A document title that no other job of this or another run shares, made
// of letters, digits and "_" so that it is also the start of the PDF's
// file name.
std::string UniqueJobTitle(const std::string &what);

// The names of the PDFs of jobs titled `title` written so far: the library
// names every document "Hardcopy", so a test tells its own by what is new.
std::set<std::string> PrintedPdfNames(const std::string &title);

// The PDF of the job titled `title` in the directory where the default
// printer's PDF queue writes (the Out key of its own cups-pdf
// configuration, which scripts/spooler.sh writes).
// The file is removed when the test passed, kept for a look otherwise.
class PrintedPdf {
public:
    // Waits until the spooler has written the whole file.
    explicit PrintedPdf(const std::string &title, DWORD timeoutMs = 30000);
    // The first whole one not among `earlier` (from PrintedPdfNames).
    PrintedPdf(const std::string &title, const std::set<std::string> &earlier, DWORD timeoutMs = 30000);
    ~PrintedPdf();
    bool Found() const { return !hostPath_.empty(); }
    const std::string &HostPath() const { return hostPath_; }

    int Pages() const;                  // 0 when unreadable
    AreaMm PageMm(int page) const;      // the page as shown (rotation applied): wider than high in landscape
    std::string Text(int page) const;   // pdftotext -layout, in reading order
    AreaMm InkMm(int page) const;       // what is not white, at 150 dpi; empty for a blank page
    bool SavePng(int page, const std::string &name) const; // 72 dpi, in the artefacts directory

private:
    std::string Poppler(const std::string &tool, int page, const std::string &options) const;
    std::string hostPath_;
};

} // namespace krtest

#endif
