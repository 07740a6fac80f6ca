// Each test program runs in a fresh working directory of its own, made
// before the first test, so that KESTRUNE.INI starts absent.
#ifndef KRTEST_WORK_DIR_H
#define KRTEST_WORK_DIR_H

#include <string>
#include <utility>
#include <vector>

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

// Keys of a WIN.INI section, set while it lives and then put back as they
// were (WIN.INI belongs to the whole Wine prefix, not to one test program).
class WinIniKeys {
public:
    using Keys = std::vector<std::pair<std::string, std::string>>;
    WinIniKeys(const char *section, const Keys &keys);
    ~WinIniKeys();
    void Remove(); // takes the keys out of the section until they are put back

private:
    std::string section_;
    Keys saved_; // "\1" for a key that was absent
};

} // namespace krtest

#endif
