#include <gtest/gtest.h>

#include <vector>

#include "dictdata/DictionaryFile.h"
#include "tests/DictionaryFileTestAccess.h"
#include "tests/TestFiles.h"

namespace {

// Words of varied lengths and entry counts, including one without entries and one of 255
// bytes, so offsets inside a block are exercised.
DataFileContent VariedContent(int nWordsPerBlock, int nWords) {
    DataFileContent content;
    content.nWordsPerBlock = nWordsPerBlock;
    for (int p = 0; p < nWords; ++p) {
        std::string strWord = "word" + std::to_string(1000 + p) + std::string(p % 5, 'a');
        if (p == nWords - 1) strWord = "z" + std::string(254, 'z');
        WriterWord word{strWord, {}};
        for (int j = 0; j < p % 4; ++j) {
            content.entries.push_back(strWord + "\nsense " + std::to_string(j));
            word.entries.push_back(static_cast<uint32_t>(content.entries.size()));
        }
        content.words.push_back(word);
    }
    const uint32_t nSizes[4] = {static_cast<uint32_t>(content.entries.size()), 0, 0, 0};
    GroupCountsForSizes(nSizes, content.entryCounts);
    return content;
}

class WordBlockSizes : public ::testing::TestWithParam<int> {};

}  // namespace

TEST_P(WordBlockSizes, EveryPositionGivesItsWordAndEntryNumbers) {
    const int n = GetParam();
    const DataFileContent content = VariedContent(n, 3 * n + n / 2 + 1);
    DictionaryFile dict;
    ASSERT_TRUE(dict.Open(SaveContent(content, "varied.pdb").c_str()));
    ASSERT_EQ(dict.GetWordCount(), content.words.size());
    // Forwards, backwards and in jumps: the slot rule must never change an answer.
    std::vector<int> order;
    const int W = static_cast<int>(content.words.size());
    for (int p = 0; p < W; ++p) order.push_back(p);
    for (int p = W - 1; p >= 0; --p) order.push_back(p);
    for (int p = 0; p < W; ++p) order.push_back((p * 7919) % W);
    for (int p : order) {
        std::string strWord;
        ASSERT_TRUE(dict.GetWord(p, strWord)) << p;
        EXPECT_EQ(strWord, content.words[p].strText) << p;
        int nCount = -1;
        ASSERT_TRUE(dict.GetEntryNumbers(p, nullptr, nCount));
        ASSERT_EQ(nCount, static_cast<int>(content.words[p].entries.size())) << p;
        std::vector<int32_t> numbers(nCount + 1, -7);
        ASSERT_TRUE(dict.GetEntryNumbers(p, numbers.data(), nCount));
        for (int j = 0; j < nCount; ++j) EXPECT_EQ(numbers[j], static_cast<int32_t>(content.words[p].entries[j]));
        EXPECT_EQ(numbers[nCount], -7);  // nothing written past the entry count
        std::vector<int32_t> all = {99};
        ASSERT_TRUE(dict.GetEntryNumbers(p, all));
        EXPECT_EQ(all, std::vector<int32_t>(numbers.begin(), numbers.begin() + nCount)) << p;
    }
}

INSTANTIATE_TEST_SUITE_P(WordBlock, WordBlockSizes, ::testing::Values(1, 2, 3, 7, 64, 255));

TEST(WordBlock, PositionsOutsideTheListFail) {
    DictionaryFile dict;
    ASSERT_TRUE(dict.Open(SaveContent(MakeWordList(NumberedWords(10), 4), "range.pdb").c_str()));
    std::string strWord = "kept";
    int nCount = 5;
    EXPECT_FALSE(dict.GetWord(-1, strWord));
    EXPECT_FALSE(dict.GetWord(10, strWord));
    EXPECT_FALSE(dict.GetWord(12, strWord));  // a filler pair of the last block
    EXPECT_FALSE(dict.GetEntryNumbers(10, nullptr, nCount));
    EXPECT_FALSE(dict.GetEntryNumbers(-5, nullptr, nCount));
    std::vector<int32_t> numbers = {7};
    EXPECT_FALSE(dict.GetEntryNumbers(10, numbers));
    EXPECT_EQ(numbers, std::vector<int32_t>{7});
    EXPECT_EQ(strWord, "kept");
    EXPECT_EQ(nCount, 5);
    // A count below the word's entry count asks again for the count.
    nCount = 0;
    int32_t nNumber = 0;
    ASSERT_TRUE(dict.GetEntryNumbers(3, &nNumber, nCount));
    EXPECT_EQ(nCount, 1);
    EXPECT_EQ(nNumber, 0);
}

TEST(WordBlock, TwoSlotsFollowForwardMovement) {
    DictionaryFile dict;
    ASSERT_TRUE(dict.Open(SaveContent(MakeWordList(NumberedWords(40), 4), "slots.pdb").c_str()));
    DictionaryFileTestAccess::Slot* pFirst = nullptr;
    DictionaryFileTestAccess::Slot* pSlot = nullptr;
    ASSERT_TRUE(DictionaryFileTestAccess::GetWordBlock(dict, 1, pFirst));  // A
    ASSERT_TRUE(DictionaryFileTestAccess::GetWordBlock(dict, 2, pSlot));   // B, as A's successor
    DictionaryFileTestAccess::Slot* pSecond = pSlot;
    EXPECT_NE(pFirst, pSecond);
    ASSERT_TRUE(DictionaryFileTestAccess::GetWordBlock(dict, 3, pSlot));  // B's successor: B moves to A, 3 into B
    EXPECT_EQ(pSlot, pSecond);
    EXPECT_EQ(pFirst->nBlock, 2);
    EXPECT_EQ(pSecond->nBlock, 3);
    ASSERT_TRUE(DictionaryFileTestAccess::GetWordBlock(dict, 2, pSlot));  // held by A: no load
    EXPECT_EQ(pSlot, pFirst);
    EXPECT_EQ(pSecond->nBlock, 3);

    // Jumping back loads into A and leaves B; B's block is then found only as A's successor.
    ASSERT_TRUE(DictionaryFileTestAccess::GetWordBlock(dict, 5, pSlot));
    ASSERT_TRUE(DictionaryFileTestAccess::GetWordBlock(dict, 6, pSlot));
    ASSERT_TRUE(DictionaryFileTestAccess::GetWordBlock(dict, 3, pSlot));
    EXPECT_EQ(pSlot, pFirst);
    EXPECT_EQ(pSecond->nBlock, 6);
    ASSERT_TRUE(DictionaryFileTestAccess::GetWordBlock(dict, 6, pSlot));
    EXPECT_EQ(pSlot, pFirst);
    EXPECT_EQ(pFirst->nBlock, 6);

    EXPECT_FALSE(DictionaryFileTestAccess::GetWordBlock(dict, 0, pSlot));
    EXPECT_EQ(pSlot, nullptr);
    EXPECT_FALSE(DictionaryFileTestAccess::GetWordBlock(dict, 11, pSlot));

    // The slot's texts after a copy are those of the copied block.
    char buffer[8] = {};
    ASSERT_TRUE(DictionaryFileTestAccess::GetWordBlock(dict, 7, pSlot));
    ASSERT_TRUE(DictionaryFileTestAccess::GetWordBlock(dict, 8, pSlot));
    ASSERT_TRUE(DictionaryFileTestAccess::GetWordBlock(dict, 9, pSlot));
    EXPECT_EQ(pFirst->nBlock, 8);
    DictionaryFileTestAccess::CopyWordText(dict, 1, buffer, pFirst);
    EXPECT_STREQ(buffer, "w029");
    DictionaryFileTestAccess::CopyWordText(dict, 4, buffer, pFirst);  // index n: nothing copied
    EXPECT_STREQ(buffer, "w029");
}
