// The checksum-block stand-in through its DLL: a block keeps a signature
// while its file is unchanged, and notices a changed file or a damaged
// block; what it refuses to open or set.
#include <gtest/gtest.h>

#include <functional>
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

// The signature kept when the block holds.
std::string Verified(DWORD size = 64)
{
    char kept[64];
    DWORD stored = 0;
    if (!VerifyChecksumBlock(kFile.c_str(), kept, size, &stored))
        return "<fails>";
    return std::string(kept, std::min(size, stored)) + "/" + std::to_string(stored);
}

} // namespace

TEST(Tallisk, BlockHoldsUntilFileOrBlockChanges)
{
    WriteTextFile(kFile, "spectra");
    ASSERT_TRUE(WriteBlock(kFile, kReadWrite, kSignature));
    EXPECT_EQ(kSignature + "/15", Verified());
    EXPECT_EQ("sign/15", Verified(4));
    const struct {
        const char *name;
        std::function<void()> tamper;
    } rows[] = {
        {"one byte of the file", [] { WriteTextFile(kFile, "spectrA"); }},
        {"one byte of the block", [] {
             std::string block = ReadTextFile(kBlock);
             block[block.size() - 40] ^= 1;
             WriteTextFile(kBlock, block);
         }},
        {"block cut short", [] { WriteTextFile(kBlock, ReadTextFile(kBlock).substr(0, 60)); }},
        {"no block", [] { DeleteFileA(kBlock.c_str()); }},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        WriteTextFile(kFile, "spectra");
        ASSERT_TRUE(WriteBlock(kFile, kReadWrite, kSignature));
        row.tamper();
        EXPECT_EQ("<fails>", Verified());
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
        std::string file, signature;
        DWORD access;
    } rows[] = {
        {kFile, "second", GENERIC_READ},        // opens, but sets nothing
        {kFile, "second", kReadWrite},          // a read-only block
        {deep + kFile, "second", kReadWrite},   // a block name too long
        {"missing.dat", "second", kReadWrite},
        {kFile, "second", GENERIC_WRITE},
        {kFile, "second", kReadWrite | DELETE},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.file + " " + std::to_string(row.access));
        HCHECKSUMBLOCK block = CreateAndOpenChecksumBlock(row.file.c_str(), row.access);
        EXPECT_EQ(row.access == GENERIC_READ, block != nullptr);
        EXPECT_FALSE(SetChecksumBlockSignature(block, row.signature.data(), row.signature.size()));
        EXPECT_EQ(block != nullptr, CloseChecksumBlock(block));
        EXPECT_EQ("first/5", Verified());
    }
    SetFileAttributesA(kBlock.c_str(), FILE_ATTRIBUTE_NORMAL);
    CreateDirectoryA((kBlock + ".tmp").c_str(), nullptr); // no new file in the directory
    EXPECT_FALSE(WriteBlock(kFile, kReadWrite, "second"));
    RemoveDirectoryA((kBlock + ".tmp").c_str());
    EXPECT_EQ("first/5", Verified());
    EXPECT_FALSE(WriteBlock(kFile, kReadWrite, std::string(4097, 's')));
    EXPECT_TRUE(WriteBlock(kFile, kReadWrite, std::string(4096, 's')));
}
