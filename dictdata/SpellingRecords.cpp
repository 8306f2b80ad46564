// The spelling record after the last entry block (layout in SpellingIndex.h), and the reader
// through which the indexes load the parts of their records that a search needs.
#include "dictdata/DictionaryFile.h"
#include "dictdata/RecordReader.h"
#include "dictdata/SpellingIndex.h"

RecordReader DictionaryFile::ReaderForRecord(int nRecord) {
    const uint32_t nStart = m_pRecordOffsets[nRecord];
    return RecordReader(
        [this, nStart](uint32_t nOffset, void* lpBuffer, size_t nSize) {
            return IsOpen() && ReadAt(nStart + nOffset, lpBuffer, nSize);
        },
        RecordSize(nRecord));
}

SpellingIndex* DictionaryFile::GetSpellingIndex() {
    if (!IsOpen()) return nullptr;
    if (!m_bSpellingTried) {
        m_bSpellingTried = true;
        const int r = FindAdditionalRecord(kSpellingTag);
        std::unique_ptr<SpellingIndex> pIndex(new SpellingIndex);
        if (r >= 0 && pIndex->Open(ReaderForRecord(r), GetWordCount())) m_pSpelling = std::move(pIndex);
    }
    return m_pSpelling.get();
}

bool DictionaryFile::FindSpellings(const std::string& strText, size_t nMax,
                                   std::vector<SpellingMatch>& matches) {
    SpellingIndex* pIndex = GetSpellingIndex();
    return pIndex != nullptr && pIndex->Find(strText, nMax, matches);
}
