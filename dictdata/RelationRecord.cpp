// The relation record's pieces, checked before they are trusted; layout in RelationRecord.h.
#include "dictdata/RelationRecord.h"

#include <algorithm>
#include <cstring>

#include "dictdata/Ansi.h"
#include "dictdata/BigEndian.h"

namespace {

constexpr uint32_t kPositionMask = kMaxRelationWords - 1;
constexpr int kSpelledOut = 3;

bool StartsWord(char chBefore) { return chBefore == ' ' || chBefore == '-'; }

}  // namespace

const char* RelationKindName(int nKind) {
    static const char* const kNames[kRelationKindCount] = {
        "antonym",        "hypernym",        "instance-hypernym", "hyponym",
        "instance-hyponym", "member-holonym", "substance-holonym", "part-holonym",
        "member-meronym", "substance-meronym", "part-meronym",    "attribute",
        "derivation",     "domain-topic",    "member-topic",      "domain-region",
        "member-region",  "domain-usage",    "member-usage",      "entailment",
        "cause",          "also",            "verb-group",        "similar",
        "participle",     "pertainym"};
    return nKind >= 1 && nKind <= kRelationKindCount ? kNames[nKind - 1] : "";
}

bool ReadRelationHeader(const unsigned char* lpHeader, uint32_t nRecordSize,
                        RelationLayout& layout) {
    if (nRecordSize < kRelationHeaderSize || std::memcmp(lpHeader, kRelationTag, 4) != 0) {
        return false;
    }
    RelationLayout result;
    result.nEntries = ReadU32BE(lpHeader + 4);
    result.nWords = ReadU32BE(lpHeader + 8);
    result.nEntriesPerChunk = ReadU16BE(lpHeader + 12);
    result.nChunks = ReadU16BE(lpHeader + 14);
    result.nMembersOffset = ReadU32BE(lpHeader + 16);
    result.nMembersSize = ReadU32BE(lpHeader + 20);
    result.nTextsOffset = ReadU32BE(lpHeader + 24);
    result.nTextsSize = ReadU32BE(lpHeader + 28);
    const uint64_t nChunks = result.nEntriesPerChunk == 0 ? 0 :
        (static_cast<uint64_t>(result.nEntries) + result.nEntriesPerChunk - 1) /
            result.nEntriesPerChunk;
    // The sections tile the record: header, chunk table, streams, members, texts.
    const uint64_t nTableEnd = kRelationHeaderSize + 8ull * result.nChunks;
    if (result.nEntriesPerChunk == 0 || nChunks != result.nChunks ||
        result.nWords > kMaxRelationWords || result.nMembersOffset < nTableEnd ||
        static_cast<uint64_t>(result.nMembersOffset) + result.nMembersSize != result.nTextsOffset ||
        static_cast<uint64_t>(result.nTextsOffset) + result.nTextsSize != nRecordSize) {
        return false;
    }
    layout = std::move(result);
    return true;
}

bool ReadRelationChunkTable(const unsigned char* lpTable, RelationLayout& layout) {
    std::vector<uint32_t> offsets(layout.nChunks + 1);
    std::vector<uint32_t> sizes(layout.nChunks);
    uint32_t nPrevious = kRelationHeaderSize + 8 * layout.nChunks;
    for (uint32_t c = 0; c < layout.nChunks; ++c) {
        offsets[c] = ReadU32BE(lpTable + 8 * c);
        sizes[c] = ReadU32BE(lpTable + 8 * c + 4);
        // Each stream starts where the one before it ends, so none may be empty.
        if (offsets[c] < nPrevious || (c > 0 && offsets[c] == nPrevious) || sizes[c] == 0 ||
            sizes[c] > kMaxRelationChunk) {
            return false;
        }
        nPrevious = offsets[c];
    }
    offsets[layout.nChunks] = layout.nMembersOffset;
    if (layout.nChunks > 0 && offsets[layout.nChunks - 1] >= layout.nMembersOffset) return false;
    layout.chunkOffsets.swap(offsets);
    layout.chunkSizes.swap(sizes);
    return true;
}

bool IndexRelationChunk(const std::string& strChunk, uint32_t nEntryCount, uint32_t nEntries,
                        std::vector<uint32_t>& itemStarts) {
    const unsigned char* p = reinterpret_cast<const unsigned char*>(strChunk.data());
    const size_t nSize = strChunk.size();
    std::vector<uint32_t> starts(nEntryCount + 1);
    size_t nOffset = 0;
    for (uint32_t e = 0; e < nEntryCount; ++e) {
        if (nOffset + 2 > nSize) return false;
        const size_t nItems = ReadU16BE(p + nOffset);
        nOffset += 2;
        if (nItems * kRelationItemSize > nSize - nOffset) return false;
        starts[e] = static_cast<uint32_t>(nOffset);
        int nPreviousKind = 0;
        for (size_t i = 0; i < nItems; ++i) {
            const RelationItem item = ReadRelationItem(p + nOffset, i);
            if (item.nKind < 1 || item.nKind > kRelationKindCount || item.nKind < nPreviousKind ||
                item.nTargetEntry < 1 || item.nTargetEntry > nEntries) {
                return false;
            }
            nPreviousKind = item.nKind;
        }
        nOffset += nItems * kRelationItemSize;
    }
    if (nOffset != nSize) return false;
    starts[nEntryCount] = static_cast<uint32_t>(nOffset);
    itemStarts.swap(starts);
    return true;
}

RelationItem ReadRelationItem(const unsigned char* lpItem, size_t i) {
    const unsigned char* p = lpItem + i * kRelationItemSize;
    RelationItem item;
    item.nKind = p[0];
    item.nSourceWord = p[1];
    item.nTargetEntry = ReadU24BE(p + 2);
    item.nTargetWord = p[5];
    return item;
}

bool RelationWords::ReadGroupTable(Section& section, uint32_t nGroups) {
    if (4ull * nGroups > section.nSize) return false;
    std::vector<unsigned char> table(4 * static_cast<size_t>(nGroups) + 1);
    if (nGroups > 0 && !m_reader(section.nOffset, table.data(), 4 * static_cast<size_t>(nGroups))) {
        return false;
    }
    std::vector<uint32_t> starts(nGroups + 1);
    uint32_t nPrevious = 4 * nGroups;
    for (uint32_t g = 0; g < nGroups; ++g) {
        starts[g] = ReadU32BE(table.data() + 4 * g);
        // Groups follow the table in order and lie inside the section.
        if (starts[g] < nPrevious || starts[g] > section.nSize) return false;
        nPrevious = starts[g];
    }
    starts[nGroups] = section.nSize;
    section.groupStarts.swap(starts);
    return true;
}

bool RelationWords::Assign(Reader reader, const RelationLayout& layout) {
    RelationWords result;
    result.m_reader = std::move(reader);
    result.m_members.nOffset = layout.nMembersOffset;
    result.m_members.nSize = layout.nMembersSize;
    result.m_texts.nOffset = layout.nTextsOffset;
    result.m_texts.nSize = layout.nTextsSize;
    result.m_nEntries = layout.nEntries;
    result.m_nWords = layout.nWords;
    const uint32_t nMemberGroups = (layout.nEntries + kMembersPerGroup - 1) / kMembersPerGroup;
    const uint32_t nTextGroups = (layout.nWords + kTextsPerGroup - 1) / kTextsPerGroup;
    if (!result.ReadGroupTable(result.m_members, nMemberGroups) ||
        !result.ReadGroupTable(result.m_texts, nTextGroups)) {
        return false;
    }
    *this = std::move(result);
    return true;
}

bool RelationWords::LoadGroup(Section& section, uint32_t nGroup, const std::string*& pGroup) {
    const auto found = section.groups.find(nGroup);
    if (found != section.groups.end()) {
        pGroup = &found->second;
        return true;
    }
    const uint32_t nStart = section.groupStarts[nGroup];
    std::string strGroup(section.groupStarts[nGroup + 1] - nStart, '\0');
    if (!strGroup.empty() &&
        !m_reader(section.nOffset + nStart, reinterpret_cast<unsigned char*>(&strGroup[0]),
                  strGroup.size())) {
        return false;
    }
    pGroup = &section.groups.emplace(nGroup, std::move(strGroup)).first->second;
    return true;
}

bool RelationWords::WalkMembers(const std::string& strGroup, uint32_t nLast,
                                std::vector<EntryMember>* pMembers, size_t& nEnd) {
    const unsigned char* p = reinterpret_cast<const unsigned char*>(strGroup.data());
    const size_t nSize = strGroup.size();
    size_t nOffset = 0;
    std::vector<EntryMember> result;
    for (uint32_t e = 0; e <= nLast; ++e) {
        if (nOffset >= nSize) return false;
        const unsigned nCount = p[nOffset++];
        const bool bWanted = pMembers != nullptr && e == nLast;
        for (unsigned m = 0; m < nCount; ++m) {
            if (nOffset + 3 > nSize) return false;
            const uint32_t nValue = ReadU24BE(p + nOffset);
            nOffset += 3;
            const uint32_t nPos = nValue & kPositionMask;
            const int nCode = static_cast<int>(nValue >> 22);
            if (nPos >= m_nWords) return false;
            std::string strText;
            if (nCode == kSpelledOut) {
                if (nOffset >= nSize || p[nOffset] == 0 || nOffset + 1 + p[nOffset] > nSize) {
                    return false;
                }
                strText.assign(strGroup, nOffset + 1, p[nOffset]);
                nOffset += 1 + p[nOffset];
            } else if (bWanted) {
                if (!GetText(nPos, strText)) return false;
                strText = ApplySpelling(strText, nCode);
            }
            if (bWanted) result.push_back({static_cast<int>(nPos), std::move(strText)});
        }
    }
    if (pMembers != nullptr) pMembers->swap(result);
    nEnd = nOffset;
    return true;
}

bool RelationWords::GetMembers(uint32_t nEntry, std::vector<EntryMember>& members) {
    const std::string* pGroup = nullptr;
    size_t nEnd = 0;
    std::vector<EntryMember> result;
    if (nEntry < 1 || nEntry > m_nEntries ||
        !LoadGroup(m_members, (nEntry - 1) / kMembersPerGroup, pGroup) ||
        !WalkMembers(*pGroup, (nEntry - 1) % kMembersPerGroup, &result, nEnd)) {
        return false;
    }
    members.swap(result);
    return true;
}

bool RelationWords::WalkTexts(const std::string& strGroup, uint32_t nLast, std::string& strText,
                              size_t& nEnd) {
    const unsigned char* p = reinterpret_cast<const unsigned char*>(strGroup.data());
    const size_t nSize = strGroup.size();
    char word[256];
    size_t nLength = 0;
    size_t nOffset = 0;
    for (uint32_t i = 0; i <= nLast; ++i) {
        if (nOffset + 2 > nSize) return false;
        const size_t nShared = p[nOffset];
        const size_t nSuffix = p[nOffset + 1];
        if ((i == 0 && nShared != 0) || nShared > nLength || nShared + nSuffix > 255 ||
            nOffset + 2 + nSuffix > nSize) {
            return false;
        }
        std::memcpy(word + nShared, p + nOffset + 2, nSuffix);
        nLength = nShared + nSuffix;
        nOffset += 2 + nSuffix;
    }
    strText.assign(word, nLength);
    nEnd = nOffset;
    return true;
}

bool RelationWords::GetText(uint32_t nPos, std::string& strText) {
    const std::string* pGroup = nullptr;
    size_t nEnd = 0;
    std::string strResult;
    if (nPos >= m_nWords || !LoadGroup(m_texts, nPos / kTextsPerGroup, pGroup) ||
        !WalkTexts(*pGroup, nPos % kTextsPerGroup, strResult, nEnd)) {
        return false;
    }
    strText.swap(strResult);
    return true;
}

bool RelationWords::CheckSections() {
    const uint32_t nMemberGroups = static_cast<uint32_t>(m_members.groupStarts.size()) - 1;
    for (uint32_t g = 0; g < nMemberGroups; ++g) {
        const std::string* pGroup = nullptr;
        size_t nEnd = 0;
        const uint32_t nLast = std::min(kMembersPerGroup, m_nEntries - g * kMembersPerGroup) - 1;
        if (!LoadGroup(m_members, g, pGroup) || !WalkMembers(*pGroup, nLast, nullptr, nEnd) ||
            nEnd != pGroup->size()) {
            return false;
        }
        m_members.groups.erase(g);
    }
    const uint32_t nTextGroups = static_cast<uint32_t>(m_texts.groupStarts.size()) - 1;
    for (uint32_t g = 0; g < nTextGroups; ++g) {
        const std::string* pGroup = nullptr;
        size_t nEnd = 0;
        std::string strText;
        const uint32_t nLast = std::min(kTextsPerGroup, m_nWords - g * kTextsPerGroup) - 1;
        if (!LoadGroup(m_texts, g, pGroup) || !WalkTexts(*pGroup, nLast, strText, nEnd) ||
            nEnd != pGroup->size()) {
            return false;
        }
        m_texts.groups.erase(g);
    }
    // An empty list has no groups: then the sections hold nothing but their tables.
    return (nMemberGroups > 0 || m_members.nSize == 0) && (nTextGroups > 0 || m_texts.nSize == 0);
}

std::string ApplySpelling(const std::string& strListText, int nCode) {
    std::string strText = strListText;
    for (size_t i = 0; i < strText.size(); ++i) {
        const bool bUpper = (nCode == 1 && i == 0) ||
                            (nCode == 2 && (i == 0 || StartsWord(strText[i - 1])));
        if (bUpper) strText[i] = static_cast<char>(AnsiToUpper(static_cast<unsigned char>(strText[i])));
    }
    return strText;
}

int SpellingCode(const std::string& strListText, const std::string& strText) {
    for (int nCode = 0; nCode < kSpelledOut; ++nCode) {
        if (ApplySpelling(strListText, nCode) == strText) return nCode;
    }
    return kSpelledOut;
}
