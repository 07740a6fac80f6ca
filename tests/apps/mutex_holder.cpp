// The second process of the running-application check: checks the mutex
// named on its command line and ends, abandoning it if it got it. Exit code:
// 1 when another process held it.
#include "krapps.h"

int main(int argc, char **argv)
{
    return argc == 2 && ApplicationRunningCheck(argv[1]) ? 1 : 0;
}
