// Writes the relation record (layout in dictdata/RelationRecord.h) from a data file's content.
#include <algorithm>

#include "dictdata/Ansi.h"
#include "dictdata/BigEndian.h"
#include "dictdata/RelationRecord.h"
#include "tools/AppendBytes.h"
#include "tools/DataFileWriter.h"

namespace {

bool Error(std::string& strError, const std::string& strMessage) {
    strError = strMessage;
    return false;
}

// The words of an entry text's synonym line, as the sense spells them; none without a line feed.
std::vector<std::string> SynonymItems(const std::string& strEntry) {
    std::vector<std::string> items;
    const size_t nEnd = strEntry.find('\n');
    if (nEnd == std::string::npos) return items;
    size_t nStart = 0;
    while (nStart <= nEnd) {
        const size_t nBar = std::min(strEntry.find('|', nStart), nEnd);
        items.push_back(strEntry.substr(nStart, nBar - nStart));
        nStart = nBar + 1;
    }
    if (nEnd == 0) items.clear();
    return items;
}

// The members section, and the member count of every entry for checking the relations.
bool BuildMembers(const DataFileContent& content, std::string& strSection,
                  std::vector<size_t>& counts, std::string& strError) {
    const auto& words = content.words;
    const size_t E = content.entries.size();
    const size_t nGroups = (E + kMembersPerGroup - 1) / kMembersPerGroup;
    std::string strData;
    std::string strOffsets;
    for (size_t e = 0; e < E; ++e) {
        if (e % kMembersPerGroup == 0) {
            AppendU32(strOffsets, static_cast<uint32_t>(4 * nGroups + strData.size()));
        }
        const std::vector<std::string> items = SynonymItems(content.entries[e]);
        const std::string strWhere = "entry " + std::to_string(e + 1) + ": ";
        if (items.size() > 255) return Error(strError, strWhere + "more than 255 words");
        strData += static_cast<char>(items.size());
        for (const std::string& strItem : items) {
            const std::string strLower = AnsiLowerCopy(strItem);
            const auto it = std::lower_bound(
                words.begin(), words.end(), strLower,
                [](const WriterWord& word, const std::string& str) { return word.strText < str; });
            if (it == words.end() || it->strText != strLower ||
                std::find(it->entries.begin(), it->entries.end(), e + 1) == it->entries.end()) {
                return Error(strError, strWhere + "\"" + strItem +
                                           "\" is not a word of the list that names the entry");
            }
            const int nCode = SpellingCode(it->strText, strItem);
            AppendU24(strData, static_cast<uint32_t>(it - words.begin()) |
                                   (static_cast<uint32_t>(nCode) << 22));
            if (nCode == 3) {
                strData += static_cast<char>(strItem.size());
                strData += strItem;
            }
        }
        counts.push_back(items.size());
    }
    // And the other way round: every word that names an entry is among its words.
    for (const WriterWord& word : words) {
        for (uint32_t e : word.entries) {
            bool bListed = false;
            for (const std::string& strItem : SynonymItems(content.entries[e - 1])) {
                bListed = bListed || AnsiLowerCopy(strItem) == word.strText;
            }
            if (!bListed) {
                return Error(strError, "word \"" + word.strText + "\" names entry " +
                                           std::to_string(e) + " but is not among its words");
            }
        }
    }
    strSection = strOffsets + strData;
    return true;
}

// The texts section: the list's words front-coded in groups.
std::string BuildTexts(const std::vector<WriterWord>& words) {
    const size_t nGroups = (words.size() + kTextsPerGroup - 1) / kTextsPerGroup;
    std::string strData;
    std::string strOffsets;
    for (size_t p = 0; p < words.size(); ++p) {
        const std::string& strWord = words[p].strText;
        size_t nShared = 0;
        if (p % kTextsPerGroup == 0) {
            AppendU32(strOffsets, static_cast<uint32_t>(4 * nGroups + strData.size()));
        } else {
            const std::string& strBefore = words[p - 1].strText;
            while (nShared < strBefore.size() && nShared < strWord.size() &&
                   strBefore[nShared] == strWord[nShared]) {
                ++nShared;
            }
        }
        strData += static_cast<char>(nShared);
        strData += static_cast<char>(strWord.size() - nShared);
        strData.append(strWord, nShared, std::string::npos);
    }
    return strOffsets + strData;
}

// The relations of entry nEntry (1-based) as a chunk stores them, sorted by kind.
bool EntryItems(const DataFileContent& content, const std::vector<size_t>& counts, size_t nEntry,
                std::string& strItems, std::string& strError) {
    std::vector<WriterRelation> relations = content.relations[nEntry - 1];
    std::stable_sort(relations.begin(), relations.end(),
                     [](const WriterRelation& a, const WriterRelation& b) {
                         return a.nKind < b.nKind;
                     });
    const std::string strWhere = "entry " + std::to_string(nEntry) + ": ";
    if (relations.size() > 0xFFFF) return Error(strError, strWhere + "more than 65535 relations");
    AppendU16(strItems, static_cast<uint16_t>(relations.size()));
    for (const WriterRelation& r : relations) {
        if (r.nKind < 1 || r.nKind > kRelationKindCount || r.nTargetEntry < 1 ||
            r.nTargetEntry > counts.size() || r.nSourceWord > counts[nEntry - 1] ||
            r.nTargetWord > counts[r.nTargetEntry - 1]) {
            return Error(strError, strWhere + "a relation names a kind, entry or word that does "
                                              "not exist");
        }
        strItems += static_cast<char>(r.nKind);
        strItems += static_cast<char>(r.nSourceWord);
        AppendU24(strItems, r.nTargetEntry);
        strItems += static_cast<char>(r.nTargetWord);
    }
    return true;
}

}  // namespace

bool RelationRecordBytes(const DataFileContent& content, std::string& strRecord,
                         std::string& strError) {
    const size_t E = content.entries.size();
    const size_t M = static_cast<size_t>(content.nRelationEntriesPerChunk);
    if (content.relations.size() != E) {
        return Error(strError, "the relations do not list one entry each");
    }
    if (content.words.size() > kMaxRelationWords) {
        return Error(strError, "relations need a list of at most " +
                                   std::to_string(kMaxRelationWords) + " words");
    }
    if (M < 1 || M > 0xFFFF || (E + M - 1) / M > 0xFFFF) {
        return Error(strError, "the relations' entries per chunk must be 1 to 65535, and their "
                               "chunks at most 65535");
    }
    std::string strMembers;
    std::vector<size_t> counts;
    if (!BuildMembers(content, strMembers, counts, strError)) return false;
    const size_t C = (E + M - 1) / M;
    std::vector<std::string> streams;
    std::vector<uint32_t> sizes;
    for (size_t c = 0; c < C; ++c) {
        std::string strChunk;
        for (size_t e = c * M + 1; e <= std::min(E, (c + 1) * M); ++e) {
            if (!EntryItems(content, counts, e, strChunk, strError)) return false;
        }
        if (strChunk.size() > kMaxRelationChunk) {
            return Error(strError, "a chunk of relations exceeds " +
                                       std::to_string(kMaxRelationChunk) + " bytes");
        }
        sizes.push_back(static_cast<uint32_t>(strChunk.size()));
        streams.push_back(Compress(strChunk));
    }
    const std::string strTexts = BuildTexts(content.words);
    std::string str(kRelationTag, 4);
    AppendU32(str, static_cast<uint32_t>(E));
    AppendU32(str, static_cast<uint32_t>(content.words.size()));
    AppendU16(str, static_cast<uint16_t>(M));
    AppendU16(str, static_cast<uint16_t>(C));
    uint64_t nOffset = kRelationHeaderSize + 8 * C;
    std::string strTable;
    for (size_t c = 0; c < C; ++c) {
        AppendU32(strTable, static_cast<uint32_t>(nOffset));
        AppendU32(strTable, sizes[c]);
        nOffset += streams[c].size();
    }
    if (nOffset + strMembers.size() + strTexts.size() > 0xFFFFFFFFu) {
        return Error(strError, "the relation record would exceed 4 GiB");
    }
    AppendU32(str, static_cast<uint32_t>(nOffset));
    AppendU32(str, static_cast<uint32_t>(strMembers.size()));
    AppendU32(str, static_cast<uint32_t>(nOffset + strMembers.size()));
    AppendU32(str, static_cast<uint32_t>(strTexts.size()));
    str += strTable;
    for (const std::string& strStream : streams) str += strStream;
    strRecord = str + strMembers + strTexts;
    return true;
}
