#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>

#include "dictdata/DictionaryFile.h"
#include "render/EntryPage.h"
#include "render/RelationRows.h"
#include "render/WordPages.h"
#include "tests/TestFiles.h"
#include "tests/TestPlatform.h"

namespace {

const std::string kPageStart =
    "<html><head></head><body><font face=\"Arial\">"
    "<table border=\"0\" width=\"100%\" cellpadding=\"2\" cellspacing=\"1\">";
const std::string kPageEnd =
    "</table><p align=\"center\"><font size=\"1\"><a href=\"https://wordnet.princeton.edu/\" "
    "target=\"_blank\"><i><font color=\"#808080\">WordNet 3.0, Princeton University</font></i>"
    "</a></font></p></font></body></html>";
const std::string kSpacer = "<tr><td>&nbsp;</td></tr>";

std::string Headword(const std::string& strWord) {
    return "<tr><td><font size=\"4\">" + strWord + "</font></td></tr><tr><td><hr></td></tr>";
}
std::string DefinitionRow(const std::string& strText) {
    return "<tr><td><font size=\"2\">" + strText + "</font></td></tr>";
}
std::string SynonymRow(const std::string& strLabel, const std::string& strText) {
    return "<tr><td><font size=\"1\"><span style=\"background-color: #003399\"><font "
           "color=\"#FFFFFF\">" + strLabel + "</font></span> <font color=\"#003399\">" + strText +
           "</font></font></td></tr>";
}
std::string UsageBlock(const std::string& strLines) {
    return "<tr><td><font size=\"1\"><span style=\"background-color: #996600\"><font "
           "color=\"#FFFFFF\">Usage</font></span><br><font color=\"#996600\">" + strLines +
           "</font></font></td></tr>" + kSpacer;
}

// Entries 1-3 nouns, 4-5 verbs, 6 adjective, 7 adverb; 8-9 lie in no group.
class EntryPageFile : public ::testing::Test {
protected:
    void SetUp() override {
        DataFileContent content;
        content.nWordsPerBlock = 4;
        content.entries = {
            "fast|Quick|speedy\nmoving or able to move rapidly\na quick lunch|quick to learn",
            "quick\n\n",
            "quick|nimble\nx < y & z\n<b>bold</b>|",
            "hurry\nto move fast\n|starts with a bar",
            "quick\nonly a definition",
            "swift|rapid\nfast\nfirst|second|third",
            "quickly\nwith speed\n\xE9lan noted",
            "other\nno part of speech",
            "other2\nstill none"};
        content.words = {{"a<b", {1}}, {"quick", {1, 2, 3, 4, 5, 6, 7, 8, 9}}, {"zebra", {}}};
        const uint32_t nSizes[4] = {3, 2, 1, 1};
        GroupCountsForSizes(nSizes, content.entryCounts);
        m_strPath = SaveContent(content, "pages.pdb");
        ASSERT_TRUE(m_dict.Open(m_strPath.c_str()));
    }

    // Runs the caller protocol and returns the pages as "name=page" strings.
    std::vector<std::string> Pages(int nPos, const std::vector<int32_t>& entries,
                                   std::vector<int>* pCursors = nullptr) {
        std::vector<std::string> pages;
        int nCursor = 0;
        bool bLast = false;
        while (!bLast && pages.size() < entries.size()) {
            std::string strPage, strName = "unset";
            bLast = BuildEntryPage(m_dict, nPos, entries.data(), static_cast<int>(entries.size()),
                                   strPage, nCursor, strName);
            pages.push_back(strName + "=" + strPage);
            if (pCursors) pCursors->push_back(bLast ? -nCursor : nCursor);
        }
        return pages;
    }

    std::string m_strPath;
    DictionaryFile m_dict;
};

}  // namespace

TEST_F(EntryPageFile, SingleEntryPageMatchesByteForByte) {
    std::vector<int> cursors;
    const std::vector<std::string> pages = Pages(1, {1}, &cursors);
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_EQ(cursors, std::vector<int>{-1});  // true, cursor 1
    EXPECT_EQ(pages[0], "Noun=" + kPageStart + Headword("quick") +
                            DefinitionRow("moving or able to move rapidly") +
                            SynonymRow("Synonyms", "fast, speedy.") +
                            UsageBlock(":: A quick lunch<br>:: Quick to learn<br>") + kPageEnd);
}

TEST_F(EntryPageFile, PagesEndWhereThePartOfSpeechChanges) {
    std::vector<int> cursors;
    const std::vector<std::string> pages = Pages(1, {1, 2, 4, 5, 6, 7}, &cursors);
    ASSERT_EQ(pages.size(), 4u);
    EXPECT_EQ(cursors, (std::vector<int>{2, 4, 5, -6}));
    EXPECT_EQ(pages[0].substr(0, 5), "Noun=");
    EXPECT_EQ(pages[1].substr(0, 5), "Verb=");
    EXPECT_EQ(pages[2].substr(0, 5), "Adj.=");
    EXPECT_EQ(pages[3].substr(0, 5), "Adv.=");
    // An empty synonym list and an empty definition (its usage kept with the definition).
    EXPECT_NE(pages[0].find(DefinitionRow("\n") + kSpacer), std::string::npos);
    EXPECT_EQ(pages[1], "Verb=" + kPageStart + Headword("quick") + DefinitionRow("to move fast") +
                            SynonymRow("Synonym", "hurry.") +
                            UsageBlock(":: |starts with a bar<br>") +
                            DefinitionRow("only a definition") + kSpacer + kPageEnd);
    EXPECT_NE(pages[2].find(UsageBlock(":: First<br>:: Second<br>:: Third<br>")), std::string::npos);
    EXPECT_NE(pages[3].find(UsageBlock(":: \xC9lan noted<br>")), std::string::npos);  // é upper-cased

    // A part of speech that comes back gets a page of its own.
    const std::vector<std::string> again = Pages(1, {1, 4, 2});
    ASSERT_EQ(again.size(), 3u);
    EXPECT_EQ(again[2].substr(0, 5), "Noun=");
}

TEST_F(EntryPageFile, TextsFromTheFileAreEscaped) {
    const std::vector<std::string> pages = Pages(0, {3});
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_EQ(pages[0], "Noun=" + kPageStart + Headword("a&lt;b") + DefinitionRow("x &lt; y &amp; z") +
                            SynonymRow("Synonyms", "quick, nimble.") +
                            UsageBlock(":: &lt;b&gt;bold&lt;/b&gt;<br>:: <br>") + kPageEnd);
}

TEST_F(EntryPageFile, EntriesWithoutPartOfSpeechShareOneUnnamedPage) {
    std::vector<int> cursors;
    const std::vector<std::string> pages = Pages(1, {8, 9, 1}, &cursors);
    ASSERT_EQ(pages.size(), 2u);
    EXPECT_EQ(cursors, (std::vector<int>{2, -3}));
    EXPECT_EQ(pages[0].substr(0, 1), "=");
    EXPECT_EQ(pages[1].substr(0, 5), "Noun=");
}

TEST_F(EntryPageFile, UnreadableEntryShowsEmpty) {
    // Entry 99 does not exist: its rows are empty, not those of the entry before.
    const std::vector<std::string> pages = Pages(1, {5, 99});
    ASSERT_EQ(pages.size(), 2u);
    EXPECT_EQ(pages[1], "=" + kPageStart + Headword("quick") + DefinitionRow("") + kSpacer + kPageEnd);

    // An empty list builds nothing and reports that no page follows.
    std::string strPage = "kept", strName = "kept";
    int nCursor = 0;
    EXPECT_TRUE(BuildEntryPage(m_dict, 2, nullptr, 0, strPage, nCursor, strName));
    EXPECT_EQ(strPage, "kept");
    EXPECT_EQ(nCursor, 0);
}

TEST_F(EntryPageFile, WordPagesRunTheCursorLoopOverTheWordsEntries) {
    std::vector<NamedPage> pages = {{"old", "old"}};
    ASSERT_TRUE(BuildWordPages(m_dict, 1, pages));
    std::vector<std::string> expected = Pages(1, {1, 2, 3, 4, 5, 6, 7, 8, 9});
    ASSERT_EQ(pages.size(), expected.size());
    for (size_t i = 0; i < pages.size(); ++i) EXPECT_EQ(pages[i].first + "=" + pages[i].second, expected[i]);
    EXPECT_EQ(pages.front().first, "Noun");
    EXPECT_EQ(pages.back().first, "");

    ASSERT_TRUE(BuildWordPages(m_dict, 2, pages));  // "zebra": no entries, no pages
    EXPECT_TRUE(pages.empty());
    pages = {{"kept", "kept"}};
    EXPECT_FALSE(BuildWordPages(m_dict, 3, pages));  // no such position
    m_dict.Close();
    EXPECT_FALSE(BuildWordPages(m_dict, 1, pages));
    EXPECT_EQ(pages.size(), 1u);
}

TEST_F(EntryPageFile, FindEntryPageNamesThePageOfASense) {
    // quick: entries 1-3 nouns, 4-5 verbs, 6 adjective, 7 adverb, 8-9 without a part of speech.
    size_t nPage = 99;
    const std::pair<uint32_t, size_t> kCases[] = {{1, 0}, {3, 0}, {4, 1}, {6, 2}, {7, 3}, {9, 4}};
    for (const auto& c : kCases) {
        ASSERT_TRUE(FindEntryPage(m_dict, 1, c.first, nPage)) << c.first;
        EXPECT_EQ(nPage, c.second) << c.first;
    }
    nPage = 99;
    EXPECT_FALSE(FindEntryPage(m_dict, 1, 99, nPage));  // not an entry of the word
    EXPECT_FALSE(FindEntryPage(m_dict, 3, 1, nPage));   // no such word
    EXPECT_EQ(nPage, 99u);
    // Plain pages of a file without relation records carry no anchors and no links.
    std::vector<NamedPage> pages;
    ASSERT_TRUE(BuildWordPages(m_dict, 1, pages));
    for (const NamedPage& page : pages) EXPECT_EQ(page.second.find("<a name="), std::string::npos);
}

TEST_F(EntryPageFile, SenseRowsFollowTheirLabelsAndCounts) {
    std::string strRows;
    EXPECT_TRUE(BuildSenseRows("", 5, "d", "", strRows));
    EXPECT_EQ(strRows, DefinitionRow("d") + kSpacer);  // no synonym row, whatever the count
    strRows.clear();
    BuildSenseRows("a.", 0, "", "x|", strRows);
    EXPECT_EQ(strRows, DefinitionRow("") + SynonymRow("Synonym", "a.") + UsageBlock(":: X<br>:: <br>"));
}

TEST(EntryPageCommands, PagesAndLookupPrintTheEntry) {
    DataFileContent content;
    content.nWordsPerBlock = 2;
    content.entries = {"bank|depository\na financial institution\nhe cashed a check at the bank",
                       "bank|rely\nhave confidence\nyou can bank on that|bank on me",
                       "bank\nsloping land"};
    content.words = {{"bank", {2, 1, 3}}, {"banks", {}}};
    const uint32_t nSizes[4] = {1, 0, 0, 0};
    GroupCountsForSizes(nSizes, content.entryCounts);
    content.entryCounts[1] = 2;  // entries 2 and 3 are verbs
    const std::string strFile = SaveContent(content, "bank.pdb");
    const std::string strTool = QuoteArgument(LEXANO_DATA_TOOL);
    auto Output = [](const std::string& strCommand) {
        std::string strOut;
        FILE* pPipe = OpenPipe(strCommand);
        char buffer[4096];
        size_t nRead;
        while ((nRead = fread(buffer, 1, sizeof buffer, pPipe)) > 0) strOut.append(buffer, nRead);
        EXPECT_EQ(ClosePipe(pPipe), 0) << strCommand;
        return strOut;
    };
    const std::string strPages = Output(strTool + " pages " + strFile + " 0");
    EXPECT_EQ(strPages.substr(0, 8), "== Verb\n");
    EXPECT_NE(strPages.find("\n== Noun\n<html>"), std::string::npos);
    EXPECT_EQ(std::count(strPages.begin(), strPages.end(), '\n'), 6);  // three pages: V, N, V
    EXPECT_EQ(Output(strTool + " pages " + strFile + " 1"), "");

    EXPECT_EQ(Output(strTool + " lookup " + strFile + " BANK"),
              "bank\n\nNoun\n  1. a financial institution\n     Synonym: depository.\n"
              "     \"he cashed a check at the bank\"\n\nVerb\n  1. have confidence\n"
              "     Synonym: rely.\n     \"you can bank on that\"\n     \"bank on me\"\n"
              "  2. sloping land\n");
    EXPECT_EQ(Output(strTool + " lookup " + strFile + " bankz"),
              "\"bankz\" is not in the dictionary; the nearest word is \"banks\".\n\nbanks\n(no entries)\n");
}

// Pages of a word with an entry in a damaged entry block: built all the same, with that sense
// empty; EveryEntryWasRead tells it from a sense that is empty in the file.
TEST(DamagedEntryPage, EntriesThatCannotBeReadAreToldFromEmptyOnes) {
    DataFileContent content = MakeWordList({"able", "bold", "calm", "dark"}, 2);
    content.entries[2] = "calm\n";  // read, but with nothing in it
    content.nEntryBlockLimit = 40;   // one entry to a block
    std::vector<unsigned char> file = BuildBytes(content);
    // The last record is dark's entry block; its stream no longer inflates.
    const int nRecords = file[76] * 256 + file[77];
    const uint32_t nLast = RecordOffset(file, nRecords - 1);
    file[nLast] = 0xFF;
    file[nLast + 1] = 0xFF;
    const std::string strPath = TestPath("damaged-entry.pdb");
    ASSERT_TRUE(SaveBytes(strPath, file));
    DictionaryFile dict;
    ASSERT_TRUE(dict.Open(strPath.c_str()));
    for (int nPos = 0; nPos < 4; ++nPos) {
        std::vector<NamedPage> pages;
        ASSERT_TRUE(BuildWordPages(dict, nPos, pages)) << nPos;
        ASSERT_EQ(pages.size(), 1u);
        EXPECT_EQ(EveryEntryWasRead(dict, nPos, pages), nPos != 3) << nPos;
    }
}

TEST(DamagedEntryPage, SaysWhyWithTheWordWhenItIsKnown) {
    const std::string strPage = BuildDamagedEntryPage("a<b & c");
    EXPECT_EQ(strPage.find(kPageStart + Headword("a&lt;b &amp; c")), 0u) << strPage;
    EXPECT_NE(strPage.find("This entry cannot be read because the data file is damaged."),
              std::string::npos);
    EXPECT_EQ(strPage.substr(strPage.size() - 29), "</table></font></body></html>");
    const std::string strNoWord = BuildDamagedEntryPage("");
    EXPECT_EQ(strNoWord.find("<hr>"), std::string::npos);
    EXPECT_EQ(strNoWord.find(kPageStart + "<tr><td><font size=\"2\">This entry"), 0u) << strNoWord;
}

namespace {

std::string RelationLine(const std::string& strLabel, const std::string& strLinks) {
    return "<span style=\"background-color: #336633\"><font color=\"#FFFFFF\">" + strLabel +
           "</font></span> <font color=\"#336633\">" + strLinks + "</font>";
}
std::string Link(int nPos, int nEntry, int nKind, const std::string& strText,
                 const std::string& strShown) {
    return "<a href=\"about:&lt;" + std::to_string(nPos) + ":" + std::to_string(nEntry) + ":" +
           std::to_string(nKind) + "&gt;" + strText + "\">" + strShown + "</a>";
}
std::string Link(int nPos, int nEntry, int nKind, const std::string& strText) {
    return Link(nPos, nEntry, nKind, strText, strText);
}
std::string RelationRow(const std::string& strLines) {
    return "<tr><td><font size=\"1\">" + strLines + "</font></td></tr>";
}
std::string AnchoredDefinitionRow(int nEntry, const std::string& strText) {
    return "<tr><td><a name=\"e" + std::to_string(nEntry) + "\"></a><font size=\"2\">" + strText +
           "</font></td></tr>";
}

// dog with 13 narrower senses of one word each (pup01 ...), cat with 3 of four words each
// (kit1a ... kit3d): the long kinds of a page.
DataFileContent LongKinds() {
    DataFileContent content;
    content.nWordsPerBlock = 4;
    std::vector<std::pair<std::string, uint32_t>> words = {{"dog", 1}, {"cat", 15}};
    content.entries.push_back("dog\na domestic canine");
    content.relations.push_back({});
    for (int i = 1; i <= 13; ++i) {
        const std::string strPup = (i < 10 ? "pup0" : "pup") + std::to_string(i);
        content.entries.push_back(strPup + "\nyoung dog " + std::to_string(i));
        content.relations.push_back({});
        content.relations[0].push_back({4, 0, static_cast<uint32_t>(content.entries.size()), 0});
        words.emplace_back(strPup, static_cast<uint32_t>(content.entries.size()));
    }
    content.entries.push_back("cat\na domestic feline");
    content.relations.push_back({});
    for (int i = 1; i <= 3; ++i) {
        std::string strLine;
        for (const char* lpszLetter : {"a", "b", "c", "d"}) {
            const std::string strKit = "kit" + std::to_string(i) + lpszLetter;
            strLine += (strLine.empty() ? "" : "|") + strKit;
            words.emplace_back(strKit, static_cast<uint32_t>(content.entries.size() + 1));
        }
        content.entries.push_back(strLine + "\nyoung cat " + std::to_string(i));
        content.relations.push_back({});
        content.relations[14].push_back({4, 0, static_cast<uint32_t>(content.entries.size()), 0});
    }
    std::sort(words.begin(), words.end());
    for (const auto& word : words) content.words.push_back({word.first, {word.second}});
    const uint32_t nSizes[4] = {static_cast<uint32_t>(content.entries.size()), 0, 0, 0};
    GroupCountsForSizes(nSizes, content.entryCounts);
    return content;
}

}  // namespace

TEST(RelationPage, SensesCarryAnchorsAndTheirRelationsAsLinks) {
    const std::string strPath = SaveContent(RelationContent(), "relations.pdb");
    DictionaryFile dict;
    ASSERT_TRUE(dict.Open(strPath.c_str()));
    std::vector<NamedPage> pages;
    ASSERT_TRUE(BuildWordPages(dict, 2, pages));  // big: entries 5 and 7
    ASSERT_EQ(pages.size(), 1u);
    // The word's own opposite, then the sense's similar sense, spelled as that sense spells it.
    EXPECT_EQ(pages[0].second,
              kPageStart + Headword("big") + AnchoredDefinitionRow(5, "above average in size") +
                  SynonymRow("Synonym", "large.") +
                  RelationRow(RelationLine("Opposite", Link(9, 6, 1, "small"))) +
                  RelationRow(RelationLine("Similar", Link(2, 7, 24, "BIG"))) +
                  kSpacer + AnchoredDefinitionRow(7, "written in capitals") +
                  RelationRow(RelationLine("Similar", Link(2, 5, 24, "big") + ", " +
                                                          Link(5, 5, 24, "large"))) +
                  kSpacer + kPageEnd);
    // Every word of a target sense; senses apart by "; "; after the usage block.
    ASSERT_TRUE(BuildWordPages(dict, 3, pages));  // dog
    EXPECT_NE(pages[0].second.find(
                  ":: The dog barked<br></font></font></td></tr>" +
                  RelationRow(RelationLine("Broader", Link(0, 2, 2, "animal") + ", " +
                                                          Link(1, 2, 2, "beast"))) +
                  RelationRow(RelationLine("Narrower", Link(8, 3, 4, "puppy"))) +
                  kSpacer),
              std::string::npos)
        << pages[0].second;
    // A sense without relations has its anchor and nothing more.
    ASSERT_TRUE(BuildWordPages(dict, 10, pages));  // sunday
    EXPECT_NE(pages[0].second.find(AnchoredDefinitionRow(4, "the first day of the week") +
                                   SynonymRow("Synonym", "Lord's Day.") + kSpacer + kPageEnd),
              std::string::npos);
}

TEST(RelationPage, LongKindsShowTenWordsAndTheRestOnAPageOfTheirOwn) {
    const std::string strPath = SaveContent(LongKinds(), "long.pdb");
    DictionaryFile dict;
    ASSERT_TRUE(dict.Open(strPath.c_str()));
    int nDog = -1, nCat = -1, nPup = -1;
    ASSERT_TRUE(dict.FindExactWord("dog", nDog) && dict.FindExactWord("cat", nCat) &&
                dict.FindExactWord("pup01", nPup));
    std::vector<NamedPage> pages;
    ASSERT_TRUE(BuildWordPages(dict, nDog, pages));
    std::string strShown;
    for (int i = 0; i < 10; ++i) {
        strShown += (i ? "; " : "") +
                    Link(nPup + i, i + 2, 4, (i < 9 ? "pup0" : "pup") + std::to_string(i + 1));
    }
    EXPECT_NE(pages[0].second.find(RelationRow(RelationLine(
                  "Narrower", strShown + "; " + Link(nDog, 1, 104, "dog", "3 more")))),
              std::string::npos)
        << pages[0].second;
    // Whole senses while they fit: two of four words, then the rest.
    ASSERT_TRUE(BuildWordPages(dict, nCat, pages));
    EXPECT_NE(pages[0].second.find("kit2d</a>; " + Link(nCat, 15, 104, "cat", "4 more")),
              std::string::npos);
    EXPECT_EQ(pages[0].second.find("kit3a"), std::string::npos);

    // The page of the rest: every word, one line per sense.
    std::string strPage = "kept";
    ASSERT_TRUE(BuildRelationPage(dict, nCat, 15, 4, strPage));
    EXPECT_EQ(strPage.substr(0, kPageStart.size() + Headword("cat").size()),
              kPageStart + Headword("cat"));
    EXPECT_NE(strPage.find("<font size=\"2\">a domestic feline</font>"), std::string::npos);
    EXPECT_NE(strPage.find("kit1d</a></font></font></td></tr><tr><td><font size=\"2\">"
                           "<font color=\"#336633\"><a href"),
              std::string::npos);
    EXPECT_NE(strPage.find("kit3c\">kit3c</a>, "), std::string::npos);
    EXPECT_EQ(std::count(strPage.begin(), strPage.end(), '\n'), 0);
    EXPECT_EQ(strPage.substr(strPage.size() - kPageEnd.size()), kPageEnd);
    ASSERT_TRUE(BuildRelationPage(dict, nDog, 1, 4, strPage));
    EXPECT_NE(strPage.find("pup13</a>"), std::string::npos);
    // No such kind, sense or word: nothing built.
    strPage = "kept";
    EXPECT_FALSE(BuildRelationPage(dict, nDog, 1, 2, strPage));
    EXPECT_FALSE(BuildRelationPage(dict, nDog, 99, 4, strPage));
    EXPECT_FALSE(BuildRelationPage(dict, nDog, 1, 0, strPage));
    EXPECT_EQ(strPage, "kept");
}
