// Writes seed inputs for the data-file fuzzer: small sound dictionaries made with the writer.
//   lexano_fuzz_seeds DIR
#include <cstdio>
#include <string>

#include "tools/DataFileWriter.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fputs("usage: lexano_fuzz_seeds DIR\n", stderr);
        return 2;
    }
    const std::string strDir = argv[1];
    const int kBlockSizes[] = {1, 3, 16};
    int nSeed = 0;
    for (int n : kBlockSizes) {
        DataFileContent content;
        content.nWordsPerBlock = n;
        content.nEntryBlockLimit = 200;
        const char* const kWords[] = {"a", "bank", "banks", "fast", "quick", "run", "zebra"};
        for (const char* lpszWord : kWords) {
            WriterWord word{lpszWord, {}};
            for (int e = 0; e < 2; ++e) {
                content.entries.push_back(std::string(lpszWord) + "|other\na sense of " + lpszWord +
                                          "\nan example|another example");
                word.entries.push_back(static_cast<uint32_t>(content.entries.size()));
            }
            content.words.push_back(word);
        }
        const uint32_t nSizes[4] = {4, 4, 3, 3};
        GroupCountsForSizes(nSizes, content.entryCounts);
        std::string strError;
        const std::string strPath = strDir + "/seed" + std::to_string(nSeed++) + ".pdb";
        if (!SaveDataFile(content, strPath.c_str(), strError)) {
            std::fprintf(stderr, "lexano_fuzz_seeds: %s\n", strError.c_str());
            return 1;
        }
    }
    return 0;
}
