// A second writer of an audit log: waits for the test's start event, then
// appends `count` audit lines with the texts "<tag> <i>".
// Usage: audit_writer <log> <tag> <count> <start event>
#include <windows.h>

#include <stdlib.h>

#include <string>

#include "custorix.h"

int main(int argc, char **argv)
{
    HANDLE start = argc == 5 ? OpenEventA(SYNCHRONIZE, FALSE, argv[4]) : nullptr;
    if (!start || WaitForSingleObject(start, 60000) != WAIT_OBJECT_0)
        return 3;
    int failures = 0;
    for (int i = 0; i < atoi(argv[3]); ++i)
        failures +=
            !CFileAccess::LogEventAuditA(argv[1], 8, 0, (std::string(argv[2]) + " " + std::to_string(i)).c_str());
    return failures == 0 ? 0 : 1;
}
