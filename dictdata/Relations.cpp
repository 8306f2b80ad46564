// The relation record (layout in RelationRecord.h): read on the first question about relations,
// never at Open. Its header, chunk table and the group offsets of its word sections then stay
// in memory until Close; the word groups a lookup needs are read and kept, and its chunks are
// inflated one at a time when an entry of theirs is asked for, the last few kept, since the
// senses of one word mostly lie in a few neighbouring chunks.
#include <zlib.h>

#include <algorithm>

#include "dictdata/DictionaryFile.h"
#include "dictdata/RelationRecord.h"

bool DictionaryFile::HasRelations() const {
    return IsOpen() && FindAdditionalRecord(kRelationTag) >= 0;
}

bool DictionaryFile::ReadRelationRecord(int nRecord, RelationData& data) {
    if (!IsOpen() || nRecord < FirstAdditionalRecord() || nRecord >= m_nRecordCount) return false;
    const uint32_t nStart = m_pRecordOffsets[nRecord];
    const uint32_t nSize = RecordSize(nRecord);
    unsigned char header[kRelationHeaderSize];
    RelationLayout layout;
    if (nSize < kRelationHeaderSize || !ReadAt(nStart, header, sizeof header) ||
        !ReadRelationHeader(header, nSize, layout) || layout.nEntries != m_nTotalEntries ||
        layout.nWords != m_header.nWordCount) {
        return false;
    }
    std::string strTable(8 * static_cast<size_t>(layout.nChunks), '\0');
    if ((!strTable.empty() &&
         !ReadAt(nStart + kRelationHeaderSize, &strTable[0], strTable.size())) ||
        !ReadRelationChunkTable(reinterpret_cast<const unsigned char*>(strTable.data()), layout)) {
        return false;
    }
    // The word sections are read a group at a time, from the record's start on.
    const RelationWords::Reader reader = [this, nStart](uint32_t nOffset, unsigned char* lpBuffer,
                                                        size_t nSize) {
        return IsOpen() && ReadAt(nStart + nOffset, lpBuffer, nSize);
    };
    if (!data.words.Assign(reader, layout)) return false;
    data.layout = std::move(layout);
    return true;
}

RelationData* DictionaryFile::GetRelationData() {
    if (!IsOpen()) return nullptr;
    if (!m_bRelationsRead) {
        m_bRelationsRead = true;
        const int nRecord = FindAdditionalRecord(kRelationTag);
        std::unique_ptr<RelationData> pData(new RelationData);
        if (nRecord >= 0 && ReadRelationRecord(nRecord, *pData)) m_pRelations = std::move(pData);
    }
    return m_pRelations.get();
}

bool DictionaryFile::LoadRelationChunk(RelationData& data, uint32_t nChunk, std::string& strChunk,
                                       std::vector<uint32_t>& itemStarts) {
    const RelationLayout& layout = data.layout;
    const int nRecord = FindAdditionalRecord(kRelationTag);
    const uint32_t nStored = layout.chunkOffsets[nChunk + 1] - layout.chunkOffsets[nChunk];
    std::unique_ptr<unsigned char[]> pStored(new unsigned char[nStored]);
    if (!ReadAt(m_pRecordOffsets[nRecord] + layout.chunkOffsets[nChunk], pStored.get(), nStored)) {
        return false;
    }
    std::string strData(layout.chunkSizes[nChunk], '\0');
    uLongf nLength = layout.chunkSizes[nChunk];
    if (uncompress(reinterpret_cast<Bytef*>(&strData[0]), &nLength, pStored.get(), nStored) !=
            Z_OK ||
        nLength != layout.chunkSizes[nChunk]) {
        return false;
    }
    const uint32_t nFirst = nChunk * layout.nEntriesPerChunk;
    const uint32_t nCount = std::min(layout.nEntriesPerChunk, layout.nEntries - nFirst);
    if (!IndexRelationChunk(strData, nCount, layout.nEntries, itemStarts)) return false;
    strChunk.swap(strData);
    return true;
}

bool DictionaryFile::GetRelationItems(uint32_t nEntry, const unsigned char*& lpItems,
                                      size_t& nCount) {
    RelationData* pData = GetRelationData();
    if (pData == nullptr || nEntry < 1 || nEntry > pData->layout.nEntries) return false;
    const uint32_t nChunk = (nEntry - 1) / pData->layout.nEntriesPerChunk;
    const uint32_t nIndex = (nEntry - 1) % pData->layout.nEntriesPerChunk;
    // The slot that holds the chunk, else the one used longest ago.
    RelationData::Chunk* pSlot = &pData->chunks[0];
    for (RelationData::Chunk& slot : pData->chunks) {
        if (slot.nChunk == nChunk) {
            pSlot = &slot;
            break;
        }
        if (slot.nLastUse < pSlot->nLastUse) pSlot = &slot;
    }
    if (pSlot->nChunk != nChunk) {
        // A chunk that fails to load leaves its slot empty, never half filled.
        pSlot->nChunk = UINT32_MAX;
        if (!LoadRelationChunk(*pData, nChunk, pSlot->strData, pSlot->itemStarts)) return false;
        pSlot->nChunk = nChunk;
    }
    pSlot->nLastUse = ++pData->nClock;
    const uint32_t nStart = pSlot->itemStarts[nIndex];
    lpItems = reinterpret_cast<const unsigned char*>(pSlot->strData.data()) + nStart;
    nCount = (pSlot->itemStarts[nIndex + 1] - nStart) / kRelationItemSize;
    return true;
}

bool DictionaryFile::GetEntryMembers(uint32_t nEntry, std::vector<EntryMember>& members) {
    RelationData* pData = GetRelationData();
    return pData != nullptr && pData->words.GetMembers(nEntry, members);
}

bool DictionaryFile::CollectRelatedWords(uint32_t nEntry, int nSourcePos,
                                         std::vector<RelatedWord>& words) {
    const unsigned char* lpItems = nullptr;
    size_t nCount = 0;
    if (!GetRelationItems(nEntry, lpItems, nCount)) return false;
    // The items live in a chunk slot that reading members cannot touch, so they stay valid.
    RelationWords& sections = m_pRelations->words;
    std::vector<EntryMember> own;
    if (nSourcePos >= 0 && !sections.GetMembers(nEntry, own)) return false;
    std::vector<RelatedWord> result;
    std::vector<EntryMember> targets;
    for (size_t i = 0; i < nCount; ++i) {
        const RelationItem item = ReadRelationItem(lpItems, i);
        const bool bSense = item.nSourceWord == 0;
        if (bSense != (nSourcePos < 0)) continue;
        if (!bSense && (item.nSourceWord > own.size() ||
                        own[item.nSourceWord - 1].nPos != nSourcePos)) {
            continue;
        }
        // A target whose words cannot be read, or that lacks the word named, shows nothing.
        if (!sections.GetMembers(item.nTargetEntry, targets)) continue;
        if (item.nTargetWord > targets.size()) continue;
        const size_t nFirst = item.nTargetWord == 0 ? 0 : item.nTargetWord - 1u;
        const size_t nEnd = item.nTargetWord == 0 ? targets.size() : item.nTargetWord;
        const size_t nBefore = result.size();
        for (size_t m = nFirst; m < nEnd; ++m) {
            // A sense that lists one word twice ("ddC", "DDC") shows it once.
            const bool bRepeat = std::any_of(
                result.begin() + nBefore, result.end(),
                [&](const RelatedWord& word) { return word.nPos == targets[m].nPos; });
            if (!bRepeat) {
                result.push_back({item.nKind, item.nTargetEntry, targets[m].nPos,
                                  std::move(targets[m].strText)});
            }
        }
    }
    words.swap(result);
    return true;
}

bool DictionaryFile::GetSenseRelations(uint32_t nEntry, std::vector<RelatedWord>& words) {
    return CollectRelatedWords(nEntry, -1, words);
}

bool DictionaryFile::GetWordRelations(int nPos, uint32_t nEntry, std::vector<RelatedWord>& words) {
    if (nPos < 0) return false;
    return CollectRelatedWords(nEntry, nPos, words);
}

bool DictionaryFile::GetRelatedWords(int nPos, uint32_t nEntry, std::vector<RelatedWord>& words) {
    std::vector<RelatedWord> sense;
    std::vector<RelatedWord> own;
    if (!GetSenseRelations(nEntry, sense) || !GetWordRelations(nPos, nEntry, own)) return false;
    sense.insert(sense.end(), std::make_move_iterator(own.begin()),
                 std::make_move_iterator(own.end()));
    std::stable_sort(sense.begin(), sense.end(),
                     [](const RelatedWord& a, const RelatedWord& b) { return a.nKind < b.nKind; });
    words.swap(sense);
    return true;
}
