// A data file whose records lie past 2 GiB, where a 32-bit file position (a `long` on Windows)
// would turn negative. The gap before the records is a hole, so the file takes no disk space
// where the file system supports sparse files.
#include <gtest/gtest.h>

#include <cstdio>

#include "dictdata/BigEndian.h"
#include "dictdata/DictionaryFile.h"
#include "dictdata/FilePosition.h"
#include "tests/TestFiles.h"

namespace {

const uint32_t kShift = 0x80000000u;  // every record moves up by 2 GiB

// Saves file with every record kShift bytes further on; false on failure.
bool SaveShifted(const std::string& strPath, std::vector<unsigned char> file) {
    const int nRecords = ReadU16BE(file.data() + 76);
    const size_t nTableEnd = 78 + 8 * static_cast<size_t>(nRecords);
    for (int r = 0; r < nRecords; ++r) WriteU32BE(file.data() + 78 + 8 * r, RecordOffset(file, r) + kShift);
    FILE* pFile = std::fopen(strPath.c_str(), "wb");
    if (pFile == nullptr) return false;
    bool bOk = std::fwrite(file.data(), 1, nTableEnd, pFile) == nTableEnd &&
               SeekFile(pFile, static_cast<int64_t>(nTableEnd) + kShift, SEEK_SET) &&
               std::fwrite(file.data() + nTableEnd, 1, file.size() - nTableEnd, pFile) ==
                   file.size() - nTableEnd;
    return std::fclose(pFile) == 0 && bOk;
}

}  // namespace

TEST(Container, ReadsRecordsPastTwoGiB) {
    const std::vector<std::string> words = NumberedWords(20);
    const std::string strPath = TestPath("large.pdb");
    ASSERT_TRUE(SaveShifted(strPath, BuildBytes(MakeWordList(words, 3))));
    {
        DictionaryFile dict;
        ASSERT_TRUE(dict.Open(strPath.c_str()));
        ASSERT_EQ(dict.GetWordCount(), words.size());
        for (int p = 0; p < static_cast<int>(words.size()); ++p) {
            std::string strWord, strSynonyms, strDefinition, strUsage;
            int nSynonyms = 0;
            ASSERT_TRUE(dict.GetWord(p, strWord)) << p;
            EXPECT_EQ(strWord, words[p]);
            EXPECT_EQ(dict.FindWord(words[p]), p);
            ASSERT_TRUE(dict.ReadEntry(p, p + 1, strSynonyms, nSynonyms, strDefinition, strUsage));
            EXPECT_EQ(strDefinition, "definition of " + words[p]);
        }
    }
    std::remove(strPath.c_str());
}
