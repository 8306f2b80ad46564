// Single-byte letter case of Windows-1252, the 8-bit text of the engine, the pages and the
// dialog. Covers A-Z, the accented Latin-1 letters and the four letter pairs that 1252 places in
// 0x80-0x9F (Š/š, Œ/œ, Ž/ž, Ÿ/ÿ); every other byte maps to itself.
#ifndef LEXANO_DICTDATA_ANSI_H
#define LEXANO_DICTDATA_ANSI_H

#include <cstdint>
#include <string>

unsigned char AnsiToLower(unsigned char ch);
unsigned char AnsiToUpper(unsigned char ch);

// Returns a copy of strText with every byte lower-cased by AnsiToLower.
std::string AnsiLowerCopy(const std::string& strText);

// Returns a copy of strText with its accented Windows-1252 letters folded to plain ones, in
// either case: "\xE9" (e acute) becomes "e", "\xE6" (ae) "ae", "\x9C" (oe) "oe", "\xDF" (sharp
// s) "ss", "\xFE" (thorn) "th"; every other byte is kept.
std::string AnsiFoldAccents(const std::string& strText);

// The Unicode code point of Windows-1252 byte ch; the five bytes 1252 leaves undefined (0x81,
// 0x8D, 0x8F, 0x90, 0x9D) keep their own value.
uint32_t AnsiToCodePoint(unsigned char ch);

// The Windows-1252 byte of code point nCode; '?' for a character that 1252 lacks.
char CodePointToAnsi(uint32_t nCode);

#endif
