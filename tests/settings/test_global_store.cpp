// The global store through the DLL: seeding from and writing back to the
// real KESTRUNE.INI, limits, typed values and out-of-memory paths.
#include <gtest/gtest.h>

#include <string.h>

#include <algorithm>
#include <map>
#include <set>
#include <string>

#include "krsettings.h"
#include "support/alloc_sweep.h"
#include "support/box_answerer.h"
#include "support/test_control.h"
#include "support/work_dir.h"

using krtest::ReadIniValue;

namespace {

void Release()
{
    while (KrutilTestControl(KRTEST_STORE_USE_COUNT, 0) > 0)
        FreeGlobal(0);
}

int Set(const std::string &section, const std::string &key, std::string value, int create = 1)
{
    return SetGlobalString(section.c_str(), key.c_str(), &value[0], create);
}

// A read into `size` bytes followed by a canary; lists keep their NULs.
std::string Get(const char *section, const char *key, const char *def = nullptr, int size = 600,
                int *result = nullptr)
{
    char out[700];
    memset(out, '#', sizeof out);
    const int r = GetGlobalString(section, key, def, out, size);
    const short used = static_cast<short>(size) > 0 ? static_cast<short>(size) : 0;
    EXPECT_EQ('#', out[used]) << "written past " << used << " bytes";
    if (result)
        *result = r;
    return r >= 0 && (!section || !key) ? std::string(out, r) : std::string(out, strnlen(out, used));
}

// Every test starts without a store and without KESTRUNE.INI.
class GlobalStore : public testing::Test {
protected:
    void SetUp() override
    {
        Release();
        DeleteFileA(krtest::IniFilePath().c_str());
    }
    void TearDown() override { Release(); }
};

} // namespace

TEST_F(GlobalStore, EachInitNeedsAFreeEveryFreeWritesBackAndTheLastFreesTheBlock)
{
    KrutilTestControl(KRTEST_MEM_FAIL_AT, 1); // a failed creation leaves no store
    EXPECT_EQ(0, Set("S", "K", "v"));
    EXPECT_EQ(1, InitGlobal(0)); // 1: it made the store, so none was left
    EXPECT_EQ(0, InitGlobal(0));
    Set("SystemList", "RAW", "first");
    Set("Custom", "Key", "kept while the store lives");
    EXPECT_EQ(1, FreeGlobal(0));
    EXPECT_EQ("first", ReadIniValue("SystemList", "RAW"));
    Set("SystemList", "RAW", "second");
    EXPECT_EQ(1, FreeGlobal(0));
    EXPECT_EQ(0, KrutilTestControl(KRTEST_STORE_USE_COUNT, 0));
    EXPECT_EQ("second", ReadIniValue("SystemList", "RAW"));
    EXPECT_EQ(1, FreeGlobal(0)); // without a store: nothing to do
    EXPECT_EQ("gone", Get("Custom", "Key", "gone")); // a fresh store, seeded again
    EXPECT_EQ(1, FreeGlobal(0));
    // A store made and freed again leaves nothing behind: its seeded block
    // holds kilobytes, Wine's own profile cache may move a few bytes.
    const size_t heap = krtest::BusyHeapBytes();
    InitGlobal(0);
    FreeGlobal(0);
    EXPECT_NEAR(double(heap), double(krtest::BusyHeapBytes()), 512.0);
}

TEST_F(GlobalStore, SeedsEverySystemListKeyAndWritesEachOneBack)
{
    krtest::WriteTextFile(krtest::IniFilePath(), "[SystemList]\r\nRAW=E:\\run01.raw\r\n");
    EXPECT_EQ("E:\\run01.raw", Get("SystemList", "RAW"));
    Set("Spectrum", "Retention Time", "12.5");
    EXPECT_EQ(1, UpdateGlobal(0));
    // The sections in table order with their key counts (a key the table
    // lists twice is held once), every key written back, empty or not.
    std::string shape;
    const std::string sections = Get(nullptr, nullptr);
    for (size_t at = 0; at < sections.size(); at = sections.find('\0', at) + 1) {
        const char *section = &sections[at];
        const std::string keys = Get(section, nullptr);
        for (size_t key = 0; key < keys.size(); key = keys.find('\0', key) + 1)
            EXPECT_EQ(Get(section, &keys[key]), ReadIniValue(section, &keys[key])) << &keys[key];
        shape += section + (":" + std::to_string(std::count(keys.begin(), keys.end(), '\0'))) + ",";
    }
    EXPECT_EQ("SystemList:49,RawFileHeader:19,Spectrum:9,FunctionTOF:18,SpectrumTOF:27,SpectrumQTOF:13,"
              "Acquisition:11,Library:7,User:8,General:6,Find:11,PSDSettings:7,", shape);
    EXPECT_EQ("|", ReadIniValue("SpectrumTOF", "Reference Scan") + "|" + ReadIniValue("General", "RawDataData"));
}

TEST_F(GlobalStore, NamesSizesAndValuesAtTheirLimits)
{
    const std::string section31(31, 's'), key128(128, 'k');
    EXPECT_EQ(1, Set(section31, key128, "at both limits"));
    EXPECT_EQ("at both limits", Get(section31.c_str(), key128.c_str()));
    // Refused, storing nothing: what create 0 would make, names too long or
    // holding the characters that end them, line breaks.
    const struct { std::string section, key, value; int create; } refused[] = {
        {section31, "K", "v", 0}, {"S", key128, "v", 0}, {section31 + "s", "K", "v", 1}, {"a]b", "K", "v", 1},
        {"a\nb", "K", "v", 1},    {"S", key128 + "k", "v", 1}, {"S", "a=b", "v", 1}, {"S", "a\rb", "v", 1},
        {"S", "K", "a\rb", 1},    {"S", "K", "a\nb", 1},
    };
    for (const auto &row : refused) {
        EXPECT_EQ(0, Set(row.section, row.key, row.value, row.create)) << row.section << "/" << row.key;
        EXPECT_EQ("-", Get(row.section.c_str(), row.key.c_str(), "-")) << row.section << "/" << row.key;
    }
    char v[] = "v";
    EXPECT_EQ(0, SetGlobalString(nullptr, "K", v, 1) | SetGlobalString("S", nullptr, v, 1));
    EXPECT_EQ(0, SetGlobalString("S", "K", nullptr, 1));
    std::string value(600, 'v'); // cut to the line's limit in the caller's own string
    EXPECT_EQ(1, SetGlobalString("Cut", "TenLetters", &value[0], 1));
    EXPECT_EQ(498u, strlen(value.c_str()));
    EXPECT_EQ(std::string(498, 'v'), Get("Cut", "TenLetters"));

    for (const char *key : {"ABC", "AB", "XAB"})
        Set("SystemList", key, key);
    Set("S", "a", "b=c");
    Set("S", "K", "abcdef");
    const struct { const char *section, *key, *def; int size; std::string out; int result; } reads[] = {
        {"SystemList", "AB", nullptr, 600, "AB", 2}, {"SystemList", "B", "-", 600, "-", -1},
        {"systemlist", "AB", "-", 600, "-", -1},     {"System", "AB", "-", 600, "-", -1},
        {"S", "a", nullptr, 600, "b=c", 3},          {"S", "Missing", "long default", 4, "lon", -1},
        {"S", "K", nullptr, 0x10004, "abc", 3},      {"S", "K", "-", 0x10000, "", -1}, // sizes are 16-bit
        // Lists stop once size - 2 bytes are written, the last name cut.
        {"S", nullptr, nullptr, 3, std::string("a\0", 2), 2},
        {nullptr, nullptr, nullptr, 16, std::string("SystemList\0RawF\0", 16), 16},
    };
    for (const auto &row : reads) {
        int result = 0;
        EXPECT_EQ(row.out, Get(row.section, row.key, row.def, row.size, &result)) << row.section << "/" << row.key;
        EXPECT_EQ(row.result, result) << row.section << "/" << row.key << " in " << row.size;
    }
    EXPECT_EQ(-1, GetGlobalString("S", "K", nullptr, nullptr, 600));
}

TEST_F(GlobalStore, TypedValuesInTheirTextForms)
{
    long number = 99;
    Set("Values", "Empty", "");
    EXPECT_EQ(1, GetGlobalLong("Values", "Empty", 42, &number));
    EXPECT_EQ(0, number);
    EXPECT_EQ(0, GetGlobalLong("Values", "Empty", 0, nullptr));
    double real = 9;
    EXPECT_EQ(1, SetGlobalDouble("Values", "Huge", 1e32, 1)); // its first 31 characters
    EXPECT_EQ(1, GetGlobalDouble("Values", "Huge", 0.0, &real));
    EXPECT_EQ(1e30, real);

    QZRAWFILE raw{{-1, "E:\\data\\", "run01", "raw", 7, -8}, 3, -2}, read;
    EXPECT_EQ(1, SetGlobalRawFile("Values", "Raw", &raw, 1));
    EXPECT_EQ("65535,E:\\data\\,run01,raw,7,-8,3,65534", Get("Values", "Raw"));
    memset(&read, 0x5A, sizeof read);
    EXPECT_EQ(1, GetGlobalRawFile("Values", "Raw", nullptr, &read));
    EXPECT_EQ(0, memcmp(&raw, &read, sizeof raw));
    EXPECT_EQ(1, SetGlobalFile("Values", "File", &raw.file, 1));
    EXPECT_EQ(1, GetGlobalRawFile("Values", "File", nullptr, &read)); // six fields: index1 1, index2 0
    EXPECT_EQ("1,0", std::to_string(read.index1) + "," + std::to_string(read.index2));
    // Whole arrays without a NUL do not fit the text at all; the line of
    // "Long" holds 504 characters: a record of 505 is refused, not cut.
    memset(&raw, 'f', sizeof raw);
    EXPECT_EQ(0, SetGlobalRawFile("Values", "Long", &raw, 1));
    QZFILE file{0, "", "", "", 5, 0};
    memset(file.directory, 'd', 259);
    memset(file.name, 'n', 238);
    EXPECT_EQ(0, SetGlobalFile("Values", "Long", &file, 1));
    file.name[237] = '\0';
    EXPECT_EQ(1, SetGlobalFile("Values", "Long", &file, 1));
    EXPECT_EQ(1, GetGlobalFile("Values", "Long", nullptr, &raw.file));
    EXPECT_EQ(0, memcmp(&file, &raw.file, sizeof file));
}

TEST_F(GlobalStore, FailingEveryMemoryCallInTurnLosesNothingWritten)
{
    // Profile calls on a directory fail at once, without file work.
    CreateDirectoryA(krtest::IniFilePath().c_str(), nullptr);
    krtest::BoxAnswerer answerer;
    // Creation and seeding on a first read, new sections and keys, values
    // growing and shrinking, every typed form: what the store took reads back.
    std::map<std::pair<std::string, std::string>, std::string> stored;
    auto note = [&](int result, const std::string &section, const std::string &key, const std::string &text) {
        if (result)
            stored[{section, key}] = text;
    };
    const QZRAWFILE raw{{3, "E:\\data\\", "run01", "raw", 7, -8}, 2, 5};
    const auto workload = [&] {
        long number = 1; // not there yet: 0 and cleared, whatever the default
        EXPECT_EQ(0, GetGlobalLong("Typed", "Long", 7, &number));
        EXPECT_EQ(0, number);
        for (int i = 0; i < 12; ++i) {
            const std::string section = "Custom" + std::to_string(i % 3), key = "Key" + std::to_string(i);
            note(Set(section, key, std::string(i * 20, 'a' + i)), section, key, std::string(i * 20, 'a' + i));
        }
        note(Set("Custom0", "Key3", "short again"), "Custom0", "Key3", "short again");
        note(SetGlobalLong("Typed", "Long", -5, 1), "Typed", "Long", "-5");
        note(SetGlobalDouble("Typed", "Double", 2.25, 1), "Typed", "Double", "2.25000000");
        note(SetGlobalFile("Typed", "File", &raw.file, 1), "Typed", "File", "3,E:\\data\\,run01,raw,7,-8");
        note(SetGlobalRawFile("Typed", "Raw", &raw, 1), "Typed", "Raw", "3,E:\\data\\,run01,raw,7,-8,2,5");
    };
    std::set<std::string> shown; // caption, as shown, text, as shown, style
    krtest::SweepAllocations(workload, [&](long, bool) {
        for (const auto &entry : stored)
            ASSERT_EQ(entry.second, Get(entry.first.first.c_str(), entry.first.second.c_str())) << entry.first.second;
        ASSERT_EQ(1, Set("After", "Failure", "usable"));
        for (const krtest::ShownBox &box : answerer.Boxes())
            shown.insert(box.caption + "/" + box.shownCaption + "/" + box.text + "/" + box.shownText + "/" +
                         std::to_string(box.style));
        Release();
        stored.clear();
        answerer.Clear();
    });
    EXPECT_EQ((std::set<std::string>{"(null)/Error/Out of memory/Out of memory/16", // the default caption
                                     "FindLine/FindLine/Out of memory/Out of memory/16",
                                     "SetString/SetString/Out of memory/Out of memory/16"}),
              shown);
    RemoveDirectoryA(krtest::IniFilePath().c_str());
}
