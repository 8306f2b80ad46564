// The text of lexano-data's arguments and output in the user's character set. The data file's
// text is Windows-1252; where the locale's character set is UTF-8 (POSIX: nl_langinfo(CODESET)
// after setlocale(LC_ALL, "")), text arguments are read as UTF-8 and text output is written as
// UTF-8, so that a terminal's "café" is café. Otherwise the bytes pass as Windows-1252, as they
// are. On Windows, arguments come in the ANSI code page and are converted from it when that is
// not 1252; output goes out as UTF-8 to a console whose output code page is UTF-8, and as 1252
// bytes elsewhere (files, pipes, other consoles).
#ifndef LEXANO_TOOLS_CONSOLETEXT_H
#define LEXANO_TOOLS_CONSOLETEXT_H

#include <string>

// Reads the locale once; later calls of the two functions below follow it. The program's own
// locale stays "C".
void InitConsoleText();

// A text argument as Windows-1252.
std::string TextFromArgument(const std::string& strArgument);

// Windows-1252 text as it is to be written to standard output.
std::string TextForOutput(const std::string& strAnsi);

// The conversions themselves. Utf8ToAnsi: false, strAnsi untouched, when strUtf8 is not valid
// UTF-8; characters that 1252 lacks become "?". AnsiToUtf8 keeps the five bytes that 1252
// leaves undefined as the code points of the same value.
bool Utf8ToAnsi(const std::string& strUtf8, std::string& strAnsi);
std::string AnsiToUtf8(const std::string& strAnsi);

#endif
