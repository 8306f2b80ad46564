// Fixture data files for the tests, built in memory with the project's writer.
#ifndef LEXANO_TESTS_TESTFILES_H
#define LEXANO_TESTS_TESTFILES_H

#include <cstdint>
#include <string>
#include <vector>

#include "tools/DataFileWriter.h"

// A path in the current test's own scratch folder, which is created on first use.
std::string TestPath(const std::string& strName);

// Writes bytes to strPath; false on failure.
bool SaveBytes(const std::string& strPath, const std::vector<unsigned char>& bytes);

// Words in the given order, word p with one noun entry p + 1 whose text is
// "<word>|<word>-syn\ndefinition of <word>".
DataFileContent MakeWordList(const std::vector<std::string>& words, int nWordsPerBlock);

// "w000", "w001", ... : nCount words in order.
std::vector<std::string> NumberedWords(int nCount);

// Builds content into bytes; fails the current test when the writer refuses.
std::vector<unsigned char> BuildBytes(const DataFileContent& content);

// Builds content into a scratch file named strName and returns its path.
std::string SaveContent(const DataFileContent& content, const std::string& strName);

// Record offset r of a container, read from its record table.
uint32_t RecordOffset(const std::vector<unsigned char>& file, int nRecord);

#endif
