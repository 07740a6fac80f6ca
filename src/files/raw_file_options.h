// The raw-file dialog's display controls and the options word, apart from
// the dialog so that the rules can be tested alone.
#ifndef KR_FILES_RAW_FILE_OPTIONS_H
#define KR_FILES_RAW_FILE_OPTIONS_H

#include <stddef.h>

namespace kr {

// How the display controls start for an options word.
struct DisplayControls {
    bool displayShown;    // Add, Replace, New Window
    bool replaceAllShown;
    bool tracesShown;     // Chromatogram, Spectrum
    bool historyShown;
    int chosen;           // the display button checked; 0 when hidden
    bool chromatogram;    // ticked, when shown
    bool spectrum;
};

DisplayControls DisplayControlsOf(unsigned long options);

// A button of the dialog and the bit it stores into the options word on OK.
struct OptionButton {
    int id;
    unsigned long bit;
};
extern const OptionButton kOptionButtons[6];

// The options word with each button's bit set when it is on, cleared when off.
unsigned long StoreOptionButtons(unsigned long options, const bool on[6]);

} // namespace kr

#endif
