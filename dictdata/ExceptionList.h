// Morphology exception lists: irregular inflected forms and their base forms ("mice" -> "mouse",
// "went" -> "go"), one list per part of speech, as the morphology records of the data file hold
// them.
//
// Morphology record (after the last entry block; integers big-endian):
//   0   4  tag "MEXC"
//   4   1  part-of-speech letter code of the list: 'N', 'V', 'a' or 'v'
//   5   1  reserved, 0
//   6   4  pair count P
//   10  4  decompressed size S, at most kMaxExceptionData
//   14  .. one zlib stream that decompresses to exactly S bytes: P lines "inflected<TAB>base<LF>",
//          both texts 1 to 255 bytes without tab, line feed or zero byte, in ascending order of
//          the inflected form by unsigned bytes (a form with several bases has one line each, in
//          the order to try them)
#ifndef LEXANO_DICTDATA_EXCEPTIONLIST_H
#define LEXANO_DICTDATA_EXCEPTIONLIST_H

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

constexpr char kExceptionTag[] = "MEXC";
constexpr size_t kExceptionHeaderSize = 14;
constexpr uint32_t kMaxExceptionData = 1u << 20;  // 1 MiB of pairs per list
constexpr uint32_t kMaxExceptionStored = kMaxExceptionData + kMaxExceptionData / 50 + 12;
// Most bases of one form that a lookup takes from a list. WordNet's own lists give a form at
// most two; a list may give one form a hundred thousand, which no lookup should try in turn.
constexpr size_t kMaxBasesPerForm = 16;

class ExceptionList {
public:
    // Takes strData, the decompressed pairs of a record announcing nPairs pairs. True when the
    // data holds exactly that many well-formed lines in order; false, the list left as it was,
    // otherwise.
    bool Assign(std::string strData, uint32_t nPairs);

    // Appends the base forms listed for strForm to bases, in stored order, at most the first
    // kMaxBasesPerForm of them; nothing when the list does not hold strForm.
    void FindBases(const std::string& strForm, std::vector<std::string>& bases) const;

    size_t GetPairCount() const { return m_lineStarts.size(); }

private:
    // Compares the inflected form of line nLine (up to its tab) with strForm by unsigned bytes:
    // negative, zero or positive as it sorts before, equals or sorts after it.
    int CompareForm(size_t nLine, const std::string& strForm) const;

    std::string m_data;
    std::vector<uint32_t> m_lineStarts;
};

// The four lists, indexed by PartOfSpeech (0 adverb, 1 adjective, 2 verb, 3 noun); a list that
// the file lacks is empty.
struct ExceptionLists {
    ExceptionList lists[4];
};

// Checks the header of a morphology record of nSize bytes, whose first kExceptionHeaderSize
// bytes are at lpRecord, and sets nPartOfSpeech, nPairs and nDataSize from it; its zlib stream
// starts at kExceptionHeaderSize. False, outputs untouched, when the record is shorter than its
// header, has another tag or reserved byte, an unknown letter code, or sizes above the limits.
bool ReadExceptionHeader(const unsigned char* lpRecord, size_t nSize, int& nPartOfSpeech,
                         uint32_t& nPairs, uint32_t& nDataSize);

#endif
