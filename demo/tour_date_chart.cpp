// The date and time as the suite writes them, and a chart block kept in a
// trace description.
#include <stdio.h>
#include <string.h>

#include "demo_common.h"

namespace krdemo {

void TourDateAndChartText()
{
    Heading("The date and time, and a chart block kept in a trace description");
    char time[DATETIME_TEXT_BYTES], date[DATETIME_TEXT_BYTES], both[DATETIME_TEXT_BYTES];
    GetCurrentDateTime(time, date, DATETIME_REREAD_SETTINGS);
    GetCurrentDateTime(both, nullptr, 0);
    printf("  by WIN.INI [intl]: time \"%s\", date \"%s\", together \"%s\"\n", time, date, both);

    char description[256] = "UV trace 1";
    GetCustomChartDADParams(description);
    printf("  written:  %s\n", description);
    MoveCustomChartParams(description);
    char units[32] = "";
    GetCustomChartUnits(description, units);
    printf("  hidden:   the text reads \"%s\"; behind it \"%s\"\n", description,
           description + strlen(description) + 1);
    printf("  read back: scale %g, offset %g, %d axis and %d header decimals, scientific %d, units %s\n",
           GetCustomChartScaling(description), GetCustomChartOffset(description),
           GetCustomChartVerticalAxisDecimalDigits(description), GetCustomChartHeaderDecimalDigits(description),
           GetCustomChartUseScientificNotation(description), units);
    char copy[256] = "UV trace 2";
    GetCustomChartAnalogParams(description, copy);
    printf("  copied:   %s\n", copy);
}

} // namespace krdemo
