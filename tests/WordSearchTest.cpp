#include <gtest/gtest.h>

#include "dictdata/DictionaryFile.h"
#include "tests/DictionaryFileTestAccess.h"
#include "tests/TestFiles.h"

namespace {

const std::vector<std::string> kWords = {
    "a",       "aback",   "abacus", "abandon", "bank",   "banker", "bankrupt", "bar",
    "barn",    "cab",     "cabin",  "dog",     "dogma",  "ease",   "east",     "eastern",
    "fast",    "faster",  "go",     "gone",    "zebra",  "zero",   "\xE9t\xE9"};

class WordSearchSizes : public ::testing::TestWithParam<int> {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dict.Open(SaveContent(MakeWordList(kWords, GetParam()), "search.pdb").c_str()));
    }
    int Find(const std::string& strText) { return m_dict.FindWord(strText); }
    DictionaryFile m_dict;
};

int PositionOf(const std::string& strWord) {
    for (size_t p = 0; p < kWords.size(); ++p) {
        if (kWords[p] == strWord) return static_cast<int>(p);
    }
    return -1;
}

}  // namespace

TEST_P(WordSearchSizes, EveryWordFindsItself) {
    for (size_t p = 0; p < kWords.size(); ++p) EXPECT_EQ(Find(kWords[p]), static_cast<int>(p)) << kWords[p];
}

TEST_P(WordSearchSizes, OtherTextsFindTheWordJustBefore) {
    EXPECT_EQ(Find(""), 0);
    EXPECT_EQ(Find("A"), 0);  // capitals sort before small letters
    EXPECT_EQ(Find("Bank"), 0);
    EXPECT_EQ(Find("ab"), PositionOf("a"));  // a prefix of "aback" is not "aback"
    EXPECT_EQ(Find("bankr"), PositionOf("banker"));
    EXPECT_EQ(Find("bankz"), PositionOf("bankrupt"));
    EXPECT_EQ(Find("c"), PositionOf("barn"));
    EXPECT_EQ(Find("dogmatic"), PositionOf("dogma"));
    EXPECT_EQ(Find("easy"), PositionOf("eastern"));
    EXPECT_EQ(Find("zz"), PositionOf("zero"));
    EXPECT_EQ(Find("\xFF"), static_cast<int>(kWords.size()) - 1);  // unsigned bytes
}

TEST_P(WordSearchSizes, FindWordNearAgreesWithFindWordWhateverTheSlotsHold) {
    std::vector<std::string> texts = {"", "0", "aa", "abb", "bankers", "c", "dogmas", "eastward",
                                      "zz", "\xE9", "\xFF"};
    texts.insert(texts.end(), kWords.begin(), kWords.end());
    for (const std::string& strLoad : texts) {
        for (const std::string& strText : texts) {
            // Load the blocks around strLoad, then ask for strText.
            bool bExact = false;
            m_dict.FindWordNear(strLoad, bExact);
            const int nNear = m_dict.FindWordNear(strText, bExact);
            EXPECT_EQ(nNear, Find(strText)) << strLoad << " then " << strText;
            EXPECT_EQ(bExact, PositionOf(strText) >= 0) << strText;
            int nPos = -1;
            EXPECT_EQ(m_dict.FindExactWord(strText, nPos), PositionOf(strText) >= 0);
            if (PositionOf(strText) >= 0) {
                EXPECT_EQ(nPos, PositionOf(strText));
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(WordSearch, WordSearchSizes, ::testing::Values(1, 2, 3, 5, 22, 23, 255));

TEST(WordSearch, TextBetweenBlocksFindsLastWordOfEarlierBlock) {
    DictionaryFile dict;
    ASSERT_TRUE(dict.Open(SaveContent(MakeWordList(NumberedWords(12), 4), "between.pdb").c_str()));
    EXPECT_EQ(DictionaryFileTestAccess::FindBlock(dict, "w003z"), 1);
    EXPECT_EQ(dict.FindWord("w003z"), 3);  // block 1 ends with w003, block 2 starts with w004
    EXPECT_EQ(dict.FindWord("w004"), 4);
    EXPECT_EQ(DictionaryFileTestAccess::FindBlock(dict, "a"), 1);
    EXPECT_EQ(DictionaryFileTestAccess::FindBlock(dict, "w999"), 3);
}

TEST(WordSearch, ReopeningForgetsTheKeysOfTheFormerFile) {
    DictionaryFile dict;
    ASSERT_TRUE(dict.Open(SaveContent(MakeWordList(NumberedWords(300), 2), "first.pdb").c_str()));
    EXPECT_EQ(dict.FindWord("w150"), 150);
    std::vector<std::string> words;
    for (int i = 0; i < 300; ++i) words.push_back("x" + std::to_string(1000 + i));
    ASSERT_TRUE(dict.Open(SaveContent(MakeWordList(words, 2), "second.pdb").c_str()));
    for (int i = 0; i < 300; i += 7) EXPECT_EQ(dict.FindWord(words[i]), i);
    EXPECT_EQ(dict.FindWord("w150"), 0);
}
