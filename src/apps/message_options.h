// Resource message texts "options,message", whose options are keywords for
// the message box's icon, buttons and default button, and for logging.
#ifndef KR_APPS_MESSAGE_OPTIONS_H
#define KR_APPS_MESSAGE_OPTIONS_H

#include <windows.h>

namespace kr {

struct MessageOptions {
    UINT style;          // icon, buttons and default button bits
    int log;             // 1 when the message is one to log
    const char *message; // after the comma, leading white space skipped
};

// Splits text in place (it is cut at its first comma). False, with *out
// untouched, when the text has no comma. Tokens are separated by blanks,
// tabs or "|"; each fills the first open group (log, icon, buttons,
// default button) whose keyword it is; unknown tokens and repeats of a
// filled group are ignored. No tokens at all: the exclamation icon, log 0.
// No icon token: the exclamation icon. No log token: log = bit 0x10.
bool SplitMessageOptions(char *text, MessageOptions *out);

} // namespace kr

#endif
