// lexano-data relations, and the relation lines of lookup.
#include <cstdio>
#include <set>
#include <tuple>
#include <vector>

#include "dictdata/Ansi.h"
#include "dictdata/DictionaryFile.h"
#include "dictdata/WordResolver.h"
#include "render/RelationRows.h"
#include "tools/Commands.h"

void PrintSenseRelations(DictionaryFile& dict, int nPos, int32_t nEntry) {
    std::vector<RelatedWord> words;
    if (!dict.HasRelations() || !dict.GetRelatedWords(nPos, static_cast<uint32_t>(nEntry), words)) {
        return;
    }
    for (size_t i = 0; i < words.size(); ++i) {
        const bool bNewKind = i == 0 || words[i].nKind != words[i - 1].nKind;
        if (bNewKind) {
            if (i > 0) std::fputc('\n', stdout);
            std::printf("     %s: ", RelationLabel(words[i].nKind));
        } else {
            std::fputs(words[i].nEntry == words[i - 1].nEntry ? ", " : "; ", stdout);
        }
        WriteRaw(words[i].strText);
    }
    if (!words.empty()) std::fputc('\n', stdout);
}

int HandleRelationsCommand(const CommandArgs& args) {
    if (args.size() != 2) return Usage();
    DictionaryFile dict;
    if (!dict.Open(args[0].c_str())) return CannotOpen(args[0]);
    if (!dict.HasRelations()) return Fail(args[0] + " holds no relations");
    int nPos = 0;
    Resolution how = Resolution::kNearest;
    ResolveWord(dict, AnsiLowerCopy(args[1]), nPos, how);
    std::vector<int32_t> numbers;
    if (!dict.GetEntryNumbers(nPos, numbers)) return WordBlockDamaged(dict, nPos);
    for (int32_t nEntry : numbers) {
        std::vector<RelatedWord> words;
        if (!dict.GetRelatedWords(nPos, static_cast<uint32_t>(nEntry), words)) {
            return Fail("the relations of entry " + std::to_string(nEntry) + " in " + args[0] +
                        " cannot be read: its relation record is damaged");
        }
        // A word that two senses of one kind share is one line.
        std::set<std::pair<int, int>> printed;
        for (const RelatedWord& word : words) {
            std::string strWord;
            if (!printed.insert({word.nKind, word.nPos}).second) continue;
            if (!dict.GetWord(word.nPos, strWord)) return WordBlockDamaged(dict, word.nPos);
            std::printf("%d\t%s\t", static_cast<int>(nEntry), RelationKindName(word.nKind));
            WriteRaw(strWord);
            std::fputc('\n', stdout);
        }
    }
    return 0;
}
