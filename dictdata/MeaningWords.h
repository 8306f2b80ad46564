// The words of the search in meanings: runs of letters and digits (ASCII letters and digits and
// the letters of Windows-1252), compared in lower case with their accents folded ("Café" and
// "cafe" are one word). Everything else separates words: blanks, hyphens, apostrophes, signs.
#ifndef LEXANO_DICTDATA_MEANINGWORDS_H
#define LEXANO_DICTDATA_MEANINGWORDS_H

#include <string>
#include <vector>

// True for the bytes that words are made of.
bool IsMeaningWordByte(unsigned char ch);

// Appends the words of strText to words, in order and with repeats, each lower-cased and with
// its accents folded (AnsiFoldAccents).
void SplitMeaningWords(const std::string& strText, std::vector<std::string>& words);

#endif
