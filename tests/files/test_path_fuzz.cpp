// Many generated paths through the split, join and record functions: the
// results must agree with the platform runtime's _splitpath and _makepath,
// round trips must hold where the rules promise one, and no call may write
// outside its buffer or leave it unterminated.
#include <gtest/gtest.h>

#include <stdlib.h>
#include <string.h>

#include <random>
#include <string>

#include "krutil.h"

namespace {

const unsigned char kGuard = 0xA5;
const size_t kSlack = 32;

// A buffer of `size` bytes inside a larger one whose tail is checked.
struct GuardedBuffer {
    explicit GuardedBuffer(size_t size) : size(size) { memset(bytes, kGuard, sizeof bytes); }
    char *data() { return bytes; }
    bool TailIntact() const
    {
        for (size_t i = size; i < size + kSlack; ++i)
            if (static_cast<unsigned char>(bytes[i]) != kGuard)
                return false;
        return true;
    }
    bool Terminated() const { return size == 0 || memchr(bytes, '\0', size) != nullptr; }
    size_t size;
    char bytes[600 + kSlack];
};

std::string GeneratePath(std::mt19937 &random)
{
    static const char *const kPieces[] = {"\\", "/", ".", ":", "a", "bc", "E:", "\\\\srv\\sh\\",
                                          " ", "\xE9", "..", "x.y", "C:\\"};
    std::uniform_int_distribution<int> pieceCount(0, 12), piece(0, 12), longRun(0, 9), runLength(1, 290);
    std::string path;
    const int count = pieceCount(random);
    for (int i = 0; i < count; ++i) {
        if (longRun(random) == 0)
            path.append(runLength(random), "a\\./"[i % 4]);
        else
            path += kPieces[piece(random)];
    }
    return path;
}

struct RuntimeSplit {
    std::string directory, name, extension; // extension with its dot
};

RuntimeSplit SplitWithRuntime(const std::string &path)
{
    char drive[_MAX_DRIVE], dir[_MAX_DIR], fname[_MAX_FNAME], ext[_MAX_EXT];
    _splitpath(path.c_str(), drive, dir, fname, ext);
    return {std::string(drive) + dir, fname, ext};
}

bool EndsWithSeparatorOrEmpty(const std::string &s)
{
    return s.empty() || s.back() == '\\' || s.back() == '/';
}

} // namespace

TEST(PathFuzz, AgreesWithTheRuntimeAndStaysInsideBuffers)
{
    std::mt19937 random(20261206);
    std::uniform_int_distribution<int> sizeOf(0, 300);
    int compared = 0, roundTrips = 0;
    for (int iteration = 0; iteration < 20000; ++iteration) {
        const std::string path = GeneratePath(random);
        SCOPED_TRACE("path \"" + path + "\"");
        // Half the calls get room for any result, half a random size.
        const size_t size = iteration % 2 ? 300 : static_cast<size_t>(sizeOf(random));

        GuardedBuffer directory(size), name(size), extension(size);
        const int gotDirectory = GetPathDirectory(path.c_str(), directory.data(), static_cast<int>(size));
        const int gotName = GetPathName(path.c_str(), name.data(), static_cast<int>(size));
        const int gotExtension = GetPathExtension(path.c_str(), extension.data(), static_cast<int>(size));
        for (GuardedBuffer *b : {&directory, &name, &extension})
            ASSERT_TRUE(b->TailIntact());

        // The runtime's split has its own limits of 256 per part; below them
        // both must give the same parts.
        if (path.size() < 250 && size == 300) {
            const RuntimeSplit expected = SplitWithRuntime(path);
            ASSERT_EQ(1, gotDirectory & gotName & gotExtension);
            ASSERT_EQ(expected.directory, directory.data());
            ASSERT_EQ(expected.name, name.data());
            ASSERT_EQ(expected.extension.empty() ? "" : expected.extension.substr(1), extension.data());
            ++compared;
        } else if (path.size() < 260) {
            ASSERT_TRUE(directory.Terminated() && name.Terminated() && extension.Terminated());
        }

        QZFILE file;
        memset(&file, 0x5A, sizeof file);
        const int fitted = ConvertPathToQZFile(&file, path.c_str());
        ASSERT_TRUE(memchr(file.directory, 0, sizeof file.directory) && memchr(file.name, 0, sizeof file.name) &&
                    memchr(file.extension, 0, sizeof file.extension));
        GuardedBuffer back(size);
        const int joined = ConvertQZFileToPath(back.data(), static_cast<int>(size), &file);
        ASSERT_TRUE(back.TailIntact() && back.Terminated());
        if (fitted && joined && size == 300) {
            // The runtime's join of the same record is the reference.
            char made[_MAX_PATH * 2];
            _makepath(made, "", file.directory, file.name, file.extension);
            ASSERT_STREQ(made, back.data());
            // The exact path comes back when nothing had to be added or lost.
            const RuntimeSplit parts = SplitWithRuntime(path);
            if (EndsWithSeparatorOrEmpty(parts.directory) && parts.extension != ".") {
                ASSERT_EQ(path, back.data());
                ++roundTrips;
            }
        }

        GuardedBuffer created(size), changed(size);
        const std::string defaultDirectory = GeneratePath(random);
        CreatePathName(path.c_str(), defaultDirectory.c_str(), "raw", created.data(), static_cast<unsigned>(size));
        ASSERT_TRUE(created.TailIntact());
        ASSERT_EQ(1, ChangePathExtension(path.c_str(), "txt", changed.data(), static_cast<unsigned>(size)));
        ASSERT_TRUE(changed.TailIntact() && changed.Terminated());
    }
    // The generator must reach both checks often enough to mean something.
    EXPECT_GT(compared, 5000);
    EXPECT_GT(roundTrips, 500);
}
