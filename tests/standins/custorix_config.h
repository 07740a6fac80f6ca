// Writing and removing the access-control configuration of the test's
// working directory, and real directories to use as locations.
#ifndef KRTEST_CUSTORIX_CONFIG_H
#define KRTEST_CUSTORIX_CONFIG_H

#include <windows.h>

#include <string>

#include "support/work_dir.h"

namespace krtest {

inline std::string ConfigPath()
{
    return WorkPath("KRSECURE.INI");
}

// Writes the file with the [Security] header followed by `settings`.
inline void WriteSecurityConfig(const std::string &settings)
{
    WriteTextFile(ConfigPath(), "[Security]\r\n" + settings);
}

inline void RemoveSecurityConfig()
{
    DeleteFileA(ConfigPath().c_str());
    RemoveDirectoryA(ConfigPath().c_str());
}

// A directory of the working directory, created; its path without a
// trailing backslash.
inline std::string MadeDir(const std::string &name)
{
    const std::string path = WorkPath(name);
    CreateDirectoryA(path.c_str(), nullptr);
    return path;
}

} // namespace krtest

#endif
