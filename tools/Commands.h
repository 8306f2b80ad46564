// The sub-commands of lexano-data. Each takes the arguments after the command name and returns
// the process exit status: 0 success, 1 a file or request that cannot be answered (one line
// "lexano-data: ..." on standard error), 2 wrong usage.
#ifndef LEXANO_TOOLS_COMMANDS_H
#define LEXANO_TOOLS_COMMANDS_H

#include <cstdint>
#include <string>
#include <vector>

class DictionaryFile;

using CommandArgs = std::vector<std::string>;

int HandleInfoCommand(const CommandArgs& args);
int HandleWordCommand(const CommandArgs& args);
int HandleFindCommand(const CommandArgs& args);
int HandleResolveCommand(const CommandArgs& args);
int HandleEntriesCommand(const CommandArgs& args);
int HandleEntryCommand(const CommandArgs& args);
int HandleVerifyCommand(const CommandArgs& args);
int HandlePagesCommand(const CommandArgs& args);
int HandleLookupCommand(const CommandArgs& args);
int HandleRelationsCommand(const CommandArgs& args);
int HandleBuildCommand(const CommandArgs& args);
int HandleSuggestCommand(const CommandArgs& args);
int HandleSearchCommand(const CommandArgs& args);

// Shared by the commands.

// Prints "lexano-data: " and strMessage to standard error; returns 1.
int Fail(const std::string& strMessage);
// Prints the usage text to standard error; returns 2.
int Usage();
// Parses a whole non-negative decimal number that fits in int; false otherwise.
bool ParsePosition(const std::string& strText, int& nValue);
// "cannot open FILE as a data file: REASON" on standard error; returns 1.
int CannotOpen(const std::string& strPath);
// Parses args[1] as a list position, opens args[0] and checks the position against its word
// count. Returns 0 when both succeed, else the exit status after reporting.
int OpenAtPosition(const CommandArgs& args, DictionaryFile& dict, int& nPos);
// Reports that the word block holding nPos cannot be read; returns 1.
int WordBlockDamaged(const DictionaryFile& dict, int nPos);
// Writes strText's bytes as they are.
void WriteRaw(const std::string& strText);
// Writes the Windows-1252 text strText in the character set of the output (TextForOutput).
void WriteText(const std::string& strText);
// Prints the relations of entry nEntry of the word at nPos, one line per kind ("     Broader:
// canine, canid; domestic animal"); nothing when there are none or the file has no relations.
void PrintSenseRelations(DictionaryFile& dict, int nPos, int32_t nEntry);
// Writes strText with backslash, line feed, carriage return and tab as \\, \n, \r, \t.
void WriteEscaped(const std::string& strText);

#endif
