// A second writer of an audit log: appends `count` audit lines with the
// texts "<tag> <i>". Usage: audit_writer <log> <tag> <count>
#include <stdlib.h>

#include <string>

#include "custorix.h"

int main(int argc, char **argv)
{
    int failures = argc == 4 ? 0 : 1;
    for (int i = 0; !failures && i < atoi(argv[3]); ++i)
        failures += !CFileAccess::LogEventAuditA(argv[1], 8, 0, (argv[2] + (" " + std::to_string(i))).c_str());
    return failures;
}
