// The second process of the running-application check: checks the mutex
// named on its command line, sets the event "<name>-ready", and keeps what it
// got until "<name>-release" is set. Exit code: 1 when another process held it.
#include <windows.h>

#include <string>

#include "krapps.h"

int main(int argc, char **argv)
{
    if (argc < 2)
        return 2;
    const BOOL running = ApplicationRunningCheck(argv[1]);
    const std::string name = argv[1];
    HANDLE ready = OpenEventA(EVENT_MODIFY_STATE, FALSE, (name + "-ready").c_str());
    HANDLE release = OpenEventA(SYNCHRONIZE, FALSE, (name + "-release").c_str());
    if (!ready || !release || !SetEvent(ready))
        return 3;
    WaitForSingleObject(release, 60000);
    return running ? 1 : 0;
}
