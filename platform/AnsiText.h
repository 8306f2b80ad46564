// Windows-1252 text at the toolkit's boundary. The engine, the pages and the dialog's strings are
// 1252; wx strings are Unicode. Conversion happens only through these two functions, at the
// view and dialog boundary.
#ifndef LEXANO_PLATFORM_ANSITEXT_H
#define LEXANO_PLATFORM_ANSITEXT_H

#include <wx/string.h>

#include <string>


// Windows-1252 bytes to a wxString. Every byte maps to one character; the five bytes that 1252
// leaves undefined map to the C1 controls of the same value, as Windows does.
wxString AnsiToWx(const std::string& strText);
wxString AnsiToWx(const char* lpszText);  // null gives the empty string

// A wxString to Windows-1252. Characters that 1252 lacks become '?', its default character.
std::string WxToAnsi(const wxString& str);

#endif
