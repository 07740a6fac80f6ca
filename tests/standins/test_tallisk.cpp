// Checksum blocks through the DLL: kept, broken by changes, refused.
#include <gtest/gtest.h>

#include <string>

#include "support/work_dir.h"
#include "tallisk.h"

using namespace krtest;

namespace {

const DWORD kReadWrite = GENERIC_READ | GENERIC_WRITE;
const std::string kFile = "run02.dat", kBlock = "protected_run02.dat.tsk", kSignature = "signature bytes";

bool WriteBlock(const std::string &file, DWORD access, const std::string &signature)
{
    HCHECKSUMBLOCK block = CreateAndOpenChecksumBlock(file.c_str(), access);
    const bool set = block && SetChecksumBlockSignature(block, signature.data(), signature.size());
    return CloseChecksumBlock(block) && set;
}

// The signature kept and the byte after what fits `size` ("#": untouched); its size.
std::string Verified(DWORD size = 64)
{
    std::string kept(size + 1, '#');
    DWORD stored = 0;
    if (!VerifyChecksumBlock(kFile.c_str(), &kept[0], size, &stored))
        return "<fails>";
    return kept.substr(0, std::min(size, stored) + 1) + "/" + std::to_string(stored);
}

} // namespace

TEST(Tallisk, BlockHoldsUntilFileOrBlockChanges)
{
    const struct {
        const char *name;
        void (*tamper)();
        std::string verified;
    } rows[] = {
        {"nothing", [] {}, kSignature + "#/15"},
        {"one byte of the file", [] { WriteTextFile(kFile, "spectrA"); }, "<fails>"},
        {"one byte of the signature kept", [] { WriteTextFile(kBlock, ReadTextFile(kBlock).replace(50, 1, "#")); },
         "<fails>"},
        {"block cut short", [] { WriteTextFile(kBlock, ReadTextFile(kBlock).substr(0, 60)); }, "<fails>"},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        WriteTextFile(kFile, "spectra");
        ASSERT_TRUE(WriteBlock(kFile, kReadWrite, kSignature));
        EXPECT_EQ("sign#/15", Verified(4)) << "a part copied, the whole size told";
        row.tamper();
        EXPECT_EQ(row.verified, Verified());
    }
}

TEST(Tallisk, RefusesWhatCannotBeKept)
{
    // A directory of 245 characters: its files fit a full name, their blocks not.
    const std::string deep = WorkDir() + "\\" + std::string(243 - WorkDir().size(), 'd') + "\\";
    CreateDirectoryA(deep.c_str(), nullptr);
    WriteTextFile(deep + kFile, "x");
    WriteTextFile(kFile, "spectra");
    ASSERT_TRUE(WriteBlock(kFile, kReadWrite, "first"));
    SetFileAttributesA(kBlock.c_str(), FILE_ATTRIBUTE_READONLY);
    const struct {
        std::string file;
        DWORD access;
    } rows[] = {
        {kFile, GENERIC_READ},      // opens, but sets nothing
        {kFile, kReadWrite},        // a read-only block
        {deep + kFile, kReadWrite}, // a block name too long
        {"missing.dat", kReadWrite},
        {kFile, GENERIC_WRITE},
        {kFile, GENERIC_READ | DELETE},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.file + " " + std::to_string(row.access));
        HCHECKSUMBLOCK block = CreateAndOpenChecksumBlock(row.file.c_str(), row.access);
        EXPECT_EQ(row.access == GENERIC_READ, block != nullptr);
        EXPECT_FALSE(SetChecksumBlockSignature(block, "second", 6));
        EXPECT_EQ(block != nullptr, CloseChecksumBlock(block));
        EXPECT_EQ("first#/5", Verified());
    }
    SetFileAttributesA(kBlock.c_str(), FILE_ATTRIBUTE_NORMAL);
    CreateDirectoryA((kBlock + ".tmp").c_str(), nullptr); // no new file in the directory
    EXPECT_FALSE(WriteBlock(kFile, kReadWrite, "second"));
    RemoveDirectoryA((kBlock + ".tmp").c_str());
    EXPECT_EQ("first#/5", Verified());
    EXPECT_FALSE(WriteBlock(kFile, kReadWrite, std::string(4097, 's')));
    EXPECT_TRUE(WriteBlock(kFile, kReadWrite, std::string(4096, 's')));
}
