#include "support/test_control.h"

#include "apps/help_call.h"
#include "apps/message_box.h"
#include "files/file_dialogs.h"
#include "files/drive_calls.h"
#include "settings/global_store.h"
#include "support/memory.h"

INT_PTR KRAPI KrutilTestControl(int op, INT_PTR arg)
{
    switch (op) {
    case KRTEST_MEM_FAIL_AT:
        kr::MemFailAt(static_cast<long>(arg), false);
        return 0;
    case KRTEST_MEM_FAIL_FROM:
        kr::MemFailAt(static_cast<long>(arg), true);
        return 0;
    case KRTEST_MEM_CALLS:
        return kr::MemCallCount();
    case KRTEST_MEM_FAILURES:
        return kr::MemFailureCount();
    case KRTEST_MESSAGE_BOX_OBSERVER:
        return reinterpret_cast<INT_PTR>(
            kr::SetMessageBoxObserver(reinterpret_cast<kr::MessageBoxObserver>(arg)));
    case KRTEST_BEEP_OBSERVER:
        return reinterpret_cast<INT_PTR>(kr::SetBeepObserver(reinterpret_cast<kr::BeepObserver>(arg)));
    case KRTEST_FILE_DIALOG_OBSERVER:
        return reinterpret_cast<INT_PTR>(
            kr::SetFileDialogObserver(reinterpret_cast<kr::FileDialogObserver>(arg)));
    case KRTEST_DRIVE_CALLS:
        kr::ReplaceDriveCalls(reinterpret_cast<const kr::DriveCalls *>(arg));
        return 0;
    case KRTEST_HELP_OBSERVER:
        return reinterpret_cast<INT_PTR>(kr::SetHelpObserver(reinterpret_cast<kr::HelpObserver>(arg)));
    case KRTEST_STORE_USE_COUNT:
        return kr::GlobalStoreUseCount();
    default:
        return -1;
    }
}
