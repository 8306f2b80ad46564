// The relation record's pieces, checked before they are trusted; layout in RelationRecord.h.
#include "dictdata/RelationRecord.h"

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

bool RelationWords::Assign(std::string strMembers, std::string strTexts, uint32_t nEntries,
                           uint32_t nWords) {
    const uint64_t nMemberGroups = (static_cast<uint64_t>(nEntries) + kMembersPerGroup - 1) /
                                   kMembersPerGroup;
    const uint64_t nTextGroups = (static_cast<uint64_t>(nWords) + kTextsPerGroup - 1) /
                                 kTextsPerGroup;
    if (strMembers.size() < 4 * nMemberGroups || strTexts.size() < 4 * nTextGroups) return false;
    m_members.swap(strMembers);
    m_texts.swap(strTexts);
    m_nEntries = nEntries;
    m_nWords = nWords;
    return true;
}

bool RelationWords::GroupStart(const std::string& strSection, uint32_t nGroups, uint32_t nGroup,
                               uint32_t& nOffset) {
    const unsigned char* p = reinterpret_cast<const unsigned char*>(strSection.data());
    const uint32_t nStart = ReadU32BE(p + 4 * nGroup);
    // A group starts after the offsets and inside the section; the next one not before it.
    if (nStart < 4ull * nGroups || nStart > strSection.size()) return false;
    if (nGroup + 1 < nGroups && ReadU32BE(p + 4 * (nGroup + 1)) < nStart) return false;
    nOffset = nStart;
    return true;
}

bool RelationWords::GetMembers(uint32_t nEntry, std::vector<EntryMember>& members) const {
    if (nEntry < 1 || nEntry > m_nEntries) return false;
    const uint32_t nIndex = nEntry - 1;
    const uint32_t nGroups = (m_nEntries + kMembersPerGroup - 1) / kMembersPerGroup;
    uint32_t nOffset = 0;
    if (!GroupStart(m_members, nGroups, nIndex / kMembersPerGroup, nOffset)) return false;
    const unsigned char* p = reinterpret_cast<const unsigned char*>(m_members.data());
    const size_t nSize = m_members.size();
    std::vector<EntryMember> result;
    for (uint32_t e = nIndex - nIndex % kMembersPerGroup; e <= nIndex; ++e) {
        if (nOffset >= nSize) return false;
        const unsigned nCount = p[nOffset++];
        const bool bWanted = e == nIndex;
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
                strText.assign(m_members, nOffset + 1, p[nOffset]);
                nOffset += 1 + p[nOffset];
            } else if (bWanted) {
                if (!GetText(nPos, strText)) return false;
                strText = ApplySpelling(strText, nCode);
            }
            if (bWanted) result.push_back({static_cast<int>(nPos), std::move(strText)});
        }
    }
    members.swap(result);
    return true;
}

bool RelationWords::GetText(uint32_t nPos, std::string& strText) const {
    if (nPos >= m_nWords) return false;
    const uint32_t nGroups = (m_nWords + kTextsPerGroup - 1) / kTextsPerGroup;
    uint32_t nOffset = 0;
    if (!GroupStart(m_texts, nGroups, nPos / kTextsPerGroup, nOffset)) return false;
    const unsigned char* p = reinterpret_cast<const unsigned char*>(m_texts.data());
    const size_t nSize = m_texts.size();
    char word[256];
    size_t nLength = 0;
    for (uint32_t i = nPos - nPos % kTextsPerGroup; i <= nPos; ++i) {
        if (nOffset + 2 > nSize) return false;
        const size_t nShared = p[nOffset];
        const size_t nSuffix = p[nOffset + 1];
        const bool bGroupStart = i % kTextsPerGroup == 0;
        if ((bGroupStart && nShared != 0) || nShared > nLength || nShared + nSuffix > 255 ||
            nOffset + 2 + nSuffix > nSize) {
            return false;
        }
        std::memcpy(word + nShared, p + nOffset + 2, nSuffix);
        nLength = nShared + nSuffix;
        nOffset += 2 + static_cast<uint32_t>(nSuffix);
    }
    strText.assign(word, nLength);
    return true;
}

bool RelationWords::CheckSections() const {
    const unsigned char* p = reinterpret_cast<const unsigned char*>(m_members.data());
    const uint32_t nMemberGroups = (m_nEntries + kMembersPerGroup - 1) / kMembersPerGroup;
    size_t nOffset = 4ull * nMemberGroups;
    for (uint32_t e = 0; e < m_nEntries; ++e) {
        if (e % kMembersPerGroup == 0 && ReadU32BE(p + 4 * (e / kMembersPerGroup)) != nOffset) {
            return false;
        }
        std::vector<EntryMember> members;
        if (!GetMembers(e + 1, members)) return false;
        nOffset += 1;
        for (const EntryMember& member : members) {
            nOffset += 3;
            // A spelled-out member is the only kind with a text of its own in the section.
            if (p[nOffset - 3] >> 6 == kSpelledOut) nOffset += 1 + member.strText.size();
        }
    }
    if (nOffset != m_members.size()) return false;
    const unsigned char* t = reinterpret_cast<const unsigned char*>(m_texts.data());
    const uint32_t nTextGroups = (m_nWords + kTextsPerGroup - 1) / kTextsPerGroup;
    nOffset = 4ull * nTextGroups;
    for (uint32_t w = 0; w < m_nWords; ++w) {
        std::string strText;
        if ((w % kTextsPerGroup == 0 && ReadU32BE(t + 4 * (w / kTextsPerGroup)) != nOffset) ||
            !GetText(w, strText)) {
            return false;
        }
        nOffset += 2 + t[nOffset + 1];
    }
    return nOffset == m_texts.size();
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
