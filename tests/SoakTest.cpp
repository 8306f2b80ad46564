// Many searches and entry builds in one process: nothing may leak or grow. Under the sanitizer
// build LeakSanitizer checks the leaks at exit; here the heap in use is compared directly.
#include <gtest/gtest.h>

#include <random>

#include "dictdata/Ansi.h"
#include "dictdata/DictionaryFile.h"
#include "render/WordPages.h"
#include "tests/TestFiles.h"
#include "tests/TestPlatform.h"

namespace {

// One search and one entry with all its pages, for a random word or a prefix of it.
void LookUpOnce(DictionaryFile& dict, std::mt19937& random, std::vector<NamedPage>& pages) {
    std::string strWord;
    dict.GetWord(static_cast<int>(random() % dict.GetWordCount()), strWord);
    const int nPos = dict.FindWord(AnsiLowerCopy(strWord.substr(0, 1 + random() % strWord.size())));
    BuildWordPages(dict, nPos, pages);
}

}  // namespace

TEST(Soak, HundredThousandLookupsKeepTheHeapFlat) {
    DataFileContent content;
    content.nWordsPerBlock = 64;
    content.nEntryBlockLimit = 4096;
    std::mt19937 random(11);
    for (int i = 0; i < 5000; ++i) {
        WriterWord word{"word" + std::to_string(100000 + i), {}};
        for (int e = 0; e < 1 + i % 4; ++e) {
            content.entries.push_back(word.strText + "|other\ndefinition " + std::to_string(i) +
                                      "\nexample one|example two");
            word.entries.push_back(static_cast<uint32_t>(content.entries.size()));
        }
        content.words.push_back(word);
    }
    const uint32_t nSizes[4] = {static_cast<uint32_t>(content.entries.size() / 2),
                                static_cast<uint32_t>(content.entries.size() - content.entries.size() / 2), 0, 0};
    GroupCountsForSizes(nSizes, content.entryCounts);
    DictionaryFile dict;
    ASSERT_TRUE(dict.Open(SaveContent(content, "soak.pdb").c_str()));

    std::vector<NamedPage> pages;
    for (int i = 0; i < 1000; ++i) LookUpOnce(dict, random, pages);  // fills the key cache
    [[maybe_unused]] const size_t nBefore = HeapInUse();
    for (int i = 0; i < 100000; ++i) LookUpOnce(dict, random, pages);
    [[maybe_unused]] const size_t nAfter = HeapInUse();
#if !defined(__SANITIZE_ADDRESS__)
    EXPECT_LE(nAfter, nBefore + 4096) << "the heap grew by " << nAfter - nBefore << " bytes";
#endif
}
