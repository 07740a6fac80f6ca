#include "files/raw_file_options.h"

#include "krfiles.h"
#include "krutil_dialogs.h"

namespace kr {

const OptionButton kOptionButtons[6] = {
    {IDC_RAW_ADD, RAWFILE_ADD},           {IDC_RAW_REPLACE, RAWFILE_REPLACE},
    {IDC_RAW_REPLACE_ALL, RAWFILE_REPLACE_ALL}, {IDC_RAW_NEW_WINDOW, RAWFILE_NEW_WINDOW},
    {IDC_RAW_SPECTRUM, RAWFILE_SPECTRUM}, {IDC_RAW_CHROMATOGRAM, RAWFILE_CHROMATOGRAM},
};

namespace {
// Replace wins over Replace All, which wins over New Window; Add otherwise.
int ChosenDisplayButton(unsigned long options)
{
    if (options & RAWFILE_REPLACE)
        return IDC_RAW_REPLACE;
    if (options & RAWFILE_REPLACE_ALL)
        return IDC_RAW_REPLACE_ALL;
    if (options & RAWFILE_NEW_WINDOW)
        return IDC_RAW_NEW_WINDOW;
    return IDC_RAW_ADD;
}
} // namespace

DisplayControls DisplayControlsOf(unsigned long options)
{
    DisplayControls controls = {};
    controls.displayShown = (options & RAWFILE_SHOW_DISPLAY) != 0;
    controls.tracesShown = (options & RAWFILE_SHOW_TRACES) != 0;
    // Without the trace boxes, Replace All stays only for a chromatogram.
    controls.replaceAllShown = controls.displayShown && (controls.tracesShown || (options & RAWFILE_CHROMATOGRAM));
    controls.historyShown = (options & RAWFILE_HIDE_HISTORY) == 0;
    controls.chosen = controls.displayShown ? ChosenDisplayButton(options) : 0;
    controls.chromatogram = controls.tracesShown && (options & RAWFILE_CHROMATOGRAM);
    controls.spectrum = controls.tracesShown && (options & RAWFILE_SPECTRUM);
    return controls;
}

unsigned long StoreOptionButtons(unsigned long options, const bool on[6])
{
    for (size_t i = 0; i < 6; ++i)
        options = on[i] ? (options | kOptionButtons[i].bit) : (options & ~kOptionButtons[i].bit);
    return options;
}

} // namespace kr
