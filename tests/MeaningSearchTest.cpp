// Search in meanings: how texts split into words, and the meaning index against a plain scan of
// the entries' definitions and examples, on files built with the writer and on the real file.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <map>
#include <random>

#include "dictdata/Ansi.h"
#include "dictdata/DictionaryFile.h"
#include "dictdata/MeaningIndex.h"
#include "dictdata/MeaningWords.h"
#include "tests/TestFiles.h"

namespace {

std::vector<std::string> Words(const std::string& strText) {
    std::vector<std::string> words;
    SplitMeaningWords(strText, words);
    return words;
}

// What a reader sees of every entry: its definition and its examples, lower-cased and with
// their accents folded, as the words of a search are.
struct ScannedEntry {
    std::string strDefinition;
    std::string strUsage;
};

std::map<int32_t, ScannedEntry> ScanEntries(DictionaryFile& dict) {
    std::map<int32_t, ScannedEntry> entries;
    for (uint32_t e = 1; e <= dict.GetTotalEntries(); ++e) {
        std::string strText;
        if (!dict.ReadEntryText(static_cast<int>(e), strText)) continue;
        const size_t c = strText.find('\n');
        if (c == std::string::npos || c == 0) continue;
        const std::string strRest = AnsiFoldAccents(AnsiLowerCopy(strText.substr(c + 1)));
        const size_t g = strRest.find('\n');
        const bool bUsage = g != std::string::npos && g > 0;
        ScannedEntry& entry = entries[static_cast<int32_t>(e)];
        entry.strDefinition = bUsage ? strRest.substr(0, g) : strRest;
        if (bUsage) entry.strUsage = strRest.substr(g + 1);
    }
    return entries;
}

bool HoldsWord(const std::string& strText, const std::string& strWord) {
    // A cheap test first: most texts do not hold the letters at all.
    if (strText.find(strWord) == std::string::npos) return false;
    const std::vector<std::string> words = Words(strText);
    return std::find(words.begin(), words.end(), strWord) != words.end();
}

// Checks SearchMeanings(strText) against the scan: the same entries, each once with its count
// of the words in its definition, the higher counts first.
void ExpectSameAsScan(DictionaryFile& dict, const std::map<int32_t, ScannedEntry>& scanned,
                      const std::string& strText) {
    std::vector<std::string> words = Words(strText);
    std::sort(words.begin(), words.end());
    words.erase(std::unique(words.begin(), words.end()), words.end());
    std::map<int32_t, int> expected;  // entry -> words in its definition
    for (const auto& entry : scanned) {
        int nInDefinition = 0;
        bool bAll = !words.empty();
        for (size_t i = 0; i < words.size() && bAll; ++i) {
            const bool bDefinition = HoldsWord(entry.second.strDefinition, words[i]);
            nInDefinition += bDefinition;
            bAll = bDefinition || HoldsWord(entry.second.strUsage, words[i]);
        }
        if (bAll) expected[entry.first] = nInDefinition;
    }
    std::vector<MeaningMatch> matches;
    ASSERT_TRUE(dict.SearchMeanings(strText, matches)) << strText;
    std::map<int32_t, int> found;
    for (const MeaningMatch& match : matches) found[match.nEntry] = match.nInDefinition;
    EXPECT_EQ(found, expected) << strText;
    EXPECT_EQ(found.size(), matches.size()) << strText << ": an entry twice";
    for (size_t i = 1; i < matches.size(); ++i) {
        EXPECT_GE(matches[i - 1].nInDefinition, matches[i].nInDefinition) << strText;
    }
}

// Entries with definitions and examples made of a small vocabulary, so that queries match many.
DataFileContent MeaningContent(int nEntries, uint32_t nSeed) {
    std::mt19937 random(nSeed);
    const char* const kVocabulary[] = {"sweet", "fruit", "Red", "apple", "tree", "caf\xE9", "CAFE",
                                       "the", "of", "a", "x1", "2nd", "don't", "well-known"};
    auto sentence = [&](int nWords) {
        std::string str;
        for (int i = 0; i < nWords; ++i) {
            str += (i ? (random() % 5 ? " " : "; ") : "") + std::string(kVocabulary[random() % 14]);
        }
        return str;
    };
    DataFileContent content;
    content.nWordsPerBlock = 4;
    content.nEntryBlockLimit = 300;
    std::vector<std::string> words;
    for (int e = 1; e <= nEntries; ++e) {
        std::string strText = "w" + std::to_string(1000 + e) + "|Syn" + std::to_string(e) + "\n" +
                              sentence(1 + static_cast<int>(random() % 6));
        if (random() % 2) strText += "\n" + sentence(2) + "|" + sentence(3);
        content.entries.push_back(strText);
        content.words.push_back({"w" + std::to_string(1000 + e), {static_cast<uint32_t>(e)}});
        content.entryFrequencies.push_back(random() % 4);
    }
    const uint32_t nSizes[4] = {static_cast<uint32_t>(nEntries), 0, 0, 0};
    GroupCountsForSizes(nSizes, content.entryCounts);
    content.bMeaningIndex = true;
    return content;
}

}  // namespace

TEST(MeaningWords, RunsOfLettersAndDigitsInLowerCaseWithAccentsFolded) {
    EXPECT_EQ(Words("A Caf\xC9, don't: well-known x2 \x93quoted\x94 \xC6on STRA\xDF" "E"),
              (std::vector<std::string>{"a", "cafe", "don", "t", "well", "known", "x2", "quoted",
                                        "aeon", "strasse"}));
    EXPECT_TRUE(Words(" -- ;; ").empty());
}

TEST(MeaningSearch, MatchesAPlainScanOfTheEntries) {
    DictionaryFile dict;
    ASSERT_TRUE(dict.Open(SaveContent(MeaningContent(150, 5), "meanings.pdb").c_str()));
    const std::map<int32_t, ScannedEntry> scanned = ScanEntries(dict);
    for (const char* lpszText : {"sweet", "sweet fruit", "FRUIT sweet fruit", "caf\xE9", "cafe red",
                                 "the of a", "don t", "well-known", "x1 2nd", "nothing", "", "--",
                                 "sweet nothing", "apple tree red fruit"}) {
        ExpectSameAsScan(dict, scanned, lpszText);
    }
    // Within one count of words in the definition, shorter definitions come first.
    std::vector<MeaningMatch> matches;
    ASSERT_TRUE(dict.SearchMeanings("the", matches));
    ASSERT_GT(matches.size(), 10u);
    auto definitionWords = [&](int32_t nEntry) {
        std::string strText;
        dict.ReadEntryText(nEntry, strText);
        const std::string strRest = strText.substr(strText.find('\n') + 1);
        return Words(strRest.substr(0, strRest.find('\n'))).size();
    };
    for (size_t i = 1; i < matches.size(); ++i) {
        if (matches[i - 1].nInDefinition == matches[i].nInDefinition) {
            EXPECT_LE(definitionWords(matches[i - 1].nEntry), definitionWords(matches[i].nEntry));
        }
        std::string strWord;
        dict.GetWord(matches[i].nPos, strWord);
        EXPECT_EQ(strWord, "w" + std::to_string(1000 + matches[i].nEntry));
    }
}

TEST(MeaningSearch, AFileWithoutTheIndexSaysSo) {
    DataFileContent content = MeaningContent(20, 1);
    content.bMeaningIndex = false;
    DictionaryFile dict;
    ASSERT_TRUE(dict.Open(SaveContent(content, "plain.pdb").c_str()));
    std::vector<MeaningMatch> matches(1);
    EXPECT_EQ(dict.GetMeaningIndex(), nullptr);
    EXPECT_FALSE(dict.SearchMeanings("sweet", matches));
    EXPECT_EQ(matches.size(), 1u);
}

TEST(MeaningSearchRealData, AFewQueriesMatchAScanOfEveryEntry) {
    DictionaryFile dict;
    const std::string strData = LEXANO_TEST_DATA;
    if (access(strData.c_str(), R_OK) != 0 || !dict.Open(strData.c_str()) ||
        dict.GetMeaningIndex() == nullptr) {
        GTEST_SKIP() << "needs " << strData << " with a meaning index";
    }
    const std::map<int32_t, ScannedEntry> scanned = ScanEntries(dict);
    for (const char* lpszText : {"sweet fruit", "large feline", "capital of France", "Shakespeare",
                                 "the of", "zymurgy", "xyzzyq"}) {
        ExpectSameAsScan(dict, scanned, lpszText);
    }
    std::vector<MeaningMatch> matches;
    ASSERT_TRUE(dict.SearchMeanings("large feline", matches));
    ASSERT_FALSE(matches.empty());
    std::string strWord;
    dict.GetWord(matches.front().nPos, strWord);
    RecordProperty("large_feline_first", strWord);
}
