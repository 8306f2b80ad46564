// The program's command line:
//   lexano [WORD...]      look up the words, joined by spaces, as if typed and Enter pressed
//   lexano --selection    look up the text selected on the desktop
//   lexano --help | --version
// "--" ends the options, so that a word may start with "-". Without arguments the program opens
// as it always has. Plain string work without the window toolkit.
#ifndef LEXANO_APP_COMMANDLINE_H
#define LEXANO_APP_COMMANDLINE_H

#include <string>
#include <vector>

#include "app/LookupRequest.h"

struct CommandLine {
    enum class Action {
        kRun,         // open the window (or hand request to the one open)
        kHelp,        // print CommandLineHelp() on standard output, status 0
        kVersion,     // print CommandLineVersion() on standard output, status 0
        kUsageError,  // print strError and a hint on standard error, status 2
    };

    Action nAction = Action::kRun;
    LookupRequest request;  // kRun: what to look up; its start-up id is not set here
    std::string strError;   // kUsageError: what is wrong, naming the argument
};

// Exit status for wrong usage.
constexpr int kUsageErrorStatus = 2;

// Reads the arguments after the program's name (UTF-8) into cmd. An unknown option makes a
// usage error naming it (the first one), whatever else is given; otherwise --help wins over
// --version, and --version over a look-up. --selection with words is a usage error too.
// Returns false exactly for a usage error.
bool ParseCommandLine(const std::vector<std::string>& args, CommandLine& cmd);

// The texts of --help and --version, each ending with a line break.
std::string CommandLineHelp();
std::string CommandLineVersion();

#endif
