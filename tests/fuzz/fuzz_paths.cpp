// Path rules and the file record: the parts of any path make up the path and
// join back to it (a drive alone gains its backslash); every result fits the
// exact buffer it is given, 1 only when whole; a path goes into the record
// and back; the record's fields are read only within their own bytes.
#include "fuzz_check.h"
#include "krfiles.h"

namespace {

bool EndsInSeparator(const std::string &text) { return !text.empty() && strchr("\\/", text.back()); }

// Joined as the rules join: a backslash after a directory that lacks one, a
// dot before an extension that lacks one.
std::string MakePath(const std::string &directory, const std::string &name, const std::string &extension)
{
    const bool slash = !directory.empty() && !EndsInSeparator(directory);
    return directory + (slash ? "\\" : "") + name + (extension[0] && extension[0] != '.' ? "." : "") + extension;
}

template <size_t N>
std::string Field(const char (&field)[N], size_t limit = N) { return std::string(field, strnlen(field, limit)); }

template <size_t N>
void Fill(char (&field)[N], const std::string &text)
{
    memset(field, 0, N);
    memcpy(field, text.data(), std::min(N, text.size()));
}

// How a call leaves the caller's buffer: untouched (ExactBuffer's 0x5a), the
// result whole or the buffer cleared, cleared then the cut result, or the
// cut result alone.
enum Form { kUntouched, kWholeOrCleared, kClearedThenCut, kCut };

unsigned Bytes(int size) { return size > 0 ? static_cast<unsigned>(size) : 0; }

// A call's result with room for any (empty when it gives 0), checked against
// the same call into exactly `size` bytes: 1 only when the result fits whole,
// the buffer left in `form`, or in `refused` when the call gives 0.
template <typename Call>
std::string Result(const Call &call, int size, Form form, Form refused, int *whole, const std::string &what)
{
    const size_t n = Bytes(size);
    ExactBuffer room(300), out(n);
    *whole = call(room.get(), 300);
    const int got = call(out.get(), size);
    const std::string result = *whole ? room.get() : "";
    const bool fits = result.size() < n;
    form = *whole ? form : refused;
    std::string left(n, form == kClearedThenCut || (form == kWholeOrCleared && !fits) ? '\0' : '\x5a');
    if (n && form != kUntouched && (fits || form != kWholeOrCleared))
        left.replace(0, std::min(n, result.size() + 1), result.substr(0, n - 1) + '\0');
    FUZZ_CHECK(got == (form == kCut || (*whole && fits)) && memcmp(out.get(), left.data(), n) == 0,
               "%s into %d bytes: %d for \"%s\"", what.c_str(), size, got, result.c_str());
    return result;
}

// ConvertQZFileToPath: the fields joined, or 0 and the buffer cleared when
// they reach 260 characters with two separators.
std::string ToPath(const QZFILE &file, int size)
{
    const std::string directory = Field(file.directory), name = Field(file.name), extension = Field(file.extension);
    const bool joins = directory.size() + name.size() + extension.size() + 2 < 260;
    int whole;
    const std::string made = Result([&](char *out, int n) { return ConvertQZFileToPath(out, n, &file); }, size,
                                    kClearedThenCut, kClearedThenCut, &whole, "ConvertQZFileToPath(" + directory + ")");
    FUZZ_CHECK(whole == joins && made == (joins ? MakePath(directory, name, extension) : ""), "\"%s\" \"%s\" \"%s\"",
               directory.c_str(), name.c_str(), extension.c_str());
    return made;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzedDataProvider input(data, size);
    const int outSize = input.ConsumeIntegralInRange(-1, 300);
    const unsigned bytes = Bytes(outSize);
    const bool defaults = input.ConsumeBool(), useExtension = input.ConsumeBool();
    const std::string path = NextText(input, 400);
    const std::string defaultDirectory = NextText(input, 300);
    const std::string defaultExtension = NextText(input, 300);
    const std::string recordName = input.ConsumeRandomLengthString(300);
    ExactBuffer pathCopy(path), dd(defaultDirectory), de(defaultExtension);
    const char *p = pathCopy.get();

    // The getters: 0, nothing written, for a path of 260 or more.
    int(KRAPI *const getters[])(const char *, char *, int) = {GetPathDirectory, GetPathName, GetPathExtension};
    std::string parts[3];
    for (int i = 0, whole; i < 3; ++i) {
        parts[i] = Result([&](char *out, int n) { return getters[i](p, out, n); }, outSize, kWholeOrCleared,
                          kUntouched, &whole, "part " + std::to_string(i) + " of " + path);
        FUZZ_CHECK(whole == (path.size() < 260), "part %d of \"%s\": %d", i, p, whole);
    }
    const std::string &directory = parts[0], &name = parts[1], &extension = parts[2];
    const std::string rest = path.substr(std::min(path.size(), directory.size() + name.size()));
    const bool bareDrive = directory.size() == 2 && directory[1] == ':';
    FUZZ_CHECK(path.size() >= 260 ||
                   (path.compare(0, directory.size() + name.size(), directory + name) == 0 &&
                    (rest == "." + extension || rest + extension == "") && !strpbrk(name.c_str(), "\\/") &&
                    !strpbrk(extension.c_str(), "\\/.") && (p[0] && p[1] == ':' ? directory.size() >= 2 : true) &&
                    (directory.empty() || EndsInSeparator(directory) || bareDrive)),
               "\"%s\" split as \"%s\" \"%s\" \"%s\"", p, directory.c_str(), name.c_str(), extension.c_str());

    // CreatePathName: the defaults fill only the parts the path lacks, a
    // default directory's trailing run of backslashes cut to one.
    const char *dir = defaults ? dd.get() : nullptr, *ext = defaults ? de.get() : nullptr;
    std::string tidied = defaultDirectory;
    while (tidied.size() > 1 && tidied.compare(tidied.size() - 2, 2, "\\\\") == 0)
        tidied.pop_back();
    const std::string &usedDirectory = directory.empty() && dir ? tidied : directory;
    const std::string &usedExtension = rest.empty() && ext ? defaultExtension : rest;
    const std::string expected = MakePath(usedDirectory, name, usedExtension);
    const bool refused = path.size() >= 260 || (dir && defaultDirectory.size() >= 259) ||
                         (ext && defaultExtension.size() >= 256) ||
                         usedDirectory.size() + name.size() + usedExtension.size() >= 258;
    int whole;
    const auto create = [&](char *out, int n) { return CreatePathName(p, dir, ext, out, Bytes(n)); };
    const std::string made = Result(create, outSize, kClearedThenCut, kUntouched, &whole, "CreatePathName " + path);
    FUZZ_CHECK(whole == !refused && made == (refused ? "" : expected), "CreatePathName(\"%s\", \"%s\", \"%s\"): \"%s\"",
               p, dir ? dir : "(null)", ext ? ext : "(null)", made.c_str());

    // ChangePathExtension: always 1, its result cut without clearing.
    const auto change = [&](char *out, int n) { return ChangePathExtension(p, de.get(), out, Bytes(n)); };
    Result(change, outSize, kCut, kCut, &whole, "ChangePathExtension(" + path + ")");
    FUZZ_CHECK(whole == 1, "ChangePathExtension(\"%s\") = %d", p, whole);

    // Into the record and back: each part cut to its field, 1 only when all
    // fitted, the other fields kept; then the path again.
    QZFILE file;
    memset(&file, 0x5a, sizeof file);
    const int fitted = ConvertPathToQZFile(&file, p);
    FUZZ_CHECK(file.number == 0x5a5a && file.value1 == 0x5a5a5a5a && file.value2 == 0x5a5a5a5a &&
                   memchr(file.directory, 0, 260) && memchr(file.name, 0, 256) && memchr(file.extension, 0, 256) &&
                   (path.size() >= 260
                        ? !fitted
                        : Field(file.directory) == directory && Field(file.name) == name.substr(0, 255) &&
                              Field(file.extension) == extension.substr(0, 255) &&
                              fitted == (name.size() < 256 && extension.size() < 256)),
               "ConvertPathToQZFile(\"%s\") = %d", p, fitted);
    const std::string back = ToPath(file, outSize);
    FUZZ_CHECK(!fitted || path.size() >= 258 || back == path || bareDrive || (rest == "." && back + "." == path),
               "\"%s\" comes back as \"%s\"", p, back.c_str());

    // A record filled from fuzzed bytes, its fields perhaps without a NUL;
    // CreateQZFilePathName is CreatePathName with their texts as defaults.
    MACFILE mac;
    memset(&mac, 0x5a, sizeof mac);
    QZFILE &record = mac.file;
    Fill(record.directory, defaultDirectory);
    Fill(record.name, recordName);
    Fill(record.extension, defaultExtension);
    ToPath(record, outSize);
    ExactBuffer viaRecord(bytes), viaText(bytes), fd(Field(record.directory)), fe(Field(record.extension));
    const int a = CreateQZFilePathName(p, &record, useExtension, viaRecord.get(), bytes);
    const int b = CreatePathName(p, fd.get(), useExtension ? fe.get() : nullptr, viaText.get(), bytes);
    const std::string fileName = Field(record.name, 255) + "." + Field(record.extension, 255);
    ExactBuffer named(512), macNamed(512);
    FUZZ_CHECK(a == b && memcmp(viaRecord.get(), viaText.get(), bytes) == 0 && GetFileName(&record, named.get()) &&
                   fileName == named.get() && MacGetFileName(&mac, macNamed.get()) &&
                   (record.name[0] ? fileName : "") == macNamed.get(),
               "\"%s\" with the record of \"%s\"", p, recordName.c_str());
    return 0;
}
