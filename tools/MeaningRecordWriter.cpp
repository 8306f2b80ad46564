#include <algorithm>
#include <cstring>
#include <unordered_map>
#include <vector>

#include "dictdata/Ansi.h"
#include "dictdata/BigEndian.h"
#include "dictdata/EntryText.h"
#include "dictdata/MeaningIndex.h"
#include "dictdata/MeaningWords.h"
#include "tools/AppendBytes.h"
#include "tools/IndexRecords.h"

namespace {

void AppendVarint(std::string& str, uint32_t v) {
    while (v >= 0x80) {
        str += static_cast<char>((v & 0x7F) | 0x80);
        v >>= 7;
    }
    str += static_cast<char>(v);
}

struct EntryFacts {
    uint32_t nEntry = 0;
    size_t nDefinitionWords = 0;
    uint32_t nFrequency = 0;
    uint32_t nFirstWord = 0;
};

// Appends the directory rows, words and postings of the sorted words to the three sections.
void WriteSections(const std::vector<std::pair<std::string, std::vector<uint32_t>>>& words,
                   std::string& strDirectory, std::string& strWords, std::string& strPostings,
                   uint32_t& nChunks) {
    std::string strPrevious;
    for (size_t w = 0; w < words.size(); ++w) {
        const std::string& strWord = words[w].first;
        size_t nShared = 0;
        if (w % kMeaningChunkWords == 0) {
            strDirectory += static_cast<char>(strWord.size());
            strDirectory += strWord;
            AppendU32(strDirectory, static_cast<uint32_t>(strWords.size()));
            AppendU32(strDirectory, static_cast<uint32_t>(strPostings.size()));
            ++nChunks;
        } else {
            while (nShared < strPrevious.size() && nShared < strWord.size() &&
                   strPrevious[nShared] == strWord[nShared]) {
                ++nShared;
            }
        }
        const size_t nPostingStart = strPostings.size();
        uint32_t nNext = 0;
        for (uint32_t nCoded : words[w].second) {
            const uint32_t nRank = nCoded >> 1;
            AppendVarint(strPostings, ((nRank - nNext) << 1) | (nCoded & 1));
            nNext = nRank + 1;
        }
        strWords += static_cast<char>(nShared);
        strWords += static_cast<char>(strWord.size() - nShared);
        strWords.append(strWord, nShared, std::string::npos);
        AppendVarint(strWords, static_cast<uint32_t>(words[w].second.size()));
        AppendVarint(strWords, static_cast<uint32_t>(strPostings.size() - nPostingStart));
        strPrevious = strWord;
    }
}

}  // namespace

uint32_t EntryFirstWord(const std::string& strSynonyms, uint32_t nNamedBy,
                        const std::unordered_map<std::string, uint32_t>& positions) {
    size_t nStart = 0;
    while (nStart <= strSynonyms.size()) {
        size_t nEnd = strSynonyms.find('|', nStart);
        if (nEnd == std::string::npos) nEnd = strSynonyms.size();
        const auto found = positions.find(AnsiLowerCopy(strSynonyms.substr(nStart, nEnd - nStart)));
        if (found != positions.end()) return found->second;
        nStart = nEnd + 1;
    }
    return nNamedBy;
}

bool MeaningRecordBytes(const DataFileContent& content, std::string& strRecord,
                        std::string& strError) {
    const size_t E = content.entries.size();
    if (E > 0xFFFFFF || content.words.size() > 0xFFFFFF) {
        strError = "too many entries or words for the meaning index";
        return false;
    }
    std::unordered_map<std::string, uint32_t> positions;
    std::vector<uint32_t> namedBy(E + 1, 0xFFFFFFFFu);
    for (size_t p = content.words.size(); p-- > 0;) {
        positions[content.words[p].strText] = static_cast<uint32_t>(p);
        for (uint32_t e : content.words[p].entries) {
            if (e >= 1 && e <= E) namedBy[e] = static_cast<uint32_t>(p);
        }
    }
    // Each entry's words: the rank order needs them all first.
    std::vector<EntryFacts> facts(E);
    std::vector<std::vector<std::string>> definitionWords(E), usageWords(E);
    for (size_t i = 0; i < E; ++i) {
        std::string strSynonyms, strDefinition, strUsage;
        SplitEntryText(content.entries[i], strSynonyms, strDefinition, strUsage);
        SplitMeaningWords(strDefinition, definitionWords[i]);
        SplitMeaningWords(strUsage, usageWords[i]);
        facts[i].nEntry = static_cast<uint32_t>(i + 1);
        facts[i].nDefinitionWords = definitionWords[i].size();
        facts[i].nFrequency = i < content.entryFrequencies.size() ? content.entryFrequencies[i] : 0;
        facts[i].nFirstWord =
            EntryFirstWord(strSynonyms, namedBy[i + 1] == 0xFFFFFFFFu ? 0 : namedBy[i + 1], positions);
    }
    std::vector<EntryFacts>& ranked = facts;
    std::sort(ranked.begin(), ranked.end(), [](const EntryFacts& a, const EntryFacts& b) {
        if (a.nDefinitionWords != b.nDefinitionWords) return a.nDefinitionWords < b.nDefinitionWords;
        if (a.nFrequency != b.nFrequency) return a.nFrequency > b.nFrequency;
        return a.nEntry < b.nEntry;
    });
    // Postings as (rank << 1) | in-definition, made in rank order so that each list ascends.
    std::unordered_map<std::string, std::vector<uint32_t>> postings;
    for (uint32_t r = 0; r < E; ++r) {
        const size_t i = ranked[r].nEntry - 1;
        // A word of the definition comes first, with its flag; the examples add only new words.
        for (int nPart = 0; nPart < 2; ++nPart) {
            for (const std::string& strWord : nPart == 0 ? definitionWords[i] : usageWords[i]) {
                if (strWord.size() > 255) continue;
                std::vector<uint32_t>& list = postings[strWord];
                if (!list.empty() && (list.back() >> 1) == r) continue;  // counted once an entry
                list.push_back((r << 1) | (nPart == 0 ? 1u : 0u));
            }
        }
    }
    std::vector<std::pair<std::string, std::vector<uint32_t>>> words(postings.begin(), postings.end());
    std::sort(words.begin(), words.end());
    std::string strDirectory, strWords, strPostings;
    uint32_t nChunks = 0;
    WriteSections(words, strDirectory, strWords, strPostings, nChunks);
    std::string str(kMeaningTag, 4);
    AppendU32(str, static_cast<uint32_t>(E));
    AppendU32(str, static_cast<uint32_t>(words.size()));
    AppendU32(str, nChunks);
    AppendU32(str, static_cast<uint32_t>(strDirectory.size()));
    AppendU32(str, static_cast<uint32_t>(strWords.size()));
    AppendU32(str, static_cast<uint32_t>(strPostings.size()));
    str += strDirectory;
    str += strWords;
    str += strPostings;
    for (const EntryFacts& entry : ranked) {
        AppendU24(str, entry.nEntry);
        AppendU24(str, entry.nFirstWord);
    }
    strRecord.swap(str);
    return true;
}
