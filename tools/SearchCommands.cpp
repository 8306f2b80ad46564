// lexano-data suggest and search: the spelling suggestions for a text, and the entries whose
// meanings hold its words.
#include <algorithm>
#include <cstdio>
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
// From this many matches on, `search` takes their words from the spelling index, which holds
// every word, rather than from a word block each.
constexpr size_t kManyMatches = 200;

// Sets words[i] to the word at positions[i] (ascending, no repeats). False when a word block
// that is needed cannot be read, with nFailed set to its position.
bool WordsAt(DictionaryFile& dict, const std::vector<int>& positions,
             std::vector<std::string>& words, int& nFailed) {
    words.assign(positions.size(), std::string());
    SpellingIndex* pIndex = positions.size() >= kManyMatches ? dict.GetSpellingIndex() : nullptr;
    if (pIndex != nullptr && pIndex->LoadAll()) {
        std::vector<int> slots(dict.GetWordCount(), -1);
        for (size_t i = 0; i < positions.size(); ++i) slots[positions[i]] = static_cast<int>(i);
        size_t nFound = 0;
        for (int l = 0; l < 256; ++l) {
            for (size_t i = 0; i < pIndex->GroupSize(l); ++i) {
                const int nSlot = slots[pIndex->GroupPosition(l, i)];
                if (nSlot < 0) continue;
                words[nSlot].assign(pIndex->GroupTexts(l), i * l, l);
                ++nFound;
            }
        }
        if (nFound == positions.size()) return true;
    }
    // In list order, each word block is inflated once however many matches it holds.
    for (size_t i = 0; i < positions.size(); ++i) {
        if (!dict.GetWord(positions[i], words[i])) {
            nFailed = positions[i];
            return false;
        }
    }
    return true;
}

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
    std::vector<int> positions;
    for (const MeaningMatch& match : matches) positions.push_back(match.nPos);
    std::sort(positions.begin(), positions.end());
    positions.erase(std::unique(positions.begin(), positions.end()), positions.end());
    std::vector<std::string> words;
    int nFailed = 0;
    if (!WordsAt(dict, positions, words, nFailed)) return WordBlockDamaged(dict, nFailed);
    for (const MeaningMatch& match : matches) {
        const size_t i = std::lower_bound(positions.begin(), positions.end(), match.nPos) - positions.begin();
        std::printf("%d\t", match.nPos);
        WriteText(words[i]);
        std::printf("\t%d\n", static_cast<int>(match.nEntry));
    }
    return 0;
}
