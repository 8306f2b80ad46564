// Opens any bytes as a data file and runs every engine and page operation, the search
// resolution with its morphology records and spelling index, the search in meanings and the
// relations, over whatever the file announces.
#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "dictdata/DictionaryFile.h"
#include "dictdata/MeaningIndex.h"
#include "dictdata/WordResolver.h"
#include "render/SearchPages.h"
#include "render/WordPages.h"

namespace {

// Bounds the work per input so that the fuzzer keeps its pace on files that announce much.
const int kMaxPositions = 300;

// The input lives in an in-memory file that the engine opens by its /proc path.
int InputFile() {
    static const int nFd = memfd_create("lexano-fuzz", 0);
    return nFd;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize) {
    const int nFd = InputFile();
    if (nFd < 0 || ftruncate(nFd, 0) != 0 ||
        pwrite(nFd, pData, nSize, 0) != static_cast<ssize_t>(nSize)) {
        return 0;
    }
    const std::string strPath = "/proc/self/fd/" + std::to_string(nFd);

    DictionaryFile dict;
    if (!dict.Open(strPath.c_str())) return 0;
    const int W = static_cast<int>(dict.GetWordCount());
    for (const char* lpszText : {"", "a", "bank", "m", "zzzz", "\xFF\xFF", "banks", "went",
                                 "asked for it", "caf\xE9s", "oct."}) {
        const int nPos = dict.FindWord(lpszText);
        if (nPos < 0 || nPos >= W) __builtin_trap();
        int nResolved = -1;
        Resolution how = Resolution::kExact;
        if (!ResolveWord(dict, lpszText, nResolved, how) || nResolved < 0 || nResolved >= W) {
            __builtin_trap();
        }
        std::vector<MeaningMatch> meanings;
        if (dict.SearchMeanings(lpszText, meanings)) {
            for (const MeaningMatch& match : meanings) {
                if (match.nPos < 0 || match.nPos >= W) __builtin_trap();
            }
        }
        std::string strPage;
        BuildMeaningPage(dict, lpszText, strPage);
        AddNotFoundLine(dict, lpszText, strPage);
    }
    const int nLimit = W < kMaxPositions ? W : kMaxPositions;
    std::vector<int32_t> numbers;
    std::vector<NamedPage> pages;
    for (int p = 0; p < nLimit; ++p) {
        std::string strWord;
        if (dict.GetWord(p, strWord)) dict.FindWord(strWord);
        if (!dict.GetEntryNumbers(p, numbers)) continue;
        // Every page takes at least one entry: no more pages than entries, none without entries.
        if (!BuildWordPages(dict, p, pages) || pages.size() > numbers.size() ||
            pages.empty() != numbers.empty()) {
            __builtin_trap();
        }
        // Related words stay inside the file's words and entries.
        for (int32_t e : numbers) {
            std::vector<RelatedWord> words;
            if (!dict.GetRelatedWords(p, static_cast<uint32_t>(e), words)) continue;
            for (const RelatedWord& word : words) {
                if (word.nPos < 0 || word.nPos >= W || word.nEntry < 1 ||
                    word.nEntry > dict.GetTotalEntries()) {
                    __builtin_trap();
                }
            }
        }
    }
    return 0;
}
