// Entry records. Entry block j (from 1) is record k+1+j: one zlib stream of at most 16723 bytes
// that decompresses to at most 16384 bytes of records back to back:
//   0  2    record length L, big-endian, the two bytes included (L >= 2)
//   2  L-2  entry text: synonyms joined by "|", LF, definition, [LF, usage joined by "|"];
//           a zero byte ends the text early
// Entry numbers count from 1 through the blocks in order; the entries-per-block table says how
// many each block holds. The four groups of the entry index record give an entry its part of
// speech.
#include <zlib.h>

#include <cstring>

#include "dictdata/Ansi.h"
#include "dictdata/BigEndian.h"
#include "dictdata/DictionaryFile.h"
#include "dictdata/EntryText.h"

int DictionaryFile::LocateEntry(int nEntry, int& nPosition) {
    if (!IsOpen() || nEntry < 1 || static_cast<uint32_t>(nEntry) > m_nTotalEntries) return 0;
    // The range check above guarantees the walk stops inside the table.
    uint32_t nTotal = 0;
    for (int j = 0; j < m_entryIndex.nEntryBlockCount; ++j) {
        const uint32_t nBefore = nTotal;
        nTotal += m_pEntriesPerBlock[j];
        if (nTotal >= static_cast<uint32_t>(nEntry)) {
            nPosition = static_cast<int>(static_cast<uint32_t>(nEntry) - nBefore);
            return j + 1;
        }
    }
    return 0;
}

bool DictionaryFile::ReadEntryBlock(int nBlock, unsigned char* lpBuffer, size_t* pnSize) {
    if (!IsOpen() || nBlock < 1 || nBlock > m_entryIndex.nEntryBlockCount) return false;
    const int nRecord = m_header.nWordBlockCount + 1 + nBlock;
    const uint32_t nStored = RecordSize(nRecord);
    if (nStored == 0 || nStored > kEntryBlockStoredSize) return false;
    std::unique_ptr<unsigned char[]> pInput(new unsigned char[nStored]);
    if (!ReadAt(m_pRecordOffsets[nRecord], pInput.get(), nStored)) return false;
    std::memset(lpBuffer, 0, kEntryBlockSize);
    uLongf nLength = kEntryBlockSize;
    if (uncompress(lpBuffer, &nLength, pInput.get(), nStored) != Z_OK) return false;
    if (pnSize != nullptr) *pnSize = nLength;
    return true;
}

bool DictionaryFile::ReadEntryText(int nEntry, std::string& strText) {
    int nPosition = 0;
    const int nBlock = LocateEntry(nEntry, nPosition);
    if (nBlock == 0) return false;
    std::unique_ptr<unsigned char[]> pBlock(new unsigned char[kEntryBlockSize]);
    size_t nSize = 0;
    if (!ReadEntryBlock(nBlock, pBlock.get(), &nSize)) return false;

    // Skip the records before this one; each must be at least its own length field and stay
    // inside the decompressed data.
    size_t nOffset = 0;
    for (int i = 1;; ++i) {
        if (nOffset + 2 > nSize) return false;
        const size_t L = ReadU16BE(pBlock.get() + nOffset);
        if (L < 2 || nOffset + L > nSize) return false;
        if (i == nPosition) break;
        nOffset += L;
    }
    const size_t L = ReadU16BE(pBlock.get() + nOffset);
    const char* pText = reinterpret_cast<const char*>(pBlock.get() + nOffset + 2);
    strText.assign(pText, strnlen(pText, L - 2));
    return true;
}

bool DictionaryFile::ReadEntry(int nPos, int nEntry, std::string& strSynonyms, int& nSynonymCount,
                               std::string& strDefinition, std::string& strUsage) {
    std::string strText;
    if (!ReadEntryText(nEntry, strText)) return false;
    std::string strSyn;
    std::string strDef;
    std::string strUse;
    int nCount = 0;
    DecodeEntryText(nPos, strText, strSyn, strDef, strUse, nCount);
    strSynonyms.swap(strSyn);
    strDefinition.swap(strDef);
    strUsage.swap(strUse);
    nSynonymCount = nCount;
    return true;
}

bool DictionaryFile::DecodeEntryText(int nPos, std::string strText, std::string& strSynonyms,
                                     std::string& strDefinition, std::string& strUsage,
                                     int& nSynonymCount) {
    strSynonyms.clear();
    std::string strLine;
    const bool bDefinition = SplitEntryText(strText, strLine, strDefinition, strUsage);
    std::string strHeadword;
    GetWord(nPos, strHeadword);

    // Items equal to the headword once lower-cased are dropped; the headword is not lower-cased,
    // so a headword stored with capitals keeps a lower-case synonym.
    nSynonymCount = 0;
    size_t b;
    while ((b = strLine.find('|')) != std::string::npos && b > 0) {
        const std::string strItem = strLine.substr(0, b);
        if (AnsiLowerCopy(strItem) != strHeadword) {
            strSynonyms += strItem;
            strSynonyms += ", ";
            ++nSynonymCount;
        }
        strLine.erase(0, b + 1);
    }
    if (AnsiLowerCopy(strLine) != strHeadword) {
        strSynonyms += strLine;
        ++nSynonymCount;
    } else if (strSynonyms.size() >= 2) {
        strSynonyms.erase(strSynonyms.size() - 2);
    } else {
        strSynonyms.clear();
    }
    if (!strSynonyms.empty()) strSynonyms += '.';
    return bDefinition;
}

bool SplitEntryText(const std::string& strStored, std::string& strSynonymLine,
                    std::string& strDefinition, std::string& strUsage) {
    const std::string strText(strStored.c_str(), strnlen(strStored.c_str(), strStored.size()));
    const size_t c = strText.find('\n');
    strDefinition.clear();
    strUsage.clear();
    strSynonymLine = c == std::string::npos ? std::string() : strText.substr(0, c);
    if (c == std::string::npos || c == 0) return false;
    const std::string strRest = strText.substr(c + 1);
    const size_t g = strRest.find('\n');
    if (g != std::string::npos && g > 0) {
        strDefinition = strRest.substr(0, g);
        strUsage = strRest.substr(g + 1);
    } else {
        strDefinition = strRest;
    }
    return true;
}

bool DictionaryFile::GetPartOfSpeech(uint32_t nEntry, int& nPartOfSpeech) {
    // Strict comparisons against the running sums, as stored files expect; sums are taken in
    // 64 bits so that large counts cannot wrap around.
    uint64_t nSum = 0;
    for (int g = 0; g < 4; ++g) {
        nSum += m_entryIndex.nEntryCount[g];
        if (nEntry < nSum) {
            switch (m_entryIndex.nPosCode[g]) {
                case 'N': nPartOfSpeech = 3; break;
                case 'V': nPartOfSpeech = 2; break;
                case 'a': nPartOfSpeech = 1; break;
                case 'v': nPartOfSpeech = 0; break;
                default: break;
            }
            return true;
        }
    }
    return true;
}

std::string DictionaryFile::PartOfSpeechName(uint32_t nPartOfSpeech) {
    static const char* const kNames[] = {"Adv.", "Adj.", "Verb", "Noun"};
    return nPartOfSpeech < 4 ? kNames[nPartOfSpeech] : "";
}
