// Every function a DLL's .def exports is found by GetProcAddress, which
// looks names up by a binary search of the export name table: a table out
// of byte order loses names that are nevertheless exported.
#include <gtest/gtest.h>

#include <windows.h>

namespace {

struct Export {
    const char *dll;
    const char *name;
};

const Export kExports[] = {
#include "export_names.inc"
};

TEST(ExportLookup, EveryDefNameIsFoundByName)
{
    for (const Export &e : kExports) {
        const HMODULE dll = LoadLibraryA(e.dll);
        ASSERT_NE(dll, nullptr) << e.dll << " does not load";
        EXPECT_NE(GetProcAddress(dll, e.name), nullptr) << e.dll << ": " << e.name << " is not found by name";
        FreeLibrary(dll);
    }
}

} // namespace
