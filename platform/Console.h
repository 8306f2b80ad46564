// The program's command line and its standard output and error.
#ifndef LEXANO_PLATFORM_CONSOLE_H
#define LEXANO_PLATFORM_CONSOLE_H

#include <string>
#include <vector>

// The arguments after the program's name, in UTF-8. On Windows they come from the wide
// command line, whatever the ANSI code page can spell; elsewhere argv's bytes are taken as
// UTF-8 when they are valid UTF-8 and as Latin-1 otherwise.
std::vector<std::string> GetProgramArguments(int argc, char** argv);

// Writes strText (UTF-8) to standard output or standard error and flushes it. A Windows window
// program has no console of its own: without a standard handle it writes to the console of the
// command that started it, if there is one.
void WriteStandardOutput(const std::string& strText);
void WriteStandardError(const std::string& strText);

#endif
