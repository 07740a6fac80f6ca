// Window placement records in tests: built in one call, compared as text.
#ifndef KRTEST_PLACEMENT_H
#define KRTEST_PLACEMENT_H

#include <stdio.h>

#include <string>

#include "krsettings.h"

namespace krtest {

inline INIWINDPOS Pos(long visible, short show, long l, long t, long r, long b)
{
    INIWINDPOS p{};
    p.visible = visible;
    p.show = show;
    p.left = l;
    p.top = t;
    p.right = r;
    p.bottom = b;
    return p;
}

// "visible,show,left,top,right,bottom": a failed comparison shows every field.
inline std::string Text(const INIWINDPOS &p)
{
    char text[100];
    snprintf(text, sizeof text, "%ld,%d,%ld,%ld,%ld,%ld", p.visible, p.show, p.left, p.top, p.right, p.bottom);
    return text;
}

} // namespace krtest

#endif
