// Pointing the SystemList file keys at a project's sub-directories, each at
// the first file of its kind there.
#include <string.h>

#include "files/path_result.h"
#include "files/project_rules.h"
#include "files/secure_search.h"
#include "krsettings.h"
#include "support/runtime_format.h"
#include "text/case_fold.h"

namespace {

struct KeyRow {
    const char *subDirectory;
    const char *extension;
    const char *key;
};

// In this order: SAMPLES_DB is set twice, so a sample list (SPL) wins over
// a sample database (SDB).
const KeyRow kKeyRows[] = {
    {"CURVEDB", "CDB", "CURVE_DB"},    {"DATA", "RAW", "RAW"},
    {"METHDB", "MDB", "METHOD_DB"},    {"PEAKDB", "PDB", "PEAK_DB"},
    {"SAMPLEDB", "SDB", "SAMPLES_DB"}, {"SAMPLEDB", "SPL", "SAMPLES_DB"},
    {"TABLEDB", "TDB", "PTABLE_DB"},
};

// Raw data files are directories.
bool IsRawExtension(const char *extension)
{
    return kr::SameIgnoringCase(extension, "RAW");
}

bool IsWanted(const WIN32_FIND_DATAA &entry, bool wantDirectories)
{
    if (wantDirectories)
        return kr::IsDirectory(entry);
    return (entry.dwFileAttributes & (FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_NORMAL)) != 0;
}

} // namespace

extern "C" int KRAPI ProFindFirstFileName(QZFILE *file, int wantDirectories)
{
    if (!file)
        return 0;
    // directory\*.extension (just "*." for no extension), read within the
    // record's fields.
    QZFILE search = *file;
    strcpy(search.name, "*");
    if (!search.extension[0])
        strcpy(search.extension, ".");
    char pattern[MAX_PATH];
    if (!ConvertQZFileToPath(pattern, sizeof pattern, &search))
        return 0;
    bool found = false;
    kr::ForEachEntry(pattern, [&](const WIN32_FIND_DATAA &entry) {
        found = IsWanted(entry, wantDirectories != 0);
        if (found)
            kr::CopyUpToFirstDot(entry.cFileName, file->name, sizeof file->name);
        return !found;
    });
    return found ? 1 : 0;
}

extern "C" int KRAPI ProSetGlobalDirectories(const QZFILE *project)
{
    if (!project)
        return 1;
    char path[MAX_PATH];
    ConvertQZFileToPath(path, sizeof path, project);
    for (const KeyRow &row : kKeyRows) {
        QZFILE file{};
        file.value1 = 1;
        file.value2 = 1;
        kr::FormatText(file.directory, sizeof file.directory, "%s\\%s\\", path, row.subDirectory);
        kr::CopySpan({project->name, kr::LengthWithin(project->name, sizeof file.name - 1)}, file.name,
                     sizeof file.name);
        strcpy(file.extension, row.extension);
        ProFindFirstFileName(&file, IsRawExtension(row.extension));
        SetGlobalFile("SystemList", row.key, &file, 1);
    }
    return 1;
}
