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
    ftoa(1.0, text, 2);
    etoa(1.0, text, 2);
    gtoa(1.0, 4, text);
    FormatFloat(1.0f, 2, 0, text);
    return IsNumber(text) + static_cast<int>(atofL(text));
}
