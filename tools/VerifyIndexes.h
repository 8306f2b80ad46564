// The whole-file check of the index records after the entry blocks: the spelling record and the
// meaning index record, each checked in full against the words and entries of the file.
#ifndef LEXANO_TOOLS_VERIFYINDEXES_H
#define LEXANO_TOOLS_VERIFYINDEXES_H

#include <cstdint>
#include <string>

class DictionaryFile;

// True when record nRecord is a sound spelling record of the open file: its header fits, every
// length group holds each word of that length once, at its list position, with its text, and
// its frequencies name words in order. False with strReport saying what is wrong.
bool VerifySpellingRecord(DictionaryFile& dict, int nRecord, std::string& strReport);

// True when record nRecord is a sound meaning index of the open file: its header and sections
// fit, every entry has one rank, ranks follow the number of words in the definitions, each
// entry's first word is the one the index names, and every word lists exactly the entries whose
// definition or examples hold it, with the right in-definition flags. Sets nWords to the number
// of words indexed. False with strReport saying what is wrong.
bool VerifyMeaningRecord(DictionaryFile& dict, int nRecord, uint32_t& nWords, std::string& strReport);

#endif
