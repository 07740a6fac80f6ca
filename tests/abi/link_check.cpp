// Refers to every export through the public headers, so that linking this
// program against the import library checks each name a client compiles
// against. It is linked, never run.
#include "krutil.h"

int main(int argc, char **)
{
    if (argc < 100)
        return 0;
    char text[MAX_PATH] = "";
    INIWINDPOS pos{};
    MDICREATESTRUCTA create{};
    SetKestruneWorkingDir();
    GetKestruneWorkingDir(text);
    InitIni(0);
    FreeIni(0, 0);
    IsIniLoaded();
    GetIniString("s", "k", "", text, sizeof text);
    SetIniString("s", "k", text, 0);
    IsGCMD();
    GetIniWindPos("s", "k", nullptr, &pos);
    SetIniWindPos("s", "k", &pos, 0);
    ObtainWindPos(nullptr, &pos);
    RestoreWindPos(nullptr, &pos);
    IniSaveDesktop(nullptr, 0, "s", "k", 0);
    IniCreateMDIWnd(nullptr, "s", "k", &create);
    QZFILE file{};
    QZRAWFILE raw{};
    long number = 0;
    double real = 0;
    InitGlobal(0);
    UpdateGlobal(0);
    FreeGlobal(0);
    GetGlobalString("s", "k", nullptr, text, sizeof text);
    SetGlobalString("s", "k", text, 1);
    GetGlobalLong("s", "k", 0, &number);
    SetGlobalLong("s", "k", number, 1);
    GetGlobalDouble("s", "k", 0.0, &real);
    SetGlobalDouble("s", "k", real, 1);
    GetGlobalFile("s", "k", nullptr, &file);
    SetGlobalFile("s", "k", &file, 1);
    GetGlobalRawFile("s", "k", nullptr, &raw);
    SetGlobalRawFile("s", "k", &raw, 1);
    ftoa(1.0, text, 2);
    etoa(1.0, text, 2);
    gtoa(1.0, 4, text);
    FormatFloat(1.0f, 2, 0, text);
    return IsNumber(text) + static_cast<int>(atofL(text));
}
