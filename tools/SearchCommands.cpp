// lexano-data suggest and search: the spelling suggestions for a text, and the entries whose
// meanings hold its words.
#include <algorithm>
#include <cstdio>
#include <unordered_map>
#include <vector>

#include "dictdata/Ansi.h"
#include "dictdata/DictionaryFile.h"
#include "dictdata/MeaningIndex.h"
#include "dictdata/SpellingIndex.h"
#include "tools/Commands.h"
#include "tools/ConsoleText.h"

namespace {

// Suggestions that `suggest` prints at most.
constexpr size_t kSuggestLines = 10;

}  // namespace

int HandleSuggestCommand(const CommandArgs& args) {
    if (args.size() != 2) return Usage();
    DictionaryFile dict;
    if (!dict.Open(args[0].c_str())) return CannotOpen(args[0]);
    if (dict.GetSpellingIndex() == nullptr) {
        return Fail(args[0] + " has no spelling index (files built by lexano-data build have one)");
    }
    std::vector<SpellingMatch> matches;
    if (!dict.FindSpellings(AnsiLowerCopy(TextFromArgument(args[1])), kSuggestLines, matches)) {
        return Fail("the spelling index of " + args[0] + " is damaged");
    }
    for (const SpellingMatch& match : matches) {
        std::printf("%d\t", match.nPos);
        WriteText(match.strWord);
        std::printf("\t%d\n", match.nDistance);
    }
    return 0;
}

int HandleSearchCommand(const CommandArgs& args) {
    if (args.size() != 2) return Usage();
    DictionaryFile dict;
    if (!dict.Open(args[0].c_str())) return CannotOpen(args[0]);
    if (dict.GetMeaningIndex() == nullptr) {
        return Fail(args[0] + " has no index of the meanings (files built by lexano-data build have one)");
    }
    std::vector<MeaningMatch> matches;
    if (!dict.SearchMeanings(TextFromArgument(args[1]), matches)) {
        return Fail("the index of the meanings of " + args[0] + " is damaged");
    }
    // The words in list order, each block inflated once however many matches there are.
    std::vector<int> positions;
    for (const MeaningMatch& match : matches) positions.push_back(match.nPos);
    std::sort(positions.begin(), positions.end());
    positions.erase(std::unique(positions.begin(), positions.end()), positions.end());
    std::unordered_map<int, std::string> words;
    for (int nPos : positions) {
        if (!dict.GetWord(nPos, words[nPos])) return WordBlockDamaged(dict, nPos);
    }
    for (const MeaningMatch& match : matches) {
        std::printf("%d\t", match.nPos);
        WriteText(words[match.nPos]);
        std::printf("\t%d\n", static_cast<int>(match.nEntry));
    }
    return 0;
}
