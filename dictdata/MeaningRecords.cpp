// The meaning index record after the last entry block (layout in MeaningIndex.h).
#include "dictdata/DictionaryFile.h"
#include "dictdata/MeaningIndex.h"
#include "dictdata/RecordReader.h"

MeaningIndex* DictionaryFile::GetMeaningIndex() {
    if (!IsOpen()) return nullptr;
    if (!m_bMeaningTried) {
        m_bMeaningTried = true;
        const int r = FindAdditionalRecord(kMeaningTag);
        std::unique_ptr<MeaningIndex> pIndex(new MeaningIndex);
        if (r >= 0 && pIndex->Open(ReaderForRecord(r), GetTotalEntries(), GetWordCount())) {
            m_pMeaning = std::move(pIndex);
        }
    }
    return m_pMeaning.get();
}

bool DictionaryFile::SearchMeanings(const std::string& strText, std::vector<MeaningMatch>& matches) {
    MeaningIndex* pIndex = GetMeaningIndex();
    return pIndex != nullptr && pIndex->Search(strText, matches);
}
