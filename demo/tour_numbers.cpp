// Numbers in the suite's short text forms, and which texts count as numbers.
#include <stdio.h>
#include <string.h>

#include "demo_common.h"

namespace krdemo {

void TourNumbers()
{
    Heading("Numbers in the suite's short forms");
    char out[40];
    printf("  ftoa(2.0, 0)          = %s\n", ftoa(2.0, out, 0));
    printf("  ftoa(1.5, 8)          = %s\n", ftoa(1.5, out, 8));
    printf("  ftoa(1e32, 8)         = %s (cut to 31 characters)\n", ftoa(1e32, out, 8));
    printf("  etoa(1234.5, 2)       = %s\n", etoa(1234.5, out, 2));
    printf("  etoa(0.00042, 1)      = %s\n", etoa(0.00042, out, 1));
    printf("  gtoa(12346, 4)        = %s\n", gtoa(12346.0, 4, out));
    printf("  gtoa(123.456, 4)      = %s\n", gtoa(123.456, 4, out));
    printf("  gtoa(0.00123, 4)      = %s\n", gtoa(0.00123, 4, out));
    FormatFloat(15.0f, 3, 1, out);
    printf("  FormatFloat(15, 3, e) = %s\n", out);
    FormatFloat(0.00125f, 3, 1, out);
    printf("  FormatFloat(0.00125)  = %s\n", out);
    printf("  atofL(\"2.5e2\")        = %g\n", atofL("2.5e2"));
    for (const char *text : {"42", " -4.2", "0x1F", "12 ", "1 e2.5", "1.5e2"})
        printf("  IsNumber(\"%s\")%*s= %d\n", text, static_cast<int>(10 - strlen(text)), "", IsNumber(text));
}

} // namespace krdemo
