// The three parts of a stored entry text: the synonym line, up to the first line feed; the
// definition, up to the second; the usage examples, the rest.
#ifndef LEXANO_DICTDATA_ENTRYTEXT_H
#define LEXANO_DICTDATA_ENTRYTEXT_H

#include <string>

// Splits strStored (a zero byte ends it) into its synonym line, definition and usage, as the
// pages show them: a text without a line feed has none of the three; one with a line feed at its
// start has no synonym line; a text without a second line feed, or with the two line feeds side
// by side, has all of its rest as definition and no usage. Always sets all three. True when the
// text has a definition part (its first line feed is at index 1 or later).
bool SplitEntryText(const std::string& strStored, std::string& strSynonymLine,
                    std::string& strDefinition, std::string& strUsage);

#endif
