#include "tools/DataFileWriter.h"

#include <zlib.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "dictdata/BigEndian.h"
#include "dictdata/ExceptionList.h"
#include "tools/AppendBytes.h"
#include "tools/IndexRecords.h"
#include "tools/PortableFiles.h"

namespace {

const size_t kHeaderSize = 78;
const uint32_t kMaxEntryNumber = 0xFFFFFF;  // entry numbers are stored in 24 bits

bool Error(std::string& strError, const std::string& strMessage) {
    strError = strMessage;
    return false;
}

}  // namespace

void GroupCountsForSizes(const uint32_t nSizes[4], uint32_t nCounts[4]) {
    nCounts[0] = nSizes[0] + 1;
    for (int g = 1; g < 4; ++g) nCounts[g] = nSizes[g];
}

bool AssembleContainer(const std::string& strName, const std::vector<std::string>& records,
                       std::vector<unsigned char>& out) {
    if (strName.size() > 31 || records.size() > 0xFFFF) return false;
    std::vector<unsigned char> file(kHeaderSize + 8 * records.size(), 0);
    std::memcpy(file.data(), strName.data(), strName.size());
    std::memcpy(file.data() + 60, "Dict", 4);  // type
    std::memcpy(file.data() + 64, "Lxno", 4);  // creator
    WriteU16BE(file.data() + 76, static_cast<uint16_t>(records.size()));
    uint64_t nOffset = file.size();
    for (size_t r = 0; r < records.size(); ++r) {
        if (nOffset > 0xFFFFFFFFu) return false;
        WriteU32BE(file.data() + kHeaderSize + 8 * r, static_cast<uint32_t>(nOffset));
        WriteU24BE(file.data() + kHeaderSize + 8 * r + 5, static_cast<uint32_t>(r));
        nOffset += records[r].size();
    }
    if (nOffset > 0xFFFFFFFFu) return false;
    file.reserve(nOffset);
    for (const std::string& record : records) file.insert(file.end(), record.begin(), record.end());
    out.swap(file);
    return true;
}

std::string Compress(const std::string& strData) {
    uLongf nLength = compressBound(strData.size());
    std::string strOut(nLength, '\0');
    compress2(reinterpret_cast<Bytef*>(&strOut[0]), &nLength,
              reinterpret_cast<const Bytef*>(strData.data()), strData.size(), Z_BEST_COMPRESSION);
    strOut.resize(nLength);
    return strOut;
}

std::string WordBlockRecord(const std::string& strKey, const std::string& strBlock) {
    std::string strRecord(1, static_cast<char>(strKey.size()));
    strRecord += strKey;
    strRecord += Compress(strBlock);
    return strRecord;
}

std::string HeaderRecordBytes(uint16_t nWordBlockSize, uint16_t nWordBlockCount,
                              uint8_t nMaxWordLength, uint32_t nWordCount,
                              uint8_t nWordsPerBlock) {
    std::string str(1, '\0');
    AppendU16(str, nWordBlockSize);
    AppendU16(str, nWordBlockCount);
    str += static_cast<char>(nMaxWordLength);
    AppendU32(str, nWordCount);
    str += static_cast<char>(nWordsPerBlock);
    AppendU32(str, 0);
    return str;
}

std::string EntryIndexRecordBytes(const unsigned char posCodes[4], const uint32_t counts[4],
                                  const std::vector<uint16_t>& entriesPerBlock) {
    std::string str(1, '\0');
    str.append(reinterpret_cast<const char*>(posCodes), 4);
    for (int g = 0; g < 4; ++g) AppendU32(str, counts[g]);
    AppendU16(str, 0);
    AppendU16(str, static_cast<uint16_t>(entriesPerBlock.size()));
    for (uint16_t v : entriesPerBlock) AppendU16(str, v);
    return str;
}

std::string EntryRecordBytes(const std::string& strText) {
    std::string str;
    AppendU16(str, static_cast<uint16_t>(strText.size() + 2));
    return str + strText;
}

bool MorphologyRecordBytes(unsigned char chPosCode,
                           const std::vector<std::pair<std::string, std::string>>& pairs,
                           std::string& strRecord, std::string& strError) {
    std::vector<std::pair<std::string, std::string>> sorted(pairs);
    std::stable_sort(sorted.begin(), sorted.end(), [](const auto& a, const auto& b) {
        return a.first < b.first;
    });
    std::string strData;
    for (const auto& pair : sorted) {
        for (const std::string* pText : {&pair.first, &pair.second}) {
            if (pText->empty() || pText->size() > 255 ||
                pText->find_first_of(std::string("\t\n\0", 3)) != std::string::npos) {
                return Error(strError, "exception \"" + pair.first + "\" -> \"" + pair.second +
                                           "\" cannot be stored");
            }
        }
        strData += pair.first + '\t' + pair.second + '\n';
    }
    if (strData.size() > kMaxExceptionData) {
        return Error(strError, "an exception list exceeds " + std::to_string(kMaxExceptionData) +
                                   " bytes");
    }
    std::string str(kExceptionTag, 4);
    str += static_cast<char>(chPosCode);
    str += '\0';
    AppendU32(str, static_cast<uint32_t>(sorted.size()));
    AppendU32(str, static_cast<uint32_t>(strData.size()));
    strRecord = str + Compress(strData);
    return true;
}

namespace {

// The limits of the content that do not depend on the blocks: counts, name, word order and
// lengths, entry numbers. Sets nMaxLength to the longest word.
bool CheckContent(const DataFileContent& content, size_t& nMaxLength, std::string& strError) {
    const int n = content.nWordsPerBlock;
    if (n < 1 || n > 255) return Error(strError, "words per block must be 1 to 255");
    if (content.words.empty()) return Error(strError, "the word list is empty");
    if (content.strName.size() > 31) return Error(strError, "the database name is too long");
    if (content.nEntryBlockLimit < 2 || content.nEntryBlockLimit > 16384) {
        return Error(strError, "the entry block limit must be 2 to 16384 bytes");
    }
    nMaxLength = 0;
    for (size_t p = 0; p < content.words.size(); ++p) {
        const WriterWord& word = content.words[p];
        if (word.strText.size() > 255) {
            return Error(strError, "word \"" + word.strText + "\" is longer than 255 bytes");
        }
        if (word.entries.size() > 255) {
            return Error(strError, "word \"" + word.strText + "\" has more than 255 entries");
        }
        if (p > 0 && !(content.words[p - 1].strText < word.strText)) {
            return Error(strError, "word \"" + word.strText + "\" is out of order or repeated");
        }
        for (uint32_t e : word.entries) {
            if (e < 1 || e > content.entries.size() || e > kMaxEntryNumber) {
                return Error(strError, "word \"" + word.strText + "\" names entry " +
                                           std::to_string(e) + ", which does not exist");
            }
        }
        if (word.strText.size() > nMaxLength) nMaxLength = word.strText.size();
    }
    return true;
}

// The decompressed word blocks, n words each; sets nBlockSize to the largest.
bool BuildWordBlocks(const DataFileContent& content, std::vector<std::string>& blocks,
                     size_t& nBlockSize, std::string& strError) {
    const size_t W = content.words.size();
    const size_t n = static_cast<size_t>(content.nWordsPerBlock);
    const size_t k = (W + n - 1) / n;
    if (k > 0xFFFF) return Error(strError, "too many word blocks; raise the words per block");
    nBlockSize = 0;
    for (size_t b = 0; b < k; ++b) {
        std::string strPairs(2 * n, '\0');
        std::string strData;
        for (size_t i = 0; i < n && b * n + i < W; ++i) {
            const WriterWord& word = content.words[b * n + i];
            strPairs[2 * i] = static_cast<char>(word.strText.size());
            strPairs[2 * i + 1] = static_cast<char>(word.entries.size());
            strData += word.strText;
            for (uint32_t e : word.entries) {
                unsigned char v[3];
                WriteU24BE(v, e);
                strData.append(reinterpret_cast<char*>(v), 3);
            }
        }
        blocks.push_back(strPairs + strData);
        if (blocks.back().size() > nBlockSize) nBlockSize = blocks.back().size();
    }
    if (nBlockSize > 0xFFFF) return Error(strError, "a word block exceeds 65535 bytes");
    return true;
}

// The compressed entry blocks, filled in entry number order up to the limit, and how many
// entries each holds.
bool BuildEntryBlocks(const DataFileContent& content, std::vector<std::string>& entryBlocks,
                      std::vector<uint16_t>& entriesPerBlock, std::string& strError) {
    std::string strBlock;
    uint16_t nInBlock = 0;
    for (size_t e = 0; e < content.entries.size(); ++e) {
        const std::string strRecord = EntryRecordBytes(content.entries[e]);
        if (content.entries[e].size() + 2 > content.nEntryBlockLimit) {
            return Error(strError, "entry " + std::to_string(e + 1) + " is too long for a block");
        }
        if (strBlock.size() + strRecord.size() > content.nEntryBlockLimit || nInBlock == 0xFFFF) {
            entryBlocks.push_back(Compress(strBlock));
            entriesPerBlock.push_back(nInBlock);
            strBlock.clear();
            nInBlock = 0;
        }
        strBlock += strRecord;
        ++nInBlock;
    }
    if (nInBlock > 0) {
        entryBlocks.push_back(Compress(strBlock));
        entriesPerBlock.push_back(nInBlock);
    }
    return true;
}

}  // namespace

bool WriteDataFile(const DataFileContent& content, std::vector<unsigned char>& out,
                   std::string& strError) {
    size_t nMaxLength = 0;
    size_t nBlockSize = 0;
    std::vector<std::string> blocks;
    std::vector<std::string> entryBlocks;
    std::vector<uint16_t> entriesPerBlock;
    if (!CheckContent(content, nMaxLength, strError) ||
        !BuildWordBlocks(content, blocks, nBlockSize, strError) ||
        !BuildEntryBlocks(content, entryBlocks, entriesPerBlock, strError)) {
        return false;
    }
    std::vector<std::string> additional;
    for (int g = 0; g < 4; ++g) {
        if (content.exceptions[g].empty()) continue;
        additional.emplace_back();
        if (!MorphologyRecordBytes(content.posCodes[g], content.exceptions[g], additional.back(),
                                   strError)) {
            return false;
        }
    }
    if (!content.relations.empty()) {
        additional.emplace_back();
        if (!RelationRecordBytes(content, additional.back(), strError)) return false;
    }
    if (content.bSpellingIndex) {
        additional.emplace_back();
        if (!SpellingRecordBytes(content, additional.back(), strError)) return false;
    }
    if (content.bMeaningIndex) {
        additional.emplace_back();
        if (!MeaningRecordBytes(content, additional.back(), strError)) return false;
    }
    const size_t n = static_cast<size_t>(content.nWordsPerBlock);
    const size_t k = blocks.size();
    if (1 + k + 1 + entryBlocks.size() + additional.size() > 0xFFFF) {
        return Error(strError, "more than 65535 records; raise the words per block or block size");
    }
    const uint16_t c = content.nWordBlockSizeOverride ? content.nWordBlockSizeOverride
                                                      : static_cast<uint16_t>(nBlockSize);
    const uint8_t nMax = content.nMaxWordLengthOverride ? content.nMaxWordLengthOverride
                                                        : static_cast<uint8_t>(nMaxLength);
    std::vector<std::string> records;
    records.push_back(HeaderRecordBytes(c, static_cast<uint16_t>(k), nMax,
                                        static_cast<uint32_t>(content.words.size()),
                                        static_cast<uint8_t>(n)));
    for (size_t b = 0; b < k; ++b) {
        records.push_back(WordBlockRecord(content.words[b * n].strText, blocks[b]));
    }
    records.push_back(EntryIndexRecordBytes(content.posCodes, content.entryCounts, entriesPerBlock));
    for (std::string& strEntryBlock : entryBlocks) records.push_back(std::move(strEntryBlock));
    for (std::string& strRecord : additional) records.push_back(std::move(strRecord));
    if (!AssembleContainer(content.strName, records, out)) {
        return Error(strError, "the file would exceed 4 GiB");
    }
    return true;
}

bool SaveDataFile(const DataFileContent& content, const char* lpszPath, std::string& strError,
                  const WrittenFileCheck& fnCheck) {
    std::vector<unsigned char> bytes;
    if (!WriteDataFile(content, bytes, strError)) return false;
    // The bytes go to a new file of a unique name beside the target, reach the disk, pass the
    // check, and only then take the target's name: a failure or a crash at any point leaves the
    // target as it was, and no other name is touched. Messages name the target, as the user
    // knows it, never the temporary file.
    const std::string strPath = lpszPath;
    FILE* pFile = nullptr;
    std::string strTemp;
    std::string strReason;
    if (!CreateFileBeside(lpszPath, pFile, strTemp, strReason)) {
        return Error(strError, "cannot create " + strPath + ": " + strReason);
    }
    const bool bWritten = std::fwrite(bytes.data(), 1, bytes.size(), pFile) == bytes.size();
    if (!bWritten) strReason = std::strerror(errno);
    if (!CloseDurably(pFile, strReason) || !bWritten) {
        std::remove(strTemp.c_str());
        return Error(strError, "cannot write " + strPath + ": " + strReason);
    }
    if (fnCheck && !fnCheck(strTemp.c_str(), strError)) {
        std::remove(strTemp.c_str());
        return false;
    }
    if (!MoveIntoPlace(strTemp.c_str(), lpszPath, strReason)) {
        std::remove(strTemp.c_str());
        return Error(strError, "cannot create " + strPath + ": " + strReason);
    }
    return true;
}
