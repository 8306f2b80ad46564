// The text a search takes, as a person means it. Text taken from a page or the clipboard comes
// with what is not part of the word: the spaces around it, the comma or full stop after it, the
// quotation marks around it, and typographic apostrophes, quotes and dashes where the word list
// has plain ones ("rock ’n’ roll" for "rock 'n' roll"). Plain string work on Windows-1252 text.
#ifndef LEXANO_DICTDATA_SEARCHTEXT_H
#define LEXANO_DICTDATA_SEARCHTEXT_H

#include <cstddef>
#include <string>
#include <vector>

// strText without white space at either end (space, tab, line feed, vertical tab, form feed,
// carriage return and the no-break space 0xA0), with the typographic marks of 1252 in their
// plain forms: the single quotes 0x91, 0x92, 0x82, 0x8B, 0x9B as "'", the double quotes 0x93,
// 0x94, 0x84, 0xAB, 0xBB as '"', the en and em dashes 0x96, 0x97 as "-". Every other byte stays.
std::string PlainSearchText(const std::string& strText);

// True for the bytes that end a word in running text: ASCII punctuation and symbols, and 1252's
// typographic quotes and dashes, the ellipsis 0x85, the bullet 0x95, the inverted marks 0xA1
// and 0xBF and the middle dot 0xB7. Letters, digits, spaces and every other byte are not.
bool IsSearchPunctuation(unsigned char ch);

// The part [nBegin, nEnd) of strText that is left once white space (as PlainSearchText takes it)
// and punctuation are dropped from both ends; nBegin == nEnd when nothing is left.
void FindWordSpan(const std::string& strText, size_t& nBegin, size_t& nEnd);

// The texts a search tries for strText, in this order, each different from the one before:
// PlainSearchText(strText); that without the punctuation at its end ("'tween'" -> "'tween");
// that without the punctuation at its start as well ("(apples)" -> "apples"). Never empty. A
// text that is nothing but punctuation is tried only as it is, so that a mark alone still
// searches for the words that begin with it.
std::vector<std::string> SearchTextsFor(const std::string& strText);

#endif
