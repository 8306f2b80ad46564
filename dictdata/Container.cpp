// The container side of the engine: the Palm Database header, the record table and the two
// description records.
//
// Byte layout (all integers big-endian, unsigned):
//   0   32  database name, zero-padded; must start with "LexanoData"
//   32  2   attributes          34  2  version
//   36  4   creation date       40  4  modification date     44  4  last backup date
//   48  4   modification number 52  4  app info offset       56  4  sort info offset
//   60  4   type                64  4  creator               68  4  unique ID seed
//   72  4   next record list    76  2  record count
//   78  8 per record: 4-byte absolute record offset, 1 attribute byte, 3-byte unique ID
// Record 0 is the header record (15 bytes read), records 1 to k the word blocks, record k+1 the
// entry index record (25 bytes) followed by its entries-per-block table, then the entry blocks.
#include <cstring>

#include "dictdata/BigEndian.h"
#include "dictdata/DictionaryFile.h"
#include "dictdata/ExceptionList.h"
#include "dictdata/FilePosition.h"
#include "dictdata/RegularFile.h"
#include "dictdata/MeaningIndex.h"
#include "dictdata/SpellingIndex.h"
#include "dictdata/RelationRecord.h"

namespace {

const char kNamePrefix[] = "LexanoData";
const size_t kNamePrefixLength = 10;
const size_t kRecordTableEntrySize = 8;

}  // namespace

DictionaryFile::DictionaryFile() = default;

DictionaryFile::~DictionaryFile() { Close(); }

bool DictionaryFile::ReadAt(uint32_t nOffset, void* lpBuffer, size_t nSize) {
    if (SeekFile(m_pStream, nOffset, SEEK_SET) &&
        std::fread(lpBuffer, 1, nSize, m_pStream) == nSize) {
        return true;
    }
    // Every offset lies inside the file as Open measured it, so a short read means the file
    // changed under the engine (emptied, cut short, being replaced) or cannot be read now.
    std::clearerr(m_pStream);
    ForgetCachedReads();
    return false;
}

void DictionaryFile::ForgetCachedReads() {
    // Once the file has changed, what was kept from it may no longer be what it will hold: the
    // slots and block keys are read again when next needed. The exception lists are only
    // marked, since a caller may be using them right now; the next GetExceptionLists reads them
    // again. An index whose opening failed is looked for again; an open one loads only what it
    // read in full, so what it holds stays.
    if (!m_pSpelling) m_bSpellingTried = false;
    if (!m_pMeaning) m_bMeaningTried = false;
    if (!m_pRelations) m_bRelationsRead = false;
    m_slotA.nBlock = kEmptySlot;
    m_slotB.nBlock = kEmptySlot;
    m_keyCacheText.clear();
    std::memset(m_keyCached, 0, sizeof m_keyCached);
    m_bExceptionsStale = true;
}

bool DictionaryFile::Open(const char* lpszPath) {
    Close();
    int64_t nFileSize = 0;
    uint16_t nRecordCount = 0;
    if (!OpenStream(lpszPath, nFileSize) || !ReadContainerHeader(nRecordCount) ||
        !ReadRecordTable(nRecordCount, nFileSize) || !CheckHeaderRecord() || !ReadEntryIndex() ||
        !ScanAdditionalRecords() || !AllocateSlot(m_slotA) || !AllocateSlot(m_slotB)) {
        Close();
        return false;
    }
    return true;
}

bool DictionaryFile::OpenStream(const char* lpszPath, int64_t& nFileSize) {
    if (lpszPath == nullptr) return false;
    // A FIFO or device would hang the first read (or the open itself): only regular files.
    m_pStream = OpenRegularFile(lpszPath);
    if (m_pStream == nullptr) return false;
    // The file size bounds every later check; measure it before trusting any offset.
    if (!SeekFile(m_pStream, 0, SEEK_END)) return false;
    const int64_t nSize = TellFile(m_pStream);
    if (nSize < static_cast<int64_t>(kContainerHeaderSize) || nSize > 0xFFFFFFFFLL) return false;
    nFileSize = nSize;
    return true;
}

bool DictionaryFile::ReadContainerHeader(uint16_t& nRecordCount) {
    unsigned char header[kContainerHeaderSize];
    if (!ReadAt(0, header, sizeof header) ||
        std::memcmp(header, kNamePrefix, kNamePrefixLength) != 0) {
        return false;
    }
    std::memcpy(m_name, header, 32);
    m_nAttributes = ReadU16BE(header + 32);
    m_nVersion = ReadU16BE(header + 34);
    m_nCreationDate = ReadU32BE(header + 36);
    m_nModificationDate = ReadU32BE(header + 40);
    m_nBackupDate = ReadU32BE(header + 44);
    m_nModificationNumber = ReadU32BE(header + 48);
    m_nAppInfoOffset = ReadU32BE(header + 52);
    m_nSortInfoOffset = ReadU32BE(header + 56);
    std::memcpy(m_type, header + 60, 4);
    std::memcpy(m_creator, header + 64, 4);
    m_nUniqueIdSeed = ReadU32BE(header + 68);
    m_nNextRecordList = ReadU32BE(header + 72);
    nRecordCount = ReadU16BE(header + 76);
    return true;
}

bool DictionaryFile::ReadRecordTable(uint16_t nRecordCount, int64_t nFileSize) {
    // Records follow the table, ascend (equal offsets make an empty record) and lie inside the
    // file; the file size is appended so every record's size is a subtraction.
    const uint32_t nTableEnd = kContainerHeaderSize + nRecordCount * kRecordTableEntrySize;
    if (nRecordCount == 0 || nTableEnd > static_cast<uint32_t>(nFileSize)) return false;
    std::unique_ptr<unsigned char[]> pTable(new unsigned char[nRecordCount * kRecordTableEntrySize]);
    std::unique_ptr<uint32_t[]> pOffsets(new uint32_t[nRecordCount + 1]);
    if (!ReadAt(kContainerHeaderSize, pTable.get(), nRecordCount * kRecordTableEntrySize)) {
        return false;
    }
    uint32_t nPrevious = nTableEnd;
    for (uint32_t r = 0; r < nRecordCount; ++r) {
        const uint32_t nOffset = ReadU32BE(pTable.get() + r * kRecordTableEntrySize);
        if (nOffset < nPrevious || nOffset > static_cast<uint32_t>(nFileSize)) return false;
        pOffsets[r] = nOffset;
        nPrevious = nOffset;
    }
    pOffsets[nRecordCount] = static_cast<uint32_t>(nFileSize);
    m_pRecordOffsets = std::move(pOffsets);
    m_nRecordCount = nRecordCount;
    return true;
}

bool DictionaryFile::CheckHeaderRecord() {
    // c, k and n of 0 describe no word list; the word count must fill the last of the k blocks
    // with at least one word and no more than n.
    if (RecordSize(0) < kHeaderRecordSize || !ReadHeaderRecord()) return false;
    const HeaderRecord& h = m_header;
    const uint64_t nCapacity = static_cast<uint64_t>(h.nWordsPerBlock) * h.nWordBlockCount;
    return h.nWordBlockSize != 0 && h.nWordBlockCount != 0 && h.nWordsPerBlock != 0 &&
           h.nWordCount <= nCapacity && h.nWordCount > nCapacity - h.nWordsPerBlock &&
           h.nWordCount <= 0x7FFFFFFFu;
}

bool DictionaryFile::ReadEntryIndex() {
    // The record count must hold the index record and every entry block it announces.
    const int nIndexRecord = m_header.nWordBlockCount + 1;
    unsigned char index[kEntryIndexSize];
    if (nIndexRecord >= m_nRecordCount || RecordSize(nIndexRecord) < kEntryIndexSize ||
        !ReadAt(m_pRecordOffsets[nIndexRecord], index, sizeof index)) {
        return false;
    }
    EntryIndexRecord entryIndex;
    entryIndex.nReserved = index[0];
    for (int g = 0; g < 4; ++g) {
        entryIndex.nPosCode[g] = index[1 + g];
        entryIndex.nEntryCount[g] = ReadU32BE(index + 5 + 4 * g);
    }
    entryIndex.nReserved2 = ReadU16BE(index + 21);
    entryIndex.nEntryBlockCount = ReadU16BE(index + 23);
    const uint32_t nBlocks = entryIndex.nEntryBlockCount;
    if (static_cast<uint32_t>(nIndexRecord) + 1 + nBlocks > m_nRecordCount ||
        RecordSize(nIndexRecord) < kEntryIndexSize + 2 * nBlocks) {
        return false;
    }
    std::unique_ptr<unsigned char[]> pRaw(new unsigned char[2 * nBlocks + 1]);
    std::unique_ptr<uint16_t[]> pEntriesPerBlock(new uint16_t[nBlocks + 1]);
    if (nBlocks > 0 &&
        !ReadAt(m_pRecordOffsets[nIndexRecord] + kEntryIndexSize, pRaw.get(), 2 * nBlocks)) {
        return false;
    }
    uint32_t nTotal = 0;
    for (uint32_t j = 0; j < nBlocks; ++j) {
        pEntriesPerBlock[j] = ReadU16BE(pRaw.get() + 2 * j);
        nTotal += pEntriesPerBlock[j];  // at most 65535 * 65535: fits
    }
    m_entryIndex = entryIndex;
    m_pEntriesPerBlock = std::move(pEntriesPerBlock);
    m_nTotalEntries = nTotal;
    return true;
}

bool DictionaryFile::AllocateSlot(WordBlockSlot& slot) {
    slot.nBlock = kEmptySlot;
    slot.pData.reset(new unsigned char[m_header.nWordBlockSize + 1]());
    slot.pOffsets.reset(new int32_t[m_header.nWordsPerBlock]());
    slot.pPairs.reset(new unsigned char[2 * m_header.nWordsPerBlock]());
    return true;
}

void DictionaryFile::ReleaseSlot(WordBlockSlot& slot) {
    slot.nBlock = kEmptySlot;
    slot.pData.reset();
    slot.pOffsets.reset();
    slot.pPairs.reset();
}

void DictionaryFile::Close() {
    ReleaseSlot(m_slotA);
    ReleaseSlot(m_slotB);
    if (m_pStream != nullptr) {
        std::fclose(m_pStream);
        m_pStream = nullptr;
    }
    m_pRecordOffsets.reset();
    m_pEntriesPerBlock.reset();
    m_pExceptions.reset();
    m_bExceptionsStale = false;
    m_pSpelling.reset();
    m_bSpellingTried = false;
    m_pMeaning.reset();
    m_bMeaningTried = false;
    m_pRelations.reset();
    m_bRelationsRead = false;
    m_nAdditional = 0;
    m_nRecordCount = 0;
    m_nTotalEntries = 0;
    m_header = HeaderRecord();
    m_entryIndex = EntryIndexRecord();
    std::memset(m_name, 0, sizeof m_name);
    m_keyCacheText.clear();
    m_keyCacheText.shrink_to_fit();
    std::memset(m_keyCached, 0, sizeof m_keyCached);
}

bool DictionaryFile::ReadHeaderRecord() {
    unsigned char record[kHeaderRecordSize];
    if (!IsOpen() || !m_pRecordOffsets || !ReadAt(m_pRecordOffsets[0], record, sizeof record)) {
        return false;
    }
    HeaderRecord h;
    h.nReserved = record[0];
    h.nWordBlockSize = ReadU16BE(record + 1);
    h.nWordBlockCount = ReadU16BE(record + 3);
    h.nMaxWordLength = record[5];
    h.nWordCount = ReadU32BE(record + 6);
    h.nWordsPerBlock = record[10];
    h.nReserved2 = ReadU32BE(record + 11);
    m_header = h;
    return true;
}

bool DictionaryFile::ReadRecordKey(int nRecord, unsigned char* lpBuffer) {
    if (!IsOpen() || nRecord <= 0 || nRecord >= m_nRecordCount) return false;
    const uint32_t nSize = RecordSize(nRecord);
    unsigned char key[256];
    // One read takes the length byte and as much key as the record can hold.
    const uint32_t nWant = nSize < 1u + m_header.nMaxWordLength ? nSize : 1u + m_header.nMaxWordLength;
    if (nWant == 0 || !ReadAt(m_pRecordOffsets[nRecord], key, nWant)) return false;
    const uint32_t nLength = key[0];
    if (nLength > m_header.nMaxWordLength || 1 + nLength > nWant) return false;
    std::memcpy(lpBuffer, key + 1, nLength);
    return true;
}

std::string DictionaryFile::GetDatabaseName() const {
    return std::string(reinterpret_cast<const char*>(m_name), strnlen(reinterpret_cast<const char*>(m_name), sizeof m_name));
}
