#include "tests/TestFiles.h"

#include <gtest/gtest.h>

#include <cstdio>

#include "dictdata/BigEndian.h"
#include "tests/TestPlatform.h"

std::string TestPath(const std::string& strName) {
    // Tests run in parallel processes: each test gets its own folder.
    std::string strDir = LEXANO_TEST_TMPDIR;
    MakeDirectory(strDir);
    if (const ::testing::TestInfo* pInfo = ::testing::UnitTest::GetInstance()->current_test_info()) {
        std::string strTest = std::string(pInfo->test_suite_name()) + "." + pInfo->name();
        for (char& ch : strTest) {
            if (ch == '/') ch = '_';
        }
        strDir += "/" + strTest;
        MakeDirectory(strDir);
    }
    return strDir + "/" + strName;
}

bool SaveBytes(const std::string& strPath, const std::vector<unsigned char>& bytes) {
    FILE* pFile = std::fopen(strPath.c_str(), "wb");
    if (pFile == nullptr) return false;
    const bool bOk = bytes.empty() || std::fwrite(bytes.data(), 1, bytes.size(), pFile) == bytes.size();
    return std::fclose(pFile) == 0 && bOk;
}

DataFileContent MakeWordList(const std::vector<std::string>& words, int nWordsPerBlock) {
    DataFileContent content;
    content.nWordsPerBlock = nWordsPerBlock;
    for (size_t p = 0; p < words.size(); ++p) {
        content.words.push_back({words[p], {static_cast<uint32_t>(p + 1)}});
        content.entries.push_back(words[p] + "|" + words[p] + "-syn\ndefinition of " + words[p]);
    }
    const uint32_t nSizes[4] = {static_cast<uint32_t>(words.size()), 0, 0, 0};
    GroupCountsForSizes(nSizes, content.entryCounts);
    return content;
}

std::vector<std::string> NumberedWords(int nCount) {
    std::vector<std::string> words;
    char buffer[16];
    for (int i = 0; i < nCount; ++i) {
        std::snprintf(buffer, sizeof buffer, "w%03d", i);
        words.push_back(buffer);
    }
    return words;
}

DataFileContent RelationContent() {
    DataFileContent content;
    content.nWordsPerBlock = 2;
    content.entries = {"dog|hound\na domestic canine\nthe dog barked",
                       "animal|beast\na living organism",
                       "puppy\na young dog",
                       "Sunday|Lord's Day\nthe first day of the week",
                       "big|large\nabove average in size",
                       "small|little\nlimited in size",
                       "BIG\nwritten in capitals"};
    content.words = {{"animal", {2}}, {"beast", {2}},      {"big", {5, 7}}, {"dog", {1}},
                     {"hound", {1}},  {"large", {5}},      {"little", {6}}, {"lord's day", {4}},
                     {"puppy", {3}},  {"small", {6}},      {"sunday", {4}}};
    const uint32_t nSizes[4] = {4, 0, 3, 0};
    GroupCountsForSizes(nSizes, content.entryCounts);
    content.relations = {
        {{2, 0, 2, 0}, {4, 0, 3, 0}},
        {{4, 0, 1, 0}},
        {{2, 0, 1, 0}},
        {},
        {{1, 1, 6, 1}, {24, 0, 7, 0}, {1, 2, 6, 2}},
        {{1, 1, 5, 1}, {1, 2, 5, 2}},
        {{24, 0, 5, 0}}};
    return content;
}

std::vector<unsigned char> BuildBytes(const DataFileContent& content) {
    std::vector<unsigned char> bytes;
    std::string strError;
    EXPECT_TRUE(WriteDataFile(content, bytes, strError)) << strError;
    return bytes;
}

std::string SaveContent(const DataFileContent& content, const std::string& strName) {
    const std::string strPath = TestPath(strName);
    EXPECT_TRUE(SaveBytes(strPath, BuildBytes(content)));
    return strPath;
}

uint32_t RecordOffset(const std::vector<unsigned char>& file, int nRecord) {
    return ReadU32BE(file.data() + 78 + 8 * nRecord);
}

std::vector<std::string> SplitRecords(const std::vector<unsigned char>& file) {
    const int nCount = ReadU16BE(file.data() + 76);
    std::vector<std::string> records;
    for (int r = 0; r < nCount; ++r) {
        const uint32_t nEnd = r + 1 < nCount ? RecordOffset(file, r + 1) : file.size();
        records.emplace_back(file.begin() + RecordOffset(file, r), file.begin() + nEnd);
    }
    return records;
}
