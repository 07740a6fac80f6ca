// A second process for the running-application check: checks the named
// mutex, tells the test through an event, and keeps whatever it got until
// the test says it may go. Exit code: 1 when another process held it.
#include <windows.h>

#include "krapps.h"

int main(int argc, char **argv)
{
    if (argc < 4)
        return 2;
    const BOOL running = ApplicationRunningCheck(argv[1]);
    HANDLE ready = OpenEventA(EVENT_MODIFY_STATE, FALSE, argv[2]);
    HANDLE release = OpenEventA(SYNCHRONIZE, FALSE, argv[3]);
    if (!ready || !release)
        return 3;
    SetEvent(ready);
    WaitForSingleObject(release, 60000);
    return running ? 1 : 0;
}
