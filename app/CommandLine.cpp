#include "app/CommandLine.h"

#ifndef LEXANO_VERSION
#error "LEXANO_VERSION must be defined by the build"
#endif

bool ParseCommandLine(const std::vector<std::string>& args, CommandLine& cmd) {
    CommandLine result;
    bool bHelp = false;
    bool bVersion = false;
    bool bSelection = false;
    bool bOptionsEnded = false;
    bool bWords = false;  // an empty argument ("") is a word too
    std::string strWords;
    for (const std::string& strArg : args) {
        const bool bOption = !bOptionsEnded && strArg.size() > 1 && strArg[0] == '-';
        if (!bOption) {
            bWords = true;
            strWords += strWords.empty() ? "" : " ";
            strWords += strArg;
        } else if (strArg == "--") {
            bOptionsEnded = true;
        } else if (strArg == "--help" || strArg == "-h") {
            bHelp = true;
        } else if (strArg == "--version") {
            bVersion = true;
        } else if (strArg == "--selection") {
            bSelection = true;
        } else {
            result.nAction = CommandLine::Action::kUsageError;
            result.strError = "unknown option '" + strArg + "'";
            cmd = result;
            return false;
        }
    }
    if (bHelp) {
        result.nAction = CommandLine::Action::kHelp;
    } else if (bVersion) {
        result.nAction = CommandLine::Action::kVersion;
    } else if (bSelection && bWords) {
        result.nAction = CommandLine::Action::kUsageError;
        result.strError = "--selection takes no words";
        cmd = result;
        return false;
    } else if (bSelection) {
        result.request.nSource = LookupRequest::Source::kSelection;
    } else if (bWords) {
        result.request.nSource = LookupRequest::Source::kWords;
        result.request.strText = strWords;
    }
    cmd = result;
    return true;
}

std::string CommandLineHelp() {
    return "Usage: lexano [WORD...]\n"
           "       lexano --selection\n"
           "Quenmark Dictionary: opens the dictionary window, or brings the one already\n"
           "open on this display to the front.\n"
           "\n"
           "  WORD...      look up the words, joined by spaces, as if typed into the search\n"
           "               box and Enter pressed\n"
           "  --selection  look up the text selected on the desktop (the primary\n"
           "               selection; on Windows the clipboard)\n"
           "  --help       show this help and end\n"
           "  --version    show the version and end\n"
           "  --           end of the options: the arguments after it are words\n"
           "\n"
           "When a dictionary window is already open for this user on this display, it\n"
           "takes the request and comes to the front, and this command ends at once.\n";
}

std::string CommandLineVersion() {
    return "lexano (Quenmark Dictionary) " LEXANO_VERSION "\n"
           "Word data from WordNet 3.0, Copyright 2006 by Princeton University.\n";
}
