// Additional records: the records after the last entry block. Each starts with a 4-byte tag that
// names its kind; Open reads those tags, and nothing else of the records, so that opening costs
// at most kMaxAdditionalRecords small reads however the file was made. The readers of each kind
// (the exception lists, ...) then go straight to their record and check it in full there.
//
// Record layout as far as this file reads it:
//   0  4  tag, 4 ASCII characters
//   4  1  sub-kind byte, for the kinds that have one (the part-of-speech letter of an exception
//         list); a kind without sub-kinds does not read it here
#include <cstring>

#include "dictdata/DictionaryFile.h"
#include "dictdata/ExceptionList.h"
#include "dictdata/MeaningIndex.h"
#include "dictdata/SpellingIndex.h"
#include "dictdata/RelationRecord.h"

namespace {

// The kinds this engine knows. At most one record of each kind (of each sub-kind, where the
// kind has them) counts: a repeat is skipped, and so is a record with another tag.
struct RecordKind {
    const char* lpszTag;
    bool bSubkindByte;  // records of the kind are told apart by the byte after the tag
};

const RecordKind kKinds[] = {
    {kExceptionTag, true},
    {kSpellingTag, false},
    {kMeaningTag, false},
    {kRelationTag, false},
};

const RecordKind* FindKind(const unsigned char* lpTag) {
    for (const RecordKind& kind : kKinds) {
        if (std::memcmp(lpTag, kind.lpszTag, 4) == 0) return &kind;
    }
    return nullptr;
}

}  // namespace

int DictionaryFile::FirstAdditionalRecord() const {
    return m_header.nWordBlockCount + 2 + m_entryIndex.nEntryBlockCount;
}

bool DictionaryFile::ScanAdditionalRecords() {
    const int nFirst = FirstAdditionalRecord();
    if (m_nRecordCount - nFirst > kMaxAdditionalRecords) return false;
    AdditionalRecord found[kMaxAdditionalRecords];
    int nFound = 0;
    for (int r = nFirst; r < m_nRecordCount; ++r) {
        unsigned char tag[5] = {};
        const uint32_t nSize = RecordSize(r);
        if (nSize < 4) continue;  // too short for a tag: a kind nobody knows
        if (!ReadAt(m_pRecordOffsets[r], tag, nSize < 5 ? 4 : 5)) return false;
        const RecordKind* pKind = FindKind(tag);
        if (pKind == nullptr || (pKind->bSubkindByte && nSize < 5)) continue;
        AdditionalRecord record;
        std::memcpy(record.tag, tag, 4);
        record.nSubkind = pKind->bSubkindByte ? tag[4] : 0;
        record.nRecord = static_cast<uint16_t>(r);
        bool bRepeat = false;
        for (int i = 0; i < nFound; ++i) {
            bRepeat = bRepeat || (std::memcmp(found[i].tag, record.tag, 4) == 0 &&
                                  found[i].nSubkind == record.nSubkind);
        }
        if (!bRepeat) found[nFound++] = record;
    }
    std::memcpy(m_additional, found, sizeof(AdditionalRecord) * nFound);
    m_nAdditional = nFound;
    return true;
}

int DictionaryFile::FindAdditionalRecord(const char* lpszTag, unsigned char nSubkind) const {
    for (int i = 0; i < m_nAdditional; ++i) {
        if (std::memcmp(m_additional[i].tag, lpszTag, 4) == 0 &&
            m_additional[i].nSubkind == nSubkind) {
            return m_additional[i].nRecord;
        }
    }
    return -1;
}
