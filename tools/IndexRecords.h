// The index records that the writer adds after the entry blocks when asked to: the spelling
// record (dictdata/SpellingIndex.h) and the meaning index record (dictdata/MeaningIndex.h), both
// computed from the words, entries and sense tag counts of the content.
#ifndef LEXANO_TOOLS_INDEXRECORDS_H
#define LEXANO_TOOLS_INDEXRECORDS_H

#include <cstdint>
#include <string>
#include <unordered_map>

#include "tools/DataFileWriter.h"

// The spelling record of content's words, with their sense tag counts (capped at 65535). False,
// strError set, when the list has more words than 3-byte positions can name.
bool SpellingRecordBytes(const DataFileContent& content, std::string& strRecord,
                         std::string& strError);

// The meaning index record of content's entries: every word of their definitions and usage
// examples as the engine splits and decodes them (words longer than 255 bytes are left out), the
// entries ranked by the number of words in their definitions, then by their sense tag counts
// (more first), then by number. An entry's first word is the first of its synonyms that the
// list holds (lower-cased), else the first word of the list that names the entry, else
// position 0. False, strError set, when the content is too large for the record's fields.
bool MeaningRecordBytes(const DataFileContent& content, std::string& strRecord,
                        std::string& strError);

// Shared with the whole-file check.

// The list position the meaning index names as an entry's first word: that of its first
// synonym whose lower-cased text positions holds, else nNamedBy (the first word that names the
// entry, or 0).
uint32_t EntryFirstWord(const std::string& strSynonyms, uint32_t nNamedBy,
                        const std::unordered_map<std::string, uint32_t>& positions);

#endif
