// The profile text engine under a run of fuzzed reads, writes and lists,
// with growth failures mixed in. Whatever the text, the block stays the
// engine's shape (text, then only zeros to the block's end, at least one)
// and no output passes its size. Started from an empty block, the engine
// must also agree with a plain model of sections and keys.
#include <string>
#include <utility>
#include <vector>

#include "fuzz_check.h"
#include "settings/profile_text.h"
#include "support/memory.h"

namespace {

using Keys = std::vector<std::pair<std::string, std::string>>;
using Model = std::vector<std::pair<std::string, Keys>>;

template <typename List>
auto Find(List &list, const std::string &name) -> decltype(list.begin())
{
    auto it = list.begin();
    while (it != list.end() && it->first != name)
        ++it;
    return it;
}

// Names packed as the enumerations write them.
template <typename List>
std::string Packed(const List &list)
{
    std::string packed;
    for (const auto &entry : list)
        packed += entry.first + '\0';
    return packed;
}

void CheckShape(const kr::ProfileBuffer &pb)
{
    const long size = static_cast<long>(kr::MemGlobalSize(pb.block));
    const long length = size - pb.freeBytes;
    FUZZ_CHECK(pb.freeBytes >= 1 && length >= 0, "free bytes %ld of %ld", pb.freeBytes, size);
    FUZZ_CHECK(strlen(pb.text) == static_cast<size_t>(length), "text of %zu bytes, %ld expected", strlen(pb.text),
               length);
    for (long i = length; i < size; ++i)
        FUZZ_CHECK(pb.text[i] == '\0', "byte %ld past the text is %d", i, pb.text[i]);
}

// What a write should do to the model; false when it must fail.
bool ApplyToModel(Model &model, const std::string &section, const std::string &key, const std::string &value,
                  bool create)
{
    auto s = Find(model, section);
    if (s == model.end()) {
        if (!create)
            return false;
        model.push_back({section, {}});
        s = model.end() - 1;
    }
    auto k = Find(s->second, key);
    if (k == s->second.end()) {
        if (!create)
            return false;
        s->second.push_back({key, value});
    } else {
        k->second = value;
    }
    return true;
}

// A read through the engine as the store makes it; -1 when missing.
short Read(kr::ProfileBuffer &pb, const char *section, const char *key, std::string &value)
{
    std::string out(1024, '\0');
    const short result = kr::GetString(&pb, section, key, "dflt", &out[0], static_cast<short>(out.size()));
    value = (section && key) ? out.c_str() : out.substr(0, result > 0 ? result : 0);
    return result;
}

// After a write whose growth failed: nothing stored before is lost, and
// what the write got done is a new section or a new key with an empty value.
void SyncAfterFailure(kr::ProfileBuffer &pb, Model &model, const std::string &section, const std::string &key)
{
    std::string now;
    if (Read(pb, section.c_str(), nullptr, now) >= 0 && Find(model, section) == model.end())
        model.push_back({section, {}});
    auto s = Find(model, section);
    if (Read(pb, section.c_str(), key.c_str(), now) < 0) {
        FUZZ_CHECK(s == model.end() || Find(s->second, key) == s->second.end(), "[%s] %s lost", section.c_str(),
                   key.c_str());
        return;
    }
    auto k = Find(s->second, key);
    FUZZ_CHECK(now == (k == s->second.end() ? "" : k->second), "[%s] %s became \"%s\"", section.c_str(),
               key.c_str(), now.c_str());
    if (k == s->second.end())
        s->second.push_back({key, now});
}

// What a read of the model gives: op 3 lists sections, op 4 keys, else a value.
std::string Expected(const Model &model, int op, const std::string &section, const std::string &key)
{
    if (op == 3)
        return Packed(model);
    auto s = Find(model, section);
    if (s == model.end())
        return "dflt";
    if (op == 4)
        return Packed(s->second);
    auto k = Find(s->second, key);
    return k == s->second.end() ? "dflt" : k->second;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzedDataProvider input(data, size);
    bool modelled = input.ConsumeBool();
    const std::string initial = modelled ? "" : NextText(input, 400);
    const long blockSize = static_cast<long>(initial.size()) + input.ConsumeIntegralInRange(1, 64);

    kr::MemFailAt(0, false);
    kr::ProfileBuffer pb{};
    pb.block = kr::MemGlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, static_cast<SIZE_T>(blockSize));
    pb.text = static_cast<char *>(kr::MemGlobalLock(pb.block));
    memcpy(pb.text, initial.c_str(), initial.size());
    pb.freeBytes = blockSize - static_cast<long>(initial.size());
    Model model;

    while (input.remaining_bytes() > 0) {
        const int op = input.ConsumeIntegralInRange(0, 4);
        const std::string section = NextText(input, 40);
        const std::string key = NextText(input, 140);
        if (op <= 1) {
            std::string value = NextText(input, 600);
            ExactBuffer given(value);
            const bool failing = input.ConsumeIntegralInRange(0, 7) == 0;
            const long nth = failing ? input.ConsumeIntegralInRange(1, 2) : 0;
            kr::MemFailAt(nth, input.ConsumeBool());
            pb.outOfMemoryIn = nullptr;
            const int stored = kr::SetString(&pb, section.c_str(), key.c_str(), given.get(), op == 0);
            const bool failed = kr::MemFailureCount() > 0;
            kr::MemFailAt(0, false);
            if (!pb.text) // the block could not be locked again after growing
                pb.text = static_cast<char *>(kr::MemGlobalLock(pb.block));
            value = given.get(); // cut to the line's limit in the caller's own string
            const bool storable = kr::IsStorableSection(section.c_str()) && kr::IsStorableKey(key.c_str()) &&
                                  kr::IsStorableValue(value.c_str());
            FUZZ_CHECK(stored == 0 || storable, "stored [%s] %s", section.c_str(), key.c_str());
            FUZZ_CHECK(!storable || value.size() <= static_cast<size_t>(kr::MaxValueLength(key.c_str())),
                       "value of %zu characters kept for key %s", value.size(), key.c_str());
            FUZZ_CHECK(!failed || stored == 0 || !pb.outOfMemoryIn, "a failed growth reported success");
            if (modelled && storable && failed && !stored) {
                SyncAfterFailure(pb, model, section, key);
            } else if (modelled && storable) {
                const bool expected = ApplyToModel(model, section, key, value, op == 0);
                FUZZ_CHECK(stored == expected, "SetString([%s] %s = %s, create %d) = %d", section.c_str(), key.c_str(),
                           value.c_str(), op == 0, stored);
            }
        } else {
            const short outSize = input.ConsumeIntegralInRange<short>(-1, 600);
            ExactBuffer out(outSize > 0 ? static_cast<size_t>(outSize) : 1);
            const char *sectionName = op == 2 ? nullptr : section.c_str();
            const char *keyName = op == 3 ? nullptr : key.c_str();
            const short result = kr::GetString(&pb, sectionName, keyName, "dflt", out.get(), outSize);
            // A list's last NUL may land in the last byte; a value keeps room for its NUL.
            FUZZ_CHECK(result < outSize + (op != 4) || outSize < 1, "GetString wrote %d of %d bytes", result, outSize);
            if (modelled && outSize >= 1) {
                const int kind = op == 2 ? 3 : (op == 3 ? 4 : 2);
                const std::string expected = Expected(model, kind, section, key);
                const bool list = kind != 2 && result >= 0;
                const std::string got = list ? std::string(out.get(), result) : out.get();
                const long room = outSize - (list ? 2 : 1);
                if (static_cast<long>(expected.size()) <= room)
                    FUZZ_CHECK(got == expected, "read %d of [%s] %s gave \"%s\", model \"%s\"", kind,
                               section.c_str(), key.c_str(), got.c_str(), expected.c_str());
                else if (!list)
                    FUZZ_CHECK(got == expected.substr(0, static_cast<size_t>(room)), "cut read of [%s] %s gave \"%s\"", section.c_str(),
                               key.c_str(), got.c_str());
            }
        }
        CheckShape(pb);
    }
    kr::MemGlobalFree(pb.block);
    return 0;
}
