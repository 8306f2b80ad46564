// Spelling suggestions: the bounded edit distance against a plain table, the spelling record
// on small files built with the writer (order, distances, the resolver's spelling step), and
// misspellings of the real data file's words.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <random>

#include "dictdata/EditDistance.h"
#include "dictdata/SpellingIndex.h"
#include "dictdata/WordResolver.h"
#include "tests/TestFiles.h"

namespace {

// The optimal string alignment distance by the whole table.
int PlainDistance(const std::string& a, const std::string& b) {
    std::vector<std::vector<int>> d(a.size() + 1, std::vector<int>(b.size() + 1));
    for (size_t i = 0; i <= a.size(); ++i) d[i][0] = static_cast<int>(i);
    for (size_t j = 0; j <= b.size(); ++j) d[0][j] = static_cast<int>(j);
    for (size_t i = 1; i <= a.size(); ++i) {
        for (size_t j = 1; j <= b.size(); ++j) {
            d[i][j] = std::min({d[i - 1][j] + 1, d[i][j - 1] + 1,
                                d[i - 1][j - 1] + (a[i - 1] != b[j - 1])});
            if (i > 1 && j > 1 && a[i - 1] == b[j - 2] && a[i - 2] == b[j - 1]) {
                d[i][j] = std::min(d[i][j], d[i - 2][j - 2] + 1);
            }
        }
    }
    return d[a.size()][b.size()];
}

int Bounded(const std::string& a, const std::string& b, int nLimit) {
    return BoundedEditDistance(a.data(), a.size(), b.data(), b.size(), nLimit);
}

// One random edit of strWord: a letter inserted, deleted or replaced, or two swapped.
std::string Misspell(std::string strWord, std::mt19937& random) {
    const size_t p = random() % strWord.size();
    const char chLetter = static_cast<char>('a' + random() % 26);
    switch (random() % 4) {
        case 0: strWord.insert(strWord.begin() + p, chLetter); break;
        case 1: if (strWord.size() > 1) strWord.erase(p, 1); break;
        case 2: strWord[p] = chLetter; break;
        default: if (p + 1 < strWord.size()) std::swap(strWord[p], strWord[p + 1]); break;
    }
    return strWord;
}

// Words with one noun entry each, sense tag counts as given, and a spelling record.
DataFileContent SpellingContent(const std::vector<std::pair<std::string, uint32_t>>& words) {
    std::vector<std::string> texts;
    for (const auto& word : words) texts.push_back(word.first);
    DataFileContent content = MakeWordList(texts, 3);
    for (const auto& word : words) content.wordFrequencies.push_back(word.second);
    content.bSpellingIndex = true;
    return content;
}

std::string Suggest(DictionaryFile& dict, const std::string& strText, size_t nMax = 10) {
    std::vector<SpellingMatch> matches;
    if (!dict.FindSpellings(strText, nMax, matches)) return "(false)";
    std::string strOut;
    for (const SpellingMatch& match : matches) {
        std::string strWord;
        dict.GetWord(match.nPos, strWord);
        EXPECT_EQ(strWord, match.strWord);
        strOut += (strOut.empty() ? "" : " ") + match.strWord + ":" + std::to_string(match.nDistance);
    }
    return strOut;
}

}  // namespace

TEST(EditDistance, AgreesWithTheWholeTableWithinTheLimit) {
    EXPECT_EQ(Bounded("recieve", "receive", 2), 1);  // one swap
    // A letter takes part in one edit at most: "ca" to "abc" is 3 edits, beyond the limit.
    EXPECT_EQ(Bounded("ca", "abc", 2), 3);
    EXPECT_EQ(Bounded("", "ab", 2), 2);
    EXPECT_EQ(Bounded("abc", "abc", 0), 0);
    std::mt19937 random(11);
    for (int i = 0; i < 20000; ++i) {
        std::string a, b;
        for (size_t n = random() % 9; n > 0; --n) a += static_cast<char>('a' + random() % 3);
        b = random() % 2 ? Misspell(Misspell(a.empty() ? "x" : a, random), random) : "";
        for (size_t n = b.empty() ? random() % 9 : 0; n > 0; --n) b += static_cast<char>('a' + random() % 3);
        const int nPlain = PlainDistance(a, b);
        for (int nLimit = 0; nLimit <= kMaxEditLimit; ++nLimit) {
            ASSERT_EQ(Bounded(a, b, nLimit), std::min(nPlain, nLimit + 1)) << a << " " << b << " " << nLimit;
        }
    }
}

TEST(Spelling, NearestFirstThenTheMostUsedThenListOrder) {
    DictionaryFile dict;
    ASSERT_TRUE(dict.Open(SaveContent(SpellingContent({{"bat", 0}, {"believe", 5}, {"cat", 0},
                                                        {"cot", 9}, {"receive", 3}, {"recite", 0},
                                                        {"relieve", 7}, {"revive", 0}}),
                                      "spelling.pdb").c_str()));
    // Two edits for texts of five letters or more; at one edit each (a swap, a replacement) the
    // more used word first; at two, "believe" by its count, then the others in list order.
    EXPECT_EQ(Suggest(dict, "recieve"), "relieve:1 receive:1 believe:2 recite:2 revive:2");
    EXPECT_EQ(Suggest(dict, "recieve", 2), "relieve:1 receive:1");
    // One edit under five letters: "cot" is used more, "bat" and "cat" follow in list order.
    EXPECT_EQ(Suggest(dict, "cat"), "cat:0 cot:1 bat:1");
    EXPECT_EQ(Suggest(dict, "czt"), "cot:1 cat:1");
    EXPECT_EQ(Suggest(dict, "bzzt"), "");      // two edits from "bat", one allowed
    EXPECT_EQ(Suggest(dict, "rexxxve"), "");   // three from "receive"
    EXPECT_EQ(Suggest(dict, std::string(300, 'e')), "");
    EXPECT_EQ(Suggest(dict, ""), "");
    EXPECT_EQ(Suggest(dict, "cat", 0), "");
}

TEST(Spelling, TheResolverTakesTheNearestWordAfterThePrefixStep) {
    DataFileContent content = SpellingContent({{"cafe", 0}, {"receive", 0}, {"separate", 2}, {"zebra", 0}});
    DictionaryFile dict;
    ASSERT_TRUE(dict.Open(SaveContent(content, "resolver.pdb").c_str()));
    const std::pair<const char*, const char*> kCases[] = {
        {"seperate", "separate spelling"}, {"recieve", "receive spelling"},
        {"sep", "separate prefix"},        {"caf\xE9", "cafe folded"},
        {"cqfe", "cafe spelling"},         {"r\xE9\xE7ieve", "receive spelling"},  // folded, then a swap
        {"qzxv", "cafe nearest"},          {"zzzzzz", "zebra nearest"}};
    for (const auto& c : kCases) {
        int nPos = -1;
        Resolution how = Resolution::kExact;
        ASSERT_TRUE(ResolveWord(dict, c.first, nPos, how));
        std::string strWord;
        dict.GetWord(nPos, strWord);
        EXPECT_EQ(strWord + " " + ResolutionName(how), c.second) << c.first;
    }
    // Without the record the step is skipped.
    content.bSpellingIndex = false;
    ASSERT_TRUE(dict.Open(SaveContent(content, "plain.pdb").c_str()));
    std::vector<SpellingMatch> matches;
    EXPECT_FALSE(dict.FindSpellings("seperate", 5, matches));
    int nPos = -1;
    Resolution how = Resolution::kExact;
    ASSERT_TRUE(ResolveWord(dict, "seperate", nPos, how));
    EXPECT_EQ(how, Resolution::kNearest);
}

TEST(Spelling, EveryWordFoundFromOneEditOverSeveralBlockSizes) {
    std::mt19937 random(3);
    std::vector<std::pair<std::string, uint32_t>> words;
    for (int i = 0; i < 400; ++i) {
        std::string strWord;
        for (size_t n = 1 + random() % 12; n > 0; --n) strWord += static_cast<char>('a' + random() % 6);
        words.push_back({strWord, static_cast<uint32_t>(random() % 3)});
    }
    std::sort(words.begin(), words.end());
    words.erase(std::unique(words.begin(), words.end(),
                            [](const auto& a, const auto& b) { return a.first == b.first; }),
                words.end());
    for (int n : {1, 7, 64}) {
        DataFileContent content = SpellingContent(words);
        content.nWordsPerBlock = n;
        DictionaryFile dict;
        ASSERT_TRUE(dict.Open(SaveContent(content, "words.pdb").c_str()));
        for (const auto& word : words) {
            const std::string strText = Misspell(word.first, random);
            std::vector<SpellingMatch> matches;
            ASSERT_TRUE(dict.FindSpellings(strText, words.size(), matches));
            // The suggestions are exactly the words within reach, in order.
            const int nLimit = strText.size() < 5 ? 1 : 2;
            size_t nExpected = 0;
            for (const auto& other : words) nExpected += PlainDistance(strText, other.first) <= nLimit;
            EXPECT_EQ(matches.size(), nExpected) << strText;
            for (size_t i = 1; i < matches.size(); ++i) {
                const SpellingMatch& a = matches[i - 1];
                const SpellingMatch& b = matches[i];
                EXPECT_TRUE(a.nDistance < b.nDistance ||
                            (a.nDistance == b.nDistance && (a.nFrequency > b.nFrequency ||
                                                            (a.nFrequency == b.nFrequency && a.nPos < b.nPos))))
                    << strText;
            }
            const bool bFound = std::any_of(matches.begin(), matches.end(), [&](const SpellingMatch& m) {
                return m.strWord == word.first && m.nDistance == PlainDistance(strText, word.first);
            });
            if (PlainDistance(strText, word.first) <= nLimit) {
                EXPECT_TRUE(bFound) << strText;
            }
        }
    }
}

namespace {

bool OpenRealData(DictionaryFile& dict) {
    const std::string strData = LEXANO_TEST_DATA;
    return access(strData.c_str(), R_OK) == 0 && dict.Open(strData.c_str()) &&
           dict.GetSpellingIndex() != nullptr;
}

}  // namespace

TEST(SpellingRealData, KnownMisspellingsAndAThousandGeneratedOnes) {
    DictionaryFile dict;
    if (!OpenRealData(dict)) GTEST_SKIP() << "needs " << LEXANO_TEST_DATA << " with a spelling index";
    const std::pair<const char*, const char*> kKnown[] = {
        {"recieve", "receive spelling"}, {"seperate", "separate spelling"},
        {"acommodate", "accommodate spelling"}, {"definately", "definitely spelling"},
        {"qzxv", "qwerty keyboard nearest"}};
    for (const auto& c : kKnown) {
        int nPos = -1;
        Resolution how = Resolution::kExact;
        ASSERT_TRUE(ResolveWord(dict, c.first, nPos, how));
        std::string strWord;
        dict.GetWord(nPos, strWord);
        EXPECT_EQ(strWord + " " + ResolutionName(how), c.second) << c.first;
    }
    std::mt19937 random(21);
    const uint32_t W = dict.GetWordCount();
    int nChecked = 0;
    for (uint32_t i = 0; i < 1000; ++i) {
        std::string strWord;
        ASSERT_TRUE(dict.GetWord(static_cast<int>(uint64_t{i} * W / 1000), strWord));
        const std::string strText = Misspell(strWord, random);
        if (PlainDistance(strText, strWord) > (strText.size() < 5 ? 1 : 2)) continue;
        std::vector<SpellingMatch> matches;
        ASSERT_TRUE(dict.FindSpellings(strText, W, matches));
        EXPECT_TRUE(std::any_of(matches.begin(), matches.end(),
                                [&](const SpellingMatch& m) { return m.strWord == strWord; }))
            << strText << " for " << strWord;
        ++nChecked;
    }
    EXPECT_GT(nChecked, 900);
}
