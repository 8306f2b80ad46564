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

// A small dictionary with relations, 2 words per block. Words: animal, beast, big, dog, hound,
// large, little, lord's day, puppy, small, sunday (positions 0 to 10). Entries 1-4 nouns: 1
// dog|hound, 2 animal|beast, 3 puppy, 4 Sunday|Lord's Day; 5-7 adjectives: 5 big|large, 6
// small|little, 7 BIG. Relations: 1 hypernym 2 and hyponym 3, 2 hyponym 1, 3 hypernym 1; 5 and
// 6 antonyms word by word (big-small, large-little), 5 similar 7 and 7 similar 5.
DataFileContent RelationContent();

// Builds content into bytes; fails the current test when the writer refuses.
std::vector<unsigned char> BuildBytes(const DataFileContent& content);

// Builds content into a scratch file named strName and returns its path.
std::string SaveContent(const DataFileContent& content, const std::string& strName);

// Record offset r of a container, read from its record table.
uint32_t RecordOffset(const std::vector<unsigned char>& file, int nRecord);

// The records of a container, each as its bytes.
std::vector<std::string> SplitRecords(const std::vector<unsigned char>& file);

#endif
