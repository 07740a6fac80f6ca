#include "support/work_dir.h"

#include <windows.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace krtest {
namespace {

std::string g_workDir;

std::string TempDir()
{
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    return temp;
}

void RemoveTree(const std::string &dir)
{
    std::error_code ignored; // what cannot go is left to the temporary directory's own clean-up
    std::filesystem::remove_all(dir, ignored);
}

} // namespace

void EnterFreshWorkDir(const char *programName)
{
    g_workDir = TempDir() + "krtest-" + programName + "-" + std::to_string(GetCurrentProcessId());
    RemoveTree(g_workDir);
    CreateDirectoryA(g_workDir.c_str(), nullptr);
    SetCurrentDirectoryA(g_workDir.c_str());
}

void RemoveWorkDir()
{
    SetCurrentDirectoryA(TempDir().c_str());
    RemoveTree(g_workDir);
}

const std::string &WorkDir()
{
    return g_workDir;
}

std::string WorkPath(const std::string &name)
{
    return g_workDir + "\\" + name;
}

std::string IniFilePath()
{
    return WorkPath("KESTRUNE.INI");
}

std::string ReadTextFile(const std::string &path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

void WriteTextFile(const std::string &path, const std::string &text)
{
    std::ofstream(path, std::ios::binary) << text;
}

bool FileExists(const std::string &path)
{
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string ReadIniValue(const char *section, const char *key, const char *def)
{
    char value[2048];
    GetPrivateProfileStringA(section, key, def, value, sizeof value, IniFilePath().c_str());
    return value;
}

WinIniKeys::WinIniKeys(const char *section, const Keys &keys) : section_(section)
{
    for (const auto &key : keys) {
        char old[512];
        GetProfileStringA(section, key.first.c_str(), "\1", old, sizeof old);
        saved_.emplace_back(key.first, old);
        WriteProfileStringA(section, key.first.c_str(), key.second.c_str());
    }
}

WinIniKeys::~WinIniKeys()
{
    for (const auto &key : saved_)
        WriteProfileStringA(section_.c_str(), key.first.c_str(), key.second == "\1" ? nullptr : key.second.c_str());
}

void WinIniKeys::Remove()
{
    for (const auto &key : saved_)
        WriteProfileStringA(section_.c_str(), key.first.c_str(), nullptr);
}

} // namespace krtest
