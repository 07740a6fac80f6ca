// Creating a project's directories, and telling whether they exist.
#include "files/project_dirs.h"

#include <string.h>

#include "apps/message_box.h"
#include "custorix.h"
#include "support/runtime_format.h"

namespace kr {
namespace {

// The sub-directories every project holds, in the order they are made.
const char *const kSubDirectories[] = {"CURVEDB", "DATA", "METHDB", "PEAKDB", "SAMPLEDB", "TABLEDB"};

// The longest project path that leaves room for a sub-directory and the
// names the applications put inside it.
constexpr size_t kMaxProjectPath = 29;

const char kCaption[] = "Create Project";

bool MakeDirectoryIfMissing(const char *path)
{
    return IsExistingDirectory(path) || _mkdirS(path) == 0;
}

} // namespace

bool IsExistingDirectory(const char *path)
{
    const DWORD attributes = GetFileAttributesA(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool ProjectExists(const QZFILE &project)
{
    char path[MAX_PATH];
    return ConvertQZFileToPath(path, sizeof path, &project) && IsExistingDirectory(path);
}

} // namespace kr

extern "C" int KRAPI ProCreateDirectory(HWND owner, const QZFILE *project)
{
    if (!project)
        return 0;
    char path[MAX_PATH];
    if (!ConvertQZFileToPath(path, sizeof path, project) || strlen(path) > kr::kMaxProjectPath) {
        kr::ShowMessageBox(owner, "Unable to create Project directory\nTry moving this project up a directory level",
                           kr::kCaption, MB_OK);
        return 0;
    }
    if (!kr::MakeDirectoryIfMissing(path)) {
        kr::ShowMessageBox(owner, "Unable to create Project directory", kr::kCaption, MB_OK);
        return 0;
    }
    for (const char *subDirectory : kr::kSubDirectories) {
        char subPath[MAX_PATH];
        kr::FormatText(subPath, sizeof subPath, "%s\\%s", path, subDirectory);
        if (!kr::MakeDirectoryIfMissing(subPath)) {
            kr::ShowMessageBox(owner, "Unable to create Project sub-directory", kr::kCaption, MB_OK);
            return 0;
        }
    }
    return 1;
}
