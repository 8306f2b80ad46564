// The texts that the "L" button and the clipboard bring into the search box, in the form the
// search box takes them. Plain string work on Windows-1252 text, without the window toolkit, so
// that it is tested and fuzzed without a display.
#ifndef LEXANO_PLATFORM_LOOKUPTEXT_H
#define LEXANO_PLATFORM_LOOKUPTEXT_H

#include <string>

// Clipboard text as it goes into the search box: the text up to its first zero byte, with every
// line feed, tab and carriage return deleted (not replaced), so that "sun\r\nset" becomes
// "sunset". Spaces, leading and trailing ones too, stay.
std::string ClipboardTextToSearch(const std::string& strClipboard);

// Removes the C library's white space (space, tab, line feed, vertical tab, form feed, carriage
// return) from both ends of strText. Other bytes, such as 1252's no-break space 0xA0, stay.
void TrimWhiteSpace(std::string& strText);

#endif
