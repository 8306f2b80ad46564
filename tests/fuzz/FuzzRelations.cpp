// The relation record alone: the input is the last record of a small sound dictionary (the
// one whose relation records seed the corpus), and every relation and page operation runs over
// it.
#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <string>
#include <vector>

#include "dictdata/BigEndian.h"
#include "dictdata/DictionaryFile.h"
#include "render/RelationRows.h"
#include "render/WordPages.h"
#include "tests/fuzz/RelationSeedContent.h"

namespace {

// The records of the dictionary without its relation record.
const std::vector<std::string>& BaseRecords() {
    static const std::vector<std::string> records = [] {
        DataFileContent content = RelationSeedContent(2);
        content.relations.clear();
        std::vector<unsigned char> file;
        std::string strError;
        if (!WriteDataFile(content, file, strError)) __builtin_trap();
        std::vector<std::string> result;
        const int nCount = ReadU16BE(file.data() + 76);
        for (int r = 0; r < nCount; ++r) {
            const uint32_t nStart = ReadU32BE(file.data() + 78 + 8 * r);
            const uint32_t nEnd = r + 1 < nCount ? ReadU32BE(file.data() + 78 + 8 * (r + 1))
                                                 : static_cast<uint32_t>(file.size());
            result.emplace_back(file.begin() + nStart, file.begin() + nEnd);
        }
        return result;
    }();
    return records;
}

int InputFile() {
    static const int nFd = memfd_create("lexano-fuzz-relations", 0);
    return nFd;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize) {
    std::vector<std::string> records = BaseRecords();
    records.emplace_back(reinterpret_cast<const char*>(pData), nSize);
    std::vector<unsigned char> file;
    const int nFd = InputFile();
    if (!AssembleContainer("LexanoData_WN", records, file) || nFd < 0 || ftruncate(nFd, 0) != 0 ||
        pwrite(nFd, file.data(), file.size(), 0) != static_cast<ssize_t>(file.size())) {
        return 0;
    }
    DictionaryFile dict;
    if (!dict.Open(("/proc/self/fd/" + std::to_string(nFd)).c_str())) __builtin_trap();
    const int W = static_cast<int>(dict.GetWordCount());
    const uint32_t nEntries = dict.GetTotalEntries();
    for (int p = 0; p < W; ++p) {
        std::vector<NamedPage> pages;
        std::vector<int32_t> numbers;
        if (!BuildWordPages(dict, p, pages) || !dict.GetEntryNumbers(p, numbers)) __builtin_trap();
        for (int32_t e : numbers) {
            std::vector<RelatedWord> words;
            if (!dict.GetRelatedWords(p, static_cast<uint32_t>(e), words)) continue;
            for (const RelatedWord& word : words) {
                if (word.nPos < 0 || word.nPos >= W || word.nEntry < 1 || word.nEntry > nEntries ||
                    word.nKind < 1 || word.nKind > 26) {
                    __builtin_trap();
                }
                std::string strPage;
                if (!BuildRelationPage(dict, p, static_cast<uint32_t>(e), word.nKind, strPage)) {
                    __builtin_trap();
                }
            }
        }
    }
    std::vector<EntryMember> members;
    for (uint32_t e = 0; e <= nEntries + 1; ++e) dict.GetEntryMembers(e, members);
    return 0;
}
