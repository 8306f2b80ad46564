// Reads byte ranges of one record of the data file, each checked against the record's size
// before anything is read. The indexes that load parts of a large record on demand hold one.
#ifndef LEXANO_DICTDATA_RECORDREADER_H
#define LEXANO_DICTDATA_RECORDREADER_H

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <utility>

class RecordReader {
public:
    // Reads nSize bytes at nOffset of the record into lpBuffer; false on a short read.
    using ReadFunction = std::function<bool(uint32_t nOffset, void* lpBuffer, size_t nSize)>;

    RecordReader() = default;
    RecordReader(ReadFunction fnRead, uint32_t nSize) : m_fnRead(std::move(fnRead)), m_nSize(nSize) {}

    // A reader over strBytes, which must outlive it (for tests and fuzzing).
    static RecordReader OverBytes(const std::string& strBytes) {
        return RecordReader(
            [&strBytes](uint32_t nOffset, void* lpBuffer, size_t nSize) {
                if (nSize > 0) strBytes.copy(static_cast<char*>(lpBuffer), nSize, nOffset);
                return true;
            },
            static_cast<uint32_t>(strBytes.size()));
    }

    uint32_t Size() const { return m_nSize; }

    // Reads the record's bytes [nOffset, nOffset + nSize) into lpBuffer. False, the buffer
    // untouched or partly written, when the range does not lie inside the record or the read
    // fails.
    bool Read(uint64_t nOffset, void* lpBuffer, uint64_t nSize) const {
        if (!m_fnRead || nOffset > m_nSize || nSize > m_nSize - nOffset) return false;
        return nSize == 0 || m_fnRead(static_cast<uint32_t>(nOffset), lpBuffer, static_cast<size_t>(nSize));
    }

    // The same into a string of nSize bytes.
    bool Read(uint64_t nOffset, uint64_t nSize, std::string& strOut) const {
        if (nOffset > m_nSize || nSize > m_nSize - nOffset) return false;
        std::string strBytes(static_cast<size_t>(nSize), '\0');
        if (!Read(nOffset, nSize == 0 ? nullptr : &strBytes[0], nSize)) return false;
        strOut.swap(strBytes);
        return true;
    }

private:
    ReadFunction m_fnRead;
    uint32_t m_nSize = 0;
};

#endif
