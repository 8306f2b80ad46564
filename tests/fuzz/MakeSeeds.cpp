// Writes seed inputs for a fuzz target into DIR:
//   lexano_fuzz_seeds datafile DIR    small sound dictionaries made with the writer, with
//                                     morphology records, and one with relations
//   lexano_fuzz_seeds linkurl DIR     link URLs and near misses
//   lexano_fuzz_seeds clipboard DIR   clipboard and selection texts
//   lexano_fuzz_seeds indexrecord DIR a spelling record and a meaning index record, each after
//                                     the byte that FuzzIndexRecords reads as its kind
//   lexano_fuzz_seeds relations DIR   relation records of the dictionary fuzz_relations uses
#include <cstdio>
#include <string>
#include <vector>

#include "tests/fuzz/RelationSeedContent.h"
#include "tools/DataFileWriter.h"
#include "tools/IndexRecords.h"

namespace {

bool WriteTexts(const std::string& strDir, const std::vector<std::string>& texts) {
    for (size_t i = 0; i < texts.size(); ++i) {
        const std::string strPath = strDir + "/seed" + std::to_string(i);
        FILE* pFile = std::fopen(strPath.c_str(), "wb");
        if (pFile == nullptr) return false;
        std::fwrite(texts[i].data(), 1, texts[i].size(), pFile);
        std::fclose(pFile);
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fputs("usage: lexano_fuzz_seeds datafile|linkurl|clipboard|indexrecord|relations DIR\n",
                   stderr);
        return 2;
    }
    const std::string strKind = argv[1];
    const std::string strDir = argv[2];
    if (strKind == "linkurl") {
        return WriteTexts(strDir, {"about:<12:3:45>bank", "<1:2:3>a<4:5:6>b", "<1:2:3:4>x",
                                   "< 7:+8:-1>t", "<99999999999:0:0>", "about:blank",
                                   "https://wordnet.princeton.edu/", "<:2:3>x", "<0x1:2:3>z"})
                   ? 0 : 1;
    }
    if (strKind == "clipboard") {
        return WriteTexts(strDir, {"bank", "  Bank\r\n", "river\tbank\nside", "\xC9t\xE9",
                                   "\xE2\x80\x9Cquoted\xE2\x80\x9D", std::string(300, 'z')})
                   ? 0 : 1;
    }
    if (strKind == "relations") {
        std::vector<std::string> seeds;
        for (int nPerChunk : {1, 2, 7}) {
            std::string strRecord, strError;
            if (!RelationRecordBytes(RelationSeedContent(nPerChunk), strRecord, strError)) {
                std::fprintf(stderr, "lexano_fuzz_seeds: %s\n", strError.c_str());
                return 1;
            }
            seeds.push_back(strRecord);
        }
        return WriteTexts(strDir, seeds) ? 0 : 1;
    }
    if (strKind != "datafile" && strKind != "indexrecord") return 2;
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
        // The index records after the entry blocks, with sense tag counts for their order.
        content.wordFrequencies = {0, 4, 1, 2, 0, 3, 0};
        content.entryFrequencies = {1, 0, 2, 0, 0, 5, 0, 1, 0, 0, 2, 0, 0, 1};
        content.bSpellingIndex = n != 3;
        content.bMeaningIndex = n != 3;
        if (strKind == "indexrecord") {
            std::string strSpelling, strMeaning, strError;
            if (!SpellingRecordBytes(content, strSpelling, strError) ||
                !MeaningRecordBytes(content, strMeaning, strError) ||
                !WriteTexts(strDir, {std::string(1, 0) + strSpelling, std::string(1, 1) + strMeaning})) {
                return 1;
            }
            return 0;
        }
        // Exception lists in the morphology records that follow the entry blocks.
        content.exceptions[0] = {{"banken", "bank"}, {"fasts", "fast"}};
        content.exceptions[1] = {{"ran", "run"}, {"went", "go"}, {"went", "run"}};
        content.exceptions[2] = {{"quicker", "quick"}};
        std::string strError;
        const std::string strPath = strDir + "/seed" + std::to_string(nSeed++) + ".pdb";
        if (!SaveDataFile(content, strPath.c_str(), strError)) {
            std::fprintf(stderr, "lexano_fuzz_seeds: %s\n", strError.c_str());
            return 1;
        }
    }
    // A dictionary with a relation record after its entry blocks.
    std::string strError;
    const std::string strPath = strDir + "/seed" + std::to_string(nSeed++) + ".pdb";
    if (!SaveDataFile(RelationSeedContent(3), strPath.c_str(), strError)) {
        std::fprintf(stderr, "lexano_fuzz_seeds: %s\n", strError.c_str());
        return 1;
    }
    return 0;
}
