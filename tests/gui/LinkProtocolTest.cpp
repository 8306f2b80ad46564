// The link URL rules of the HTML view, checked without a window.
#include <gtest/gtest.h>

#include <string>

#include "htmlview/HtmlLink.h"

namespace {

bool Parse(const std::string& strField, uint32_t& nValue) {
    return ParseLinkNumber(strField.data(), strField.data() + strField.size(), nValue);
}

}  // namespace

TEST(LinkProtocol, ParseLinkNumberConvertsWholeFieldsLikeStrtoul) {
    struct Case {
        const char* lpszField;
        bool bOk;
        uint32_t nValue;
    } const cases[] = {
        {"12", true, 12},
        {"0", true, 0},
        {" 7", true, 7},
        {"\t\n 9", true, 9},
        {"+8", true, 8},
        {"-1", true, 4294967295u},
        {"-4294967295", true, 1},
        {"4294967295", true, 4294967295u},
        {"4294967296", true, 4294967295u},
        {"99999999999", true, 4294967295u},
        {"-99999999999", true, 4294967295u},
        {"0x1", false, 0},
        {"x", false, 0},
        {"3:4", false, 0},
        {"7 ", false, 0},
        {"+", false, 0},
        {"-", false, 0},
        {" ", false, 0},
        {"+-1", false, 0},
    };
    for (const Case& c : cases) {
        uint32_t nValue = 12345;
        EXPECT_EQ(c.bOk, Parse(c.lpszField, nValue)) << '"' << c.lpszField << '"';
        EXPECT_EQ(c.nValue, nValue) << '"' << c.lpszField << '"';
    }
}

TEST(LinkProtocol, ParseLinkNumberRefusesEmptyAndNullFields) {
    const char* lpszText = "123";
    uint32_t nValue = 5;
    EXPECT_FALSE(ParseLinkNumber(lpszText, lpszText, nValue));
    EXPECT_EQ(0u, nValue);
    nValue = 5;
    EXPECT_FALSE(ParseLinkNumber(lpszText + 2, lpszText, nValue));
    EXPECT_EQ(0u, nValue);
    nValue = 5;
    EXPECT_FALSE(ParseLinkNumber(nullptr, lpszText + 3, nValue));
    EXPECT_EQ(0u, nValue);
    nValue = 5;
    EXPECT_FALSE(ParseLinkNumber(lpszText, nullptr, nValue));
    EXPECT_EQ(0u, nValue);
    // The field ends where it is told to, not at the string's end.
    EXPECT_TRUE(ParseLinkNumber(lpszText, lpszText + 2, nValue));
    EXPECT_EQ(12u, nValue);
}

TEST(LinkProtocol, LinkUrlsGiveTheirNumbersAndText) {
    struct Case {
        const char* lpszUrl;
        uint32_t nFirst, nSecond, nThird;
        const char* lpszText;
    } const cases[] = {
        {"about:<12:3:45>bank", 12, 3, 45, "bank"},
        {"<1:2:3>", 1, 2, 3, ""},
        {"<1:2:3>a<4:5:6>b", 1, 2, 3, "a<4:5:6>b"},
        {"< 7:+8:-1>t", 7, 8, 4294967295u, "t"},
        {"x<1:2:99999999999>y", 1, 2, 4294967295u, "y"},
        {"http://host/<0:0:0>a:b>c", 0, 0, 0, "a:b>c"},
        {"<1:2:3>\xE9t\xE9", 1, 2, 3, "\xE9t\xE9"},
    };
    for (const Case& c : cases) {
        HtmlLinkInfo info;
        ASSERT_EQ(HtmlNavigation::kLink, ClassifyNavigation(c.lpszUrl, info)) << c.lpszUrl;
        EXPECT_EQ(c.nFirst, info.nFirst) << c.lpszUrl;
        EXPECT_EQ(c.nSecond, info.nSecond) << c.lpszUrl;
        EXPECT_EQ(c.nThird, info.nThird) << c.lpszUrl;
        EXPECT_EQ(c.lpszText, info.strText) << c.lpszUrl;
    }
}

TEST(LinkProtocol, BadFieldsAreNeitherLinksNorBlank) {
    // Shaped like links, so not compared with "about:blank" either.
    for (const char* lpszUrl : {"<1:2:3:4>x", "<:2:3>x", "<1::3>x", "<1:2:>x", "<1:x:3>y",
                                "<0x1:2:3>z", "about:blank<1:2:x>"}) {
        HtmlLinkInfo info;
        info.nFirst = 77;
        info.strText = "kept";
        EXPECT_EQ(HtmlNavigation::kBadLink, ClassifyNavigation(lpszUrl, info)) << lpszUrl;
        EXPECT_EQ(77u, info.nFirst) << lpszUrl;
        EXPECT_EQ("kept", info.strText) << lpszUrl;
    }
}

TEST(LinkProtocol, OnlyExactAboutBlankIsBlank) {
    HtmlLinkInfo info;
    EXPECT_EQ(HtmlNavigation::kBlank, ClassifyNavigation("about:blank", info));
    for (const char* lpszUrl : {"ABOUT:BLANK", "about:Blank", "about:blank#", "about:blank ",
                                " about:blank", "about:", "", "<1:2:3", "a<1:2:3 no close",
                                "<1>2:3", "x>1:2:3<", "http://example.org/"}) {
        EXPECT_EQ(HtmlNavigation::kOther, ClassifyNavigation(lpszUrl, info)) << lpszUrl;
    }
    EXPECT_EQ(HtmlNavigation::kOther, ClassifyNavigation(nullptr, info));
}
