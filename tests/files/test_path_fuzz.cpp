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

// A buffer of `size` bytes followed by guard bytes that no call may touch.
struct Guarded {
    explicit Guarded(size_t size) : size(size), bytes(size + 32, '\xA5') {}
    char *operator()() { return &bytes[0]; }
    bool Intact() const { return bytes.find_first_not_of('\xA5', size) == std::string::npos; }
    bool Terminated() const { return size == 0 || memchr(bytes.data(), 0, size); }
    size_t size;
    std::string bytes;
};

std::string GeneratePath(std::mt19937 &random)
{
    static const char *const kPieces[] = {"\\", "/", ".", ":", "a", "bc", "E:", "\\\\srv\\sh\\",
                                          " ", "\xE9", "..", "x.y", "C:\\"};
    std::uniform_int_distribution<int> pieceCount(0, 12), piece(0, 12), longRun(0, 9), runLength(1, 290);
    std::string path;
    for (int i = 0, count = pieceCount(random); i < count; ++i)
        path += longRun(random) ? kPieces[piece(random)] : std::string(runLength(random), "a\\./"[i % 4]);
    return path;
}

// Drive and directory, name, and extension with its dot, as the runtime splits them.
std::string RuntimeSplit(const std::string &path, int part)
{
    char drive[_MAX_DRIVE], dir[_MAX_DIR], fname[_MAX_FNAME], ext[_MAX_EXT];
    _splitpath(path.c_str(), drive, dir, fname, ext);
    return part == 0 ? std::string(drive) + dir : part == 1 ? fname : ext;
}

} // namespace

TEST(PathFuzz, AgreesWithTheRuntimeAndStaysInsideBuffers)
{
    int(KRAPI *const getters[])(const char *, char *, int) = {GetPathDirectory, GetPathName, GetPathExtension};
    std::mt19937 random(20261206);
    std::uniform_int_distribution<int> sizeOf(0, 300);
    int compared = 0, roundTrips = 0;
    for (int iteration = 0; iteration < 20000; ++iteration) {
        const std::string path = GeneratePath(random);
        SCOPED_TRACE("path \"" + path + "\"");
        // Half the calls get room for any result, half a random size.
        const size_t size = iteration % 2 ? 300 : static_cast<size_t>(sizeOf(random));
        const int isize = static_cast<int>(size);
        // The runtime's split has its own limits of 256 per part; below them both must give the same parts.
        const bool comparable = path.size() < 250 && size == 300;
        for (int part = 0; part < 3; ++part) {
            Guarded out(size);
            const int got = getters[part](path.c_str(), out(), isize);
            ASSERT_TRUE(out.Intact());
            ASSERT_TRUE(path.size() >= 260 || out.Terminated());
            if (comparable) {
                const std::string expected = RuntimeSplit(path, part);
                ASSERT_EQ(1, got);
                ASSERT_EQ(part < 2 || expected.empty() ? expected : expected.substr(1), out());
            }
        }
        compared += comparable;

        QZFILE file;
        memset(&file, 0x5A, sizeof file);
        const int fitted = ConvertPathToQZFile(&file, path.c_str());
        ASSERT_TRUE(memchr(file.directory, 0, sizeof file.directory) && memchr(file.name, 0, sizeof file.name) &&
                    memchr(file.extension, 0, sizeof file.extension));
        Guarded back(size);
        if (ConvertQZFileToPath(back(), isize, &file) && fitted && size == 300) {
            // The runtime's join of the same record is the reference; the exact path comes back when nothing had
            // to be added (a separator after the directory, an extension after a bare dot).
            char made[_MAX_PATH * 2];
            _makepath(made, "", file.directory, file.name, file.extension);
            ASSERT_STREQ(made, back());
            const std::string directory = RuntimeSplit(path, 0);
            if ((directory.empty() || strchr("\\/", directory.back())) && RuntimeSplit(path, 2) != ".") {
                ASSERT_EQ(path, back());
                ++roundTrips;
            }
        }
        ASSERT_TRUE(back.Intact() && back.Terminated());

        Guarded created(size), changed(size);
        CreatePathName(path.c_str(), GeneratePath(random).c_str(), "raw", created(), static_cast<unsigned>(size));
        ASSERT_TRUE(created.Intact());
        ASSERT_EQ(1, ChangePathExtension(path.c_str(), "txt", changed(), static_cast<unsigned>(size)));
        ASSERT_TRUE(changed.Intact() && changed.Terminated());
    }
    // The generator must reach both checks often enough to mean something.
    EXPECT_GT(compared, 5000);
    EXPECT_GT(roundTrips, 500);
}
