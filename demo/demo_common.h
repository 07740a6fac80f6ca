// What the tour's sections share: the printed layout, the host's frame
// window, answering the boxes the library shows, and the sections themselves,
// which main() runs in order.
#ifndef KRDEMO_COMMON_H
#define KRDEMO_COMMON_H

#include <windows.h>

#include <string>

#include "krutil.h"

namespace krdemo {

// The title line every section starts with.
void Heading(const char *title);

// A KESTRUNE.INI value as the suite reads it, "(none)" when it is missing.
std::string IniValue(const char *section, const char *key);

// Lets the windows handle what the library sent or posted them.
void Pump();

// The host's MDI frame, placed where [Demo Windows] Frame says. Its children
// are of class kChildClass and open in FrameClient().
extern const char kChildClass[];
HWND CreateFrame();
HWND FrameClient();

// Reads the next box the library shows, prints it and presses `button`, as a
// user would after a moment (the box stays visible on the display meanwhile).
void AnswerNextBoxWith(UINT button);

QZFILE FileRecord(const char *directory, const char *name, const char *extension);

// The sections of the tour, each in the file named for it.
void TourWorkingDirectory(); // tour_settings.cpp
void TourSettings();
void ShowIniFile();
void TourWindows();          // tour_windows.cpp
void TourNumbers();          // tour_numbers.cpp
void TourGlobalStore();      // tour_store.cpp
void TourApplications();     // tour_apps.cpp
void TourCalibration();      // tour_fitting.cpp
void TourRegression();
void TourDateAndChartText(); // tour_date_chart.cpp
void TourFiles();            // tour_files.cpp
void TourDialogs();          // tour_dialogs.cpp
void TourProjects();         // tour_projects.cpp
void TourPeaksAndIndices();  // tour_profiles.cpp
void TourResampling();
void TourPrinting();         // tour_printing.cpp

} // namespace krdemo

#endif
