// Splitting a resource message into its keyword options and its text.
#include <gtest/gtest.h>

#include <string>

#include "apps/message_options.h"

// Beside the cases the message-box tests show on real boxes.
TEST(MessageOptions, KeywordsFillTheirGroupsOnce)
{
    const struct {
        std::string text;
        UINT style;
        int log;
        const char *message;
    } rows[] = {
        {"HAND|OKCANCEL\tDEFBUTTON3,  \t stop", MB_ICONHAND | MB_OKCANCEL | MB_DEFBUTTON3, 1, "stop"},
        {"OK question,plain", MB_OK | MB_ICONEXCLAMATION, 1, "plain"}, // case matters: the default icon, log bit 0x10
        {"NONE LOG,quiet", 0, 1, "quiet"},
        {"STOP NOLOG,a,b", MB_ICONSTOP, 0, "a,b"},                        // the first comma splits
        {"QUESTION STOP YESNO OK,x", MB_ICONQUESTION | MB_YESNO, 0, "x"}, // repeats ignored
        {"LOG NOLOG ASTERISK RETRYCANCEL,x", MB_ICONASTERISK | MB_RETRYCANCEL, 1, "x"},
        {"| \t,x", MB_ICONEXCLAMATION, 0, "x"}, // delimiters only: no tokens
    };
    for (auto row : rows) {
        SCOPED_TRACE(row.text);
        kr::MessageOptions options{0xDEAD, 7, nullptr};
        ASSERT_TRUE(kr::SplitMessageOptions(&row.text[0], &options));
        EXPECT_EQ(row.style, options.style);
        EXPECT_EQ(row.log, options.log);
        EXPECT_STREQ(row.message, options.message);
    }
}
