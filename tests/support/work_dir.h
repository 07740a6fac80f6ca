// Each test program runs in a fresh working directory of its own, made
// before the first test, so that KESTRUNE.INI starts absent.
#ifndef KRTEST_WORK_DIR_H
#define KRTEST_WORK_DIR_H

#include <string>

namespace krtest {

// Makes the directory and enters it; called once by main.
void EnterFreshWorkDir(const char *programName);
// Removes it again with everything in it.
void RemoveWorkDir();

const std::string &WorkDir();
std::string WorkPath(const std::string &name); // a file in the working directory
std::string IniFilePath();                     // KESTRUNE.INI there

std::string ReadTextFile(const std::string &path); // "" when absent
void WriteTextFile(const std::string &path, const std::string &text);
bool FileExists(const std::string &path);

// A key of the INI file as the Win32 profile functions read it.
std::string ReadIniValue(const char *section, const char *key, const char *def = "<absent>");

} // namespace krtest

#endif
