#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <future>

#include "dictdata/BigEndian.h"
#include "dictdata/DictionaryFile.h"
#include "tests/DictionaryFileTestAccess.h"
#include "tests/TestFiles.h"
#include "tests/TestPlatform.h"

namespace {

std::vector<unsigned char> SmallFile() { return BuildBytes(MakeWordList(NumberedWords(10), 4)); }

bool OpensWithName(const char* lpszName, size_t nLength) {
    std::vector<unsigned char> file = SmallFile();
    std::memset(file.data(), 0, 32);
    std::memcpy(file.data(), lpszName, nLength);
    const std::string strPath = TestPath("name.pdb");
    EXPECT_TRUE(SaveBytes(strPath, file));
    DictionaryFile dict;
    return dict.Open(strPath.c_str());
}

}  // namespace

TEST(Container, OpensSoundFileAndReadsDescriptionRecords) {
    const std::vector<unsigned char> file = SmallFile();
    const std::string strPath = TestPath("small.pdb");
    ASSERT_TRUE(SaveBytes(strPath, file));
    DictionaryFile dict;
    EXPECT_FALSE(dict.IsOpen());
    EXPECT_EQ(dict.GetWordCount(), 0u);
    ASSERT_TRUE(dict.Open(strPath.c_str()));
    EXPECT_TRUE(dict.IsOpen());
    const HeaderRecord& h = dict.GetHeaderRecord();
    EXPECT_EQ(h.nWordBlockCount, 3);
    EXPECT_EQ(h.nWordsPerBlock, 4);
    EXPECT_EQ(h.nWordCount, 10u);
    EXPECT_EQ(h.nMaxWordLength, 4);
    EXPECT_EQ(dict.GetDatabaseName(), "LexanoData_WN");
    EXPECT_EQ(dict.GetRecordCount(), 1 + 3 + 1 + 1);
    const EntryIndexRecord& e = dict.GetEntryIndexRecord();
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(e.nPosCode), 4), "NVav");
    EXPECT_EQ(e.nEntryCount[0], 11u);
    EXPECT_EQ(e.nEntryBlockCount, 1);
    EXPECT_EQ(dict.GetTotalEntries(), 10u);
    // The file size is the extra last offset, so the last record's size is a subtraction.
    EXPECT_EQ(dict.GetFileSize(), file.size());
    EXPECT_EQ(DictionaryFileTestAccess::GetRecordOffset(dict, 5), RecordOffset(file, 5));

    dict.Close();
    EXPECT_FALSE(dict.IsOpen());
    EXPECT_EQ(dict.GetWordCount(), 0u);
    dict.Close();
    EXPECT_FALSE(dict.IsOpen());
}

TEST(Container, NameMustStartWithLexanoData) {
    EXPECT_TRUE(OpensWithName("LexanoData", 10));
    EXPECT_TRUE(OpensWithName("LexanoDataXYZ whatever", 22));
    EXPECT_FALSE(OpensWithName("lexanoData", 10));
    EXPECT_FALSE(OpensWithName("LexanoDat", 9));
    EXPECT_FALSE(OpensWithName("LexanoDatA", 10));
    EXPECT_FALSE(OpensWithName("", 0));
}

TEST(Container, MissingFileLeavesEngineClosed) {
    DictionaryFile dict;
    ASSERT_TRUE(dict.Open(SaveContent(MakeWordList(NumberedWords(3), 2), "first.pdb").c_str()));
    EXPECT_FALSE(dict.Open(TestPath("no-such-file.pdb").c_str()));
    EXPECT_FALSE(dict.IsOpen());
    EXPECT_EQ(dict.GetWordCount(), 0u);
    std::string strWord = "untouched";
    EXPECT_FALSE(dict.GetWord(0, strWord));
    EXPECT_EQ(strWord, "untouched");
    EXPECT_FALSE(dict.Open(nullptr));
    dict.Close();
}

TEST(Container, RefusesAtOnceWhatIsNotARegularFile) {
    const std::string strFolder = TestPath("folder.pdb");
    MakeDirectory(strFolder);
    DictionaryFile dict;
    EXPECT_FALSE(dict.Open(strFolder.c_str()));
    EXPECT_FALSE(dict.IsOpen());

#ifndef _WIN32
    // A FIFO that nobody writes to: opening it must not wait for a writer.
    const std::string strFifo = TestPath("fifo.pdb");
    ASSERT_TRUE(MakeFifo(strFifo));
    auto opened = std::async(std::launch::async, [&strFifo] {
        DictionaryFile fifo;
        return fifo.Open(strFifo.c_str());
    });
    if (opened.wait_for(std::chrono::seconds(20)) != std::future_status::ready) {
        ReleaseFifoReader(strFifo);
        ADD_FAILURE() << "Open waits for a writer of the FIFO";
    }
    EXPECT_FALSE(opened.get());
#endif
}

TEST(Container, IgnoresFieldsItDoesNotInterpret) {
    std::vector<unsigned char> file = SmallFile();
    // Record attributes and unique IDs, container dates, the header record's and the entry
    // index record's spare bytes.
    for (int r = 0; r < 6; ++r) std::memset(file.data() + 78 + 8 * r + 4, 0xA5, 4);
    std::memset(file.data() + 32, 0xEE, 44);
    const uint32_t h = RecordOffset(file, 0);
    file[h] = 0x7F;
    std::memset(file.data() + h + 11, 0xFF, 4);
    const uint32_t x = RecordOffset(file, 4);
    file[x] = 0x33;
    file[x + 21] = file[x + 22] = 0x44;
    const std::string strPath = TestPath("fields.pdb");
    ASSERT_TRUE(SaveBytes(strPath, file));
    DictionaryFile dict;
    ASSERT_TRUE(dict.Open(strPath.c_str()));
    std::string strWord;
    ASSERT_TRUE(dict.GetWord(9, strWord));
    EXPECT_EQ(strWord, "w009");
    EXPECT_EQ(dict.FindWord("w005"), 5);
}

TEST(Container, HeaderRecordLongerThanFifteenBytesIsReadInPart) {
    DataFileContent content = MakeWordList(NumberedWords(5), 2);
    std::vector<unsigned char> file = BuildBytes(content);
    // Rebuild the container with 20 bytes of junk after the header record.
    std::vector<std::string> records;
    for (int r = 0; r < ReadU16BE(file.data() + 76); ++r) {
        const uint32_t nEnd = r + 1 < ReadU16BE(file.data() + 76) ? RecordOffset(file, r + 1)
                                                                  : file.size();
        records.emplace_back(file.begin() + RecordOffset(file, r), file.begin() + nEnd);
    }
    records[0] += std::string(20, '\x7F');
    std::vector<unsigned char> longer;
    ASSERT_TRUE(AssembleContainer("LexanoData_WN", records, longer));
    const std::string strPath = TestPath("longheader.pdb");
    ASSERT_TRUE(SaveBytes(strPath, longer));
    DictionaryFile dict;
    ASSERT_TRUE(dict.Open(strPath.c_str()));
    EXPECT_EQ(dict.GetHeaderRecord().nWordCount, 5u);
    std::string strWord;
    EXPECT_TRUE(dict.GetWord(4, strWord));
    EXPECT_EQ(strWord, "w004");
}

TEST(Container, ReadRecordKeyChecksItsRecordNumber) {
    DictionaryFile dict;
    unsigned char buffer[8];
    std::memset(buffer, 'x', sizeof buffer);
    EXPECT_FALSE(DictionaryFileTestAccess::ReadRecordKey(dict, 1, buffer));
    ASSERT_TRUE(dict.Open(SaveContent(MakeWordList(NumberedWords(10), 4), "keys.pdb").c_str()));
    EXPECT_FALSE(DictionaryFileTestAccess::ReadRecordKey(dict, 0, buffer));
    EXPECT_FALSE(DictionaryFileTestAccess::ReadRecordKey(dict, -1, buffer));
    EXPECT_FALSE(DictionaryFileTestAccess::ReadRecordKey(dict, dict.GetRecordCount(), buffer));
    EXPECT_EQ(buffer[0], 'x');
    std::memset(buffer, 0, sizeof buffer);
    ASSERT_TRUE(DictionaryFileTestAccess::ReadRecordKey(dict, 2, buffer));
    EXPECT_STREQ(reinterpret_cast<char*>(buffer), "w004");
}
