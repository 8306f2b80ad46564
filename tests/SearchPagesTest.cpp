// The pages of the search: the not-found line above an entry, and the page of a search in the
// meanings, on files built with the writer.
#include <gtest/gtest.h>

#include "render/SearchPages.h"
#include "render/WordPages.h"
#include "tests/TestFiles.h"

namespace {

size_t Count(const std::string& strText, const std::string& strPart) {
    size_t nCount = 0;
    for (size_t i = strText.find(strPart); i != std::string::npos; i = strText.find(strPart, i + 1)) ++nCount;
    return nCount;
}

// "w000" to "w149": each with a definition that holds "common", and "rare" for every 50th; the
// synonyms of entry p are its word and "W-Syn<p>", which the list does not hold.
std::string PagesFile(bool bIndexes) {
    DataFileContent content = MakeWordList(NumberedWords(150), 8);
    for (size_t p = 0; p < content.entries.size(); ++p) {
        content.entries[p] = "W" + std::to_string(1000 + p).substr(1) + "|W-Syn" + std::to_string(p) +
                             "\na common <sense> " + (p % 50 == 0 ? "rare" : "") + " & more";
    }
    content.bSpellingIndex = bIndexes;
    content.bMeaningIndex = bIndexes;
    return SaveContent(content, bIndexes ? "pages.pdb" : "plain.pdb");
}

}  // namespace

TEST(SearchPages, TheNotFoundLineGoesAboveTheHeadwordAndLeavesTheRest) {
    DictionaryFile dict;
    ASSERT_TRUE(dict.Open(PagesFile(true).c_str()));
    std::vector<NamedPage> pages;
    ASSERT_TRUE(BuildWordPages(dict, 12, pages));
    const std::string strEntry = pages.front().second;
    std::string strPage = strEntry;
    ASSERT_TRUE(AddNotFoundLine(dict, "W01x", strPage));
    const size_t nRow = strEntry.find("<tr>");
    ASSERT_NE(nRow, std::string::npos);
    const std::string strLine = strPage.substr(nRow, strPage.size() - strEntry.size());
    EXPECT_EQ(strPage.substr(0, nRow) + strPage.substr(nRow + strLine.size()), strEntry);
    EXPECT_EQ(strLine.rfind("<tr><td><font size=\"2\">\x93W01x\x94 is not in the dictionary. Did you mean "
                            "<a href=\"about:&lt;10:0:0&gt;w010\">w010</a>, ", 0), 0u) << strLine;
    EXPECT_EQ(Count(strLine, "<a href="), kNotFoundSuggestions);  // ten words are one edit away
    const std::string strEnd = "w014</a>?</font></td></tr>";
    EXPECT_EQ(strLine.substr(strLine.size() - strEnd.size()), strEnd);

    // Nothing near: the line only says so, and the typed text cannot become markup.
    strPage = strEntry;
    ASSERT_TRUE(AddNotFoundLine(dict, "<b>zz&", strPage));
    EXPECT_NE(strPage.find("\x93&lt;b&gt;zz&amp;\x94 is not in the dictionary.</font></td></tr>"),
              std::string::npos) << strPage;
    strPage = "no body";
    EXPECT_FALSE(AddNotFoundLine(dict, "x", strPage));
    EXPECT_EQ(strPage, "no body");
}

TEST(SearchPages, TheMeaningPageListsAHundredBestMatchesAndCountsTheRest) {
    DictionaryFile dict;
    ASSERT_TRUE(dict.Open(PagesFile(true).c_str()));
    std::string strPage;
    ASSERT_TRUE(BuildMeaningPage(dict, "COMMON sense", strPage));
    EXPECT_EQ(strPage.rfind("<html><head></head><body><font face=\"Arial\"><table", 0), 0u);
    EXPECT_NE(strPage.find("Meanings with \x93" "COMMON sense\x94"), std::string::npos);
    EXPECT_NE(strPage.find("150 entries, the best first"), std::string::npos);
    EXPECT_EQ(Count(strPage, "<tr><td><font size=\"2\"><a href="), kMeaningPageMatches);
    EXPECT_NE(strPage.find("\x85 and 50 more."), std::string::npos);
    // A match: its word as a link to that sense, the synonym the list lacks as text, the part
    // of speech, the definition escaped.
    EXPECT_NE(strPage.find("<a href=\"about:&lt;7:8:0&gt;W007\">W007</a>, W-Syn7 "
                           "<font color=\"#808080\">Noun</font> <font color=\"#003399\">a common "
                           "&lt;sense&gt;  &amp; more</font>"),
              std::string::npos);

    ASSERT_TRUE(BuildMeaningPage(dict, "rare", strPage));
    EXPECT_NE(strPage.find("3 entries, the best first"), std::string::npos);
    EXPECT_EQ(Count(strPage, "<a href="), 3u);
    const std::pair<const char*, const char*> kMessages[] = {
        {"common nothing", "No definition or usage example holds every word of the text."},
        {"-- !", "The text has no words to search for."}};
    for (const auto& c : kMessages) {
        ASSERT_TRUE(BuildMeaningPage(dict, c.first, strPage));
        EXPECT_NE(strPage.find(c.second), std::string::npos) << c.first;
        EXPECT_EQ(Count(strPage, "<a href="), 0u);
    }
    ASSERT_TRUE(dict.Open(PagesFile(false).c_str()));
    ASSERT_TRUE(BuildMeaningPage(dict, "common", strPage));
    EXPECT_NE(strPage.find("has no index of the meanings"), std::string::npos);
    dict.Close();
    strPage = "kept";
    EXPECT_FALSE(BuildMeaningPage(dict, "common", strPage));
    EXPECT_EQ(strPage, "kept");
}
