// A record's file name with its extension, as the dialogs propose it.
#include <string.h>

#include "files/path_result.h"
#include "krfiles.h"

namespace {

// The longest text a name or extension field holds, so that the joined
// name always fits the 512 bytes callers provide.
const size_t kFieldText = 255;

char *JoinNameAndExtension(const QZFILE &file, char *out)
{
    const size_t name = kr::LengthWithin(file.name, kFieldText);
    const size_t extension = kr::LengthWithin(file.extension, kFieldText);
    memcpy(out, file.name, name);
    out[name] = '.';
    memcpy(out + name + 1, file.extension, extension);
    out[name + 1 + extension] = '\0';
    return out;
}

} // namespace

extern "C" {

char *KRAPI GetFileName(const QZFILE *file, char *out)
{
    if (out && !file)
        out[0] = '\0';
    return out && file ? JoinNameAndExtension(*file, out) : out;
}

char *KRAPI MacGetFileName(const MACFILE *file, char *out)
{
    if (out && file && file->file.name[0])
        return JoinNameAndExtension(file->file, out);
    if (out)
        out[0] = '\0';
    return out;
}

char *KRAPI GenGetFileName(const MACFILE *file, char *out)
{
    return MacGetFileName(file, out);
}

} // extern "C"
