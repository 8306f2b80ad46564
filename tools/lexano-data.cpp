// lexano-data: inspects, checks and builds dictionary data files from the command line.
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "dictdata/DictionaryFile.h"
#include "tools/Commands.h"
#include "tools/ConsoleText.h"
#include "tools/PortableFiles.h"
#include "tools/Verify.h"

int Fail(const std::string& strMessage) {
    std::fprintf(stderr, "lexano-data: %s\n", strMessage.c_str());
    return 1;
}

int Usage() {
    std::fputs(
        "usage: lexano-data COMMAND ARGS\n"
        "  info FILE                 the file's header values\n"
        "  word FILE P               the word at list position P\n"
        "  find FILE TEXT            the list position FindWord gives for TEXT, unchanged\n"
        "  resolve FILE TEXT         where the search box lands for TEXT: P, word, how\n"
        "  suggest FILE TEXT         words within two edits of TEXT: P, word, edits\n"
        "  search FILE TEXT          entries whose meanings hold every word of TEXT: P, word, N\n"
        "  entries FILE P            the entry numbers of the word at P\n"
        "  entry FILE P N            entry N decoded for the word at P\n"
        "  verify FILE               checks the whole file\n"
        "  pages FILE P              the HTML pages of the word at P\n"
        "  lookup FILE TEXT          the entry of the word TEXT resolves to, as plain text\n"
        "  relations FILE TEXT       the related words of the word TEXT resolves to: entry, kind,\n"
        "                            word\n"
        "  build --wordnet DIR [--words-per-block N] -o FILE\n"
        "                            builds a data file from the WordNet database in DIR\n",
        stderr);
    return 2;
}

bool ParsePosition(const std::string& strText, int& nValue) {
    if (strText.empty() || strText.size() > 10) return false;
    long long nResult = 0;
    for (char ch : strText) {
        if (ch < '0' || ch > '9') return false;
        nResult = nResult * 10 + (ch - '0');
    }
    if (nResult > 0x7FFFFFFF) return false;
    nValue = static_cast<int>(nResult);
    return true;
}

int CannotOpen(const std::string& strPath) { return Fail(CannotOpenMessage(strPath.c_str())); }

int OpenAtPosition(const CommandArgs& args, DictionaryFile& dict, int& nPos) {
    if (!ParsePosition(args[1], nPos)) return Usage();
    if (!dict.Open(args[0].c_str())) return CannotOpen(args[0]);
    if (static_cast<uint32_t>(nPos) >= dict.GetWordCount()) {
        return Fail("position " + args[1] + " is outside 0 to " +
                    std::to_string(dict.GetWordCount() - 1));
    }
    return 0;
}

int WordBlockDamaged(const DictionaryFile& dict, int nPos) {
    return Fail("word block " + std::to_string(nPos / dict.GetHeaderRecord().nWordsPerBlock + 1) +
                " is damaged");
}

void WriteRaw(const std::string& strText) { std::fwrite(strText.data(), 1, strText.size(), stdout); }

void WriteText(const std::string& strText) { WriteRaw(TextForOutput(strText)); }

void WriteEscaped(const std::string& strText) {
    for (char ch : strText) {
        switch (ch) {
            case '\\': std::fputs("\\\\", stdout); break;
            case '\n': std::fputs("\\n", stdout); break;
            case '\r': std::fputs("\\r", stdout); break;
            case '\t': std::fputs("\\t", stdout); break;
            default: std::fputc(ch, stdout); break;
        }
    }
}

int main(int argc, char** argv) {
    UseBinaryStandardStreams();
    InitConsoleText();
    if (argc < 2) return Usage();
    const std::string strCommand = argv[1];
    const CommandArgs args(argv + 2, argv + argc);
    struct Entry {
        const char* lpszName;
        int (*pHandler)(const CommandArgs&);
    };
    static const Entry kCommands[] = {
        {"info", HandleInfoCommand},       {"word", HandleWordCommand},
        {"find", HandleFindCommand},       {"resolve", HandleResolveCommand},
        {"entries", HandleEntriesCommand},
        {"entry", HandleEntryCommand},     {"verify", HandleVerifyCommand},
        {"pages", HandlePagesCommand},     {"lookup", HandleLookupCommand},
        {"relations", HandleRelationsCommand},
        {"build", HandleBuildCommand},     {"suggest", HandleSuggestCommand},
        {"search", HandleSearchCommand},
    };
    for (const Entry& entry : kCommands) {
        if (strCommand == entry.lpszName) {
            const int nStatus = entry.pHandler(args);
            if (std::fflush(stdout) != 0 && nStatus == 0) return Fail("cannot write the output");
            return nStatus;
        }
    }
    return Usage();
}
