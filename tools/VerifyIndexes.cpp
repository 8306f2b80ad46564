#include "tools/VerifyIndexes.h"

#include <algorithm>
#include <memory>
#include <unordered_map>
#include <vector>

#include "dictdata/BigEndian.h"
#include "dictdata/DictionaryFile.h"
#include "dictdata/EntryText.h"
#include "dictdata/MeaningIndex.h"
#include "dictdata/MeaningWords.h"
#include "dictdata/SpellingIndex.h"
#include "tools/IndexRecords.h"

namespace {

bool Problem(std::string& strReport, const std::string& strWhat) {
    strReport = strWhat;
    return false;
}

std::string Where(int nRecord) { return "record " + std::to_string(nRecord) + " after the entry blocks"; }

}  // namespace

// Reaches the engine's record reader and entry blocks, which it keeps to itself.
class IndexVerifier {
public:
    static RecordReader Reader(DictionaryFile& dict, int nRecord) { return dict.ReaderForRecord(nRecord); }

    // Calls fnEntry(entry number, stored text) for every entry, reading each block once.
    // REQUIRES: the entry blocks have been checked.
    template <typename OnEntry>
    static void ForEachEntry(DictionaryFile& dict, OnEntry fnEntry) {
        std::unique_ptr<unsigned char[]> pBlock(new unsigned char[DictionaryFile::kEntryBlockSize]);
        int32_t nEntry = 0;
        for (int j = 1; j <= dict.GetEntryIndexRecord().nEntryBlockCount; ++j) {
            size_t nSize = 0;
            if (!dict.ReadEntryBlock(j, pBlock.get(), &nSize)) return;
            size_t nOffset = 0;
            for (int i = 0; i < dict.GetEntriesInBlock(j); ++i) {
                const size_t L = ReadU16BE(pBlock.get() + nOffset);
                const char* pText = reinterpret_cast<const char*>(pBlock.get() + nOffset + 2);
                fnEntry(++nEntry, std::string(pText, L - 2));
                nOffset += L;
            }
        }
    }
};

namespace {

// Every word of the list, by position. False when a word block cannot be read.
bool ReadAllWords(DictionaryFile& dict, std::vector<std::string>& words) {
    words.resize(dict.GetWordCount());
    for (uint32_t p = 0; p < words.size(); ++p) {
        if (!dict.GetWord(static_cast<int>(p), words[p])) return false;
    }
    return true;
}

// What the entries say the index must hold: for every word, the entries that use it with the
// in-definition flag ((entry << 1) | flag, ascending), each entry's number of definition words
// and first word.
struct ExpectedMeanings {
    std::unordered_map<std::string, std::vector<uint32_t>> postings;
    std::vector<size_t> definitionWords;  // by entry number
    std::vector<uint32_t> firstWords;     // by entry number
};

void ComputeExpected(DictionaryFile& dict, const std::vector<std::string>& words,
                     ExpectedMeanings& expected) {
    const uint32_t E = dict.GetTotalEntries();
    std::unordered_map<std::string, uint32_t> positions;
    std::vector<uint32_t> namedBy(E + 1, 0);
    std::vector<bool> named(E + 1, false);
    for (uint32_t p = 0; p < words.size(); ++p) {
        positions.emplace(words[p], p);
        std::vector<int32_t> numbers;
        dict.GetEntryNumbers(static_cast<int>(p), numbers);
        for (int32_t e : numbers) {
            if (e >= 1 && static_cast<uint32_t>(e) <= E && !named[e]) {
                named[e] = true;
                namedBy[e] = p;
            }
        }
    }
    expected.definitionWords.assign(E + 1, 0);
    expected.firstWords.assign(E + 1, 0);
    IndexVerifier::ForEachEntry(dict, [&](int32_t nEntry, const std::string& strText) {
        std::string strSynonyms, strDefinition, strUsage;
        SplitEntryText(strText, strSynonyms, strDefinition, strUsage);
        std::vector<std::string> definition, usage;
        SplitMeaningWords(strDefinition, definition);
        SplitMeaningWords(strUsage, usage);
        expected.definitionWords[nEntry] = definition.size();
        expected.firstWords[nEntry] = EntryFirstWord(strSynonyms, namedBy[nEntry], positions);
        for (int nPart = 0; nPart < 2; ++nPart) {
            for (const std::string& strWord : nPart == 0 ? definition : usage) {
                if (strWord.size() > 255) continue;
                std::vector<uint32_t>& list = expected.postings[strWord];
                if (list.empty() || (list.back() >> 1) != static_cast<uint32_t>(nEntry)) {
                    list.push_back((static_cast<uint32_t>(nEntry) << 1) | (nPart == 0 ? 1u : 0u));
                }
            }
        }
    });
}

// The rank table: each entry once, definitions no longer than the next rank's, first words as
// expected.
bool VerifyRanks(MeaningIndex& index, const ExpectedMeanings& expected, std::string& strReport) {
    const uint32_t E = index.GetEntryCount();
    std::vector<bool> seen(E + 1, false);
    size_t nPreviousWords = 0;
    for (uint32_t r = 0; r < E; ++r) {
        int32_t nEntry = 0;
        int nPos = 0;
        index.RankRow(r, nEntry, nPos);
        const std::string strRank = "rank " + std::to_string(r) + " (entry " + std::to_string(nEntry) + ")";
        if (seen[nEntry]) return Problem(strReport, strRank + " repeats an entry");
        seen[nEntry] = true;
        if (expected.definitionWords[nEntry] < nPreviousWords) {
            return Problem(strReport, strRank + " has a shorter definition than the rank before");
        }
        nPreviousWords = expected.definitionWords[nEntry];
        if (static_cast<uint32_t>(nPos) != expected.firstWords[nEntry]) {
            return Problem(strReport, strRank + " names another first word");
        }
    }
    return true;
}

}  // namespace

bool VerifySpellingRecord(DictionaryFile& dict, int nRecord, std::string& strReport) {
    const std::string strWhere = Where(nRecord);
    std::vector<std::string> words;
    SpellingIndex index;
    if (!index.Open(IndexVerifier::Reader(dict, nRecord), dict.GetWordCount()) || !index.LoadAll()) {
        return Problem(strReport, strWhere + " is no sound spelling record");
    }
    if (!ReadAllWords(dict, words)) return Problem(strReport, strWhere + ": the word list cannot be read");
    std::vector<bool> seen(words.size(), false);
    for (int l = 0; l < 256; ++l) {
        const std::string& strTexts = index.GroupTexts(l);
        for (size_t i = 0; i < index.GroupSize(l); ++i) {
            const uint32_t p = index.GroupPosition(l, i);
            if (seen[p] || words[p] != strTexts.substr(i * l, l)) {
                return Problem(strReport, strWhere + ": the spelling record's word at position " +
                                              std::to_string(p) + " is not the list's");
            }
            seen[p] = true;
        }
    }
    return true;
}

bool VerifyMeaningRecord(DictionaryFile& dict, int nRecord, uint32_t& nWords, std::string& strReport) {
    const std::string strWhere = Where(nRecord);
    MeaningIndex index;
    if (!index.Open(IndexVerifier::Reader(dict, nRecord), dict.GetTotalEntries(), dict.GetWordCount()) ||
        !index.LoadRanks()) {
        return Problem(strReport, strWhere + " is no sound meaning index");
    }
    std::vector<std::string> words;
    if (!ReadAllWords(dict, words)) return Problem(strReport, strWhere + ": the word list cannot be read");
    ExpectedMeanings expected;
    ComputeExpected(dict, words, expected);
    std::string strWhat;
    if (!VerifyRanks(index, expected, strWhat)) return Problem(strReport, strWhere + ": " + strWhat);
    std::vector<uint32_t> ranks, coded;
    std::vector<unsigned char> flags;
    size_t nFound = 0;
    const bool bSound = index.ForEachWord([&](const std::string& strWord, const MeaningWordInfo& info) {
        const auto found = expected.postings.find(strWord);
        if (!index.ReadPostings(info, ranks, flags)) {
            strWhat = "the postings of \"" + strWord + "\" are damaged";
            return false;
        }
        coded.clear();
        for (size_t i = 0; i < ranks.size(); ++i) {
            int32_t nEntry = 0;
            int nPos = 0;
            index.RankRow(ranks[i], nEntry, nPos);
            coded.push_back((static_cast<uint32_t>(nEntry) << 1) | flags[i]);
        }
        std::sort(coded.begin(), coded.end());
        if (found == expected.postings.end() || coded != found->second) {
            strWhat = "\"" + strWord + "\" does not list the entries that use it";
            return false;
        }
        ++nFound;
        return true;
    });
    if (!bSound) {
        return Problem(strReport, strWhere + (strWhat.empty() ? " is no sound meaning index" : ": " + strWhat));
    }
    if (nFound != expected.postings.size()) {
        return Problem(strReport, strWhere + ": the meaning index lacks words the entries use");
    }
    nWords = static_cast<uint32_t>(nFound);
    return true;
}
