// Whole-file check of a dictionary data file, as `lexano-data verify` reports it.
#ifndef LEXANO_TOOLS_VERIFY_H
#define LEXANO_TOOLS_VERIFY_H

#include <string>

// Opens lpszPath and checks every word block, entry block, morphology record and the relation
// record. True when the file is sound; strReport then holds "ok: W words, E entries, K word
// blocks, J entry blocks", followed by ", M exception lists" when the file has morphology
// records and ", R relations" when it has a relation record. False with strReport naming what
// is wrong and where.
bool VerifyDataFile(const char* lpszPath, std::string& strReport);

#endif
