// Engine speed on the real WordNet data file (build/LexanoData_WN.pdb, or the file named by
// LEXANO_DATA) and on a synthetic file made with the writer.
//   build/lexano_bench [--benchmark_filter=...]
#include <benchmark/benchmark.h>
#include <malloc.h>

#include <algorithm>
#include <cstdio>
#include <chrono>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "dictdata/Ansi.h"
#include "dictdata/BigEndian.h"
#include "dictdata/DictionaryFile.h"
#include "dictdata/MeaningIndex.h"
#include "dictdata/SpellingIndex.h"
#include "dictdata/WordResolver.h"
#include "render/WordPages.h"
#include "tools/DataFileWriter.h"

namespace {

std::string RealPath() {
    const char* lpszPath = std::getenv("LEXANO_DATA");
    return lpszPath ? lpszPath : LEXANO_BENCH_DATA;
}

// 100,000 words of 4 to 14 letters, 1 to 3 entries each, 64 words per block.
std::string SyntheticPath() {
    static const std::string strPath = [] {
        DataFileContent content;
        std::mt19937 random(7);
        std::vector<std::string> words;
        for (int i = 0; i < 100000; ++i) {
            std::string strWord;
            const int nLength = 4 + static_cast<int>(random() % 11);
            for (int j = 0; j < nLength; ++j) strWord += static_cast<char>('a' + random() % 26);
            words.push_back(strWord);
        }
        std::sort(words.begin(), words.end());
        words.erase(std::unique(words.begin(), words.end()), words.end());
        for (const std::string& strWord : words) {
            WriterWord word{strWord, {}};
            for (int e = 0; e < 1 + static_cast<int>(random() % 3); ++e) {
                content.entries.push_back(strWord + "|synonym\na definition of " + strWord +
                                          " that runs for a while\nan example of " + strWord);
                word.entries.push_back(static_cast<uint32_t>(content.entries.size()));
            }
            content.words.push_back(word);
        }
        const uint32_t nSizes[4] = {static_cast<uint32_t>(content.entries.size()), 0, 0, 0};
        GroupCountsForSizes(nSizes, content.entryCounts);
        const std::string strFile = std::string(LEXANO_BENCH_TMPDIR) + "/synthetic.pdb";
        std::string strError;
        if (!SaveDataFile(content, strFile.c_str(), strError)) std::abort();
        return strFile;
    }();
    return strPath;
}

// The largest exception list a file may hold (1 MiB of pairs), all of it one form: "qq" with
// 104,857 bases "000000" to "104856". Looking up "qqful" tries the noun rule for "-ful" on each
// base of "qq"; only "000003ful" and "000005" are words.
std::string HugeExceptionListPath() {
    static const std::string strPath = [] {
        DataFileContent content;
        for (const char* lpszWord : {"000003ful", "000005", "qwerty"}) {
            content.entries.push_back(std::string(lpszWord) + "\na sense");
            content.words.push_back({lpszWord, {static_cast<uint32_t>(content.entries.size())}});
        }
        const uint32_t nSizes[4] = {3, 0, 0, 0};
        GroupCountsForSizes(nSizes, content.entryCounts);
        char base[16];
        for (int i = 0; i < 104857; ++i) {
            std::snprintf(base, sizeof base, "%06d", i);
            content.exceptions[0].emplace_back("qq", base);
        }
        const std::string strFile = std::string(LEXANO_BENCH_TMPDIR) + "/huge-exceptions.pdb";
        std::string strError;
        if (!SaveDataFile(content, strFile.c_str(), strError)) std::abort();
        return strFile;
    }();
    return strPath;
}

// The real data file without its relation record and indexes: the same words, entries and
// exception lists, as a file made before those were stored.
std::string PlainPath() {
    static const std::string strPath = [] {
        std::ifstream in(RealPath(), std::ios::binary);
        const std::vector<unsigned char> file((std::istreambuf_iterator<char>(in)),
                                              std::istreambuf_iterator<char>());
        if (file.size() < 78) return std::string();
        const uint32_t nCount = ReadU16BE(file.data() + 76);
        std::vector<std::string> records;
        for (uint32_t r = 0; r < nCount; ++r) {
            const uint32_t nStart = ReadU32BE(file.data() + 78 + 8 * r);
            const uint32_t nEnd = r + 1 < nCount ? ReadU32BE(file.data() + 78 + 8 * (r + 1))
                                                 : static_cast<uint32_t>(file.size());
            std::string strRecord(file.begin() + nStart, file.begin() + nEnd);
            const std::string strTag = strRecord.substr(0, 4);
            if (strTag != "RELS" && strTag != "SPEL" && strTag != "MIDX") {
                records.push_back(std::move(strRecord));
            }
        }
        std::vector<unsigned char> plain;
        const std::string strFile = std::string(LEXANO_BENCH_TMPDIR) + "/plain.pdb";
        std::ofstream out(strFile, std::ios::binary);
        if (!AssembleContainer("LexanoData_WN", records, plain)) return std::string();
        out.write(reinterpret_cast<const char*>(plain.data()), static_cast<std::streamsize>(plain.size()));
        return strFile;
    }();
    return strPath;
}

bool OpenOrSkip(benchmark::State& state, DictionaryFile& dict, const std::string& strPath) {
    if (dict.Open(strPath.c_str())) return true;
    state.SkipWithError(("cannot open " + strPath).c_str());
    return false;
}

// Every W/1000-th word: 1,000 words spread over the whole list.
std::vector<std::string> SampleWords(DictionaryFile& dict) {
    std::vector<std::string> words;
    const uint32_t W = dict.GetWordCount();
    for (uint32_t i = 0; i < 1000; ++i) {
        std::string strWord;
        dict.GetWord(static_cast<int>(static_cast<uint64_t>(i) * W / 1000), strWord);
        words.push_back(strWord);
    }
    return words;
}

// Also reports the heap the engine holds once open (record table, entries-per-block table,
// both word block slots), after 1,000 searches have filled its block key cache, and after the
// pages of "break" (with relations: the relation record's word sections and chunk slots).
void BM_Open(benchmark::State& state, const std::string& (*fnPath)()) {
    const std::string strPath = fnPath();
    for (auto _ : state) {
        DictionaryFile dict;
        if (!dict.Open(strPath.c_str())) {
            state.SkipWithError("cannot open");
            break;
        }
    }
    const size_t nBefore = mallinfo2().uordblks;
    DictionaryFile* pDict = new DictionaryFile;
    if (!pDict->Open(strPath.c_str())) return;
    const size_t nOpen = mallinfo2().uordblks;
    for (const std::string& strWord : SampleWords(*pDict)) pDict->FindWord(strWord);
    state.counters["heap_open"] = static_cast<double>(nOpen - nBefore);
    state.counters["heap_searched"] = static_cast<double>(mallinfo2().uordblks - nBefore);
    state.counters["records"] = pDict->GetRecordCount();
    std::vector<NamedPage> pages;
    BuildWordPages(*pDict, pDict->FindWord("break"), pages);
    pages.clear();
    pages.shrink_to_fit();
    state.counters["heap_paged"] = static_cast<double>(mallinfo2().uordblks - nBefore);
    delete pDict;
}

// Each prefix of each sample word, lower-cased as the search box does.
std::vector<std::string> SamplePrefixes(DictionaryFile& dict) {
    std::vector<std::string> prefixes;
    for (const std::string& strWord : SampleWords(dict)) {
        for (size_t n = 1; n <= strWord.size(); ++n) prefixes.push_back(AnsiLowerCopy(strWord.substr(0, n)));
    }
    return prefixes;
}

// A thousand inflected forms: every 12th line of WordNet's exception lists (when
// /usr/share/wordnet has them), the rest regular endings on the sample words.
std::vector<std::string> SampleForms(DictionaryFile& dict) {
    std::vector<std::string> forms;
    int nLine = 0;
    for (const char* lpszFile : {"noun.exc", "verb.exc", "adj.exc", "adv.exc"}) {
        std::ifstream file(std::string("/usr/share/wordnet/") + lpszFile);
        std::string strForm, strRest;
        while (forms.size() < 500 && file >> strForm && std::getline(file, strRest)) {
            if (++nLine % 12 != 0) continue;
            for (char& ch : strForm) ch = ch == '_' ? ' ' : ch;
            forms.push_back(strForm);
        }
    }
    static const char* const kEndings[] = {"s", "es", "ed", "ing", "er", "est"};
    const std::vector<std::string> words = SampleWords(dict);
    for (size_t i = 0; forms.size() < 1000; ++i) {
        forms.push_back(AnsiLowerCopy(words[i % words.size()]) + kEndings[i % 6]);
    }
    return forms;
}

// FindWord or ResolveWord over texts, one call per iteration.
void SearchTexts(benchmark::State& state, DictionaryFile& dict, const std::vector<std::string>& texts,
                 bool bResolve) {
    // The exception lists are read on the first resolution; that is not what is measured.
    int nPos = 0;
    Resolution how = Resolution::kExact;
    if (bResolve) ResolveWord(dict, "warm", nPos, how);
    size_t i = 0;
    for (auto _ : state) {
        if (bResolve) {
            ResolveWord(dict, texts[i], nPos, how);
            benchmark::DoNotOptimize(nPos);
        } else {
            benchmark::DoNotOptimize(dict.FindWord(texts[i]));
        }
        if (++i == texts.size()) i = 0;
    }
}

// Each prefix of each sample word, lower-cased as the search box does, one call per keystroke.
void BM_FindWordKeystrokes(benchmark::State& state, const std::string& (*fnPath)()) {
    DictionaryFile dict;
    if (!OpenOrSkip(state, dict, fnPath())) return;
    SearchTexts(state, dict, SamplePrefixes(dict), false);
}

void BM_ResolveWordKeystrokes(benchmark::State& state, const std::string& (*fnPath)()) {
    DictionaryFile dict;
    if (!OpenOrSkip(state, dict, fnPath())) return;
    SearchTexts(state, dict, SamplePrefixes(dict), true);
}

// A thousand inflected forms, FindWord beside ResolveWord.
void BM_FindWordForms(benchmark::State& state, const std::string& (*fnPath)()) {
    DictionaryFile dict;
    if (!OpenOrSkip(state, dict, fnPath())) return;
    SearchTexts(state, dict, SampleForms(dict), false);
}

void BM_ResolveWordForms(benchmark::State& state, const std::string& (*fnPath)()) {
    DictionaryFile dict;
    if (!OpenOrSkip(state, dict, fnPath())) return;
    SearchTexts(state, dict, SampleForms(dict), true);
}

// One lookup of "qqful" in the file of HugeExceptionListPath, the worst an exception list can
// make a lookup; compare with BM_ResolveWordForms, a lookup of an ordinary form.
void BM_ResolveFormOfHugeExceptionList(benchmark::State& state) {
    DictionaryFile dict;
    if (!OpenOrSkip(state, dict, HugeExceptionListPath())) return;
    SearchTexts(state, dict, {"qqful"}, true);
}

void BM_GetWordSequential(benchmark::State& state, const std::string& (*fnPath)()) {
    DictionaryFile dict;
    if (!OpenOrSkip(state, dict, fnPath())) return;
    const int W = static_cast<int>(dict.GetWordCount());
    std::string strWord;
    int p = 0;
    for (auto _ : state) {
        dict.GetWord(p, strWord);
        benchmark::DoNotOptimize(strWord.data());
        if (++p == W) p = 0;
    }
}

void BM_GetWordRandom(benchmark::State& state, const std::string& (*fnPath)()) {
    DictionaryFile dict;
    if (!OpenOrSkip(state, dict, fnPath())) return;
    std::mt19937 random(1);
    std::vector<int> positions(4096);
    for (int& p : positions) p = static_cast<int>(random() % dict.GetWordCount());
    std::string strWord;
    size_t i = 0;
    for (auto _ : state) {
        dict.GetWord(positions[i], strWord);
        benchmark::DoNotOptimize(strWord.data());
        i = (i + 1) & 4095;
    }
}

void BM_GetEntryNumbers(benchmark::State& state, const std::string& (*fnPath)()) {
    DictionaryFile dict;
    if (!OpenOrSkip(state, dict, fnPath())) return;
    const int W = static_cast<int>(dict.GetWordCount());
    std::vector<int32_t> numbers;
    int p = 0;
    for (auto _ : state) {
        dict.GetEntryNumbers(p, numbers);
        benchmark::DoNotOptimize(numbers.data());
        if (++p == W) p = 0;
    }
}

// All pages of one word through the caller protocol.
size_t BuildAllPages(DictionaryFile& dict, int nPos) {
    std::vector<NamedPage> pages;
    BuildWordPages(dict, nPos, pages);
    size_t nBytes = 0;
    for (const NamedPage& page : pages) nBytes += page.second.size();
    return nBytes;
}

void BM_PagesOfWord(benchmark::State& state, const char* lpszWord) {
    DictionaryFile dict;
    if (!OpenOrSkip(state, dict, RealPath())) return;
    const int nPos = dict.FindWord(lpszWord);
    for (auto _ : state) benchmark::DoNotOptimize(BuildAllPages(dict, nPos));
}

// The same in the file without relations: the pages as they were before relations.
void BM_PlainPagesOfWord(benchmark::State& state, const char* lpszWord) {
    DictionaryFile dict;
    if (!OpenOrSkip(state, dict, PlainPath())) return;
    const int nPos = dict.FindWord(lpszWord);
    for (auto _ : state) benchmark::DoNotOptimize(BuildAllPages(dict, nPos));
}

// The first pages after Open: the relation record's sections are read and its chunks inflated
// for the first time.
void BM_FirstPagesOfWord(benchmark::State& state, const char* lpszWord) {
    for (auto _ : state) {
        DictionaryFile dict;
        if (!OpenOrSkip(state, dict, RealPath())) return;
        benchmark::DoNotOptimize(BuildAllPages(dict, dict.FindWord(lpszWord)));
    }
}

void BM_PagesRandomWords(benchmark::State& state) {
    DictionaryFile dict;
    if (!OpenOrSkip(state, dict, RealPath())) return;
    std::mt19937 random(3);
    std::vector<int> positions(1000);
    for (int& p : positions) p = static_cast<int>(random() % dict.GetWordCount());
    size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(BuildAllPages(dict, positions[i]));
        if (++i == positions.size()) i = 0;
    }
}

// One random edit of each sample word (a letter inserted, deleted, replaced or two swapped),
// then every prefix of it: the texts a user types on the way to a misspelling.
std::vector<std::string> MisspelledPrefixes(DictionaryFile& dict) {
    std::mt19937 random(5);
    std::vector<std::string> prefixes;
    for (std::string strWord : SampleWords(dict)) {
        strWord = AnsiLowerCopy(strWord);
        const size_t p = random() % strWord.size();
        const char chLetter = static_cast<char>('a' + random() % 26);
        switch (random() % 4) {
            case 0: strWord.insert(strWord.begin() + p, chLetter); break;
            case 1: if (strWord.size() > 1) strWord.erase(p, 1); break;
            case 2: strWord[p] = chLetter; break;
            default: if (p + 1 < strWord.size()) std::swap(strWord[p], strWord[p + 1]); break;
        }
        for (size_t n = 1; n <= strWord.size(); ++n) prefixes.push_back(strWord.substr(0, n));
    }
    return prefixes;
}

double MicrosecondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start).count();
}

// The spelling step on every prefix of 1,000 misspelled words, as the resolver asks it (the
// nearest word only). Counters: the first call after Open, which reads the length groups it
// needs; the worst and the mean prefix, each prefix timed as the least of 5 runs (so that the
// machine's other work does not count); the memory the index keeps after all of them.
void BM_SpellingKeystrokes(benchmark::State& state) {
    DictionaryFile dict;
    if (!OpenOrSkip(state, dict, RealPath())) return;
    const std::vector<std::string> prefixes = MisspelledPrefixes(dict);
    std::vector<SpellingMatch> matches;
    const size_t nHeapBefore = mallinfo2().uordblks;
    auto start = std::chrono::steady_clock::now();
    if (!dict.FindSpellings("recieve", 1, matches)) {
        state.SkipWithError("the file has no spelling index");
        return;
    }
    state.counters["first_call_us"] = MicrosecondsSince(start);
    size_t i = 0;
    for (auto _ : state) {
        dict.FindSpellings(prefixes[i], 1, matches);
        benchmark::DoNotOptimize(matches.data());
        if (++i == prefixes.size()) i = 0;
    }
    double dWorst = 0, dTotal = 0;
    for (const std::string& strText : prefixes) {
        double dBest = 1e9;
        for (int r = 0; r < 5; ++r) {
            start = std::chrono::steady_clock::now();
            dict.FindSpellings(strText, 1, matches);
            dBest = std::min(dBest, MicrosecondsSince(start));
        }
        dWorst = std::max(dWorst, dBest);
        dTotal += dBest;
    }
    state.counters["prefixes"] = static_cast<double>(prefixes.size());
    state.counters["worst_us"] = dWorst;
    state.counters["mean_us"] = dTotal / prefixes.size();
    state.counters["index_memory"] = static_cast<double>(dict.GetSpellingIndex()->MemoryInUse());
    state.counters["heap_kept"] = static_cast<double>(mallinfo2().uordblks - nHeapBefore);
}

// The whole search box step (ResolveWord) on the same prefixes: most land by prefix, the rest
// by spelling or nearest.
void BM_ResolveMisspelledKeystrokes(benchmark::State& state) {
    DictionaryFile dict;
    if (!OpenOrSkip(state, dict, RealPath())) return;
    SearchTexts(state, dict, MisspelledPrefixes(dict), true);
}

// Two-word searches in the meanings, in the engine. Counters: the worst and mean query (least
// of 5 runs each), and the size of the meaning index and of the spelling record in the file.
const char* const kTwoWordQueries[] = {
    "sweet fruit", "large feline", "small bird", "capital city", "musical instrument",
    "chemical element", "religious ceremony", "french writer", "sharp knife", "body part",
    "young horse", "legal document", "green vegetable", "ancient greek", "white wine",
    "the of", "a of", "united states", "shallow water", "extinct reptile"};

// The size of the record tagged lpszTag in the data file at strPath, 0 when there is none.
double RecordSize(const std::string& strPath, const char* lpszTag) {
    std::ifstream file(strPath, std::ios::binary);
    const std::string strData((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    if (strData.size() < 78) return 0;
    const unsigned char* p = reinterpret_cast<const unsigned char*>(strData.data());
    const int nCount = ReadU16BE(p + 76);
    for (int r = 0; r < nCount && 78u + 8u * (r + 1) <= strData.size(); ++r) {
        const uint32_t nStart = ReadU32BE(p + 78 + 8 * r);
        const uint32_t nEnd = r + 1 < nCount ? ReadU32BE(p + 78 + 8 * (r + 1)) : strData.size();
        if (nEnd - nStart >= 4 && strData.compare(nStart, 4, lpszTag) == 0) return nEnd - nStart;
    }
    return 0;
}

void BM_SearchMeanings(benchmark::State& state) {
    DictionaryFile dict;
    if (!OpenOrSkip(state, dict, RealPath())) return;
    std::vector<MeaningMatch> matches;
    const size_t nHeapBefore = mallinfo2().uordblks;
    auto start = std::chrono::steady_clock::now();
    if (!dict.SearchMeanings("sweet fruit", matches)) {
        state.SkipWithError("the file has no meaning index");
        return;
    }
    state.counters["first_call_us"] = MicrosecondsSince(start);
    size_t i = 0;
    for (auto _ : state) {
        dict.SearchMeanings(kTwoWordQueries[i], matches);
        benchmark::DoNotOptimize(matches.data());
        if (++i == std::size(kTwoWordQueries)) i = 0;
    }
    double dWorst = 0, dTotal = 0;
    for (const char* lpszQuery : kTwoWordQueries) {
        double dBest = 1e9;
        for (int r = 0; r < 5; ++r) {
            start = std::chrono::steady_clock::now();
            dict.SearchMeanings(lpszQuery, matches);
            dBest = std::min(dBest, MicrosecondsSince(start));
        }
        dWorst = std::max(dWorst, dBest);
        dTotal += dBest;
    }
    state.counters["worst_us"] = dWorst;
    state.counters["mean_us"] = dTotal / std::size(kTwoWordQueries);
    state.counters["heap_kept"] = static_cast<double>(mallinfo2().uordblks - nHeapBefore);
    state.counters["meaning_record"] = RecordSize(RealPath(), kMeaningTag);
    state.counters["spelling_record"] = RecordSize(RealPath(), kSpellingTag);
}

const std::string& Real() {
    static const std::string strPath = RealPath();
    return strPath;
}
const std::string& Plain() {
    static const std::string strPath = PlainPath();
    return strPath;
}
const std::string& Synthetic() {
    static const std::string strPath = SyntheticPath();
    return strPath;
}

}  // namespace

BENCHMARK_CAPTURE(BM_Open, real, Real);
BENCHMARK_CAPTURE(BM_Open, real_without_relations, Plain);
BENCHMARK_CAPTURE(BM_Open, synthetic, Synthetic);
BENCHMARK_CAPTURE(BM_FindWordKeystrokes, real, Real);
BENCHMARK_CAPTURE(BM_FindWordKeystrokes, synthetic, Synthetic);
BENCHMARK_CAPTURE(BM_ResolveWordKeystrokes, real, Real);
BENCHMARK_CAPTURE(BM_FindWordForms, real, Real);
BENCHMARK_CAPTURE(BM_ResolveWordForms, real, Real);
BENCHMARK(BM_ResolveFormOfHugeExceptionList)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_GetWordSequential, real, Real);
BENCHMARK_CAPTURE(BM_GetWordSequential, synthetic, Synthetic);
BENCHMARK_CAPTURE(BM_GetWordRandom, real, Real);
BENCHMARK_CAPTURE(BM_GetEntryNumbers, real, Real);
BENCHMARK_CAPTURE(BM_PagesOfWord, break, "break");
BENCHMARK_CAPTURE(BM_PagesOfWord, cut, "cut");
BENCHMARK_CAPTURE(BM_PagesOfWord, run, "run");
BENCHMARK_CAPTURE(BM_PagesOfWord, play, "play");
BENCHMARK_CAPTURE(BM_PagesOfWord, make, "make");
BENCHMARK_CAPTURE(BM_PagesOfWord, dog, "dog");
BENCHMARK_CAPTURE(BM_PlainPagesOfWord, break, "break");
BENCHMARK_CAPTURE(BM_PlainPagesOfWord, run, "run");
BENCHMARK_CAPTURE(BM_FirstPagesOfWord, break, "break");
BENCHMARK_CAPTURE(BM_FirstPagesOfWord, run, "run");
BENCHMARK(BM_PagesRandomWords);
BENCHMARK(BM_SpellingKeystrokes);
BENCHMARK(BM_ResolveMisspelledKeystrokes);
BENCHMARK(BM_SearchMeanings);

BENCHMARK_MAIN();
