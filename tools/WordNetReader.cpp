// Reads the WordNet 3.0 database files and numbers their words and entries; see
// WordNetReader.h for the line formats.
#include "tools/WordNetReader.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <unordered_map>

#include "dictdata/Ansi.h"
#include "tools/WordNetText.h"

namespace {

constexpr size_t kMaxWordLength = 255;     // word texts carry an 8-bit length
constexpr size_t kMaxEntriesPerWord = 255; // and an 8-bit entry count
constexpr uint32_t kMaxEntryNumber = 0xFFFFFF;  // entry numbers are stored in 24 bits
constexpr size_t kEntryRecordHeader = 2;   // the 16-bit record length before each entry text

// The four parts of speech in entry group order.
struct PosFiles {
    const char* lpszName;   // file name suffix
    char chIndexPos;        // pos field of its index lines
    unsigned char chCode;   // letter code of its entry group
};
constexpr PosFiles kPosFiles[4] = {
    {"noun", 'n', 'N'}, {"verb", 'v', 'V'}, {"adj", 'a', 'a'}, {"adv", 'r', 'v'}};

// Reads the file at strPath into strData. False with strError naming the file and the system's
// reason; then bMissing says whether the file does not exist.
bool ReadWholeFile(const std::string& strPath, std::string& strData, std::string& strError,
                   bool& bMissing) {
    FILE* pFile = std::fopen(strPath.c_str(), "rb");
    if (pFile == nullptr) {
        bMissing = errno == ENOENT;
        strError = "cannot open " + strPath + ": " + std::strerror(errno);
        return false;
    }
    std::string strResult;
    char buffer[65536];
    size_t nRead;
    while ((nRead = std::fread(buffer, 1, sizeof buffer, pFile)) > 0) strResult.append(buffer, nRead);
    const bool bFailed = std::ferror(pFile) != 0;
    const int nError = errno;
    std::fclose(pFile);
    if (bFailed) {
        bMissing = false;
        strError = "cannot read " + strPath + ": " + std::strerror(nError);
        return false;
    }
    strData.swap(strResult);
    return true;
}

bool ReadWholeFile(const std::string& strPath, std::string& strData, std::string& strError) {
    bool bMissing = false;
    return ReadWholeFile(strPath, strData, strError, bMissing);
}

// Calls onLine(line, line number) for every line that is not licence text or empty, stopping at
// the first false.
template <typename OnLine>
bool ForEachLine(const std::string& strData, OnLine onLine) {
    size_t nPos = 0;
    int nLine = 0;
    std::string strLine;
    while (nPos < strData.size()) {
        size_t nEnd = strData.find('\n', nPos);
        if (nEnd == std::string::npos) nEnd = strData.size();
        ++nLine;
        strLine.assign(strData, nPos, nEnd - nPos);
        nPos = nEnd + 1;
        if (!strLine.empty() && strLine.back() == '\r') strLine.pop_back();
        if (strLine.empty() || strLine.compare(0, 2, "  ") == 0) continue;
        if (!onLine(strLine, nLine)) return false;
    }
    return true;
}

std::string At(const std::string& strPath, int nLine) {
    return strPath + " line " + std::to_string(nLine) + ": ";
}

// An index or data file without a line besides its licence text is an error: the part of
// speech would silently be missing from the dictionary.
bool NotEmpty(const std::string& strPath, bool bHasLines, std::string& strError) {
    if (!bHasLines) strError = strPath + " is empty: it holds no lines besides its licence text";
    return bHasLines;
}

struct SynsetRecord {
    WordNetSynset synset;
    int nLine = 0;
    uint32_t nEntry = 0;  // entry number, 0 until numbered
};

struct PosData {
    std::string strDataPath;
    std::vector<SynsetRecord> synsets;  // in file order
    std::unordered_map<uint32_t, uint32_t> byOffset;
};

struct HeadwordRecord {
    std::string strText;
    std::vector<uint32_t> senses[4];  // indices into PosData::synsets, in sense order
    size_t nSenseCount = 0;
};

bool ReadDataFile(const std::string& strDir, int nPos, PosData& data, std::string& strError) {
    data.strDataPath = strDir + "data." + kPosFiles[nPos].lpszName;
    std::string strData;
    if (!ReadWholeFile(data.strDataPath, strData, strError)) return false;
    const bool bVerb = kPosFiles[nPos].chIndexPos == 'v';
    const bool bRead = ForEachLine(strData, [&](const std::string& strLine, int nLine) {
        SynsetRecord record;
        std::string strWhy;
        if (!ParseDataLine(strLine, bVerb, record.synset, strWhy)) {
            strError = At(data.strDataPath, nLine) + strWhy;
            return false;
        }
        const char chType = record.synset.chType;
        const char chExpected = kPosFiles[nPos].chIndexPos;
        if (chType != chExpected && !(chExpected == 'a' && chType == 's')) {
            strError = At(data.strDataPath, nLine) + "synset type " + chType +
                       " does not belong in this file";
            return false;
        }
        const uint32_t nIndex = static_cast<uint32_t>(data.synsets.size());
        if (!data.byOffset.emplace(record.synset.nOffset, nIndex).second) {
            strError = At(data.strDataPath, nLine) + "synset offset " +
                       std::to_string(record.synset.nOffset) + " appears twice";
            return false;
        }
        record.nLine = nLine;
        data.synsets.push_back(std::move(record));
        return true;
    });
    return bRead && NotEmpty(data.strDataPath, !data.synsets.empty(), strError);
}

bool ReadIndexFile(const std::string& strDir, int nPos, const PosData& data,
                   std::vector<HeadwordRecord>& words,
                   std::unordered_map<std::string, size_t>& byText, std::string& strError) {
    const std::string strPath = strDir + "index." + kPosFiles[nPos].lpszName;
    std::string strData;
    if (!ReadWholeFile(strPath, strData, strError)) return false;
    bool bAny = false;
    const bool bRead = ForEachLine(strData, [&](const std::string& strLine, int nLine) {
        bAny = true;
        WordNetIndexLine line;
        std::string strWhy;
        if (!ParseIndexLine(strLine, line, strWhy)) {
            strError = At(strPath, nLine) + strWhy;
            return false;
        }
        if (line.chPos != kPosFiles[nPos].chIndexPos) {
            strError = At(strPath, nLine) + "part of speech " + line.chPos +
                       " does not belong in this file";
            return false;
        }
        if (line.strLemma.size() > kMaxWordLength) {
            strError = At(strPath, nLine) + "lemma longer than " +
                       std::to_string(kMaxWordLength) + " bytes";
            return false;
        }
        std::string strText = line.strLemma;
        std::replace(strText.begin(), strText.end(), '_', ' ');
        const auto inserted = byText.emplace(strText, words.size());
        if (inserted.second) {
            words.emplace_back();
            words.back().strText = strText;
        }
        HeadwordRecord& word = words[inserted.first->second];
        if (!word.senses[nPos].empty()) {
            strError = At(strPath, nLine) + "lemma \"" + line.strLemma + "\" listed twice";
            return false;
        }
        for (uint32_t nOffset : line.offsets) {
            const auto found = data.byOffset.find(nOffset);
            if (found == data.byOffset.end()) {
                strError = At(strPath, nLine) + "synset offset " + std::to_string(nOffset) +
                           " is not in " + data.strDataPath;
                return false;
            }
            word.senses[nPos].push_back(found->second);
        }
        word.nSenseCount += line.offsets.size();
        if (word.nSenseCount > kMaxEntriesPerWord) {
            strError = At(strPath, nLine) + "\"" + line.strLemma + "\" has more than " +
                       std::to_string(kMaxEntriesPerWord) + " senses";
            return false;
        }
        return true;
    });
    return bRead && NotEmpty(strPath, bAny, strError);
}

// Reads the exception list of one part of speech (noun.exc, ...): lines of an inflected form
// and one or more base forms, "_" for spaces. A missing file gives an empty list and a line in
// warnings.
bool ReadExceptionFile(const std::string& strDir, int nPos,
                       std::vector<std::pair<std::string, std::string>>& pairs,
                       std::vector<std::string>& warnings, std::string& strError) {
    const std::string strPath = strDir + kPosFiles[nPos].lpszName + ".exc";
    std::string strData;
    bool bMissing = false;
    if (!ReadWholeFile(strPath, strData, strError, bMissing)) {
        if (!bMissing) return false;
        warnings.push_back(strError +
                           "; the search will find only regular forms for this part of speech");
        strError.clear();
        return true;
    }
    return ForEachLine(strData, [&](const std::string& strLine, int nLine) {
        std::vector<std::string> fields;
        size_t nPos = 0;
        while ((nPos = strLine.find_first_not_of(" \t", nPos)) != std::string::npos) {
            const size_t nEnd = std::min(strLine.find_first_of(" \t", nPos), strLine.size());
            fields.push_back(strLine.substr(nPos, nEnd - nPos));
            std::replace(fields.back().begin(), fields.back().end(), '_', ' ');
            nPos = nEnd;
        }
        if (fields.size() < 2) {
            strError = At(strPath, nLine) + "expected an inflected form and its base forms";
            return false;
        }
        for (size_t i = 1; i < fields.size(); ++i) pairs.emplace_back(fields[0], fields[i]);
        return true;
    });
}

// Reads the four data and index files and sorts the headwords.
bool ReadDatabase(const std::string& strFolder, PosData data[4], std::vector<HeadwordRecord>& words,
                  std::string& strError) {
    std::unordered_map<std::string, size_t> byText;
    byText.reserve(1 << 18);
    for (int nPos = 0; nPos < 4; ++nPos) {
        if (!ReadDataFile(strFolder, nPos, data[nPos], strError)) return false;
        if (!ReadIndexFile(strFolder, nPos, data[nPos], words, byText, strError)) return false;
    }
    std::sort(words.begin(), words.end(), [](const HeadwordRecord& a, const HeadwordRecord& b) {
        return a.strText < b.strText;
    });
    return true;
}

// Numbers the entries group by group; inside a group in the order in which the sorted
// headwords first name them. The senses of one word then share a few entry blocks instead of
// lying all over the file, which makes its pages cheaper to build (the engine inflates a whole
// block per entry and keeps none) at the price of a slightly larger file, since file order
// groups synsets of one topic that compress better together. Sets nSizes to the group sizes.
bool NumberEntries(PosData data[4], const std::vector<HeadwordRecord>& words, uint32_t nSizes[4],
                   std::string& strError) {
    uint32_t nGroupBase[4];
    uint32_t nTotal = 0;
    for (int nPos = 0; nPos < 4; ++nPos) {
        nSizes[nPos] = static_cast<uint32_t>(data[nPos].synsets.size());
        nGroupBase[nPos] = nTotal;
        if (nSizes[nPos] > kMaxEntryNumber - nTotal) {
            const SynsetRecord& over = data[nPos].synsets[kMaxEntryNumber - nTotal];
            strError = At(data[nPos].strDataPath, over.nLine) + "more than " +
                       std::to_string(kMaxEntryNumber) + " synsets in all";
            return false;
        }
        nTotal += nSizes[nPos];
    }
    uint32_t nNext[4] = {0, 0, 0, 0};
    auto Number = [&](int nPos, uint32_t nIndex) {
        SynsetRecord& record = data[nPos].synsets[nIndex];
        if (record.nEntry == 0) record.nEntry = nGroupBase[nPos] + ++nNext[nPos];
    };
    for (const HeadwordRecord& word : words) {
        for (int nPos = 0; nPos < 4; ++nPos) {
            for (uint32_t nIndex : word.senses[nPos]) Number(nPos, nIndex);
        }
    }
    for (int nPos = 0; nPos < 4; ++nPos) {  // synsets that no lemma names keep file order
        for (uint32_t i = 0; i < nSizes[nPos]; ++i) Number(nPos, i);
    }
    return true;
}

// The entry texts in entry number order; each must fit an entry block of nLimit bytes.
bool CollectEntries(const PosData data[4], uint32_t nTotal, size_t nLimit,
                    std::vector<std::string>& entries, std::string& strError) {
    entries.assign(nTotal, std::string());
    for (int nPos = 0; nPos < 4; ++nPos) {
        for (const SynsetRecord& record : data[nPos].synsets) {
            std::string strText = EntryText(record.synset);
            if (strText.size() + kEntryRecordHeader > nLimit) {
                strError = At(data[nPos].strDataPath, record.nLine) + "entry of " +
                           std::to_string(strText.size()) + " bytes does not fit an entry block";
                return false;
            }
            entries[record.nEntry - 1] = std::move(strText);
        }
    }
    return true;
}

// Sums the sense tag counts of cntlist.rev per word and per entry. A missing file counts
// nothing.
bool ReadSenseCounts(const std::string& strDir, const PosData data[4],
                     const std::vector<HeadwordRecord>& words, std::vector<uint32_t>& wordCounts,
                     std::vector<uint32_t>& entryCounts, std::string& strError) {
    const std::string strPath = strDir + "cntlist.rev";
    std::string strData;
    bool bMissing = false;
    if (!ReadWholeFile(strPath, strData, strError, bMissing)) return bMissing;
    std::unordered_map<std::string, size_t> byText;
    byText.reserve(words.size());
    for (size_t i = 0; i < words.size(); ++i) byText.emplace(words[i].strText, i);
    return ForEachLine(strData, [&](const std::string& strLine, int nLine) {
        WordNetSenseCount count;
        std::string strWhy;
        if (!ParseSenseCountLine(strLine, count, strWhy)) {
            strError = At(strPath, nLine) + strWhy;
            return false;
        }
        std::replace(count.strLemma.begin(), count.strLemma.end(), '_', ' ');
        const auto found = byText.find(count.strLemma);
        if (found == byText.end()) return true;
        const std::vector<uint32_t>& senses = words[found->second].senses[count.nPos];
        if (count.nSense > senses.size()) return true;
        const uint32_t nEntry = data[count.nPos].synsets[senses[count.nSense - 1]].nEntry;
        // Sums in 64 bits, capped: the counts of WordNet 3.0 stay far below.
        auto add = [](uint32_t& nSum, uint32_t nCount) {
            nSum = static_cast<uint32_t>(std::min<uint64_t>(uint64_t{nSum} + nCount, 0xFFFFFFFFu));
        };
        add(wordCounts[found->second], count.nCount);
        add(entryCounts[nEntry - 1], count.nCount);
        return true;
    });
}

// The kind (1 to 26, dictdata/Relations.h) of a pointer symbol; 0 for a symbol WordNet 3.0
// does not use.
int PointerKind(const std::string& strSymbol) {
    static const char* const kSymbols[] = {"!",  "@",  "@i", "~",  "~i", "#m", "#s",
                                           "#p", "%m", "%s", "%p", "=",  "+",  ";c",
                                           "-c", ";r", "-r", ";u", "-u", "*",  ">",
                                           "^",  "$",  "&",  "<",  "\\"};
    for (int k = 0; k < 26; ++k) {
        if (strSymbol == kSymbols[k]) return k + 1;
    }
    return 0;
}

// The data file that holds synsets of a pointer's part of speech ('s' satellites: adjectives).
int PointerFile(char chPos) {
    switch (chPos) {
        case 'n': return 0;
        case 'v': return 1;
        case 'a': case 's': return 2;
        default: return 3;
    }
}

// Every word of every synset must be a lemma whose index line names the synset: relations
// between words name them by their place in the synset, and the data file by their lemma.
bool CheckSynsetWords(const PosData data[4], const std::vector<HeadwordRecord>& words,
                      std::string& strError) {
    for (int nPos = 0; nPos < 4; ++nPos) {
        for (uint32_t i = 0; i < data[nPos].synsets.size(); ++i) {
            const SynsetRecord& record = data[nPos].synsets[i];
            for (const std::string& strWord : record.synset.words) {
                const std::string strText = AnsiLowerCopy(DisplayWord(strWord));
                const auto it = std::lower_bound(
                    words.begin(), words.end(), strText,
                    [](const HeadwordRecord& word, const std::string& str) {
                        return word.strText < str;
                    });
                const std::vector<uint32_t>* pSenses =
                    it != words.end() && it->strText == strText ? &it->senses[nPos] : nullptr;
                if (pSenses == nullptr ||
                    std::find(pSenses->begin(), pSenses->end(), i) == pSenses->end()) {
                    strError = At(data[nPos].strDataPath, record.nLine) + "\"" + strWord +
                               "\" is not listed for this synset in index." +
                               kPosFiles[nPos].lpszName;
                    return false;
                }
            }
        }
    }
    return true;
}

// The relations of every entry from the synsets' pointers, in entry number order.
bool CollectRelations(const PosData data[4], uint32_t nTotal,
                      std::vector<std::vector<WriterRelation>>& relations,
                      std::string& strError) {
    relations.assign(nTotal, std::vector<WriterRelation>());
    for (int nPos = 0; nPos < 4; ++nPos) {
        for (const SynsetRecord& record : data[nPos].synsets) {
            std::vector<WriterRelation>& out = relations[record.nEntry - 1];
            for (const WordNetPointer& pointer : record.synset.pointers) {
                const std::string strWhere = At(data[nPos].strDataPath, record.nLine);
                const PosData& target = data[PointerFile(pointer.chPos)];
                const auto found = target.byOffset.find(pointer.nOffset);
                WriterRelation relation;
                relation.nKind = static_cast<uint8_t>(PointerKind(pointer.strSymbol));
                if (relation.nKind == 0) {
                    strError = strWhere + "unknown pointer symbol " + pointer.strSymbol;
                    return false;
                }
                if (found == target.byOffset.end()) {
                    strError = strWhere + "pointer to synset offset " +
                               std::to_string(pointer.nOffset) + ", which " +
                               target.strDataPath + " lacks";
                    return false;
                }
                const SynsetRecord& to = target.synsets[found->second];
                if (pointer.nSource > record.synset.words.size() ||
                    pointer.nTarget > to.synset.words.size() ||
                    (pointer.nSource == 0) != (pointer.nTarget == 0)) {
                    strError = strWhere + "pointer " + pointer.strSymbol +
                               " names a word its synset lacks";
                    return false;
                }
                relation.nSourceWord = pointer.nSource;
                relation.nTargetEntry = to.nEntry;
                relation.nTargetWord = pointer.nTarget;
                out.push_back(relation);
            }
        }
    }
    return true;
}

}  // namespace

bool ReadWordNet(const std::string& strDir, DataFileContent& content, std::string& strError,
                 std::vector<std::string>* pWarnings) {
    const std::string strFolder =
        strDir.empty() || strDir.back() == '/' ? strDir : strDir + "/";
    PosData data[4];
    std::vector<HeadwordRecord> words;
    uint32_t nSizes[4];
    std::vector<std::string> entries;
    std::vector<std::pair<std::string, std::string>> exceptions[4];
    std::vector<std::string> warnings;
    for (int nPos = 0; nPos < 4; ++nPos) {
        if (!ReadExceptionFile(strFolder, nPos, exceptions[nPos], warnings, strError)) return false;
    }
    std::vector<std::vector<WriterRelation>> relations;
    if (!ReadDatabase(strFolder, data, words, strError) ||
        !NumberEntries(data, words, nSizes, strError) ||
        !CollectEntries(data, nSizes[0] + nSizes[1] + nSizes[2] + nSizes[3],
                        content.nEntryBlockLimit, entries, strError) ||
        !CheckSynsetWords(data, words, strError) ||
        !CollectRelations(data, nSizes[0] + nSizes[1] + nSizes[2] + nSizes[3], relations,
                          strError)) {
        return false;
    }
    std::vector<uint32_t> wordCounts(words.size(), 0);
    std::vector<uint32_t> entryCounts(entries.size(), 0);
    if (!ReadSenseCounts(strFolder, data, words, wordCounts, entryCounts, strError)) return false;
    std::vector<WriterWord> writerWords(words.size());
    for (size_t i = 0; i < words.size(); ++i) {
        writerWords[i].strText = words[i].strText;
        for (int nPos = 0; nPos < 4; ++nPos) {
            for (uint32_t nIndex : words[i].senses[nPos]) {
                writerWords[i].entries.push_back(data[nPos].synsets[nIndex].nEntry);
            }
        }
    }

    content.words = std::move(writerWords);
    content.entries = std::move(entries);
    content.wordFrequencies = std::move(wordCounts);
    content.entryFrequencies = std::move(entryCounts);
    content.relations = std::move(relations);
    for (int nPos = 0; nPos < 4; ++nPos) {
        content.posCodes[nPos] = kPosFiles[nPos].chCode;
        content.exceptions[nPos] = std::move(exceptions[nPos]);
    }
    GroupCountsForSizes(nSizes, content.entryCounts);
    if (pWarnings != nullptr) pWarnings->insert(pWarnings->end(), warnings.begin(), warnings.end());
    return true;
}
