#include <gtest/gtest.h>

#include "dictdata/DictionaryFile.h"
#include "tests/DictionaryFileTestAccess.h"
#include "tests/TestFiles.h"

namespace {

// Twelve entries in blocks of a few records each; groups N (1-4), V (5-7), a (8-10), v (11-12).
DataFileContent GroupedContent() {
    DataFileContent content;
    content.nWordsPerBlock = 3;
    content.nEntryBlockLimit = 64;
    for (int e = 1; e <= 12; ++e) {
        content.entries.push_back("syn" + std::to_string(e) + "|quick\ndefinition " +
                                  std::to_string(e) + "\nusage " + std::to_string(e));
    }
    content.words = {{"Quick", {1}}, {"fast", {2, 5}}, {"quick", {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}}};
    const uint32_t nSizes[4] = {4, 3, 3, 2};
    GroupCountsForSizes(nSizes, content.entryCounts);
    return content;
}

class EntryRecordFile : public ::testing::Test {
protected:
    void SetUp() override {
        m_content = GroupedContent();
        ASSERT_TRUE(m_dict.Open(SaveContent(m_content, "entries.pdb").c_str()));
    }
    // Decodes strText for the word at nPos and returns "synonyms#count#definition#usage#result".
    std::string Decode(int nPos, const std::string& strText) {
        std::string strSyn, strDef, strUse;
        int nCount = -1;
        const bool bResult = DictionaryFileTestAccess::DecodeEntryText(m_dict, nPos, strText, strSyn, strDef, strUse, nCount);
        return strSyn + "#" + std::to_string(nCount) + "#" + strDef + "#" + strUse + "#" +
               (bResult ? "true" : "false");
    }
    DataFileContent m_content;
    DictionaryFile m_dict;
};

const int kQuick = 2;       // position of "quick"
const int kQuickUpper = 0;  // position of "Quick"

}  // namespace

TEST_F(EntryRecordFile, LocatesEveryEntryInItsBlock) {
    int nTotal = 0;
    for (int j = 1; j <= m_dict.GetEntryIndexRecord().nEntryBlockCount; ++j) {
        const int nInBlock = DictionaryFileTestAccess::GetEntriesInBlock(m_dict, j);
        ASSERT_GT(nInBlock, 0);
        for (int i = 1; i <= nInBlock; ++i) {
            int nPosition = 0;
            EXPECT_EQ(DictionaryFileTestAccess::LocateEntry(m_dict, nTotal + i, nPosition), j);
            EXPECT_EQ(nPosition, i);
        }
        nTotal += nInBlock;
    }
    EXPECT_EQ(nTotal, 12);
    EXPECT_GT(m_dict.GetEntryIndexRecord().nEntryBlockCount, 2);
    int nPosition = -3;
    EXPECT_EQ(DictionaryFileTestAccess::LocateEntry(m_dict, 0, nPosition), 0);
    EXPECT_EQ(DictionaryFileTestAccess::LocateEntry(m_dict, 13, nPosition), 0);
    EXPECT_EQ(nPosition, -3);
}

TEST_F(EntryRecordFile, ReadsEveryEntryWithItsPartOfSpeech) {
    const char* const kExpected[] = {"", "Noun", "Noun", "Noun", "Noun", "Verb", "Verb",
                                     "Verb", "Adj.", "Adj.", "Adj.", "Adv.", "Adv."};
    for (int e = 1; e <= 12; ++e) {
        std::string strSyn, strDef, strUse;
        int nCount = 0;
        ASSERT_TRUE(m_dict.ReadEntry(kQuick, e, strSyn, nCount, strDef, strUse)) << e;
        EXPECT_EQ(strSyn, "syn" + std::to_string(e) + ".");
        EXPECT_EQ(nCount, 1);
        EXPECT_EQ(strDef, "definition " + std::to_string(e));
        EXPECT_EQ(strUse, "usage " + std::to_string(e));
        int nPartOfSpeech = -1;
        EXPECT_TRUE(m_dict.GetPartOfSpeech(static_cast<uint32_t>(e), nPartOfSpeech));
        EXPECT_EQ(DictionaryFile::PartOfSpeechName(static_cast<uint32_t>(nPartOfSpeech)), kExpected[e]);
    }
    // Outside every group, the caller's value stays.
    int nPartOfSpeech = -1;
    m_dict.GetPartOfSpeech(13, nPartOfSpeech);
    EXPECT_EQ(nPartOfSpeech, -1);
    std::string strSyn = "kept";
    int nCount = 9;
    std::string strDef, strUse;
    EXPECT_FALSE(m_dict.ReadEntry(kQuick, 13, strSyn, nCount, strDef, strUse));
    EXPECT_FALSE(m_dict.ReadEntry(kQuick, 0, strSyn, nCount, strDef, strUse));
    EXPECT_EQ(strSyn, "kept");
    EXPECT_EQ(nCount, 9);
}

TEST(EntryRecord, GroupRuleComparesStrictly) {
    DataFileContent content = MakeWordList(NumberedWords(8), 4);
    content.posCodes[0] = 'N';
    content.posCodes[1] = 'V';
    content.posCodes[2] = 'x';  // not a part of speech
    content.posCodes[3] = 'v';
    const uint32_t nCounts[4] = {3, 2, 2, 2};
    std::copy(nCounts, nCounts + 4, content.entryCounts);
    DictionaryFile dict;
    ASSERT_TRUE(dict.Open(SaveContent(content, "groups.pdb").c_str()));
    auto PartOf = [&dict](uint32_t e) {
        int nPartOfSpeech = -1;
        dict.GetPartOfSpeech(e, nPartOfSpeech);
        return nPartOfSpeech;
    };
    EXPECT_EQ(PartOf(0), 3);
    EXPECT_EQ(PartOf(2), 3);   // C1 - 1
    EXPECT_EQ(PartOf(3), 2);   // C1 is in group 2
    EXPECT_EQ(PartOf(4), 2);
    EXPECT_EQ(PartOf(5), -1);  // group 3 has no known letter
    EXPECT_EQ(PartOf(7), 0);   // 'v' is adverb
    EXPECT_EQ(PartOf(8), 0);
    EXPECT_EQ(PartOf(9), -1);  // at the sum of the counts: no group
    EXPECT_EQ(DictionaryFile::PartOfSpeechName(2), "Verb");
    EXPECT_EQ(DictionaryFile::PartOfSpeechName(1), "Adj.");
    EXPECT_EQ(DictionaryFile::PartOfSpeechName(4), "");
    EXPECT_EQ(DictionaryFile::PartOfSpeechName(0xFFFFFFFFu), "");
}

TEST_F(EntryRecordFile, DecodesSynonymLineAgainstTheHeadword) {
    EXPECT_EQ(Decode(kQuick, "fast|Quick|speedy\nmoving rapidly\na quick lunch|quick to learn"),
              "fast, speedy.#2#moving rapidly#a quick lunch|quick to learn#true");
    EXPECT_EQ(Decode(kQuick, "quick\ndef"), "#0#def##true");
    EXPECT_EQ(Decode(kQuick, "fast|quick\ndef"), "fast.#1#def##true");
    EXPECT_EQ(Decode(kQuick, "quick|fast\ndef"), "fast.#1#def##true");
    EXPECT_EQ(Decode(kQuick, "fast|speedy\ndef"), "fast, speedy.#2#def##true");
    EXPECT_EQ(Decode(kQuick, "fast\ndef"), "fast.#1#def##true");
    // The headword is not lower-cased: "quick" stays for the headword "Quick".
    EXPECT_EQ(Decode(kQuickUpper, "quick|Quick\ndef"), "quick, Quick.#2#def##true");
    // A "|" at the start ends the splitting: the whole line is one item.
    EXPECT_EQ(Decode(kQuick, "|fast\ndef"), "|fast.#1#def##true");
}

TEST_F(EntryRecordFile, DecodesDefinitionAndUsageParts) {
    EXPECT_EQ(Decode(kQuick, "fast only"), "#1###false");
    EXPECT_EQ(Decode(kQuick, "\ndefinition"), "#1###false");
    EXPECT_EQ(Decode(kQuick, "fast\n"), "fast.#1###true");
    EXPECT_EQ(Decode(kQuick, "fast\n\nusage"), "fast.#1#\nusage##true");
    EXPECT_EQ(Decode(kQuick, "fast\ndef\nuse one\nuse two"), "fast.#1#def#use one\nuse two#true");
}

TEST(EntryRecord, ZeroByteEndsTheEntryText) {
    DataFileContent content = MakeWordList({"alpha", "beta"}, 2);
    content.entries[1] = std::string("beta|gamma\nthe second\0hidden", 28);
    DictionaryFile dict;
    ASSERT_TRUE(dict.Open(SaveContent(content, "zero.pdb").c_str()));
    std::string strSyn, strDef, strUse;
    int nCount = 0;
    ASSERT_TRUE(dict.ReadEntry(1, 2, strSyn, nCount, strDef, strUse));
    EXPECT_EQ(strSyn, "gamma.");
    EXPECT_EQ(strDef, "the second");
}
