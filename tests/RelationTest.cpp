// Relations: the relation record as the writer makes it and the engine answers from it, the
// writer's refusals, and the real data file checked against WordNet's own data files.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cstring>
#include <fstream>
#include <map>
#include <set>
#include <sstream>

#include "dictdata/DictionaryFile.h"
#include "dictdata/RelationRecord.h"
#include "tests/TestFiles.h"
#include "tools/Verify.h"

namespace {

// "kind entry position text" per related word, for comparing whole answers at once.
std::vector<std::string> Describe(const std::vector<RelatedWord>& words) {
    std::vector<std::string> lines;
    for (const RelatedWord& w : words) {
        lines.push_back(std::string(RelationKindName(w.nKind)) + " " + std::to_string(w.nEntry) +
                        " " + std::to_string(w.nPos) + " " + w.strText);
    }
    return lines;
}

using Lines = std::vector<std::string>;

}  // namespace

TEST(Relations, SensesAndWordsLeadToTheirTargetsAtEveryChunkSize) {
    for (int nPerChunk : {1, 2, 3, 64}) {
        SCOPED_TRACE(nPerChunk);
        DataFileContent content = RelationContent();
        content.nRelationEntriesPerChunk = nPerChunk;
        const std::string strPath = SaveContent(content, "relations.pdb");
        std::string strReport;
        ASSERT_TRUE(VerifyDataFile(strPath.c_str(), strReport)) << strReport;
        EXPECT_NE(strReport.find(", 10 relations"), std::string::npos) << strReport;
        DictionaryFile dict;
        ASSERT_TRUE(dict.Open(strPath.c_str()));
        ASSERT_TRUE(dict.HasRelations());
        std::vector<RelatedWord> words;
        // Every word of the target sense, at its list position.
        ASSERT_TRUE(dict.GetSenseRelations(1, words));
        EXPECT_EQ(Describe(words),
                  (Lines{"hypernym 2 0 animal", "hypernym 2 1 beast", "hyponym 3 8 puppy"}));
        // Relations between words belong to the word they start from, and come in kind order.
        ASSERT_TRUE(dict.GetWordRelations(2, 5, words));  // big
        EXPECT_EQ(Describe(words), (Lines{"antonym 6 9 small"}));
        ASSERT_TRUE(dict.GetWordRelations(5, 5, words));  // large
        EXPECT_EQ(Describe(words), (Lines{"antonym 6 6 little"}));
        ASSERT_TRUE(dict.GetWordRelations(3, 5, words));  // dog is no word of entry 5
        EXPECT_TRUE(words.empty());
        ASSERT_TRUE(dict.GetRelatedWords(2, 5, words));
        EXPECT_EQ(Describe(words), (Lines{"antonym 6 9 small", "similar 7 2 BIG"}));
        ASSERT_TRUE(dict.GetRelatedWords(2, 7, words));
        EXPECT_EQ(Describe(words), (Lines{"similar 5 2 big", "similar 5 5 large"}));
        ASSERT_TRUE(dict.GetSenseRelations(4, words));
        EXPECT_TRUE(words.empty());
        // Spellings: as listed, first letter up, every word up, spelled out.
        std::vector<EntryMember> members;
        ASSERT_TRUE(dict.GetEntryMembers(4, members));
        ASSERT_EQ(members.size(), 2u);
        EXPECT_EQ(members[0].nPos, 10);
        EXPECT_EQ(members[0].strText, "Sunday");
        EXPECT_EQ(members[1].nPos, 7);
        EXPECT_EQ(members[1].strText, "Lord's Day");
        // Outside the entries, and a negative position: false, outputs untouched.
        words = {RelatedWord{1, 1, 1, "kept"}};
        EXPECT_FALSE(dict.GetSenseRelations(0, words));
        EXPECT_FALSE(dict.GetSenseRelations(8, words));
        EXPECT_FALSE(dict.GetWordRelations(-1, 5, words));
        EXPECT_FALSE(dict.GetEntryMembers(8, members));
        EXPECT_EQ(words.size(), 1u);
        EXPECT_EQ(members.size(), 2u);
    }
}

TEST(Relations, FileWithoutThemHasNone) {
    const std::string strPath = SaveContent(MakeWordList(NumberedWords(5), 2), "plain.pdb");
    DictionaryFile dict;
    EXPECT_FALSE(dict.HasRelations());
    ASSERT_TRUE(dict.Open(strPath.c_str()));
    EXPECT_FALSE(dict.HasRelations());
    std::vector<RelatedWord> words = {RelatedWord{1, 1, 1, "kept"}};
    std::vector<EntryMember> members;
    EXPECT_FALSE(dict.GetSenseRelations(1, words));
    EXPECT_FALSE(dict.GetRelatedWords(0, 1, words));
    EXPECT_FALSE(dict.GetEntryMembers(1, members));
    EXPECT_EQ(words.size(), 1u);
    dict.Close();
    EXPECT_FALSE(dict.GetSenseRelations(1, words));
}

TEST(Relations, WriterRefusesWhatTheRecordCannotHold) {
    const struct {
        void (*fnDamage)(DataFileContent&);
        const char* lpszError;
    } kCases[] = {
        {[](DataFileContent& c) { c.relations.pop_back(); }, "one entry each"},
        {[](DataFileContent& c) { c.relations[0].push_back({27, 0, 2, 0}); }, "does not exist"},
        {[](DataFileContent& c) { c.relations[0].push_back({0, 0, 2, 0}); }, "does not exist"},
        {[](DataFileContent& c) { c.relations[0].push_back({2, 0, 8, 0}); }, "does not exist"},
        {[](DataFileContent& c) { c.relations[0].push_back({2, 3, 2, 0}); }, "does not exist"},
        {[](DataFileContent& c) { c.relations[0].push_back({2, 0, 3, 2}); }, "does not exist"},
        {[](DataFileContent& c) { c.entries[2] = "puppy|whelp\na young dog"; },
         "entry 3: \"whelp\" is not a word of the list that names the entry"},
        {[](DataFileContent& c) { c.words[8].entries = {1}; }, "\"puppy\" is not a word"},
        {[](DataFileContent& c) { c.words[3].entries = {1, 2}; },
         "word \"dog\" names entry 2 but is not among its words"},
        {[](DataFileContent& c) { c.nRelationEntriesPerChunk = 0; }, "per chunk"},
    };
    for (const auto& c : kCases) {
        DataFileContent content = RelationContent();
        c.fnDamage(content);
        std::vector<unsigned char> bytes;
        std::string strError;
        EXPECT_FALSE(WriteDataFile(content, bytes, strError)) << c.lpszError;
        EXPECT_NE(strError.find(c.lpszError), std::string::npos) << strError;
    }
}

TEST(Relations, SpellingCodesRoundTrip) {
    const struct {
        const char* lpszList;
        const char* lpszText;
        int nCode;
    } kCases[] = {
        {"dog", "dog", 0},
        {"sunday", "Sunday", 1},
        {"lord's day", "Lord's Day", 2},
        {"jean-paul sartre", "Jean-Paul Sartre", 2},
        {"aids", "AIDS", 3},
        {"mcdonald", "McDonald", 3},
        {"\xE9tat", "\xC9tat", 1},
    };
    for (const auto& c : kCases) {
        EXPECT_EQ(SpellingCode(c.lpszList, c.lpszText), c.nCode) << c.lpszText;
        if (c.nCode < 3) {
            EXPECT_EQ(ApplySpelling(c.lpszList, c.nCode), c.lpszText);
        }
    }
}

namespace {

// The test's own reading of WordNet: a data line's words and pointers, found by the byte offset
// that index lines give.
struct DataLine {
    std::vector<std::string> words;  // lemmas: lower case, "_" as spaces, markers dropped
    struct Pointer {
        std::string strSymbol;
        uint32_t nOffset;
        char chPos;
        int nSource, nTarget;
    };
    std::vector<Pointer> pointers;
};

std::string Lemma(std::string strWord) {
    const size_t nParen = strWord.find('(');
    if (nParen != std::string::npos) strWord.erase(nParen);
    for (char& ch : strWord) ch = ch == '_' ? ' ' : static_cast<char>(std::tolower(ch));
    return strWord;
}

const char* DataFileOf(char chPos) {
    switch (chPos) {
        case 'n': return "data.noun";
        case 'v': return "data.verb";
        case 'r': return "data.adv";
        default: return "data.adj";
    }
}

DataLine ReadDataLine(char chPos, uint32_t nOffset) {
    std::ifstream file(std::string("/usr/share/wordnet/") + DataFileOf(chPos), std::ios::binary);
    file.seekg(nOffset);
    std::string strLine;
    std::getline(file, strLine);
    std::istringstream fields(strLine);
    std::string strField;
    int nWords = 0, nPointers = 0;
    fields >> strField >> strField >> strField >> std::hex >> nWords >> std::dec;
    DataLine line;
    for (int i = 0; i < nWords; ++i) {
        fields >> strField;
        line.words.push_back(Lemma(strField));
        fields >> strField;
    }
    fields >> nPointers;
    for (int i = 0; i < nPointers; ++i) {
        DataLine::Pointer p;
        std::string strPos, strSourceTarget;
        fields >> p.strSymbol >> p.nOffset >> strPos >> strSourceTarget;
        p.chPos = strPos[0];
        p.nSource = std::stoi(strSourceTarget.substr(0, 2), nullptr, 16);
        p.nTarget = std::stoi(strSourceTarget.substr(2, 2), nullptr, 16);
        line.pointers.push_back(p);
    }
    return line;
}

const std::map<std::string, std::string>& KindNames() {
    static const std::map<std::string, std::string> kNames = {
        {"!", "antonym"},         {"@", "hypernym"},          {"@i", "instance-hypernym"},
        {"~", "hyponym"},         {"~i", "instance-hyponym"}, {"#m", "member-holonym"},
        {"#s", "substance-holonym"}, {"#p", "part-holonym"},  {"%m", "member-meronym"},
        {"%s", "substance-meronym"}, {"%p", "part-meronym"},  {"=", "attribute"},
        {"+", "derivation"},      {";c", "domain-topic"},     {"-c", "member-topic"},
        {";r", "domain-region"},  {"-r", "member-region"},    {";u", "domain-usage"},
        {"-u", "member-usage"},   {"*", "entailment"},        {">", "cause"},
        {"^", "also"},            {"$", "verb-group"},        {"&", "similar"},
        {"<", "participle"},      {"\\", "pertainym"}};
    return kNames;
}

// "kind word" lines that WordNet gives for strLemma's sense at nOffset of chPos.
std::multiset<std::string> ExpectedRelations(const std::string& strLemma, char chPos,
                                             uint32_t nOffset) {
    const DataLine line = ReadDataLine(chPos, nOffset);
    std::multiset<std::string> expected;
    for (const DataLine::Pointer& p : line.pointers) {
        const DataLine target = ReadDataLine(p.chPos, p.nOffset);
        const std::string strKind = KindNames().at(p.strSymbol);
        if (p.nSource == 0) {
            std::set<std::string> seen;  // a sense that lists a word twice shows it once
            for (const std::string& strWord : target.words) {
                if (seen.insert(strWord).second) expected.insert(strKind + " " + strWord);
            }
        } else if (line.words[p.nSource - 1] == strLemma) {
            expected.insert(strKind + " " + target.words[p.nTarget - 1]);
        }
    }
    return expected;
}

// The lemmas of every nStep-th line of the four index files and those of extra, each with its
// synset offsets in sense order (nouns, verbs, adjectives, adverbs), as the data file numbers
// a word's entries.
struct IndexedLemma {
    std::string strLemma;
    std::vector<std::pair<char, uint32_t>> senses;
};

std::vector<IndexedLemma> SampleLemmas(int nStep, const std::set<std::string>& extra) {
    std::map<std::string, IndexedLemma> byLemma;
    for (int nPass = 0; nPass < 2; ++nPass) {
        int nLine = 0;
        for (const char* lpszPos : {"noun", "verb", "adj", "adv"}) {
            std::ifstream file(std::string("/usr/share/wordnet/index.") + lpszPos);
            std::string strLine;
            while (std::getline(file, strLine)) {
                if (strLine.compare(0, 2, "  ") == 0) continue;
                std::istringstream fields(strLine);
                std::string strLemma, strPos, strField;
                int nSynsets = 0, nPointers = 0;
                fields >> strLemma >> strPos >> nSynsets >> nPointers;
                strLemma = Lemma(strLemma);
                // The first pass picks the lemmas, the second collects all their senses.
                if (nPass == 0) {
                    if (++nLine % nStep == 0 || extra.count(strLemma)) {
                        byLemma[strLemma].strLemma = strLemma;
                    }
                    continue;
                }
                const auto found = byLemma.find(strLemma);
                if (found == byLemma.end()) continue;
                for (int i = 0; i < nPointers + 2; ++i) fields >> strField;
                for (int i = 0; i < nSynsets; ++i) {
                    uint32_t nOffset = 0;
                    fields >> nOffset;
                    found->second.senses.emplace_back(strPos[0], nOffset);
                }
            }
        }
    }
    std::vector<IndexedLemma> lemmas;
    for (auto& entry : byLemma) lemmas.push_back(entry.second);
    return lemmas;
}

}  // namespace

TEST(RelationsRealData, EveryRelationOfASampleOfWordsIsWordNets) {
    const std::string strData = LEXANO_TEST_DATA;
    if (access(strData.c_str(), R_OK) != 0 || access("/usr/share/wordnet/data.noun", R_OK) != 0) {
        GTEST_SKIP() << "needs WordNet's files and " << strData;
    }
    DictionaryFile dict;
    ASSERT_TRUE(dict.Open(strData.c_str()));
    ASSERT_TRUE(dict.HasRelations());
    // Every 211th index line, and words with many relations of many kinds.
    const std::vector<IndexedLemma> lemmas =
        SampleLemmas(211, {"break", "dog", "good", "fast", "quickly", "france", "a"});
    int nSenses = 0;
    size_t nRelations = 0;
    for (const IndexedLemma& lemma : lemmas) {
        SCOPED_TRACE(lemma.strLemma);
        int nPos = -1;
        ASSERT_TRUE(dict.FindExactWord(lemma.strLemma, nPos));
        std::vector<int32_t> numbers;
        ASSERT_TRUE(dict.GetEntryNumbers(nPos, numbers));
        ASSERT_EQ(numbers.size(), lemma.senses.size());
        for (size_t i = 0; i < numbers.size(); ++i) {
            std::vector<RelatedWord> words;
            ASSERT_TRUE(dict.GetRelatedWords(nPos, static_cast<uint32_t>(numbers[i]), words));
            std::multiset<std::string> actual;
            for (const RelatedWord& word : words) {
                std::string strWord;
                ASSERT_TRUE(dict.GetWord(word.nPos, strWord));
                actual.insert(std::string(RelationKindName(word.nKind)) + " " + strWord);
            }
            const auto expected = ExpectedRelations(lemma.strLemma, lemma.senses[i].first,
                                                    lemma.senses[i].second);
            EXPECT_EQ(actual, expected) << "sense " << i;
            ++nSenses;
            nRelations += actual.size();
        }
    }
    EXPECT_GT(nSenses, 1000);
    RecordProperty("senses_checked", nSenses);
    RecordProperty("related_words_checked", static_cast<int>(nRelations));
}
