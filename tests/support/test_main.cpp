// main of every test program: a fresh working directory, then the tests.
#include <gtest/gtest.h>

#include <string.h>

#include "support/work_dir.h"

int main(int argc, char **argv)
{
    testing::InitGoogleTest(&argc, argv);
    const char *slash = strrchr(argv[0], '\\');
    const char *name = slash ? slash + 1 : argv[0];
    krtest::EnterFreshWorkDir(name);
    const int result = RUN_ALL_TESTS();
    krtest::RemoveWorkDir();
    return result;
}
