// Whole-file check of a dictionary data file, as `lexano-data verify` reports it.
#ifndef LEXANO_TOOLS_VERIFY_H
#define LEXANO_TOOLS_VERIFY_H

#include <string>

// Opens lpszPath and checks every word block, entry block, morphology record, index record and
// the relation record, each zlib stream ending exactly where its record ends. True when the file
// is sound; strReport then holds "ok: W words, E entries, K word blocks, J entry blocks",
// followed by ", M exception lists" when the file has morphology records, ", a spelling index"
// and ", a meaning index of T words" when it has those, and ", R relations" when it has a
// relation record. False with strReport naming what is wrong and where.
bool VerifyDataFile(const char* lpszPath, std::string& strReport);

// "cannot open PATH as a data file: REASON", for a path that DictionaryFile::Open refused: the
// system's reason when the file is missing or unreadable, "it is a folder", "it is not a
// regular file", or, for a file that opens, "it is not a dictionary, or it is damaged".
std::string CannotOpenMessage(const char* lpszPath);

#endif
