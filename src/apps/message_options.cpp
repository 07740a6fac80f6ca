#include "apps/message_options.h"

#include <string.h>

namespace kr {
namespace {

struct Keyword {
    const char *word;
    UINT bits;
};

struct Group {
    const Keyword *keywords;
    int count;
};

// The log group's bits are the log flag itself.
const Keyword kLog[] = {{"LOG", 1}, {"NOLOG", 0}};
const Keyword kIcon[] = {{"NONE", 0},
                         {"EXCLAMATION", MB_ICONEXCLAMATION},
                         {"INFORMATION", MB_ICONINFORMATION},
                         {"ASTERISK", MB_ICONASTERISK},
                         {"QUESTION", MB_ICONQUESTION},
                         {"STOP", MB_ICONSTOP},
                         {"HAND", MB_ICONHAND}};
const Keyword kButtons[] = {{"ABORTRETRYIGNORE", MB_ABORTRETRYIGNORE}, {"OK", MB_OK},
                            {"OKCANCEL", MB_OKCANCEL},                 {"RETRYCANCEL", MB_RETRYCANCEL},
                            {"YESNO", MB_YESNO},                       {"YESNOCANCEL", MB_YESNOCANCEL}};
const Keyword kDefaultButton[] = {{"DEFBUTTON1", MB_DEFBUTTON1}, {"DEFBUTTON2", MB_DEFBUTTON2},
                                  {"DEFBUTTON3", MB_DEFBUTTON3}};

enum { kLogGroup, kIconGroup, kButtonsGroup, kDefaultGroup, kGroups };
const Group kGroupTable[kGroups] = {{kLog, 2}, {kIcon, 7}, {kButtons, 6}, {kDefaultButton, 3}};

const char kDelimiters[] = " \t|";

// Finds the token in a group: its bits, or false.
bool Lookup(const Group &group, const char *token, size_t length, UINT *bits)
{
    for (int i = 0; i < group.count; ++i) {
        const char *word = group.keywords[i].word;
        if (strlen(word) == length && strncmp(word, token, length) == 0) {
            *bits = group.keywords[i].bits;
            return true;
        }
    }
    return false;
}

} // namespace

bool SplitMessageOptions(char *text, MessageOptions *out)
{
    char *comma = strchr(text, ',');
    if (!comma)
        return false;
    *comma = '\0';
    const char *message = comma + 1;
    while (*message == ' ' || *message == '\t' || *message == '\r' || *message == '\n')
        ++message;

    UINT groupBits[kGroups] = {};
    bool filled[kGroups] = {};
    int tokens = 0, filledCount = 0;
    for (const char *p = text + strspn(text, kDelimiters); *p && filledCount < kGroups;
         p += strspn(p, kDelimiters)) {
        const size_t length = strcspn(p, kDelimiters);
        ++tokens;
        for (int g = 0; g < kGroups; ++g) {
            if (!filled[g] && Lookup(kGroupTable[g], p, length, &groupBits[g])) {
                filled[g] = true;
                ++filledCount;
                break;
            }
        }
        p += length;
    }

    out->message = message;
    if (tokens == 0) {
        out->style = MB_ICONEXCLAMATION;
        out->log = 0;
        return true;
    }
    out->style = groupBits[kIconGroup] | groupBits[kButtonsGroup] | groupBits[kDefaultGroup];
    if (!filled[kIconGroup])
        out->style |= MB_ICONEXCLAMATION;
    out->log = filled[kLogGroup] ? static_cast<int>(groupBits[kLogGroup]) : (out->style & 0x10) != 0;
    return true;
}

} // namespace kr
