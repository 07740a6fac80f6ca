// Between a full path and the suite's file record.
#include <string.h>

#include "files/path_parts.h"
#include "files/path_result.h"
#include "krfiles.h"

namespace {

const size_t kPathLimit = 260;

void ClearPathFields(QZFILE *file)
{
    memset(file->directory, 0, sizeof file->directory);
    memset(file->name, 0, sizeof file->name);
    memset(file->extension, 0, sizeof file->extension);
}

// Copies a part into a field, cut to fit; false when it was cut.
template <size_t N>
bool FillField(char (&field)[N], kr::TextSpan part)
{
    return kr::CopySpan(part, field, N) < N;
}

} // namespace

extern "C" {

int KRAPI ConvertQZFileToPath(char *out, int outSize, const QZFILE *file)
{
    if (out && outSize > 0)
        memset(out, 0, static_cast<size_t>(outSize));
    if (!file)
        return 0;
    const size_t directoryLength = kr::LengthWithin(file->directory, sizeof file->directory);
    const size_t nameLength = kr::LengthWithin(file->name, sizeof file->name);
    const size_t extensionLength = kr::LengthWithin(file->extension, sizeof file->extension);
    if (directoryLength + nameLength + extensionLength + 2 >= kPathLimit)
        return 0;
    // A name or extension may fill its 256 bytes without a NUL and still be
    // short enough: the join takes terminated copies, so that no field is
    // read past its own bytes.
    char directory[kPathLimit], name[kPathLimit], extension[kPathLimit], path[kPathLimit];
    kr::CopySpan({file->directory, directoryLength}, directory, sizeof directory);
    kr::CopySpan({file->name, nameLength}, name, sizeof name);
    kr::CopySpan({file->extension, extensionLength}, extension, sizeof extension);
    const size_t length = kr::JoinPath(directory, name, extension, path, sizeof path);
    return outSize > 0 ? kr::ClearAndReturnCut({path, length}, out, static_cast<size_t>(outSize)) : 0;
}

int KRAPI ConvertPathToQZFile(QZFILE *file, const char *path)
{
    if (!file)
        return 0;
    ClearPathFields(file);
    if (!path)
        return 0;
    int fitted = strlen(path) < kPathLimit ? 1 : 0;
    const kr::PathParts parts = kr::SplitPath(path);
    if (!FillField(file->directory, parts.directory))
        fitted = 0;
    if (!FillField(file->name, parts.name))
        fitted = 0;
    if (!FillField(file->extension, kr::ExtensionWithoutDot(parts)))
        fitted = 0;
    return fitted;
}

int KRAPI StringToFile(const char *path, QZFILE *file)
{
    return ConvertPathToQZFile(file, path);
}

int KRAPI CreateQZFilePathName(const char *nameOrPath, const QZFILE *file, int useExtension,
                               char *out, unsigned outSize)
{
    // CreatePathName looks at no more of a default than its limit, which
    // lies within the field, so an unterminated field is refused, not overrun.
    if (!file)
        return CreatePathName(nameOrPath, nullptr, nullptr, out, outSize);
    return CreatePathName(nameOrPath, file->directory, useExtension ? file->extension : nullptr,
                          out, outSize);
}

} // extern "C"
