// lexano-data pages and lookup: a word's entry as the window builds it, and as plain text.
#include <cstdio>
#include <vector>

#include "dictdata/Ansi.h"
#include "dictdata/DictionaryFile.h"
#include "tools/Commands.h"


int HandlePagesCommand(const CommandArgs& args) {
    if (args.size() != 2) return Usage();
    DictionaryFile dict;
    int nPos = 0;
    if (const int nStatus = OpenAtPosition(args, dict, nPos)) return nStatus;
    std::vector<int32_t> numbers;
    if (!ReadEntryNumbers(dict, nPos, numbers)) return WordBlockDamaged(dict, nPos);
    const int nCount = static_cast<int>(numbers.size());
    int nCursor = 0;
    bool bLast = nCount == 0;
    while (!bLast) {
        std::string strPage;
        std::string strName;
        bLast = dict.BuildEntryPage(nPos, numbers.data(), nCount, strPage, nCursor, strName);
        std::fputs("== ", stdout);
        WriteRaw(strName);
        std::fputc('\n', stdout);
        WriteEscaped(strPage);
        std::fputc('\n', stdout);
    }
    return 0;
}

int HandleLookupCommand(const CommandArgs& args) {
    if (args.size() != 2) return Usage();
    DictionaryFile dict;
    if (!dict.Open(args[0].c_str())) return CannotOpen(args[0]);
    const std::string strText = AnsiLowerCopy(args[1]);
    const int nPos = dict.FindWord(strText);
    std::string strWord;
    std::vector<int32_t> numbers;
    if (!dict.GetWord(nPos, strWord) || !ReadEntryNumbers(dict, nPos, numbers)) {
        return WordBlockDamaged(dict, nPos);
    }
    if (strWord != strText) {
        std::fputs("\"", stdout);
        WriteRaw(args[1]);
        std::fputs("\" is not in the dictionary; the nearest word is \"", stdout);
        WriteRaw(strWord);
        std::fputs("\".\n\n", stdout);
    }
    WriteRaw(strWord);
    std::fputc('\n', stdout);
    if (numbers.empty()) {
        std::fputs("(no entries)\n", stdout);
        return 0;
    }

    // Noun, Verb, Adj., Adv., then entries without a part of speech; senses keep their order.
    const int kOrder[] = {3, 2, 1, 0, -1};
    for (int nPart : kOrder) {
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
            ++nSense;
            std::string strSynonyms, strDefinition, strUsage;
            int nSynonymCount = 0;
            std::printf("%3d. ", nSense);
            if (!dict.ReadEntry(nPos, nEntry, strSynonyms, nSynonymCount, strDefinition, strUsage)) {
                std::fputs("(this sense cannot be read: the data file is damaged)\n", stdout);
                continue;
            }
            WriteRaw(strDefinition);
            std::fputc('\n', stdout);
            if (!strSynonyms.empty()) {
                std::fputs(nSynonymCount > 1 ? "     Synonyms: " : "     Synonym: ", stdout);
                WriteRaw(strSynonyms);
                std::fputc('\n', stdout);
            }
            size_t nStart = 0;
            while (!strUsage.empty() && nStart <= strUsage.size()) {
                size_t nEnd = strUsage.find('|', nStart);
                if (nEnd == std::string::npos) nEnd = strUsage.size();
                std::fputs("     \"", stdout);
                WriteRaw(strUsage.substr(nStart, nEnd - nStart));
                std::fputs("\"\n", stdout);
                nStart = nEnd + 1;
            }
        }
    }
    return 0;
}
