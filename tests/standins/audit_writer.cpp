// A second writer of an audit log: waits for the test's start signal, then
// appends `count` audit lines with the texts "<tag> <i>".
// Usage: audit_writer <log> <tag> <count> <start event>
#include <windows.h>

#include <stdio.h>
#include <stdlib.h>

#include "custorix.h"

int main(int argc, char **argv)
{
    if (argc < 5)
        return 2;
    HANDLE start = OpenEventA(SYNCHRONIZE, FALSE, argv[4]);
    if (!start || WaitForSingleObject(start, 60000) != WAIT_OBJECT_0)
        return 3;
    const int count = atoi(argv[3]);
    int failures = 0;
    for (int i = 0; i < count; ++i) {
        char text[64];
        _snprintf(text, sizeof text, "%s %d", argv[2], i);
        text[sizeof text - 1] = '\0';
        if (!CFileAccess::LogEventAuditA(argv[1], 8, 0, text))
            ++failures;
    }
    return failures == 0 ? 0 : 1;
}
