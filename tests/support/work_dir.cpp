#include "support/work_dir.h"

#include <windows.h>

#include <stdio.h>

namespace krtest {
namespace {

std::string g_workDir;

void RemoveTree(const std::string &dir)
{
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((dir + "\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::string name = found.cFileName;
            if (name == "." || name == "..")
                continue;
            const std::string path = dir + "\\" + name;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveTree(path);
            else
                DeleteFileA(path.c_str());
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    RemoveDirectoryA(dir.c_str());
}

} // namespace

void EnterFreshWorkDir(const char *programName)
{
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    char dir[MAX_PATH];
    snprintf(dir, sizeof dir, "%skrtest-%s-%lu", temp, programName, GetCurrentProcessId());
    RemoveTree(dir);
    CreateDirectoryA(dir, nullptr);
    SetCurrentDirectoryA(dir);
    g_workDir = dir;
}

void RemoveWorkDir()
{
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    SetCurrentDirectoryA(temp);
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
    std::string text;
    FILE *f = fopen(path.c_str(), "rb");
    if (!f)
        return text;
    char buffer[4096];
    size_t n;
    while ((n = fread(buffer, 1, sizeof buffer, f)) > 0)
        text.append(buffer, n);
    fclose(f);
    return text;
}

void WriteTextFile(const std::string &path, const std::string &text)
{
    FILE *f = fopen(path.c_str(), "wb");
    if (!f)
        return;
    fwrite(text.data(), 1, text.size(), f);
    fclose(f);
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

} // namespace krtest
