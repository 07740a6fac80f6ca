// Signatures through the DLL: what they bind, the reason dialog, failed writes.
#include <gtest/gtest.h>

#include <stdlib.h>

#include <functional>
#include <string>

#include "support/dialog_driver.h"
#include "support/work_dir.h"
#include "veritane.h"
#include "veritane_dialog.h"

using namespace krtest;

namespace {

const std::string kDir = "run01.raw\\", kStore = kDir + VERITANE_STORE_NAME;
const size_t kReason = MAX_PATH + 68, kMac = MAX_PATH + 224; // in a store entry

const std::string kAnnaKey = std::string(getenv("APPDATA")) + "\\Kestrune\\Veritane\\vt-anna.key";

void Configure(const std::string &settings)
{
    WriteTextFile("KRSECURE.INI", "[Security]\r\n" + settings);
}

// The store with `bytes` written over it at `offset` into the entry of `name`.
void PatchEntry(const char *name, size_t offset, const std::string &bytes)
{
    std::string store = ReadTextFile(kStore);
    store.replace(store.find(name) + offset, bytes.size(), bytes);
    WriteTextFile(kStore, store);
}

// The reason of the signature of `file` when it holds.
std::string Verified(const std::string &file)
{
    VERITANE_SIGNATURE back;
    return VerifySignatureInFile((kDir + file).c_str(), &back) ? back.reason : "<fails>";
}

// One signature written into a.dat and b.dat, as for the files of a raw file.
bool SignBoth(const char *reason)
{
    VERITANE_SIGNATURE signature;
    return CreateSignature(15007, &signature, nullptr, reason) &&
           SetSignatureInFile((kDir + "a.dat").c_str(), &signature) &&
           SetSignatureInFile((kDir + "b.dat").c_str(), &signature);
}

class Veritane : public testing::Test {
protected:
    void SetUp() override
    {
        CreateDirectoryA(kDir.c_str(), nullptr);
        WriteTextFile(kDir + "a.dat", "same content");
        WriteTextFile(kDir + "b.dat", "same content");
        DeleteFileA(kStore.c_str());
        Configure("User=vt-anna");
    }
    void TearDown() override
    {
        DeleteFileA(kAnnaKey.c_str());
    }
};

} // namespace

TEST_F(Veritane, SignatureBindsSignerTimeReasonNameAndContent)
{
    VERITANE_SIGNATURE made, back;
    ASSERT_TRUE(CreateSignature(15007, &made, nullptr, "approved"));
    ASSERT_TRUE(SetSignatureInFile((kDir + "a.dat").c_str(), &made));
    EXPECT_EQ(32u, ReadTextFile(kAnnaKey).size());
    Configure("User=vt-bob"); // checked by another user: under the signer's key
    ASSERT_TRUE(VerifySignatureInFile((kDir + "a.dat").c_str(), &back));
    EXPECT_EQ(0, memcmp(&made, &back, offsetof(VERITANE_SIGNATURE, mac))) << "the record as made";

    const struct {
        const char *name;
        void (*tamper)();
    } rows[] = {
        {"one byte of content", [] { WriteTextFile(kDir + "a.dat", "same contenT"); }},
        {"one byte of the reason", [] { PatchEntry("a.dat", kReason, "A"); }},
        {"b's MAC in a's entry",
         [] { PatchEntry("a.dat", kMac, ReadTextFile(kStore).substr(ReadTextFile(kStore).find("b.dat") + kMac, 32)); }},
        {"another user's key", [] { WriteTextFile(kAnnaKey, std::string(32, 'k')); }},
        {"store cut short", [] { WriteTextFile(kStore, ReadTextFile(kStore).substr(1)); }},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        WriteTextFile(kDir + "a.dat", "same content");
        Configure("User=vt-anna");
        ASSERT_TRUE(SignBoth("approved"));
        row.tamper();
        EXPECT_EQ("<fails>", Verified("a.dat"));
    }
    EXPECT_FALSE(SignBoth("again")) << "a store not whole is not written over";
}

TEST_F(Veritane, ReasonDialogSignsOnlyWithAReason)
{
    Configure("User=vt-anna\r\nSigningRequired=1");
    for (const int button : {IDOK, IDCANCEL}) {
        DialogDriver driver;
        driver.Then("Electronic Signature", [&](Dialog &d) {
            EXPECT_EQ("vt-anna", d.Text(IDC_VERITANE_SIGNER));
            EXPECT_TRUE(GetWindowLongA(d.Item(IDC_VERITANE_SIGNER), GWL_STYLE) & ES_READONLY);
            d.Type(IDC_VERITANE_REASON, "  ");
            EXPECT_FALSE(d.Enabled(IDOK));
            d.Type(IDC_VERITANE_REASON, "reviewed");
            d.Click(button);
        });
        VERITANE_SIGNATURE signature;
        EXPECT_EQ(button == IDOK, CreateSignature(7, &signature, nullptr, nullptr));
        EXPECT_EQ(button == IDOK, signature.isSigned);
        EXPECT_EQ(button == IDOK ? "reviewed" : "", std::string(signature.reason));
        EXPECT_EQ(1, signature.required);
    }
}

// Each write fails and leaves the earlier signature of a.dat as it was.
TEST_F(Veritane, FailedWritesKeepEarlierSignatures)
{
    // A directory of 245 characters: its files fit a full name, its store not.
    const std::string deep = WorkDir() + "\\" + std::string(243 - WorkDir().size(), 'd') + "\\";
    CreateDirectoryA(deep.c_str(), nullptr);
    WriteTextFile(deep + "a.dat", "x");
    ASSERT_TRUE(SignBoth("first"));
    VERITANE_SIGNATURE second;
    ASSERT_TRUE(CreateSignature(15007, &second, nullptr, "second"));
    const struct {
        const char *name;
        std::string path;
        std::function<void()> set, undo;
    } rows[] = {
        {"declined", kDir + "a.dat", [&] { second.isSigned = 0; }, [&] { second.isSigned = 1; }},
        {"read-only store", kDir + "a.dat", [] { SetFileAttributesA(kStore.c_str(), FILE_ATTRIBUTE_READONLY); },
         [] { SetFileAttributesA(kStore.c_str(), FILE_ATTRIBUTE_NORMAL); }},
        {"no new file in the directory", kDir + "a.dat", [] { CreateDirectoryA((kStore + ".tmp").c_str(), nullptr); },
         [] { RemoveDirectoryA((kStore + ".tmp").c_str()); }},
        {"store's full name too long", deep + "a.dat", [] {}, [] {}},
        {"no such file", kDir + "c.dat", [] {}, [] {}},
        {"another user's name", kDir + "a.dat", [] { Configure("User=vt-bob"); }, [] { Configure("User=vt-anna"); }},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        row.set();
        EXPECT_FALSE(SetSignatureInFile(row.path.c_str(), &second));
        row.undo();
        EXPECT_EQ("first", Verified("a.dat"));
        EXPECT_FALSE(FileExists(kStore + ".tmp"));
    }
    EXPECT_TRUE(SetSignatureInFile((kDir + "a.dat").c_str(), &second));
    EXPECT_EQ("second", Verified("a.dat"));
}
