// The morphology records: exception lists stored as additional records after the last entry
// block, one record per part of speech (layout in ExceptionList.h). A file without them, or with
// damaged ones, still opens; only the lists it lacks stay empty.
#include <zlib.h>

#include <cstring>

#include "dictdata/DictionaryFile.h"
#include "dictdata/ExceptionList.h"

bool DictionaryFile::ReadExceptionRecord(int nRecord, int& nPartOfSpeech, ExceptionList& list) {
    if (!IsOpen() || nRecord < FirstAdditionalRecord() || nRecord >= m_nRecordCount) return false;
    const uint32_t nSize = RecordSize(nRecord);
    unsigned char header[kExceptionHeaderSize];
    int nPart = -1;
    uint32_t nPairs = 0;
    uint32_t nDataSize = 0;
    if (nSize < kExceptionHeaderSize || !ReadAt(m_pRecordOffsets[nRecord], header, sizeof header) ||
        !ReadExceptionHeader(header, nSize, nPart, nPairs, nDataSize)) {
        return false;
    }
    const uint32_t nStored = nSize - static_cast<uint32_t>(kExceptionHeaderSize);
    std::unique_ptr<unsigned char[]> pStored(new unsigned char[nStored + 1]);
    if (!ReadAt(m_pRecordOffsets[nRecord] + kExceptionHeaderSize, pStored.get(), nStored)) {
        return false;
    }
    std::string strData(nDataSize, '\0');
    uLongf nLength = nDataSize;
    // An empty list still carries a (tiny) stream; a destination of 0 bytes is given one byte.
    unsigned char dummy = 0;
    unsigned char* pDest = nDataSize > 0 ? reinterpret_cast<unsigned char*>(&strData[0]) : &dummy;
    if (uncompress(pDest, &nLength, pStored.get(), nStored) != Z_OK || nLength != nDataSize ||
        !list.Assign(std::move(strData), nPairs)) {
        return false;
    }
    nPartOfSpeech = nPart;
    return true;
}

const ExceptionLists* DictionaryFile::GetExceptionLists() {
    if (!IsOpen()) return nullptr;
    if (m_pExceptions && !m_bExceptionsStale) return m_pExceptions.get();
    // A read that fails below marks the lists stale again, so lists read from a file that was
    // emptied or cut short are read once more by the next call instead of kept.
    m_bExceptionsStale = false;
    std::unique_ptr<ExceptionLists> pLists(new ExceptionLists);
    // Open noted the first record of each letter; a repeat of a letter is never read.
    for (unsigned char chLetter : {'v', 'a', 'V', 'N'}) {
        const int r = FindAdditionalRecord(kExceptionTag, chLetter);
        ExceptionList list;
        int nPart = -1;
        if (r >= 0 && ReadExceptionRecord(r, nPart, list)) pLists->lists[nPart] = std::move(list);
    }
    m_pExceptions = std::move(pLists);
    return m_pExceptions.get();
}
