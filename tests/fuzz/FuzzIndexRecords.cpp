// Reads any bytes as a spelling record (first byte even) or a meaning index record (odd), and
// runs every search and check of the index over them. The word and entry counts the record
// must match are taken from the record itself, so that the fuzzer can reach past Open.
#include <cstdint>
#include <string>
#include <vector>

#include "dictdata/BigEndian.h"
#include "dictdata/MeaningIndex.h"
#include "dictdata/RecordReader.h"
#include "dictdata/SpellingIndex.h"

namespace {

const char* const kTexts[] = {"", "a", "bank", "banks", "bnak", "quikc", "the of", "sweet fruit",
                              "caf\xE9", "zzzzzzzzzz", "\xFF\xFE"};

void FuzzSpelling(const std::string& strRecord) {
    const uint32_t nWords = strRecord.size() >= 8
        ? ReadU32BE(reinterpret_cast<const unsigned char*>(strRecord.data()) + 4) : 0;
    SpellingIndex index;
    if (!index.Open(RecordReader::OverBytes(strRecord), nWords)) return;
    for (const char* lpszText : kTexts) {
        std::vector<SpellingMatch> matches;
        if (!index.Find(lpszText, 20, matches)) break;
        for (const SpellingMatch& match : matches) {
            if (match.nPos < 0 || static_cast<uint32_t>(match.nPos) >= nWords || match.nDistance > 2) {
                __builtin_trap();
            }
        }
    }
    index.LoadAll();
}

void FuzzMeanings(const std::string& strRecord) {
    const uint32_t nEntries = strRecord.size() >= 8
        ? ReadU32BE(reinterpret_cast<const unsigned char*>(strRecord.data()) + 4) : 0;
    const uint32_t nWords = 1000;
    MeaningIndex index;
    if (!index.Open(RecordReader::OverBytes(strRecord), nEntries, nWords)) return;
    for (const char* lpszText : kTexts) {
        std::vector<MeaningMatch> matches;
        if (!index.Search(lpszText, matches)) break;
        for (const MeaningMatch& match : matches) {
            if (match.nEntry < 1 || static_cast<uint32_t>(match.nEntry) > nEntries ||
                match.nPos < 0 || static_cast<uint32_t>(match.nPos) >= nWords) {
                __builtin_trap();
            }
        }
    }
    std::vector<uint32_t> ranks;
    std::vector<unsigned char> flags;
    index.ForEachWord([&](const std::string&, const MeaningWordInfo& info) {
        index.ReadPostings(info, ranks, flags);
        return true;
    });
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize) {
    if (nSize == 0) return 0;
    const std::string strRecord(reinterpret_cast<const char*>(pData) + 1, nSize - 1);
    if (pData[0] % 2 == 0) {
        FuzzSpelling(strRecord);
    } else {
        FuzzMeanings(strRecord);
    }
    return 0;
}
