// Damaged files: the engine must reject them or answer safely, never read outside its buffers.
#include <gtest/gtest.h>

#include <zlib.h>

#include <cstring>

#include "dictdata/BigEndian.h"
#include "dictdata/DictionaryFile.h"
#include "dictdata/ExceptionList.h"
#include "dictdata/WordResolver.h"
#include "render/RelationRows.h"
#include "render/WordPages.h"
#include "tests/DictionaryFileTestAccess.h"
#include "tests/TestFiles.h"
#include "tools/Verify.h"

namespace {

DataFileContent Content() {
    DataFileContent content = MakeWordList(NumberedWords(20), 6);  // 4 word blocks
    content.words[2].entries = {3, 20, 1};
    content.nEntryBlockLimit = 100;  // several entry blocks
    return content;
}

// The relations of entry nEntry of the word at nPos, and the pages of the rest: whatever they
// answer stays inside the file's words, entries and kinds.
void ExerciseRelations(DictionaryFile& dict, int nPos, int32_t nEntry) {
    std::vector<RelatedWord> words;
    std::vector<EntryMember> members;
    dict.GetEntryMembers(static_cast<uint32_t>(nEntry), members);
    for (const EntryMember& member : members) {
        EXPECT_LT(static_cast<uint32_t>(member.nPos), dict.GetWordCount());
    }
    if (!dict.GetRelatedWords(nPos, static_cast<uint32_t>(nEntry), words)) return;
    for (const RelatedWord& word : words) {
        EXPECT_LT(static_cast<uint32_t>(word.nPos), dict.GetWordCount());
        EXPECT_GE(word.nEntry, 1u);
        EXPECT_LE(word.nEntry, dict.GetTotalEntries());
        ASSERT_GE(word.nKind, 1);
        ASSERT_LE(word.nKind, 26);
        std::string strPage;
        EXPECT_TRUE(BuildRelationPage(dict, nPos, static_cast<uint32_t>(nEntry), word.nKind,
                                      strPage));
        size_t nPage = 99;
        EXPECT_TRUE(FindEntryPage(dict, nPos, static_cast<uint32_t>(nEntry), nPage));
    }
}

// Runs every operation over whatever the file announces; returns whether Open succeeded.
bool Exercise(const std::vector<unsigned char>& file) {
    const std::string strPath = TestPath("damaged.pdb");
    EXPECT_TRUE(SaveBytes(strPath, file));
    DictionaryFile dict;
    if (!dict.Open(strPath.c_str())) {
        EXPECT_EQ(dict.GetWordCount(), 0u);
        EXPECT_FALSE(dict.IsOpen());
        return false;
    }
    const int W = static_cast<int>(dict.GetWordCount());
    for (const char* lpszText : {"", "w", "w005", "w0055", "w005s", "aaa", "zzz", "\xFF", "\xE9"}) {
        const int nPos = dict.FindWord(lpszText);
        EXPECT_GE(nPos, 0);
        EXPECT_LT(nPos, W);
        int nResolved = -1;
        Resolution how = Resolution::kExact;
        EXPECT_TRUE(ResolveWord(dict, lpszText, nResolved, how));
        EXPECT_GE(nResolved, 0);
        EXPECT_LT(nResolved, W);
    }
    for (int p = 0; p < W; ++p) {
        std::string strWord;
        dict.GetWord(p, strWord);
        std::vector<int32_t> numbers;
        if (!dict.GetEntryNumbers(p, numbers)) continue;
        for (int32_t e : numbers) {
            std::string strSyn, strDef, strUse;
            int nSynonyms = 0;
            dict.ReadEntry(p, e, strSyn, nSynonyms, strDef, strUse);
            ExerciseRelations(dict, p, e);
        }
        // One page per run of entries: at least one when there are entries, at most one each.
        std::vector<NamedPage> pages;
        EXPECT_TRUE(BuildWordPages(dict, p, pages));
        EXPECT_LE(pages.size(), numbers.size());
        EXPECT_EQ(pages.empty(), numbers.empty());
    }
    return true;
}

std::vector<unsigned char> Sound() { return BuildBytes(Content()); }

void PutU16(std::vector<unsigned char>& file, size_t nOffset, uint16_t v) { WriteU16BE(file.data() + nOffset, v); }
void PutU32(std::vector<unsigned char>& file, size_t nOffset, uint32_t v) { WriteU32BE(file.data() + nOffset, v); }

// Replaces record nRecord's bytes and reassembles the container.
std::vector<unsigned char> WithRecord(const std::vector<unsigned char>& file, int nRecord,
                                      const std::string& strRecord) {
    std::vector<std::string> records = SplitRecords(file);
    records[nRecord] = strRecord;
    std::vector<unsigned char> out;
    EXPECT_TRUE(AssembleContainer("LexanoData_WN", records, out));
    return out;
}

const size_t kHeader = 0;  // offsets inside the header record, relative to its start

}  // namespace

TEST(ContainerCorruption, SoundFileOpens) { EXPECT_TRUE(Exercise(Sound())); }

TEST(ContainerCorruption, TruncationAtEveryPrefix) {
    const std::vector<unsigned char> file = Sound();
    const uint32_t nIndexEnd = RecordOffset(file, 6);  // the entry index record ends here
    for (size_t nSize = 0; nSize < file.size(); ++nSize) {
        const std::vector<unsigned char> prefix(file.begin(), file.begin() + nSize);
        const bool bOpened = Exercise(prefix);
        // Without its whole entry index record no file may open.
        if (nSize < nIndexEnd) {
            EXPECT_FALSE(bOpened) << nSize;
        }
    }
}

TEST(ContainerCorruption, LyingRecordTable) {
    const std::vector<unsigned char> sound = Sound();
    std::vector<unsigned char> file = sound;
    PutU16(file, 76, 0);  // no records
    EXPECT_FALSE(Exercise(file));
    file = sound;
    PutU16(file, 76, 0xFFFF);  // table runs past the file
    EXPECT_FALSE(Exercise(file));
    file = sound;
    PutU16(file, 76, 5);  // too few records for the entry blocks announced
    EXPECT_FALSE(Exercise(file));
    file = sound;
    PutU32(file, 78 + 8 * 3, 0xFFFFFF00u);  // offset beyond the file
    EXPECT_FALSE(Exercise(file));
    file = sound;
    PutU32(file, 78 + 8 * 3, RecordOffset(sound, 1));  // descending
    EXPECT_FALSE(Exercise(file));
    file = sound;
    PutU32(file, 78, 10);  // record 0 inside the header
    EXPECT_FALSE(Exercise(file));
}

TEST(ContainerCorruption, LyingHeaderRecord) {
    const std::vector<unsigned char> sound = Sound();
    const uint32_t h = RecordOffset(sound, 0) + kHeader;
    struct Case {
        size_t nOffset;
        int nWidth;
        uint32_t nValue;
        bool bOpens;
    } const kCases[] = {
        {1, 2, 0, false},       // c = 0
        {3, 2, 0, false},       // k = 0
        {10, 1, 0, false},      // n = 0
        {6, 4, 25, false},      // more words than 4 blocks of 6 hold
        {6, 4, 18, false},      // the last block would be empty
        {6, 4, 19, true},       // the last block holds one word
        {6, 4, 0xFFFFFFFF, false},
        {3, 2, 0xFFFF, false},  // k past the record count
        {3, 2, 3, false},       // record 4 read as the entry index record
        {5, 1, 0, true},        // max word length 0: blocks fail to load, nothing crashes
        {1, 2, 10, true},       // c too small for the blocks: loads fail
    };
    for (const Case& c : kCases) {
        std::vector<unsigned char> file = sound;
        if (c.nWidth == 1) file[h + c.nOffset] = static_cast<unsigned char>(c.nValue);
        if (c.nWidth == 2) PutU16(file, h + c.nOffset, static_cast<uint16_t>(c.nValue));
        if (c.nWidth == 4) PutU32(file, h + c.nOffset, c.nValue);
        EXPECT_EQ(Exercise(file), c.bOpens) << c.nOffset << " = " << c.nValue;
    }
}

TEST(ContainerCorruption, LyingEntryIndexRecord) {
    const std::vector<unsigned char> sound = Sound();
    const uint32_t x = RecordOffset(sound, 5);
    std::vector<unsigned char> file = sound;
    PutU16(file, x + 23, 0xFFFF);  // more entry blocks than records and table
    EXPECT_FALSE(Exercise(file));
    file = sound;
    PutU16(file, x + 25, 0xFFFF);  // a block that claims 65535 entries: reads fail, no crash
    EXPECT_TRUE(Exercise(file));
    file = sound;
    PutU32(file, x + 5, 0xFFFFFFFFu);  // huge group counts
    PutU32(file, x + 9, 0xFFFFFFFFu);
    EXPECT_TRUE(Exercise(file));
}

TEST(WordBlockCorruption, DamagedBlocksFailWithoutCrashing) {
    const std::vector<unsigned char> sound = Sound();
    const uint32_t b2 = RecordOffset(sound, 2);
    const uint32_t b3 = RecordOffset(sound, 3);
    std::vector<std::vector<unsigned char>> damaged;
    std::vector<unsigned char> file = sound;
    file[b2] = 200;  // key longer than the maximum word length
    damaged.push_back(file);
    file = sound;
    for (uint32_t i = b2 + 10; i < b3; ++i) file[i] ^= 0x5A;  // zlib garbage
    damaged.push_back(file);
    damaged.push_back(WithRecord(sound, 2, std::string("\x04w006", 5)));  // no compressed part
    damaged.push_back(WithRecord(sound, 2, WordBlockRecord("w006", std::string(2000, 'x'))));  // > c
    damaged.push_back(WithRecord(sound, 2, "\x04w006" + std::string(3000, 'y')));  // > c + c/50 + 12
    // Pairs whose texts run past the data.
    damaged.push_back(WithRecord(sound, 2, WordBlockRecord("w006", std::string(12, '\x30') + "ab")));
    // Texts longer than the maximum word length.
    damaged.push_back(WithRecord(sound, 2, WordBlockRecord("w006", std::string(12, '\x09') + std::string(60, 'q'))));
    // Fewer bytes than the pair area.
    damaged.push_back(WithRecord(sound, 2, WordBlockRecord("w006", "\x01\x01")));
    // A word of a valid length that claims more entries than the block holds.
    std::string strPairs = std::string("\x04\xFF", 2);
    std::string strWords = "w006" + std::string("\0\0\x01", 3);
    for (const char* lpszWord : {"w007", "w008", "w009", "w010", "w011"}) {
        strPairs += std::string("\x04\x01", 2);
        strWords += lpszWord + std::string("\0\0\x01", 3);
    }
    damaged.push_back(WithRecord(sound, 2, WordBlockRecord("w006", strPairs + strWords)));

    for (const std::vector<unsigned char>& bad : damaged) {
        ASSERT_TRUE(Exercise(bad));
        const std::string strPath = TestPath("badblock.pdb");
        ASSERT_TRUE(SaveBytes(strPath, bad));
        DictionaryFile dict;
        ASSERT_TRUE(dict.Open(strPath.c_str()));
        std::string strWord = "kept";
        int nCount = 3;
        EXPECT_FALSE(dict.GetWord(7, strWord));
        EXPECT_FALSE(dict.GetEntryNumbers(7, nullptr, nCount));
        EXPECT_EQ(strWord, "kept");
        EXPECT_EQ(nCount, 3);
        EXPECT_EQ(dict.FindWord("w008"), 6);  // the first position of the block it picked
        // Other blocks still answer, before and after the damaged one.
        EXPECT_TRUE(dict.GetWord(5, strWord));
        EXPECT_EQ(strWord, "w005");
        EXPECT_FALSE(dict.GetWord(6, strWord));
        EXPECT_TRUE(dict.GetWord(12, strWord));
        EXPECT_EQ(strWord, "w012");
    }
}

TEST(WordBlockCorruption, FillerPairsOfTheLastBlockAreNeverRead) {
    // Six words in blocks of four: the last block holds two words, and its two filler pairs
    // claim 200-byte texts that its data does not hold.
    const std::vector<unsigned char> sound = BuildBytes(MakeWordList(NumberedWords(6), 4));
    std::string strBlock("\x04\x01\x04\x01\xC8\x00\xC8\x00", 8);
    strBlock += std::string("w004\x00\x00\x05", 7) + std::string("w005\x00\x00\x06", 7);
    const std::vector<unsigned char> file = WithRecord(sound, 2, WordBlockRecord("w004", strBlock));
    const std::string strPath = TestPath("filler.pdb");
    ASSERT_TRUE(SaveBytes(strPath, file));
    DictionaryFile dict;
    ASSERT_TRUE(dict.Open(strPath.c_str()));
    DictionaryFileTestAccess::Slot* pSlot = nullptr;
    ASSERT_TRUE(DictionaryFileTestAccess::GetWordBlock(dict, 2, pSlot));
    char buffer[256] = "kept";
    for (int i : {2, 3}) {
        DictionaryFileTestAccess::CopyWordText(dict, i, buffer, pSlot);
        EXPECT_STREQ(buffer, "kept") << i;
    }
    DictionaryFileTestAccess::CopyWordText(dict, 1, buffer, pSlot);
    EXPECT_STREQ(buffer, "w005");
    EXPECT_EQ(dict.FindWord("zzz"), 5);
}

TEST(EntryBlockCorruption, DamagedEntriesReadAsFailures) {
    const std::vector<unsigned char> sound = Sound();
    const int nFirstEntryBlock = 6;
    std::vector<std::vector<unsigned char>> damaged;
    damaged.push_back(WithRecord(sound, nFirstEntryBlock, std::string(16724, 'x')));  // too large
    damaged.push_back(WithRecord(sound, nFirstEntryBlock, "garbage that is no zlib stream"));
    damaged.push_back(WithRecord(sound, nFirstEntryBlock, ""));
    damaged.push_back(WithRecord(sound, nFirstEntryBlock, Compress(std::string("\x00\x01xyz", 5))));  // L < 2
    damaged.push_back(WithRecord(sound, nFirstEntryBlock, Compress(std::string("\x00\x40xyz", 5))));  // past the data
    damaged.push_back(WithRecord(sound, nFirstEntryBlock, Compress(std::string(17000, 'a'))));  // > 16384
    for (const std::vector<unsigned char>& bad : damaged) {
        ASSERT_TRUE(Exercise(bad));
        const std::string strPath = TestPath("badentry.pdb");
        ASSERT_TRUE(SaveBytes(strPath, bad));
        DictionaryFile dict;
        ASSERT_TRUE(dict.Open(strPath.c_str()));
        std::string strSyn = "kept", strDef, strUse;
        int nCount = 4;
        EXPECT_FALSE(dict.ReadEntry(0, 1, strSyn, nCount, strDef, strUse));
        EXPECT_EQ(strSyn, "kept");
        EXPECT_EQ(nCount, 4);
        EXPECT_TRUE(dict.ReadEntry(19, 20, strSyn, nCount, strDef, strUse));  // another block
        EXPECT_EQ(strDef, "definition of w019");
    }
}

TEST(ContainerCorruption, FileEmptiedWhileOpenAnswersRightOnceRestored) {
    DataFileContent content = MakeWordList(NumberedWords(300), 4);  // 75 blocks: keys are kept
    content.exceptions[0] = {{"aaa", "w001"}};
    content.bSpellingIndex = true;
    const std::vector<unsigned char> bytes = BuildBytes(content);
    const std::string strPath = TestPath("emptied.pdb");
    ASSERT_TRUE(SaveBytes(strPath, bytes));
    DictionaryFile dict;
    ASSERT_TRUE(dict.Open(strPath.c_str()));
    std::string strWord;
    ASSERT_TRUE(dict.GetWord(150, strWord));  // a block in a slot from before
    auto resolve = [&dict](const char* lpszText) {
        int nPos = -1;
        Resolution how = Resolution::kExact;
        EXPECT_TRUE(ResolveWord(dict, lpszText, nPos, how));
        std::string strFound;
        dict.GetWord(nPos, strFound);
        return strFound + " " + ResolutionName(how);
    };

    // Emptied in place, the same file as the engine holds open: reads fail, answers stay in
    // range, and nothing read now may be kept.
    ASSERT_TRUE(SaveBytes(strPath, {}));
    for (int p = 0; p < 300; p += 7) {
        const int nPos = dict.FindWord(content.words[p].strText);
        EXPECT_TRUE(nPos >= 0 && nPos < 300) << nPos;
        dict.GetWord(p, strWord);
        std::string strSyn, strDef, strUse;
        int nCount = 0;
        EXPECT_FALSE(dict.ReadEntry(p, p + 1, strSyn, nCount, strDef, strUse));
    }
    resolve("aaa");
    resolve("w150s");
    resolve("w15x");  // the spelling index, first asked for now

    // Restored: every answer is right again.
    ASSERT_TRUE(SaveBytes(strPath, bytes));
    for (int p = 0; p < 300; ++p) {
        const std::string& strText = content.words[p].strText;
        EXPECT_EQ(dict.FindWord(strText), p) << strText;
        ASSERT_TRUE(dict.GetWord(p, strWord));
        EXPECT_EQ(strWord, strText);
        std::string strSyn, strDef, strUse;
        int nCount = 0;
        ASSERT_TRUE(dict.ReadEntry(p, p + 1, strSyn, nCount, strDef, strUse));
        EXPECT_EQ(strDef, "definition of " + strText);
    }
    EXPECT_EQ(resolve("aaa"), "w001 form");
    EXPECT_EQ(resolve("w150s"), "w150 form");
    EXPECT_EQ(resolve("w15x"), "w150 spelling");
}

TEST(ContainerCorruption, EveryByteFlipped) {
    const std::vector<unsigned char> sound = Sound();
    for (size_t i = 0; i < sound.size(); ++i) {
        std::vector<unsigned char> file = sound;
        file[i] ^= static_cast<unsigned char>(0x80 | (i * 37));
        Exercise(file);
    }
}

namespace {

// The sound file with a noun exception list after its entry blocks: "aaa" is a form of "w001".
DataFileContent MorphologyContent() {
    DataFileContent content = Content();
    content.exceptions[0] = {{"aaa", "w001"}, {"w00x", "w002"}, {"zzz", "w019"}};
    return content;
}

std::string ResolveText(const std::string& strPath, const std::string& strText) {
    DictionaryFile dict;
    if (!dict.Open(strPath.c_str())) return "(no open)";
    int nPos = -1;
    Resolution how = Resolution::kExact;
    ResolveWord(dict, strText, nPos, how);
    std::string strWord;
    dict.GetWord(nPos, strWord);
    return strWord + " " + ResolutionName(how);
}

// A morphology record from its parts, for lying headers.
std::string MorphologyRecord(const char* lpszTag, char chCode, uint32_t nPairs, uint32_t nSize,
                             const std::string& strStream) {
    std::string str(lpszTag, 4);
    str += chCode;
    str += '\0';
    unsigned char b[4];
    WriteU32BE(b, nPairs);
    str.append(reinterpret_cast<char*>(b), 4);
    WriteU32BE(b, nSize);
    str.append(reinterpret_cast<char*>(b), 4);
    return str + strStream;
}

}  // namespace

TEST(MorphologyCorruption, SoundRecordsFollowTheEntryBlocksUnseenByTheRest) {
    const std::vector<unsigned char> plain = Sound();
    const std::vector<unsigned char> file = BuildBytes(MorphologyContent());
    const int nRecords = ReadU16BE(plain.data() + 76);
    ASSERT_EQ(ReadU16BE(file.data() + 76), nRecords + 1);
    // Everything before the new record is byte for byte the same, offsets included; the last
    // entry block now ends where the morphology record starts.
    EXPECT_EQ(0, std::memcmp(plain.data() + 78 + 8 * nRecords, file.data() + 78 + 8 * (nRecords + 1),
                             plain.size() - 78 - 8 * nRecords));
    const std::string strPath = TestPath("morphology.pdb");
    ASSERT_TRUE(SaveBytes(strPath, file));
    EXPECT_TRUE(Exercise(file));
    DictionaryFile dict;
    ASSERT_TRUE(dict.Open(strPath.c_str()));
    EXPECT_EQ(DictionaryFileTestAccess::GetRecordOffset(dict, nRecords) -
                  DictionaryFileTestAccess::GetRecordOffset(dict, nRecords - 1),
              plain.size() - RecordOffset(plain, nRecords - 1));
    std::string strSyn, strDef, strUse;
    int nCount = 0;
    ASSERT_TRUE(dict.ReadEntry(19, 20, strSyn, nCount, strDef, strUse));  // in the last block
    EXPECT_EQ(strDef, "definition of w019");
    std::string strReport;
    EXPECT_TRUE(VerifyDataFile(strPath.c_str(), strReport)) << strReport;
    EXPECT_NE(strReport.find(", 1 exception lists"), std::string::npos) << strReport;
    EXPECT_EQ(ResolveText(strPath, "aaa"), "w001 form");
    EXPECT_EQ(ResolveText(strPath, "zzz"), "w019 form");
}

TEST(MorphologyCorruption, DamagedRecordsAreIgnoredAndRejectedByVerify) {
    const std::vector<unsigned char> sound = BuildBytes(MorphologyContent());
    const int r = ReadU16BE(sound.data() + 76) - 1;
    const std::string strPairs = "aaa\tw001\nw00x\tw002\nzzz\tw019\n";
    std::vector<std::vector<unsigned char>> damaged;
    for (const std::string& strRecord : {
             MorphologyRecord("MEXX", 'N', 3, 31, Compress(strPairs)),   // another tag
             MorphologyRecord("MEXC", 'x', 3, 31, Compress(strPairs)),   // unknown letter
             MorphologyRecord("MEXC", 'N', 4, 31, Compress(strPairs)),   // more pairs than lines
             MorphologyRecord("MEXC", 'N', 3, 30, Compress(strPairs)),   // size too small
             MorphologyRecord("MEXC", 'N', 3, 40, Compress(strPairs)),   // size too large
             MorphologyRecord("MEXC", 'N', 3, 0xFFFFFFF0u, Compress(strPairs)),  // lying size
             MorphologyRecord("MEXC", 'N', 0xFFFFFFFFu, 31, Compress(strPairs)),
             MorphologyRecord("MEXC", 'N', 3, 31, "no zlib stream at all"),
             MorphologyRecord("MEXC", 'N', 3, 31, Compress(strPairs).substr(0, 12)),  // cut short
             MorphologyRecord("MEXC", 'N', 2, 20, Compress("zzz\tw019\naaa\tw001\n")),  // unsorted
             MorphologyRecord("MEXC", 'N', 1, 4, Compress("aaa\n")),
             std::string("MEXC\x4E"),  // shorter than its header
             std::string()}) {
        damaged.push_back(WithRecord(sound, r, strRecord));
    }
    for (size_t i = 0; i < damaged.size(); ++i) {
        SCOPED_TRACE(i);
        ASSERT_TRUE(Exercise(damaged[i]));
        const std::string strPath = TestPath("badmorphology.pdb");
        ASSERT_TRUE(SaveBytes(strPath, damaged[i]));
        std::string strReport;
        EXPECT_FALSE(VerifyDataFile(strPath.c_str(), strReport));
        const bool bTagged = i != 0 && i + 1 != damaged.size();  // not "MEXX", not empty
        EXPECT_NE(strReport.find(bTagged ? "no sound morphology record" : "has an unknown tag"),
                  std::string::npos) << strReport;
        EXPECT_EQ(ResolveText(strPath, "aaa"), "w000 nearest");  // the form step has no list
    }
    // The same list twice: the first counts, verify names the repeat.
    std::vector<unsigned char> twice;
    const uint32_t nStart = RecordOffset(sound, r);
    std::vector<std::string> records;
    for (int i = 0; i <= r; ++i) {
        const uint32_t nEnd = i < r ? RecordOffset(sound, i + 1) : sound.size();
        records.emplace_back(sound.begin() + RecordOffset(sound, i), sound.begin() + nEnd);
    }
    records.emplace_back(sound.begin() + nStart, sound.end());
    ASSERT_TRUE(AssembleContainer("LexanoData_WN", records, twice));
    const std::string strPath = TestPath("twice.pdb");
    ASSERT_TRUE(SaveBytes(strPath, twice));
    std::string strReport;
    EXPECT_FALSE(VerifyDataFile(strPath.c_str(), strReport));
    EXPECT_NE(strReport.find("repeats the Noun exception list"), std::string::npos) << strReport;
    EXPECT_EQ(ResolveText(strPath, "aaa"), "w001 form");
}

namespace {

std::string SaveRecords(const char* lpszName, const std::vector<std::string>& records) {
    std::vector<unsigned char> file;
    EXPECT_TRUE(AssembleContainer("LexanoData_WN", records, file));
    const std::string strPath = TestPath(lpszName);
    EXPECT_TRUE(SaveBytes(strPath, file));
    return strPath;
}

}  // namespace

TEST(MorphologyCorruption, AdditionalRecordsAreBoundedAndTheFirstOfAKindCounts) {
    const std::vector<unsigned char> sound = BuildBytes(MorphologyContent());
    const std::vector<std::string> records = SplitRecords(sound);
    const std::string strNoun = records.back();
    std::string strReport;

    // A second noun list that sends "aaa" elsewhere is never read: the first one counts.
    DataFileContent other = Content();
    other.exceptions[0] = {{"aaa", "w019"}};
    std::vector<std::string> twice = records;
    twice.push_back(SplitRecords(BuildBytes(other)).back());
    std::string strPath = SaveRecords("twonouns.pdb", twice);
    EXPECT_EQ(ResolveText(strPath, "aaa"), "w001 form");
    EXPECT_FALSE(VerifyDataFile(strPath.c_str(), strReport));
    EXPECT_NE(strReport.find("repeats the Noun exception list"), std::string::npos) << strReport;

    // A kind this engine does not know is skipped, before or after the lists; verify names it.
    std::vector<std::string> unknown = records;
    unknown.insert(unknown.end() - 1, "ZZZZ and more of a newer kind");
    unknown.push_back("QQ");
    strPath = SaveRecords("unknownkind.pdb", unknown);
    EXPECT_EQ(ResolveText(strPath, "aaa"), "w001 form");
    EXPECT_FALSE(VerifyDataFile(strPath.c_str(), strReport));
    EXPECT_NE(strReport.find("has an unknown tag"), std::string::npos) << strReport;

    // At most kMaxAdditionalRecords of them: one more rejects the file at Open, before any of
    // them is inflated.
    std::vector<std::string> many = records;
    while (static_cast<int>(many.size() - records.size()) + 1 < DictionaryFile::kMaxAdditionalRecords) {
        many.push_back(strNoun);
    }
    strPath = SaveRecords("manyrecords.pdb", many);
    EXPECT_EQ(ResolveText(strPath, "aaa"), "w001 form");
    many.push_back(strNoun);
    strPath = SaveRecords("toomanyrecords.pdb", many);
    EXPECT_EQ(ResolveText(strPath, "aaa"), "(no open)");
    EXPECT_FALSE(VerifyDataFile(strPath.c_str(), strReport));
}

TEST(ContainerCorruption, VerifyNamesBytesAfterAZlibStream) {
    const std::vector<unsigned char> sound = BuildBytes(MorphologyContent());
    const std::vector<std::string> records = SplitRecords(sound);
    const int nLast = static_cast<int>(records.size()) - 1;  // the noun exception list
    const std::string strLast = std::to_string(nLast);
    const std::string strLastEntryBlock = "entry block " + std::to_string(nLast - 6);
    struct Case {
        int nRecord;  // gets two bytes more
        std::string strReport;
    } const kCases[] = {
        {2, "word block 2 has bytes after its zlib stream"},
        {6, "entry block 1 has bytes after its zlib stream"},
        {nLast - 1, strLastEntryBlock + " has bytes after its zlib stream"},
        {nLast, "record " + strLast + " after the entry blocks has bytes after its zlib stream "
                "(at the end of the file)"},
    };
    std::vector<std::vector<unsigned char>> files;
    for (const Case& c : kCases) {
        std::vector<std::string> longer = records;
        longer[c.nRecord] += "xy";
        files.emplace_back();
        ASSERT_TRUE(AssembleContainer("LexanoData_WN", longer, files.back()));
    }
    // A record count one too small: the last entry block runs on over the exception list.
    files.push_back(sound);
    WriteU16BE(files.back().data() + 76, static_cast<uint16_t>(nLast));
    // Bytes after the last record of a file without additional records.
    files.push_back(Sound());
    files.back().push_back('z');
    const std::string kReports[] = {
        kCases[0].strReport, kCases[1].strReport, kCases[2].strReport, kCases[3].strReport,
        strLastEntryBlock + " has bytes after its zlib stream (at the end of the file)",
        "entry block " + std::to_string(ReadU16BE(files.back().data() + 76) - 6) +
            " has bytes after its zlib stream (at the end of the file)"};
    for (size_t i = 0; i < files.size(); ++i) {
        SCOPED_TRACE(kReports[i]);
        EXPECT_TRUE(Exercise(files[i]));  // the engine reads the streams as before
        const std::string strPath = TestPath("trailing.pdb");
        ASSERT_TRUE(SaveBytes(strPath, files[i]));
        std::string strReport;
        EXPECT_FALSE(VerifyDataFile(strPath.c_str(), strReport));
        EXPECT_EQ(strReport, kReports[i]);
    }
}

TEST(MorphologyCorruption, EveryPrefixAndFlippedByteOfTheRecord) {
    const std::vector<unsigned char> sound = BuildBytes(MorphologyContent());
    const uint32_t nStart = RecordOffset(sound, ReadU16BE(sound.data() + 76) - 1);
    for (size_t nSize = nStart; nSize < sound.size(); ++nSize) {
        EXPECT_TRUE(Exercise(std::vector<unsigned char>(sound.begin(), sound.begin() + nSize))) << nSize;
    }
    for (size_t i = nStart; i < sound.size(); ++i) {
        std::vector<unsigned char> file = sound;
        file[i] ^= static_cast<unsigned char>(0x80 | (i * 37));
        EXPECT_TRUE(Exercise(file)) << i;
    }
}

namespace {

// RelationContent with an exception list and its relations in chunks of three entries: chunk 0
// holds entries 1-3, chunk 1 entries 4-6, chunk 2 entry 7.
DataFileContent ChunkedRelations() {
    DataFileContent content = RelationContent();
    content.nRelationEntriesPerChunk = 3;
    content.exceptions[0] = {{"dogs", "dog"}};
    return content;
}

// A relation record taken apart, to be put together again with changes.
struct RelationParts {
    std::string strHeader;               // the 32 bytes
    std::vector<std::string> chunks;     // decompressed
    std::vector<uint32_t> sizes;         // as the table states them
    std::vector<std::string> streams;    // as stored
    std::string strMembers, strTexts;
};

RelationParts TakeApart(const std::string& strRecord) {
    const unsigned char* p = reinterpret_cast<const unsigned char*>(strRecord.data());
    RelationParts parts;
    parts.strHeader = strRecord.substr(0, 32);
    const uint32_t C = ReadU16BE(p + 14), nMembers = ReadU32BE(p + 16);
    const uint32_t nTexts = ReadU32BE(p + 24);
    for (uint32_t c = 0; c < C; ++c) {
        const uint32_t nStart = ReadU32BE(p + 32 + 8 * c);
        const uint32_t nEnd = c + 1 < C ? ReadU32BE(p + 32 + 8 * (c + 1)) : nMembers;
        parts.sizes.push_back(ReadU32BE(p + 36 + 8 * c));
        parts.streams.push_back(strRecord.substr(nStart, nEnd - nStart));
        std::string strChunk(parts.sizes.back(), '\0');
        uLongf nLength = strChunk.size();
        uncompress(reinterpret_cast<Bytef*>(&strChunk[0]), &nLength,
                   reinterpret_cast<const Bytef*>(parts.streams.back().data()),
                   parts.streams.back().size());
        parts.chunks.push_back(strChunk);
    }
    parts.strMembers = strRecord.substr(nMembers, nTexts - nMembers);
    parts.strTexts = strRecord.substr(nTexts);
    return parts;
}

// The record again, with offsets and sizes to fit its parts; bRecompress makes the streams
// and sizes from chunks.
std::string PutTogether(RelationParts parts, bool bRecompress) {
    if (bRecompress) {
        for (size_t c = 0; c < parts.chunks.size(); ++c) {
            parts.streams[c] = Compress(parts.chunks[c]);
            parts.sizes[c] = static_cast<uint32_t>(parts.chunks[c].size());
        }
    }
    std::string strTable;
    uint32_t nOffset = 32 + 8 * static_cast<uint32_t>(parts.streams.size());
    unsigned char b[4];
    for (size_t c = 0; c < parts.streams.size(); ++c) {
        WriteU32BE(b, nOffset);
        strTable.append(reinterpret_cast<char*>(b), 4);
        WriteU32BE(b, parts.sizes[c]);
        strTable.append(reinterpret_cast<char*>(b), 4);
        nOffset += static_cast<uint32_t>(parts.streams[c].size());
    }
    std::string strHeader = parts.strHeader;
    unsigned char* h = reinterpret_cast<unsigned char*>(&strHeader[0]);
    WriteU32BE(h + 16, nOffset);
    WriteU32BE(h + 20, static_cast<uint32_t>(parts.strMembers.size()));
    WriteU32BE(h + 24, nOffset + static_cast<uint32_t>(parts.strMembers.size()));
    WriteU32BE(h + 28, static_cast<uint32_t>(parts.strTexts.size()));
    std::string strRecord = strHeader + strTable;
    for (const std::string& strStream : parts.streams) strRecord += strStream;
    return strRecord + parts.strMembers + parts.strTexts;
}

std::string RelationsOf(DictionaryFile& dict, int nPos, uint32_t nEntry) {
    std::vector<RelatedWord> words;
    if (!dict.GetRelatedWords(nPos, nEntry, words)) return "(none)";
    std::string strText;
    for (const RelatedWord& word : words) strText += word.strText + " ";
    return strText;
}

}  // namespace

TEST(RelationCorruption, SoundRecordFollowsTheMorphologyRecordUnseenByTheRest) {
    DataFileContent content = ChunkedRelations();
    const std::vector<unsigned char> file = BuildBytes(content);
    content.relations.clear();
    const std::vector<unsigned char> plain = BuildBytes(content);
    const int nRecords = ReadU16BE(plain.data() + 76);
    ASSERT_EQ(ReadU16BE(file.data() + 76), nRecords + 1);
    // The records before it are the same bytes; only the table has one entry more.
    EXPECT_EQ(0, std::memcmp(plain.data() + 78 + 8 * nRecords, file.data() + 78 + 8 * (nRecords + 1),
                             plain.size() - 78 - 8 * nRecords));
    EXPECT_TRUE(Exercise(file));
    const std::string strPath = TestPath("relations.pdb");
    ASSERT_TRUE(SaveBytes(strPath, file));
    std::string strReport;
    EXPECT_TRUE(VerifyDataFile(strPath.c_str(), strReport)) << strReport;
    EXPECT_EQ(ResolveText(strPath, "dogs"), "dog form");
}

TEST(RelationCorruption, DamagedRecordsAreHarmlessAndRejectedByVerify) {
    const std::vector<unsigned char> sound = BuildBytes(ChunkedRelations());
    const int r = ReadU16BE(sound.data() + 76) - 1;
    const std::string strSound = SplitRecords(sound).back();
    const RelationParts parts = TakeApart(strSound);
    ASSERT_EQ(parts.chunks.size(), 3u);
    ASSERT_EQ(PutTogether(parts, true), strSound);

    struct Case {
        std::string strRecord;
        const char* lpszReport;
        bool bChunk0Only;  // entries 4-7 still have their relations
    };
    std::vector<Case> cases;
    auto Header = [&](size_t nOffset, int nWidth, uint32_t nValue) {
        std::string str = strSound;
        unsigned char* p = reinterpret_cast<unsigned char*>(&str[0]) + nOffset;
        if (nWidth == 2) WriteU16BE(p, static_cast<uint16_t>(nValue));
        if (nWidth == 4) WriteU32BE(p, nValue);
        return str;
    };
    const char* const kNoRecord = "no sound relation record";
    cases.push_back({Header(4, 4, 8), kNoRecord, false});           // another entry count
    cases.push_back({Header(8, 4, 12), kNoRecord, false});          // another word count
    cases.push_back({Header(8, 4, 0xFFFFFFFFu), kNoRecord, false});
    cases.push_back({Header(12, 2, 0), kNoRecord, false});          // no entries per chunk
    cases.push_back({Header(14, 2, 2), kNoRecord, false});          // a chunk fewer
    cases.push_back({Header(16, 4, 40), kNoRecord, false});         // members inside the table
    cases.push_back({Header(28, 4, 0xFFFFFF00u), kNoRecord, false});  // texts past the record
    cases.push_back({Header(32, 4, 8), kNoRecord, false});          // a stream over the table
    cases.push_back({Header(40, 4, 0), kNoRecord, false});          // descending streams
    cases.push_back({Header(36, 4, 0), kNoRecord, false});          // a chunk of no bytes
    cases.push_back({Header(36, 4, 0x7FFFFFFF), kNoRecord, false});  // above 1 MiB
    cases.push_back({strSound.substr(0, 31), kNoRecord, false});
    cases.push_back({Header(36, 4, parts.sizes[0] + 1), "relation chunk 0 is damaged", true});
    RelationParts garbage = parts;
    garbage.streams[0] = "no zlib stream";
    cases.push_back({PutTogether(garbage, false), "relation chunk 0 is damaged", true});
    // Chunks that inflate but lie inside: a kind of 27, a target of 0, a byte too many, an
    // item count past the data, kinds out of order.
    for (const auto& patch : std::vector<std::pair<size_t, std::string>>{
             {2, std::string("\x1B", 1)}, {4, std::string("\x00\x00\x00", 3)},
             {0, std::string("\x00\x09", 2)}, {8, std::string("\x01", 1)}}) {
        RelationParts bad = parts;
        bad.chunks[0].replace(patch.first, patch.second.size(), patch.second);
        cases.push_back({PutTogether(bad, true), "relation chunk 0 is damaged", true});
    }
    RelationParts longer = parts;
    longer.chunks[0] += 'x';
    cases.push_back({PutTogether(longer, true), "relation chunk 0 is damaged", true});
    // A relation from the third word of a sense of two: the item is skipped.
    RelationParts source = parts;
    source.chunks[0][3] = 3;
    cases.push_back({PutTogether(source, true), "a word that its sense lacks", true});
    // Members: a position past the words, a group offset that lies, puppy's entry naming
    // animal instead, a member count past the section.
    const char* const kWordsDamaged = "words of the entries or its texts of the words are damaged";
    for (const auto& patch : std::vector<std::pair<size_t, std::string>>{
             {5, std::string("\x00\x00\x20", 3)}, {0, std::string("\x00\x00\x00\x09", 4)},
             {19, std::string("\x00\x00\x00", 3)}, {4, std::string("\xFF", 1)}}) {
        RelationParts bad = parts;
        bad.strMembers.replace(patch.first, patch.second.size(), patch.second);
        cases.push_back({PutTogether(bad, true),
                         patch.first == 19 ? "are not the words that name them" : kWordsDamaged,
                         false});
    }
    // Texts that spell a word otherwise, and that run past the section.
    RelationParts spelled = parts;
    spelled.strTexts[spelled.strTexts.size() - 1] = 'X';
    cases.push_back({PutTogether(spelled, true), "spells word 10 otherwise", false});
    RelationParts cut = parts;
    cut.strTexts.pop_back();
    cases.push_back({PutTogether(cut, true), kWordsDamaged, false});

    for (size_t i = 0; i < cases.size(); ++i) {
        SCOPED_TRACE(i);
        const std::vector<unsigned char> bad = WithRecord(sound, r, cases[i].strRecord);
        ASSERT_TRUE(Exercise(bad));
        const std::string strPath = TestPath("badrelations.pdb");
        ASSERT_TRUE(SaveBytes(strPath, bad));
        std::string strReport;
        EXPECT_FALSE(VerifyDataFile(strPath.c_str(), strReport));
        EXPECT_NE(strReport.find(cases[i].lpszReport), std::string::npos) << strReport;
        // The rest of the file works; the relations of the other chunks too when only chunk 0
        // is damaged.
        EXPECT_EQ(ResolveText(strPath, "dogs"), "dog form");
        DictionaryFile dict;
        ASSERT_TRUE(dict.Open(strPath.c_str()));
        std::vector<NamedPage> pages;
        ASSERT_TRUE(BuildWordPages(dict, 3, pages));
        EXPECT_NE(pages.at(0).second.find("a domestic canine"), std::string::npos);
        if (cases[i].bChunk0Only) {
            EXPECT_EQ(RelationsOf(dict, 2, 5), "small BIG ");
            EXPECT_NE(RelationsOf(dict, 3, 1), "animal beast puppy ");
        }
    }
}

TEST(RelationCorruption, OnlyTheFirstRelationRecordCounts) {
    const std::vector<unsigned char> sound = BuildBytes(ChunkedRelations());
    std::vector<std::string> records = SplitRecords(sound);
    DataFileContent other = ChunkedRelations();
    other.relations[0].clear();  // dog has no relations in the second record
    records.push_back(SplitRecords(BuildBytes(other)).back());
    const std::string strPath = SaveRecords("tworelations.pdb", records);
    DictionaryFile dict;
    ASSERT_TRUE(dict.Open(strPath.c_str()));
    EXPECT_EQ(RelationsOf(dict, 3, 1), "animal beast puppy ");
    std::string strReport;
    EXPECT_FALSE(VerifyDataFile(strPath.c_str(), strReport));
    EXPECT_NE(strReport.find("repeats the relation record"), std::string::npos) << strReport;
}

TEST(RelationCorruption, EveryPrefixAndFlippedByteOfTheRecord) {
    const std::vector<unsigned char> sound = BuildBytes(ChunkedRelations());
    const uint32_t nStart = RecordOffset(sound, ReadU16BE(sound.data() + 76) - 1);
    for (size_t nSize = nStart; nSize < sound.size(); ++nSize) {
        EXPECT_TRUE(Exercise(std::vector<unsigned char>(sound.begin(), sound.begin() + nSize))) << nSize;
    }
    for (size_t i = nStart; i < sound.size(); ++i) {
        std::vector<unsigned char> file = sound;
        file[i] ^= static_cast<unsigned char>(0x80 | (i * 37));
        EXPECT_TRUE(Exercise(file)) << i;
    }
}
