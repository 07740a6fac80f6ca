#include "printing/hardcopy_flags.h"

namespace kr {
namespace {

long BorderFlags(const PrintSettings &settings)
{
    if (!settings.border)
        return 0;
    return settings.window ? PRN_DRAW_CHILD_BORDER | PRN_DRAW_FRAME_BORDER : PRN_DRAW_CHILD_BORDER;
}

} // namespace

long HardcopyFlags(const PrintSettings &settings)
{
    const long border = BorderFlags(settings);
    if (settings.allApplications)
        return border | PRN_DRAW_SCREEN_PLACE;
    if (settings.window)
        return border | PRN_DRAW_NAMED_CHILD | PRN_DRAW_MDI_CHILDREN;
    if (settings.allWindows)
        return border | PRN_DRAW_ALL_CHILDREN | PRN_DRAW_CHILDREN | PRN_DRAW_MDI_CHILDREN;
    return border | PRN_DRAW_CHILDREN | PRN_DRAW_MDI_CHILDREN;
}

} // namespace kr
