// The demo host: a small application of the suite that loads krutil.dll as
// every application does and tours what the library offers, printing what
// it did. It runs in the current directory, the suite's working directory.
#include <windows.h>

#include <stdio.h>

#include "demo_common.h"

using namespace krdemo;

int main()
{
    printf("Kestrune utility library: demo host\n");
    DeleteFileA("KESTRUNE.INI"); // every tour starts from a fresh file
    TourWorkingDirectory();
    TourSettings();
    TourWindows();
    TourNumbers();
    TourGlobalStore();
    TourApplications();
    TourCalibration();
    TourDateAndChartText();
    TourFiles();
    TourDialogs();
    TourProjects();
    TourPeaksAndIndices();
    TourRegression();
    TourResampling();
    TourPrinting();
    ShowIniFile();
    return 0;
}
