// The texts that the clipboard and the "L" button bring into the search box.
#include <gtest/gtest.h>

#include <string>

#include "platform/LookupText.h"

TEST(LookupText, ClipboardTextLosesLineBreaksAndTabsAndEndsAtItsTerminator) {
    EXPECT_EQ("sunset", ClipboardTextToSearch("sun\r\nset"));
    EXPECT_EQ(" Hello ", ClipboardTextToSearch(" Hello \r\n"));
    EXPECT_EQ("abc", ClipboardTextToSearch("\ta\tb\rc\n"));
    EXPECT_EQ("", ClipboardTextToSearch("\r\n\t"));
    EXPECT_EQ("before", ClipboardTextToSearch(std::string("before\0after", 12)));
    EXPECT_EQ("caf\xE9\xA0\x80", ClipboardTextToSearch("caf\xE9\n\xA0\x80"));
    const std::string strLong(1 << 20, 'x');
    EXPECT_EQ(strLong, ClipboardTextToSearch(strLong + "\n"));
}

TEST(LookupText, TrimRemovesCWhiteSpaceAtBothEndsOnly) {
    std::string strText = " \t\n\v\f\rword  in\tbetween\r\n \t";
    TrimWhiteSpace(strText);
    EXPECT_EQ("word  in\tbetween", strText);
    strText = " \n\t ";
    TrimWhiteSpace(strText);
    EXPECT_EQ("", strText);
    // 1252's no-break space is not C white space.
    strText = "\xA0word\xA0";
    TrimWhiteSpace(strText);
    EXPECT_EQ("\xA0word\xA0", strText);
}
