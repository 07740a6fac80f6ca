#include "files/project_rules.h"

#include <string.h>

#include "files/path_parts.h"
#include "files/path_result.h"
#include "support/capped_text.h"
#include "text/case_fold.h"

namespace kr {
namespace {

const char kDotProject[] = ".PRO";

const char *FindProjectExtension(const char *text)
{
    // Stops at the terminator: it never equals a character of ".PRO".
    for (; *text; ++text)
        if (EqualIgnoringCase(text, kDotProject, sizeof kDotProject - 1))
            return text;
    return nullptr;
}

// The record's directory from the path's directory part, ending in a
// backslash; the name from its file name. Collapsing drops each backslash
// that follows another, but for the first one after a drive (then none
// can follow another) or the first four of a path without a drive.
void TakeProjectPath(const char *path, bool collapse, QZFILE *project)
{
    const PathParts parts = SplitPath(path);
    const size_t drive = (path[0] && path[1] == ':') ? 2 : 0;
    const size_t kept = collapse ? drive + (drive ? 1 : 4) : parts.directory.length;
    CappedText directory(project->directory, sizeof project->directory);
    const char *text = parts.directory.start;
    for (size_t i = 0; i < parts.directory.length; ++i)
        if (i < kept || text[i] != '\\' || text[i - 1] != '\\')
            directory.Put(text[i]);
    if (parts.directory.length == 0 || text[parts.directory.length - 1] != '\\')
        directory.Put('\\');
    directory.Finish();
    CopySpan(parts.name, project->name, sizeof project->name);
}

} // namespace

const char kProjectExtension[] = "PRO";

void TidyProposedDirectory(char *directory, size_t cap)
{
    const size_t length = LengthWithin(directory, cap - 1);
    directory[TidyTrailingBackslashes(directory, length, 3)] = '\0';
}

void TakeChosenProject(const char *path, QZFILE *project)
{
    TakeProjectPath(path, true, project);
}

void TakeConfirmedProject(const char *path, QZFILE *project)
{
    TakeProjectPath(path, false, project);
}

bool IsProjectEntry(const char *text)
{
    return FindProjectExtension(text) != nullptr;
}

void UpperCase(char *text)
{
    for (; *text; ++text)
        *text = FoldCase(*text);
}

void ReadAsProjectName(char *text)
{
    UpperCase(text);
    if (const char *dot = FindProjectExtension(text))
        text[dot - text] = '\0';
}

void CopyUpToFirstDot(const char *text, char *out, size_t cap)
{
    const char *dot = strchr(text, '.');
    CopySpan({text, dot ? static_cast<size_t>(dot - text) : strlen(text)}, out, cap);
}

} // namespace kr
