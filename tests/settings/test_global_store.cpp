// The global store through the DLL: seeding from and writing back to the
// real KESTRUNE.INI, typed values, bad input and out-of-memory paths.
#include <gtest/gtest.h>

#include <limits.h>
#include <string.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "krsettings.h"
#include "support/box_answerer.h"
#include "support/test_control.h"
#include "support/work_dir.h"

using krtest::IniFilePath;
using krtest::ReadIniValue;

namespace {

long UseCount()
{
    return static_cast<long>(KrutilTestControl(KRTEST_STORE_USE_COUNT, 0));
}

void FailAt(long nth, bool onwards = false)
{
    KrutilTestControl(onwards ? KRTEST_MEM_FAIL_FROM : KRTEST_MEM_FAIL_AT, nth);
}

// Every test starts without a store and without KESTRUNE.INI.
class GlobalStore : public testing::Test {
protected:
    void SetUp() override
    {
        Release();
        SetFileAttributesA(IniFilePath().c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileA(IniFilePath().c_str());
    }
    void TearDown() override
    {
        FailAt(0);
        KrutilTestControl(KRTEST_MESSAGE_BOX_OBSERVER, 0);
        Release();
    }
    static void Release()
    {
        while (UseCount() > 0)
            FreeGlobal(0);
    }

    static int Set(const char *section, const char *key, std::string value, int create = 1)
    {
        return SetGlobalString(section, key, &value[0], create);
    }
    static std::string Get(const char *section, const char *key, const char *def = nullptr, int *result = nullptr)
    {
        char out[600] = "";
        const int r = GetGlobalString(section, key, def, out, sizeof out);
        if (result)
            *result = r;
        return r >= 0 && (!section || !key) ? std::string(out, r) : std::string(out);
    }
    static std::string StoredText(const char *key)
    {
        return Get("Values", key);
    }
};

// The table, as the suite spells it: section, then its keys in order.
const char *const kTable[][2] = {
    {"SystemList", "RAW,PROJECT,ACQUISITION,PEAK_DB,SCAN_DB,NAME_DB,LIBRARY_DB,FIND_DB,EPAL,Acquisition,Tuning,"
                   "Reference,QUANCAL_DB,SavedCalibration,MACRO,Error,PEP_MOD_DB,NUC_MOD_DB,PEP_DATA,PEP_EMBL,"
                   "PEP_FASTA,NUC_DATA,NUC_EMBL,PEP_ELEM_DB,METHOD_DB,CURVE_DB,STRUCT_DB,SYNONYM_DB,MS_FUNC_DB,"
                   "SAMPLES_DB,TUNE_DB,INLET,PROBE_DB,DCI_DB,SOLIDS_PRB_DB,TSP_DB,ASAMP_DB,GCAS_DB,GC_DB,LC_DB,"
                   "LCAS_DB,EPAL,Tuning,Reference,AirReference,SavedCalibration,Error,ROBOT_DB,MACRO,WINDOW_POS,"
                   "PointSpreadFunction,AppliedCalibration,PTABLE_DB,SavedPPCalibration,DeadTimeCorrection,METHOD_DB"},
    {"RawFileHeader", "RawDataDate,RawDataTime,SignatureUser,SignatureDate,SignatureReason,Job,Task,UserName,"
                      "Laboratory,Instrument,Conditions,SampleText,SampleID,Submitter,BottleNumber,TraceCompound,"
                      "TraceComments,TraceFormula,CalFileName"},
    {"Spectrum", "BasePeakIntensity,BasePeakMass,NormalizeIntensity,NormalizeMass,Retention Time,TotalIonCurrent,"
                 "ProcessSignatureUser,ProcessSignatureDate,ProcessSignatureReason"},
    {"FunctionTOF", "FunctionType,InstrumentMode,SamplingRate,IntroMethod,LaserID,PrecursorMass,GateMass,"
                    "GateWidth,GateSwitch,FocusVolt,SourceVolt,GasCellVolt,ExtractionVolt,ExtractionPulseVolt,"
                    "ScanLaw,HighMass,LowMass,SuppressionMass"},
    {"SpectrumTOF", "LinearDetectorVolt,LinearSensitivity,ReflectLensVolt,ReflectDetectorVolt,ReflectSensitivity,"
                    "LaserRepetitionRate,CoarseLaserControl,FineLaserControl,LaserAimXPos,LaserAimYPos,"
                    "NumShotsSummed,NumShotsPerformed,SegmentNumber,Reference Scan,CurrentTFMWell,SegmentType,"
                    "SourceRegion1,SourceRegion2,ReflectronFieldLength,ReflectronLength,ReflectronVolt,"
                    "SamplePlateVolt,ReflectronFieldLengthAlt,ReflectronLengthAlt,PSDMajorStepConst,"
                    "PSDMinorStepConst,PSDFactor1"},
    {"SpectrumQTOF", "SamplingConeVoltage,TrapCollisionEnergy,TransferCollisionEnergy,PusherFrequency,SetMass,"
                     "UseLockMassCorrection,LockMassCorrection,UseTempCorrection,TempCorrection,TempCoefficient,"
                     "FaimsCV,MinDriftTime,MaxDriftTime"},
    {"Acquisition", "GCFileName,ASFileName,DCIFileName,ProbeFileName,TSPFilename,AcquisitionStatus,"
                    "IonizationMode,ScanFunction,DigitisationRate,FunctionMass,Instrument"},
    {"Library", "ForRating,RevRating,Hits,NumHits,CAS,CompoundName,MolecularWeight"},
    {"User", "Mass1Intensity,Mass2Intensity,UserName,SampleText,Laboratory,Conditions,Job,Task"},
    {"General", "CurrentTime,CurrentDate,RawDataTime,RawDataData,ErrorMessage,ErrorCode"},
    {"Find", "EntryNum,MAT,FOR,REV,Diff,Area,Flags,Found,Predicted,QM,Name"},
    {"PSDSettings", "PSDMethod,PSDRAW,PSDCalMethod,PSDCalibration,PSDText,PSDUseRaw,PSDStitch"},
};

// Keys of a section once each, in the order they first occur; with
// ignoreCase, as the INI file holds them (the profile functions take
// ACQUISITION and Acquisition for one key).
std::vector<std::string> UniqueKeys(const std::string &list, bool ignoreCase)
{
    std::vector<std::string> unique;
    for (size_t start = 0, end; start <= list.size(); start = end + 1) {
        end = std::min(list.find(',', start), list.size());
        const std::string key = list.substr(start, end - start);
        if (std::none_of(unique.begin(), unique.end(), [&](const std::string &seen) {
                return ignoreCase ? lstrcmpiA(seen.c_str(), key.c_str()) == 0 : seen == key;
            }))
            unique.push_back(key);
    }
    return unique;
}

QZFILE Record(short number, const char *directory, const char *name, const char *extension, long value1,
              long value2)
{
    QZFILE file{number, {}, {}, {}, value1, value2};
    strcpy(file.directory, directory);
    strcpy(file.name, name);
    strcpy(file.extension, extension);
    return file;
}

} // namespace

TEST_F(GlobalStore, EachInitNeedsAFreeAndEveryFreeWritesBack)
{
    EXPECT_EQ(1, InitGlobal(0));
    EXPECT_EQ(0, InitGlobal(0));
    EXPECT_EQ(2, UseCount());
    Set("SystemList", "RAW", "first");
    Set("Custom", "Key", "kept while the store lives");
    EXPECT_EQ(1, FreeGlobal(0));
    EXPECT_EQ("first", ReadIniValue("SystemList", "RAW"));
    EXPECT_EQ("kept while the store lives", Get("Custom", "Key"));
    Set("SystemList", "RAW", "second");
    EXPECT_EQ(1, FreeGlobal(0));
    EXPECT_EQ(0, UseCount());
    EXPECT_EQ("second", ReadIniValue("SystemList", "RAW"));
    EXPECT_EQ(1, FreeGlobal(0)); // without a store: nothing to do

    int result = 0;
    EXPECT_EQ("gone", Get("Custom", "Key", "gone", &result)); // a fresh store, seeded again
    EXPECT_EQ(-1, result);
    EXPECT_EQ("second", Get("SystemList", "RAW"));
    EXPECT_EQ(1, UseCount());
}

TEST_F(GlobalStore, SeedsEveryTableRowInOrderAndWritesEveryKeyBack)
{
    krtest::WriteTextFile(IniFilePath(), "[SystemList]\r\nRAW=E:\\run01.raw\r\nPROJECT=E:\\Demo.PRO\r\n");
    EXPECT_EQ("E:\\run01.raw", Get("SystemList", "RAW"));
    EXPECT_EQ("E:\\Demo.PRO", Get("SystemList", "PROJECT"));
    EXPECT_EQ(1, UseCount());
    Set("Spectrum", "Retention Time", "12.5");

    std::string sections, written;
    for (const auto &row : kTable) {
        sections += std::string(row[0]) + '\0';
        std::string keys;
        for (const std::string &key : UniqueKeys(row[1], false))
            keys += key + '\0';
        EXPECT_EQ(keys, Get(row[0], nullptr)) << row[0];
        // Every key lands in the file, empty or not, in table order.
        written += std::string("[") + row[0] + "]\r\n";
        for (const std::string &key : UniqueKeys(row[1], true))
            written += key + "=" + Get(row[0], key.c_str()) + "\r\n";
    }
    EXPECT_EQ(sections, Get(nullptr, nullptr));
    FreeGlobal(0);
    EXPECT_EQ(written, krtest::ReadTextFile(IniFilePath()));
}

TEST_F(GlobalStore, OddOrUnusableIniFilesSeedWhatTheyHold)
{
    krtest::WriteTextFile(IniFilePath(), "garbage line\r\n[SystemList]\r\nno equals here\r\nRAW=x=y\r\n[\r\n=\r\n");
    EXPECT_EQ("x=y", Get("SystemList", "RAW"));
    EXPECT_EQ("", Get("SystemList", "PROJECT"));
    Release();
    krtest::WriteTextFile(IniFilePath(), "");
    EXPECT_EQ("", Get("SystemList", "RAW"));
    EXPECT_EQ(1, Set("SystemList", "RAW", "after an empty file"));
    Release();
    // A directory where the file should be: every profile call fails.
    // (A read-only attribute would not do: the tests run as root.)
    DeleteFileA(IniFilePath().c_str());
    CreateDirectoryA(IniFilePath().c_str(), nullptr);
    EXPECT_EQ("", Get("SystemList", "RAW"));
    EXPECT_EQ(1, Set("SystemList", "RAW", "new"));
    EXPECT_EQ(1, FreeGlobal(0));
    EXPECT_EQ(0, UseCount());
    RemoveDirectoryA(IniFilePath().c_str());
}

TEST_F(GlobalStore, StringArgumentsAtTheirLimits)
{
    EXPECT_EQ(0, SetGlobalString(nullptr, "K", const_cast<char *>(""), 1));
    EXPECT_EQ(0, SetGlobalString("S", nullptr, const_cast<char *>(""), 1));
    EXPECT_EQ(0, SetGlobalString("S", "K", nullptr, 1));
    Set("S", "K", "value");
    char out[8] = "#######";
    EXPECT_EQ(-1, GetGlobalString("S", "K", nullptr, out, 0));
    EXPECT_EQ(-1, GetGlobalString("S", "K", nullptr, out, -3));
    EXPECT_EQ(-1, GetGlobalString("S", "K", nullptr, out, 0x10000)); // 0 as a 16-bit size
    EXPECT_EQ(-1, GetGlobalString("S", "K", nullptr, nullptr, 8));
    EXPECT_STREQ("#######", out);
    EXPECT_EQ(0, GetGlobalString("S", "K", nullptr, out, 1));
    EXPECT_STREQ("", out);
    EXPECT_EQ(3, GetGlobalString("S", "K", nullptr, out, 0x10004)); // 4 as a 16-bit size
    EXPECT_STREQ("val", out);
}

TEST_F(GlobalStore, LongsAndDoublesInTheirTextForms)
{
    long number = 99;
    EXPECT_EQ(0, GetGlobalLong("Values", "Missing", 42, &number));
    EXPECT_EQ(0, number);
    Set("Values", "Empty", "");
    number = 99;
    EXPECT_EQ(1, GetGlobalLong("Values", "Empty", 42, &number));
    EXPECT_EQ(0, number);
    EXPECT_EQ(1, SetGlobalLong("Values", "Min", LONG_MIN, 1));
    EXPECT_EQ("-2147483648", StoredText("Min"));
    EXPECT_EQ(1, GetGlobalLong("Values", "Min", 0, &number));
    EXPECT_EQ(LONG_MIN, number);

    double real = 9;
    EXPECT_EQ(1, SetGlobalDouble("Values", "Half", 1.5, 1));
    EXPECT_EQ("1.50000000", StoredText("Half"));
    EXPECT_EQ(1, SetGlobalDouble("Values", "Huge", 1e32, 1));
    EXPECT_EQ(31u, StoredText("Huge").size());
    EXPECT_EQ(1, GetGlobalDouble("Values", "Huge", 0.0, &real));
    EXPECT_EQ(1e30, real);
    EXPECT_EQ(0, GetGlobalDouble("Values", "Missing", 7.0, &real));
    EXPECT_EQ(0.0, real);
    EXPECT_EQ(0, GetGlobalLong("Values", "Min", 0, nullptr));
}

TEST_F(GlobalStore, FileRecordsInTheirTextForms)
{
    QZFILE file = Record(-1, "E:\\data\\", "run01", "raw", 7, -8);
    EXPECT_EQ(1, SetGlobalFile("Values", "File", &file, 1));
    EXPECT_EQ("65535,E:\\data\\,run01,raw,7,-8", StoredText("File"));
    QZFILE read;
    memset(&read, 0x5A, sizeof read);
    EXPECT_EQ(1, GetGlobalFile("Values", "File", nullptr, &read));
    EXPECT_EQ(0, memcmp(&file, &read, sizeof file));

    QZRAWFILE raw;
    EXPECT_EQ(1, GetGlobalRawFile("Values", "File", nullptr, &raw)); // six fields only
    EXPECT_EQ(0, memcmp(&file, &raw.file, sizeof file));
    EXPECT_EQ(1, raw.index1);
    EXPECT_EQ(0, raw.index2);
    raw.index1 = 3;
    raw.index2 = -2;
    EXPECT_EQ(1, SetGlobalRawFile("Values", "Raw", &raw, 1));
    EXPECT_EQ("65535,E:\\data\\,run01,raw,7,-8,3,65534", StoredText("Raw"));
    QZRAWFILE rawRead;
    EXPECT_EQ(1, GetGlobalRawFile("Values", "Raw", &raw, &rawRead));
    EXPECT_EQ(0, memcmp(&raw, &rawRead, sizeof raw));
    EXPECT_EQ(0, GetGlobalRawFile("Values", "Missing", &raw, &rawRead));
    EXPECT_EQ(0, rawRead.index1);
}

TEST_F(GlobalStore, RecordsWithCommasOrWithoutRoomReadBackAsTheirText)
{
    QZFILE file = Record(0, "E:\\a,b\\", "n", "x", 5, 0);
    EXPECT_EQ(1, SetGlobalFile("Values", "Comma", &file, 1));
    QZFILE read;
    GetGlobalFile("Values", "Comma", nullptr, &read);
    EXPECT_STREQ("E:\\a", read.directory); // every later field shifts
    EXPECT_STREQ("b\\", read.name);
    EXPECT_STREQ("n", read.extension);
    EXPECT_EQ(0, read.value1); // atol of "x"
    EXPECT_EQ(5, read.value2);

    // Whole arrays without a NUL: the text would not fit a line, so nothing
    // is stored rather than a cut record.
    memset(file.directory, 'd', sizeof file.directory);
    memset(file.name, 'n', sizeof file.name);
    memset(file.extension, 'e', sizeof file.extension);
    EXPECT_EQ(0, SetGlobalFile("Values", "Full", &file, 1));
    int result = 0;
    Get("Values", "Full", nullptr, &result);
    EXPECT_EQ(-1, result);
    file.directory[259] = '\0';
    file.name[240] = '\0';
    file.extension[0] = '\0';
    EXPECT_EQ(0, SetGlobalFile("Values", "Long", &file, 1)); // 507 characters: the line holds 504
    file.name[230] = '\0';
    EXPECT_EQ(1, SetGlobalFile("Values", "Long", &file, 1));
    GetGlobalFile("Values", "Long", nullptr, &read);
    EXPECT_EQ(259u, strlen(read.directory));
    EXPECT_EQ(230u, strlen(read.name));
}

TEST_F(GlobalStore, CreationFailureLeavesNoStore)
{
    FailAt(1);
    EXPECT_EQ(0, InitGlobal(0));
    EXPECT_EQ(0, UseCount());
    FailAt(1);
    int result = 0;
    Get("SystemList", "RAW", "default", &result);
    EXPECT_EQ(-1, result);
    long number = 5;
    FailAt(1);
    EXPECT_EQ(0, GetGlobalLong("SystemList", "RAW", 1, &number));
    EXPECT_EQ(0, number);
    FailAt(1);
    EXPECT_EQ(0, Set("S", "K", "v"));
    EXPECT_EQ(0, UseCount());
}

TEST_F(GlobalStore, LockFailureIsReportedWithTheDefaultCaption)
{
    Set("S", "K", "kept");
    HWND owner = CreateWindowExA(0, "STATIC", "owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200, 100, nullptr,
                                 nullptr, nullptr, nullptr);
    SetFocus(owner);
    krtest::BoxAnswerer answerer;
    KrutilTestControl(KRTEST_MESSAGE_BOX_OBSERVER, reinterpret_cast<INT_PTR>(&krtest::BoxAnswerer::Observe));
    int result = 0;
    FailAt(1);
    Get("S", "K", nullptr, &result);
    EXPECT_EQ(-1, result);
    FailAt(1);
    EXPECT_EQ(0, Set("S", "K", "lost"));
    FailAt(0);
    ASSERT_EQ(2u, answerer.Boxes().size());
    for (const krtest::ShownBox &box : answerer.Boxes()) {
        EXPECT_EQ("Out of memory", box.text);
        EXPECT_EQ("(null)", box.caption);
        EXPECT_EQ(static_cast<UINT>(MB_ICONHAND), box.style);
        EXPECT_EQ(owner, box.owner);
        EXPECT_EQ("Error", box.shownCaption);
        EXPECT_EQ("Out of memory", box.shownText);
    }
    EXPECT_EQ("kept", Get("S", "K"));
    DestroyWindow(owner);
}

namespace {

using Model = std::map<std::pair<std::string, std::string>, std::string>;

// A day's work for the store: creation and seeding, new sections and keys,
// values growing and shrinking, typed values, reads. Every write that
// succeeds is noted in the model.
void Workload(Model &model)
{
    InitGlobal(0);
    auto set = [&](const std::string &section, const std::string &key, std::string value) {
        if (SetGlobalString(section.c_str(), key.c_str(), &value[0], 1))
            model[{section, key}] = value;
    };
    for (int i = 0; i < 12; ++i)
        set("Custom" + std::to_string(i % 3), "Key" + std::to_string(i), std::string(i * 20, static_cast<char>('a' + i)));
    set("Custom0", "Key3", "short again");
    set("SystemList", "RAW", "E:\\data\\run01.raw");
    set("Custom1", "Key1", std::string(400, 'z'));
    if (SetGlobalLong("Typed", "Long", -5, 1))
        model[{"Typed", "Long"}] = "-5";
    if (SetGlobalDouble("Typed", "Double", 2.25, 1))
        model[{"Typed", "Double"}] = "2.25000000";
    char out[600];
    for (const auto &entry : model)
        GetGlobalString(entry.first.first.c_str(), entry.first.second.c_str(), nullptr, out, sizeof out);
}

} // namespace

TEST_F(GlobalStore, FailingEveryMemoryCallInTurnLosesNothingWritten)
{
    krtest::BoxAnswerer answerer;
    KrutilTestControl(KRTEST_MESSAGE_BOX_OBSERVER, reinterpret_cast<INT_PTR>(&krtest::BoxAnswerer::Observe));
    long nth = 1;
    for (;; ++nth) {
        Release();
        Model model;
        answerer.Clear();
        FailAt(nth);
        Workload(model);
        const long failures = static_cast<long>(KrutilTestControl(KRTEST_MEM_FAILURES, 0));
        FailAt(0);
        for (const auto &entry : model)
            ASSERT_EQ(entry.second, Get(entry.first.first.c_str(), entry.first.second.c_str()))
                << "failing call " << nth << ": [" << entry.first.first << "] " << entry.first.second;
        ASSERT_EQ(1, Set("After", "Failure", "usable")) << "failing call " << nth;
        ASSERT_EQ("usable", Get("After", "Failure")) << "failing call " << nth;
        for (const krtest::ShownBox &box : answerer.Boxes())
            EXPECT_EQ("Out of memory", box.shownText) << "failing call " << nth;
        if (failures == 0)
            break;
    }
    RecordProperty("memory_calls", static_cast<int>(nth - 1));
    EXPECT_GT(nth, 200); // creation, every seeded row's lock, the growths
}
