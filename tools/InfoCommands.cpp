// lexano-data info, word, find, resolve, entries, entry and verify: the engine's answers, one
// command each.
#include <cstdio>
#include <vector>

#include "dictdata/Ansi.h"
#include "dictdata/DictionaryFile.h"
#include "dictdata/WordResolver.h"
#include "tools/Commands.h"
#include "tools/ConsoleText.h"
#include "tools/Verify.h"


int HandleInfoCommand(const CommandArgs& args) {
    if (args.size() != 1) return Usage();
    DictionaryFile dict;
    if (!dict.Open(args[0].c_str())) return CannotOpen(args[0]);
    const HeaderRecord& h = dict.GetHeaderRecord();
    const EntryIndexRecord& e = dict.GetEntryIndexRecord();
    std::printf("name: %s\n", TextForOutput(dict.GetDatabaseName()).c_str());
    std::printf("records: %u\n", static_cast<unsigned>(dict.GetRecordCount()));
    std::printf("word_block_size: %u\n", static_cast<unsigned>(h.nWordBlockSize));
    std::printf("word_blocks: %u\n", static_cast<unsigned>(h.nWordBlockCount));
    std::printf("max_word_length: %u\n", static_cast<unsigned>(h.nMaxWordLength));
    std::printf("words: %u\n", static_cast<unsigned>(h.nWordCount));
    std::printf("words_per_block: %u\n", static_cast<unsigned>(h.nWordsPerBlock));
    std::printf("entry_blocks: %u\n", static_cast<unsigned>(e.nEntryBlockCount));
    std::fputs("pos_codes: ", stdout);
    std::fwrite(e.nPosCode, 1, 4, stdout);
    std::printf("\nentry_counts: %u %u %u %u\n", static_cast<unsigned>(e.nEntryCount[0]),
                static_cast<unsigned>(e.nEntryCount[1]), static_cast<unsigned>(e.nEntryCount[2]),
                static_cast<unsigned>(e.nEntryCount[3]));
    std::printf("file_size: %u\n", static_cast<unsigned>(dict.GetFileSize()));
    return 0;
}

int HandleWordCommand(const CommandArgs& args) {
    if (args.size() != 2) return Usage();
    DictionaryFile dict;
    int nPos = 0;
    if (const int nStatus = OpenAtPosition(args, dict, nPos)) return nStatus;
    std::string strWord;
    if (!dict.GetWord(nPos, strWord)) return WordBlockDamaged(dict, nPos);
    WriteText(strWord);
    std::fputc('\n', stdout);
    return 0;
}

int HandleFindCommand(const CommandArgs& args) {
    if (args.size() != 2) return Usage();
    DictionaryFile dict;
    if (!dict.Open(args[0].c_str())) return CannotOpen(args[0]);
    const int nPos = dict.FindWord(TextFromArgument(args[1]));
    std::string strWord;
    if (!dict.GetWord(nPos, strWord)) return WordBlockDamaged(dict, nPos);
    std::printf("%d\t", nPos);
    WriteText(strWord);
    std::fputc('\n', stdout);
    return 0;
}

int HandleResolveCommand(const CommandArgs& args) {
    if (args.size() != 2) return Usage();
    DictionaryFile dict;
    if (!dict.Open(args[0].c_str())) return CannotOpen(args[0]);
    int nPos = 0;
    Resolution how = Resolution::kNearest;
    std::string strWord;
    ResolveWord(dict, AnsiLowerCopy(TextFromArgument(args[1])), nPos, how);
    if (!dict.GetWord(nPos, strWord)) return WordBlockDamaged(dict, nPos);
    std::printf("%d\t", nPos);
    WriteText(strWord);
    std::printf("\t%s\n", ResolutionName(how));
    return 0;
}

int HandleEntriesCommand(const CommandArgs& args) {
    if (args.size() != 2) return Usage();
    DictionaryFile dict;
    int nPos = 0;
    if (const int nStatus = OpenAtPosition(args, dict, nPos)) return nStatus;
    std::vector<int32_t> numbers;
    if (!dict.GetEntryNumbers(nPos, numbers)) return WordBlockDamaged(dict, nPos);
    for (size_t j = 0; j < numbers.size(); ++j) {
        std::printf(j == 0 ? "%d" : " %d", static_cast<int>(numbers[j]));
    }
    std::fputc('\n', stdout);
    return 0;
}

int HandleEntryCommand(const CommandArgs& args) {
    if (args.size() != 3) return Usage();
    DictionaryFile dict;
    int nPos = 0;
    int nEntry = 0;
    if (!ParsePosition(args[2], nEntry)) return Usage();
    if (const int nStatus = OpenAtPosition(args, dict, nPos)) return nStatus;
    std::string strSynonyms;
    std::string strDefinition;
    std::string strUsage;
    int nSynonymCount = 0;
    if (nEntry < 1 || static_cast<uint32_t>(nEntry) > dict.GetTotalEntries()) {
        return Fail("entry " + args[2] + " is not in the file (1 to " +
                    std::to_string(dict.GetTotalEntries()) + ")");
    }
    if (!dict.ReadEntry(nPos, nEntry, strSynonyms, nSynonymCount, strDefinition, strUsage)) {
        return Fail("entry " + args[2] + " cannot be read: its entry block is damaged");
    }
    int nPartOfSpeech = -1;
    dict.GetPartOfSpeech(static_cast<uint32_t>(nEntry), nPartOfSpeech);
    std::fputs("pos: ", stdout);
    std::fputs(DictionaryFile::PartOfSpeechName(static_cast<uint32_t>(nPartOfSpeech)).c_str(), stdout);
    std::fputs("\nsynonyms: ", stdout);
    WriteEscaped(TextForOutput(strSynonyms));
    std::printf("\ncount: %d\ndefinition: ", nSynonymCount);
    WriteEscaped(TextForOutput(strDefinition));
    std::fputs("\nusage: ", stdout);
    WriteEscaped(TextForOutput(strUsage));
    std::fputc('\n', stdout);
    return 0;
}

int HandleVerifyCommand(const CommandArgs& args) {
    if (args.size() != 1) return Usage();
    {
        // A file that cannot be opened is not called damaged: say why it does not open.
        DictionaryFile dict;
        if (!dict.Open(args[0].c_str())) return CannotOpen(args[0]);
    }
    std::string strReport;
    const bool bOk = VerifyDataFile(args[0].c_str(), strReport);
    std::printf("%s%s\n", bOk ? "" : "error: ", TextForOutput(strReport).c_str());
    return bOk ? 0 : Fail(args[0] + " is damaged: " + strReport);
}
