// Splitting a resource message into its keyword options and its text.
#include <gtest/gtest.h>

#include <string>

#include "apps/message_options.h"

namespace {

struct Split {
    bool ok;
    UINT style;
    int log;
    std::string message;
};

Split Parse(std::string text)
{
    kr::MessageOptions options{0xDEAD, 7, nullptr};
    const bool ok = kr::SplitMessageOptions(&text[0], &options);
    return {ok, options.style, options.log, options.message ? options.message : ""};
}

} // namespace

// The keyword cases the message-box tests show on real boxes are not repeated.
TEST(MessageOptions, KeywordsFillTheirGroups)
{
    const struct {
        const char *text;
        UINT style;
        int log;
        const char *message;
    } cases[] = {
        {"HAND|OKCANCEL\tDEFBUTTON3,  \t stop", MB_ICONHAND | MB_OKCANCEL | MB_DEFBUTTON3, 1, "stop"},
        {"OK,plain", MB_OK | MB_ICONEXCLAMATION, 1, "plain"},    // default icon; log from its bit 0x10
        {"NONE LOG,quiet", 0, 1, "quiet"},
        {"STOP NOLOG,a,b", MB_ICONSTOP, 0, "a,b"},              // the first comma splits
        {"QUESTION STOP YESNO OK,x", MB_ICONQUESTION | MB_YESNO, 0, "x"}, // repeats ignored
        {"LOG NOLOG,x", MB_ICONEXCLAMATION, 1, "x"},            // NOLOG finds its group filled
        {"ok question,x", MB_ICONEXCLAMATION, 1, "x"},          // case-sensitive
        {"| \t,x", MB_ICONEXCLAMATION, 0, "x"},                 // delimiters only: no tokens
    };
    for (const auto &c : cases) {
        const Split split = Parse(c.text);
        EXPECT_TRUE(split.ok) << c.text;
        EXPECT_EQ(c.style, split.style) << c.text;
        EXPECT_EQ(c.log, split.log) << c.text;
        EXPECT_EQ(c.message, split.message) << c.text;
    }
    EXPECT_FALSE(Parse("").ok); // no comma, no message
}
