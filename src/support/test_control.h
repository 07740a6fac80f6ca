// A seam for the library's own tests, exported as KrutilTestControl: it
// reaches state inside the DLL that no function of the suite exposes (the
// allocation plan, the message-box observer). Applications do not use it.
#ifndef KR_SUPPORT_TEST_CONTROL_H
#define KR_SUPPORT_TEST_CONTROL_H

#include "krdefs.h"

enum KrTestOp {
    KRTEST_MEM_FAIL_AT = 1,        // arg: the Nth fallible memory call from now fails once (0 disarms)
    KRTEST_MEM_FAIL_FROM = 2,      // arg: the Nth call and every later one fail
    KRTEST_MEM_CALLS = 3,          // result: fallible memory calls since the last arming
    KRTEST_MEM_FAILURES = 4,       // result: of those, the ones made to fail
    KRTEST_MESSAGE_BOX_OBSERVER = 5, // arg: a kr::MessageBoxObserver or 0; result: the previous one
    KRTEST_STORE_USE_COUNT = 6,    // result: the global store's use count, 0 when there is none
    KRTEST_BEEP_OBSERVER = 7,      // arg: a kr::BeepObserver or 0; result: the previous one
    KRTEST_HELP_OBSERVER = 8,      // arg: a kr::HelpObserver (called instead of the help system) or 0; result: the previous one
    KRTEST_FILE_DIALOG_OBSERVER = 9, // arg: a kr::FileDialogObserver or 0; result: the previous one
    KRTEST_DRIVE_CALLS = 10,       // arg: a const kr::DriveCalls * (files/drive_calls.h), 0 for the platform's
};

KR_EXTERN_C_BEGIN
// Returns the operation's result (0 for operations without one), or -1 for
// an unknown operation.
INT_PTR KRAPI KrutilTestControl(int op, INT_PTR arg);
KR_EXTERN_C_END

#endif
