// Damaged spelling records and meaning indexes: the engine must answer safely (the search steps
// they serve are then missing) and verify must reject them.
#include <gtest/gtest.h>

#include <cstring>

#include "dictdata/BigEndian.h"
#include "dictdata/MeaningIndex.h"
#include "dictdata/SpellingIndex.h"
#include "dictdata/WordResolver.h"
#include "render/SearchPages.h"
#include "render/WordPages.h"
#include "tests/TestFiles.h"
#include "tools/Verify.h"

namespace {

DataFileContent IndexedContent() {
    DataFileContent content = MakeWordList(NumberedWords(20), 6);
    content.entries[4] += "\nan example of w004|and another";
    for (uint32_t p = 0; p < 20; ++p) content.wordFrequencies.push_back(p % 3);
    content.entryFrequencies = content.wordFrequencies;
    content.nEntryBlockLimit = 100;
    content.bSpellingIndex = true;
    content.bMeaningIndex = true;
    return content;
}

std::vector<unsigned char> Join(const std::vector<std::string>& records) {
    std::vector<unsigned char> file;
    EXPECT_TRUE(AssembleContainer("LexanoData_WN", records, file));
    return file;
}

// Runs the searches and pages that use the indexes; returns whether the file opened. Every
// answer must be in range.
bool Exercise(const std::vector<unsigned char>& file) {
    const std::string strPath = TestPath("indexes.pdb");
    EXPECT_TRUE(SaveBytes(strPath, file));
    DictionaryFile dict;
    if (!dict.Open(strPath.c_str())) return false;
    const int W = static_cast<int>(dict.GetWordCount());
    for (const char* lpszText : {"w00", "w0x5", "wooo", "w01", "", "definition of w004", "zz",
                                 "\xE9", "example another"}) {
        std::vector<SpellingMatch> spellings;
        if (dict.FindSpellings(lpszText, 10, spellings)) {
            for (const SpellingMatch& match : spellings) EXPECT_TRUE(match.nPos >= 0 && match.nPos < W);
        }
        std::vector<MeaningMatch> meanings;
        if (dict.SearchMeanings(lpszText, meanings)) {
            for (const MeaningMatch& match : meanings) {
                EXPECT_TRUE(match.nPos >= 0 && match.nPos < W);
                EXPECT_TRUE(match.nEntry >= 1 && static_cast<uint32_t>(match.nEntry) <= dict.GetTotalEntries());
            }
        }
        int nPos = -1;
        Resolution how = Resolution::kExact;
        EXPECT_TRUE(ResolveWord(dict, lpszText, nPos, how));
        EXPECT_TRUE(nPos >= 0 && nPos < W);
        std::string strPage;
        EXPECT_TRUE(BuildMeaningPage(dict, lpszText, strPage));
        std::vector<NamedPage> pages;
        if (BuildWordPages(dict, nPos, pages) && !pages.empty()) {
            EXPECT_TRUE(AddNotFoundLine(dict, lpszText, pages.front().second));
        }
    }
    return true;
}

bool Verifies(const std::vector<unsigned char>& file, std::string& strReport) {
    const std::string strPath = TestPath("verify.pdb");
    EXPECT_TRUE(SaveBytes(strPath, file));
    return VerifyDataFile(strPath.c_str(), strReport);
}

void PutU32(std::string& strRecord, size_t nOffset, uint32_t v) {
    WriteU32BE(reinterpret_cast<unsigned char*>(&strRecord[nOffset]), v);
}

}  // namespace

TEST(IndexCorruption, SoundRecordsPassVerify) {
    const std::vector<unsigned char> file = BuildBytes(IndexedContent());
    const std::vector<std::string> records = SplitRecords(file);
    ASSERT_EQ(records[records.size() - 2].substr(0, 4), "SPEL");
    ASSERT_EQ(records.back().substr(0, 4), "MIDX");
    std::string strReport;
    EXPECT_TRUE(Verifies(file, strReport)) << strReport;
    EXPECT_NE(strReport.find(", a spelling index, a meaning index of 26 words"), std::string::npos)
        << strReport;
    EXPECT_TRUE(Exercise(file));
}

TEST(IndexCorruption, LyingHeadersLeaveTheStepsOutAndFailVerify) {
    const std::vector<std::string> sound = SplitRecords(BuildBytes(IndexedContent()));
    const size_t nSpelling = sound.size() - 2;
    const size_t nMeaning = sound.size() - 1;
    struct Lie {
        size_t nRecord;
        size_t nOffset;
        uint32_t nValue;
    };
    const Lie kLies[] = {
        {nSpelling, 4, 21},               // another word count
        {nSpelling, 8, 0xFFFFFFFFu},      // frequencies past the record
        {nSpelling, 12 + 4 * 4, 0x7FFFFFFFu},  // a length group larger than the record
        {nSpelling, 12 + 4 * 4, 0},       // the groups no longer add up to W
        {nMeaning, 4, 19},                // another entry count
        {nMeaning, 8, 0},                 // no words, but chunks
        {nMeaning, 12, 0xFFFFFFFFu},      // more chunks than words
        {nMeaning, 16, 0xFFFFFFF0u},      // a directory past the record
        {nMeaning, 24, 1},                // sections that do not add up
    };
    for (const Lie& lie : kLies) {
        std::vector<std::string> records = sound;
        PutU32(records[lie.nRecord], lie.nOffset, lie.nValue);
        const std::vector<unsigned char> file = Join(records);
        SCOPED_TRACE(records[lie.nRecord].substr(0, 4) + " at " + std::to_string(lie.nOffset));
        ASSERT_TRUE(Exercise(file));
        const std::string strPath = TestPath("lie.pdb");
        ASSERT_TRUE(SaveBytes(strPath, file));
        DictionaryFile dict;
        ASSERT_TRUE(dict.Open(strPath.c_str()));
        std::vector<SpellingMatch> spellings;
        std::vector<MeaningMatch> meanings;
        if (lie.nRecord == nSpelling) {
            EXPECT_FALSE(dict.FindSpellings("w00", 5, spellings));
        } else {
            EXPECT_FALSE(dict.SearchMeanings("definition", meanings));
        }
        std::string strReport;
        EXPECT_FALSE(Verifies(file, strReport));
        EXPECT_NE(strReport.find(lie.nRecord == nSpelling ? "no sound spelling record"
                                                          : "no sound meaning index"),
                  std::string::npos) << strReport;
    }
    // A second record of a kind is never read; verify names it.
    std::vector<std::string> twice = sound;
    twice.push_back(sound[nMeaning]);
    std::string strReport;
    EXPECT_FALSE(Verifies(Join(twice), strReport));
    EXPECT_NE(strReport.find("repeats the meaning index"), std::string::npos) << strReport;
}

TEST(IndexCorruption, EveryPrefixAndFlippedByteOfTheRecords) {
    const std::vector<unsigned char> sound = BuildBytes(IndexedContent());
    const int nCount = ReadU16BE(sound.data() + 76);
    const uint32_t nSpelling = RecordOffset(sound, nCount - 2);
    const uint32_t nMeaning = RecordOffset(sound, nCount - 1);
    // The frequency rows end the spelling record: a changed count or a row moved to another
    // word is still a sound record, which no check can tell from the intended one.
    const uint32_t nFrequencies = nMeaning - 5 * ReadU32BE(sound.data() + nSpelling + 8);
    // Most of the spelling record's header is 256 counts of 4 bytes: one byte of each count is
    // cut or flipped, every byte elsewhere.
    auto skip = [&](size_t nAt) {
        return nAt >= nSpelling + 12 && nAt < nSpelling + kSpellingHeaderSize && (nAt - nSpelling) % 4 != 0;
    };
    const std::vector<std::string> records = SplitRecords(sound);
    for (int r : {nCount - 2, nCount - 1}) {
        for (size_t nSize = 0; nSize < records[r].size(); ++nSize) {
            if (skip(RecordOffset(sound, r) + nSize)) continue;
            std::vector<std::string> cut = records;
            cut[r].resize(nSize);
            const std::vector<unsigned char> file = Join(cut);
            ASSERT_TRUE(Exercise(file)) << r << " " << nSize;
            std::string strReport;
            EXPECT_FALSE(Verifies(file, strReport)) << r << " " << nSize;
        }
    }
    for (size_t i = nSpelling; i < sound.size(); ++i) {
        if (skip(i)) continue;
        std::vector<unsigned char> file = sound;
        file[i] ^= static_cast<unsigned char>(0x80 | (i * 37));
        ASSERT_TRUE(Exercise(file)) << i;
        std::string strReport;
        if (i < nFrequencies || i >= nMeaning) {
            EXPECT_FALSE(Verifies(file, strReport)) << "byte " << i;
        }
    }
}
