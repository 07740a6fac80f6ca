// The global store against what an application would otherwise do: the
// same reads and writes straight through the Win32 profile functions on
// KESTRUNE.INI. Then the cost of one write as the store's text grows.
#include <windows.h>

#include <stdio.h>

#include <string>
#include <vector>

#include "bench_support.h"
#include "krutil.h"

namespace {

struct Key {
    std::string section;
    std::string key;
};

// The SystemList keys, read from a store's own list of them.
std::vector<Key> SystemListKeys()
{
    std::vector<Key> keys;
    char sections[4096], names[8192];
    const int sectionBytes = GetGlobalString(nullptr, nullptr, nullptr, sections, sizeof sections);
    for (const char *s = sections; s < sections + sectionBytes; s += strlen(s) + 1) {
        const int nameBytes = GetGlobalString(s, nullptr, nullptr, names, sizeof names);
        for (const char *k = names; k < names + nameBytes; k += strlen(k) + 1)
            keys.push_back({s, k});
    }
    return keys;
}

std::vector<Key> CustomKeys(int count)
{
    std::vector<Key> keys;
    for (int i = 0; i < count; ++i)
        keys.push_back({"Custom" + std::to_string(i % 4), "Setting" + std::to_string(i)});
    return keys;
}

void CompareReadsAndWrites(const char *what, const std::vector<Key> &keys)
{
    const char *ini = krbench::IniPath();
    const int n = static_cast<int>(keys.size());
    char value[] = "E:\\Kestrune\\Projects\\Demo.PRO\\Data\\run01.raw";
    char out[512];
    for (const Key &k : keys) { // both sides hold every key before timing
        SetGlobalString(k.section.c_str(), k.key.c_str(), value, 1);
        WritePrivateProfileStringA(k.section.c_str(), k.key.c_str(), value, ini);
    }
    std::string label = std::string("write ") + what;
    krbench::Compare(label.c_str(), n,
        [&](int i) { SetGlobalString(keys[i].section.c_str(), keys[i].key.c_str(), value, 1); },
        [&](int i) { WritePrivateProfileStringA(keys[i].section.c_str(), keys[i].key.c_str(), value, ini); }, 3);
    label = std::string("read ") + what;
    krbench::Compare(label.c_str(), n,
        [&](int i) { GetGlobalString(keys[i].section.c_str(), keys[i].key.c_str(), "", out, sizeof out); },
        [&](int i) { GetPrivateProfileStringA(keys[i].section.c_str(), keys[i].key.c_str(), "", out, sizeof out, ini); },
        3);
}

// Text bytes of the store: the sum of its lines, headers included.
long StoreBytes()
{
    long bytes = 0;
    char sections[8192], names[32767], value[512];
    const int sectionBytes = GetGlobalString(nullptr, nullptr, nullptr, sections, sizeof sections);
    for (const char *s = sections; s < sections + sectionBytes; s += strlen(s) + 1) {
        bytes += static_cast<long>(strlen(s)) + 6;
        const int nameBytes = GetGlobalString(s, nullptr, nullptr, names, sizeof names);
        for (const char *k = names; k < names + nameBytes; k += strlen(k) + 1)
            bytes += static_cast<long>(strlen(k)) + 3 + GetGlobalString(s, k, "", value, sizeof value);
    }
    return bytes;
}

// One write into the last section after a read of the first: the section
// cache misses, so every write scans the text from its start. The smallest
// store is the seeded SystemList alone, about 2.9 KB of text.
void SetCostAgainstStoreSize()
{
    printf("\n%-52s %13s\n", "SetGlobalString, section cache missed", "per call");
    char value[] = "0123456789012345678901234567890123456789";
    char out[64];
    int filler = 0;
    for (long target : {1024L, 16384L, 32768L}) {
        FreeGlobal(0);
        WritePrivateProfileStringA(nullptr, nullptr, nullptr, krbench::IniPath());
        DeleteFileA(krbench::IniPath());
        GetGlobalString("First", "Key", "", out, sizeof out);
        SetGlobalString("First", "Key", value, 1);
        filler = 0;
        for (long bytes = StoreBytes(); bytes < target; bytes += 60)
            SetGlobalString("Filler", ("Filler key " + std::to_string(filler++)).c_str(), value, 1);
        SetGlobalString("Last", "Key", value, 1);
        const double micros = krbench::MicrosPerCall(2000, [&](int) {
            GetGlobalString("First", "Key", "", out, sizeof out);
            SetGlobalString("Last", "Key", value, 1);
        });
        printf("aim %5ld bytes: store of %6ld bytes of text %20.3f us\n", target, StoreBytes(), micros);
    }
    FreeGlobal(0);
}

} // namespace

void RunGlobalStore()
{
    krbench::PrintHeader("Global store against the Win32 profile functions on KESTRUNE.INI");
    InitGlobal(0);
    CompareReadsAndWrites("the 192 SystemList rows", SystemListKeys());
    CompareReadsAndWrites("300 custom keys in 4 sections", CustomKeys(300));
    FreeGlobal(0);
    SetCostAgainstStoreSize();
}
