// While it lives, the library's calls of the help system are recorded
// instead of opening help (WinHelpA blocks under Wine).
#ifndef KRTEST_HELP_RECORDER_H
#define KRTEST_HELP_RECORDER_H

#include <windows.h>

#include <string>

#include "krsettings.h"
#include "support/test_control.h"

namespace krtest {

class HelpRecorder {
public:
    HelpRecorder() : previous_(KrutilTestControl(KRTEST_HELP_OBSERVER, reinterpret_cast<INT_PTR>(&Record)))
    {
        last_.clear();
    }
    ~HelpRecorder() { KrutilTestControl(KRTEST_HELP_OBSERVER, previous_); }

    // The last call as "<file> <command> <data>"; "" when none came.
    const std::string &Last() const { return last_; }

    // The suite's help file in the working directory at a context, as Last() shows it.
    static std::string SuiteContext(ULONG_PTR context)
    {
        char workDir[MAX_PATH];
        GetKestruneWorkingDir(workDir);
        return std::string(workDir) + "\\KESTRUNE.HLP " + std::to_string(HELP_CONTEXT) + " " + std::to_string(context);
    }

private:
    static BOOL __stdcall Record(HWND, const char *file, UINT command, ULONG_PTR data)
    {
        last_ = std::string(file ? file : "(null)") + " " + std::to_string(command) + " " + std::to_string(data);
        return TRUE;
    }
    INT_PTR previous_;
    static inline std::string last_;
};

} // namespace krtest

#endif
