#include <algorithm>
#include <vector>

#include "dictdata/BigEndian.h"
#include "dictdata/SpellingIndex.h"
#include "tools/AppendBytes.h"
#include "tools/IndexRecords.h"

bool SpellingRecordBytes(const DataFileContent& content, std::string& strRecord,
                         std::string& strError) {
    const size_t W = content.words.size();
    if (W > 0xFFFFFF) {
        strError = "too many words for the spelling record";
        return false;
    }
    std::vector<uint32_t> groups[256];
    for (size_t p = 0; p < W; ++p) {
        groups[content.words[p].strText.size() & 0xFF].push_back(static_cast<uint32_t>(p));
    }
    std::string strFrequencies;
    uint32_t nFrequencies = 0;
    for (size_t p = 0; p < W && p < content.wordFrequencies.size(); ++p) {
        if (content.wordFrequencies[p] == 0) continue;
        AppendU24(strFrequencies, static_cast<uint32_t>(p));
        const uint32_t nCount = std::min<uint32_t>(content.wordFrequencies[p], 0xFFFF);
        strFrequencies += static_cast<char>(nCount >> 8);
        strFrequencies += static_cast<char>(nCount & 0xFF);
        ++nFrequencies;
    }
    std::string str(kSpellingTag, 4);
    AppendU32(str, static_cast<uint32_t>(W));
    AppendU32(str, nFrequencies);
    for (const std::vector<uint32_t>& group : groups) AppendU32(str, static_cast<uint32_t>(group.size()));
    for (const std::vector<uint32_t>& group : groups) {
        for (uint32_t p : group) AppendU24(str, p);
        for (uint32_t p : group) str += content.words[p].strText;
    }
    strRecord = str + strFrequencies;
    return true;
}
