// Writing and removing the access-control configuration of the test's
// working directory, and real directories to use as locations.
#ifndef KRTEST_CUSTORIX_CONFIG_H
#define KRTEST_CUSTORIX_CONFIG_H

#include <windows.h>

#include <string>

#include "custorix.h"
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

// Whether the gate let a new file be created at path (the last error says
// why not).
inline bool CreatedThroughGate(const std::string &path)
{
    const HANDLE file = CreateFileS(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    return file != INVALID_HANDLE_VALUE && CloseHandleS(file);
}

} // namespace krtest

#endif
