// lexano-data pages and lookup: a word's entry as the window builds it, and as plain text.
#include <cstdio>
#include <vector>

#include "dictdata/Ansi.h"
#include "dictdata/DictionaryFile.h"
#include "dictdata/SpellingIndex.h"
#include "dictdata/WordResolver.h"
#include "render/WordPages.h"
#include "tools/Commands.h"
#include "tools/ConsoleText.h"

namespace {

// Prints one sense: its definition, synonyms, usage examples and relations, numbered nSense.
void PrintSense(DictionaryFile& dict, int nPos, int32_t nEntry, int nSense) {
    std::string strSynonyms, strDefinition, strUsage;
    int nSynonymCount = 0;
    std::printf("%3d. ", nSense);
    if (!dict.ReadEntry(nPos, nEntry, strSynonyms, nSynonymCount, strDefinition, strUsage)) {
        std::fputs("(this sense cannot be read: the data file is damaged)\n", stdout);
        return;
    }
    WriteText(strDefinition);
    std::fputc('\n', stdout);
    if (!strSynonyms.empty()) {
        std::fputs(nSynonymCount > 1 ? "     Synonyms: " : "     Synonym: ", stdout);
        WriteText(strSynonyms);
        std::fputc('\n', stdout);
    }
    size_t nStart = 0;
    while (!strUsage.empty() && nStart <= strUsage.size()) {
        size_t nEnd = strUsage.find('|', nStart);
        if (nEnd == std::string::npos) nEnd = strUsage.size();
        std::fputs("     \"", stdout);
        WriteText(strUsage.substr(nStart, nEnd - nStart));
        std::fputs("\"\n", stdout);
        nStart = nEnd + 1;
    }
    PrintSenseRelations(dict, nPos, nEntry);
}

// Prints the senses of part of speech nPart (-1: entries without one) under its name; nothing
// when the word has none.
void PrintPartOfSpeech(DictionaryFile& dict, int nPos, const std::vector<int32_t>& numbers,
                       int nPart) {
    int nSense = 0;
    for (int32_t nEntry : numbers) {
        int nEntryPart = -1;
        dict.GetPartOfSpeech(static_cast<uint32_t>(nEntry), nEntryPart);
        if (nEntryPart != nPart) continue;
        if (nSense == 0) {
            std::fputc('\n', stdout);
            const std::string strName = DictionaryFile::PartOfSpeechName(static_cast<uint32_t>(nPart));
            std::fputs(strName.empty() ? "Other\n" : (strName + "\n").c_str(), stdout);
        }
        PrintSense(dict, nPos, nEntry, ++nSense);
    }
}

// Writes the suggestions as "did you mean "a", "b" or "c"?".
void PrintSuggestions(const std::vector<SpellingMatch>& matches) {
    std::fputs("did you mean ", stdout);
    for (size_t i = 0; i < matches.size(); ++i) {
        if (i > 0) std::fputs(i + 1 == matches.size() ? " or " : ", ", stdout);
        std::fputc('"', stdout);
        WriteText(matches[i].strWord);
        std::fputc('"', stdout);
    }
    std::fputs("?\n\n", stdout);
}

// The line that tells how a text that is not a word led to strWord; for the spelling step, the
// suggestions for it (the first of them is strWord).
void PrintResolution(const std::string& strTyped, const std::string& strWord, Resolution how,
                     const std::vector<SpellingMatch>& suggestions) {
    std::fputs("\"", stdout);
    WriteText(strTyped);
    switch (how) {
        case Resolution::kExact: return;
        case Resolution::kForm: std::fputs("\" is a form of \"", stdout); break;
        case Resolution::kFolded: std::fputs("\" is read as \"", stdout); break;
        case Resolution::kPrefix:
            std::fputs("\": the first word that starts with it is \"", stdout);
            break;
        case Resolution::kSpelling:
            std::fputs("\" is not in the dictionary; ", stdout);
            PrintSuggestions(suggestions);
            return;
        case Resolution::kNearest:
            std::fputs("\" is not in the dictionary; the nearest word is \"", stdout);
            break;
    }
    WriteText(strWord);
    std::fputs("\".\n\n", stdout);
}

}  // namespace

int HandlePagesCommand(const CommandArgs& args) {
    if (args.size() != 2) return Usage();
    DictionaryFile dict;
    int nPos = 0;
    if (const int nStatus = OpenAtPosition(args, dict, nPos)) return nStatus;
    std::vector<NamedPage> pages;
    if (!BuildWordPages(dict, nPos, pages)) return WordBlockDamaged(dict, nPos);
    for (const NamedPage& page : pages) {
        std::fputs("== ", stdout);
        WriteRaw(page.first);
        std::fputc('\n', stdout);
        WriteEscaped(page.second);
        std::fputc('\n', stdout);
    }
    return 0;
}

int HandleLookupCommand(const CommandArgs& args) {
    if (args.size() != 2) return Usage();
    DictionaryFile dict;
    if (!dict.Open(args[0].c_str())) return CannotOpen(args[0]);
    int nPos = 0;
    Resolution how = Resolution::kNearest;
    const std::string strTyped = TextFromArgument(args[1]);
    ResolveWord(dict, AnsiLowerCopy(strTyped), nPos, how);
    std::string strWord;
    std::vector<int32_t> numbers;
    if (!dict.GetWord(nPos, strWord) || !dict.GetEntryNumbers(nPos, numbers)) {
        return WordBlockDamaged(dict, nPos);
    }
    std::vector<SpellingMatch> suggestions;
    constexpr size_t kSuggestions = 5;
    if (how == Resolution::kSpelling) {
        SuggestSpellings(dict, AnsiLowerCopy(strTyped), kSuggestions, suggestions);
    }
    if (how != Resolution::kExact) PrintResolution(strTyped, strWord, how, suggestions);
    WriteText(strWord);
    std::fputc('\n', stdout);
    if (numbers.empty()) {
        std::fputs("(no entries)\n", stdout);
        return 0;
    }
    // Noun, Verb, Adj., Adv., then entries without a part of speech; senses keep their order.
    for (int nPart : {3, 2, 1, 0, -1}) PrintPartOfSpeech(dict, nPos, numbers, nPart);
    return 0;
}
