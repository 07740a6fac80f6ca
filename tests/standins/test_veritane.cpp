// The signature stand-in through its DLL: what a signature binds, what
// breaks it, the reason dialog, and writes that fail without harm.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "support/dialog_driver.h"
#include "support/work_dir.h"
#include "veritane.h"
#include "veritane_dialog.h"

using namespace krtest;

namespace {

const std::string kDir = "run01.raw\\", kStore = kDir + VERITANE_STORE_NAME;

std::string KeyFile(const std::string &user)
{
    char appData[MAX_PATH] = "";
    GetEnvironmentVariableA("APPDATA", appData, MAX_PATH);
    return std::string(appData) + "\\Kestrune\\Veritane\\" + user + ".key";
}

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
        DeleteFileA("KRSECURE.INI");
        DeleteFileA(KeyFile("vt-anna").c_str());
    }
};

} // namespace

TEST_F(Veritane, SignatureBindsSignerTimeReasonNameAndContent)
{
    VERITANE_SIGNATURE made, back;
    ASSERT_TRUE(CreateSignature(15007, &made, nullptr, "approved"));
    ASSERT_TRUE(SetSignatureInFile((kDir + "a.dat").c_str(), &made));
    ASSERT_TRUE(VerifySignatureInFile((kDir + "a.dat").c_str(), &back));
    EXPECT_EQ(std::string("vt-anna"), back.signer);
    EXPECT_EQ(15007u, back.application);
    EXPECT_EQ(0, memcmp(&made.time, &back.time, sizeof made.time));
    EXPECT_EQ(32u, ReadTextFile(KeyFile("vt-anna")).size());
    Configure("User=vt-bob"); // checked by another user: under the signer's key
    EXPECT_EQ("approved", Verified("a.dat"));

    const size_t reason = MAX_PATH + 68, mac = MAX_PATH + 224;
    const struct {
        const char *name;
        std::function<void()> tamper;
    } rows[] = {
        {"one byte of content", [] { WriteTextFile(kDir + "a.dat", "same contenT"); }},
        {"one byte of the reason", [&] { PatchEntry("a.dat", reason, "A"); }},
        {"b's MAC in a's entry", [&] {
             const std::string store = ReadTextFile(kStore);
             PatchEntry("a.dat", mac, store.substr(store.find("b.dat") + mac, 32));
         }},
        {"another user's key", [] { WriteTextFile(KeyFile("vt-anna"), std::string(32, 'k')); }},
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
    const struct {
        const char *name;
        std::string path;
        std::function<void()> set, undo;
    } rows[] = {
        {"read-only store", kDir + "a.dat", [] { SetFileAttributesA(kStore.c_str(), FILE_ATTRIBUTE_READONLY); },
         [] { SetFileAttributesA(kStore.c_str(), FILE_ATTRIBUTE_NORMAL); }},
        {"no new file in the directory", kDir + "a.dat", [] { CreateDirectoryA((kStore + ".tmp").c_str(), nullptr); },
         [] { RemoveDirectoryA((kStore + ".tmp").c_str()); }},
        {"store's full name too long", deep + "a.dat", [] {}, [] {}},
        {"no such file", kDir + "c.dat", [] {}, [] {}},
        {"another user's name", kDir + "a.dat", [] { Configure("User=vt-bob"); }, [] { Configure("User=vt-anna"); }},
    };
    ASSERT_TRUE(SignBoth("first"));
    VERITANE_SIGNATURE second;
    ASSERT_TRUE(CreateSignature(15007, &second, nullptr, "second"));
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        row.set();
        EXPECT_FALSE(SetSignatureInFile(row.path.c_str(), &second));
        row.undo();
        EXPECT_EQ("first", Verified("a.dat"));
        EXPECT_FALSE(FileExists(kStore + ".tmp"));
    }
    second.isSigned = 0;
    EXPECT_FALSE(SetSignatureInFile((kDir + "a.dat").c_str(), &second)) << "declined";
    second.isSigned = 1;
    EXPECT_TRUE(SetSignatureInFile((kDir + "a.dat").c_str(), &second));
    EXPECT_EQ("second", Verified("a.dat"));
}
