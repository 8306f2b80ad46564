// Single-byte letter case of Windows-1252, the 8-bit text of the engine, the pages and the
// dialog. Covers A-Z, the accented Latin-1 letters and the four letter pairs that 1252 places in
// 0x80-0x9F (Š/š, Œ/œ, Ž/ž, Ÿ/ÿ); every other byte maps to itself.
#ifndef LEXANO_DICTDATA_ANSI_H
#define LEXANO_DICTDATA_ANSI_H

#include <string>

unsigned char AnsiToLower(unsigned char ch);
unsigned char AnsiToUpper(unsigned char ch);

// Returns a copy of strText with every byte lower-cased by AnsiToLower.
std::string AnsiLowerCopy(const std::string& strText);

// Returns a copy of strText with its accented Windows-1252 letters folded to plain ones, in
// either case: "\xE9" (e acute) becomes "e", "\xE6" (ae) "ae", "\x9C" (oe) "oe", "\xDF" (sharp
// s) "ss", "\xFE" (thorn) "th"; every other byte is kept.
std::string AnsiFoldAccents(const std::string& strText);


#endif
