// Resolution of typed text: exception lists and rules of detachment, the morphology records of
// the data file, and the order exact, form, folded, prefix, nearest, on small files built with
// the writer; and a sample of inflected forms checked against WordNet's own `wn` when it and
// the real data file are there.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <set>

#include "dictdata/ExceptionList.h"
#include "dictdata/Morphology.h"
#include "dictdata/WordResolver.h"
#include "tests/TestFiles.h"
#include "tools/Verify.h"

namespace {

// Words with the parts of speech of their entries ('N', 'V', 'a', 'v'), in list order.
const std::pair<const char*, const char*> kWords[] = {
    {"ask for it", "V"}, {"attorney", "N"}, {"attorney general", "N"}, {"ax", "N"}, {"axis", "N"},
    {"bat", "N"},        {"cafe", "N"},             {"ephemera", "N"}, {"ephemeral", "a"},
    {"go", "V"},         {"happy", "a"},            {"leaf", "N"},     {"mouse", "N"},
    {"oct", "N"},        {"qwerty", "N"},           {"run", "NV"},     {"running", "Na"},
    {"zebra", "N"},      {"z\xE9" "bra", "N"}};

// The words above with one entry per part of speech, numbered group by group.
DataFileContent ResolverContent(bool bExceptions) {
    DataFileContent content;
    content.nWordsPerBlock = 3;
    const char kCodes[] = "NVav";
    uint32_t nSizes[4] = {0, 0, 0, 0};
    for (const auto& word : kWords) content.words.push_back({word.first, {}});
    for (int g = 0; g < 4; ++g) {
        for (size_t w = 0; w < content.words.size(); ++w) {
            if (std::string(kWords[w].second).find(kCodes[g]) == std::string::npos) continue;
            content.entries.push_back(std::string(kWords[w].first) + "\na sense");
            content.words[w].entries.push_back(static_cast<uint32_t>(content.entries.size()));
            ++nSizes[g];
        }
    }
    GroupCountsForSizes(nSizes, content.entryCounts);
    if (bExceptions) {
        content.exceptions[0] = {{"mice", "mouse"}, {"leaves", "leaf"}, {"axes", "ax"},
                                 {"axes", "axis"}, {"qwertys", "qwertie"}};
        content.exceptions[1] = {{"went", "go"}, {"ran", "run"}};
        content.exceptions[2] = {{"happier", "happy"}};
    }
    return content;
}

std::string Resolve(DictionaryFile& dict, const std::string& strText) {
    int nPos = -1;
    Resolution how = Resolution::kExact;
    if (!ResolveWord(dict, strText, nPos, how)) return "(false)";
    std::string strWord;
    dict.GetWord(nPos, strWord);
    return strWord + " " + ResolutionName(how);
}

}  // namespace

TEST(Morphology, DetachmentRulesFollowThePartOfSpeech) {
    const struct {
        int nPart;
        const char* lpszWord;
        std::vector<std::string> bases;
    } kCases[] = {
        {3, "churches", {"churche", "church"}},
        {3, "boxes", {"boxe", "box"}},
        {3, "women", {"woman"}},
        {3, "ladies", {"ladie", "lady"}},
        {3, "s", {}},  // a suffix alone leaves no base
        {2, "tries", {"trie", "try", "tri"}},
        {2, "hoped", {"hope", "hop"}},
        {2, "making", {"make", "mak"}},
        {1, "nicer", {"nic", "nice"}},
        {1, "biggest", {"bigg", "bigge"}},
        {0, "faster", {}},
    };
    for (const auto& c : kCases) {
        std::vector<std::string> bases;
        DetachEndings(c.nPart, c.lpszWord, bases);
        EXPECT_EQ(bases, c.bases) << c.lpszWord;
    }
}

TEST(Morphology, ExceptionListsAcceptOnlySortedWellFormedPairs) {
    ExceptionList list;
    ASSERT_TRUE(list.Assign("axes\tax\naxes\taxis\nmice\tmouse\n", 3));
    std::vector<std::string> bases;
    list.FindBases("axes", bases);
    EXPECT_EQ(bases, (std::vector<std::string>{"ax", "axis"}));
    bases.clear();
    list.FindBases("axe", bases);
    list.FindBases("mic", bases);
    list.FindBases("micee", bases);
    EXPECT_TRUE(bases.empty());
    for (const auto& bad : std::vector<std::pair<std::string, uint32_t>>{
             {"mice\tmouse\naxes\tax\n", 2},  // out of order
             {"axes\tax\n", 2},                // fewer pairs than announced
             {"axes ax\n", 1},                 // no tab
             {"axes\tax", 1},                  // no final line feed
             {"\tax\n", 1},                    // empty form
             {"axes\t\n", 1},                  // empty base
             {"axes\ta\tx\n", 1},              // a tab in the base
             {std::string("ax\0es\tax\n", 9), 1}}) {
        EXPECT_FALSE(list.Assign(bad.first, bad.second)) << bad.first;
    }
    EXPECT_EQ(list.GetPairCount(), 3u);  // a failed Assign keeps the list
}

namespace {

// The largest exception list a record holds (1 MiB of pairs), all for the form "qq": bases
// "000000" to "104856".
std::vector<std::pair<std::string, std::string>> OneFormWithHugeList() {
    std::vector<std::pair<std::string, std::string>> pairs;
    char base[16];
    for (int i = 0; i < 104857; ++i) {
        std::snprintf(base, sizeof base, "%06d", i);
        pairs.emplace_back("qq", base);
    }
    return pairs;
}

}  // namespace

TEST(Morphology, ALookupTestsABoundedNumberOfCandidates) {
    ExceptionLists lists;
    std::string strData;
    for (const auto& pair : OneFormWithHugeList()) strData += pair.first + '\t' + pair.second + '\n';
    ASSERT_EQ(strData.size(), 1048570u);
    ASSERT_TRUE(lists.lists[3].Assign(strData, 104857));
    int nTests = 0;
    const BaseFormTest fnNothing = [&nTests](const std::string&, int) {
        ++nTests;
        return false;
    };
    // The form itself, its "-ful" noun, and a collocation of it: none may try every base.
    for (const char* lpszText : {"qq", "qqful", "qq qqful qq-qq qqs qq qqful qq qq qq"}) {
        nTests = 0;
        std::string strBase = "kept";
        EXPECT_FALSE(FindBaseForm(lists, lpszText, fnNothing, strBase));
        EXPECT_EQ(strBase, "kept");
        EXPECT_LE(nTests, kMaxBaseTests) << lpszText;
    }
}

TEST(WordResolver, AFormWithAHundredThousandBasesLandsOnItsFirstBaseThatIsAWord) {
    DataFileContent content;
    for (const char* lpszWord : {"000003ful", "000005", "qwerty"}) {
        content.entries.push_back(std::string(lpszWord) + "\na sense");
        content.words.push_back({lpszWord, {static_cast<uint32_t>(content.entries.size())}});
    }
    const uint32_t nSizes[4] = {3, 0, 0, 0};
    GroupCountsForSizes(nSizes, content.entryCounts);
    content.exceptions[0] = OneFormWithHugeList();
    const std::string strPath = SaveContent(content, "huge.pdb");
    std::string strReport;
    ASSERT_TRUE(VerifyDataFile(strPath.c_str(), strReport)) << strReport;
    DictionaryFile dict;
    ASSERT_TRUE(dict.Open(strPath.c_str()));
    EXPECT_EQ(Resolve(dict, "qq"), "000005 form");
    EXPECT_EQ(Resolve(dict, "qqful"), "000003ful form");  // "-ful" after a base of "qq"
}

TEST(WordResolver, KnownAnswersInOrderExactFormFoldedPrefixNearest) {
    DictionaryFile dict;
    ASSERT_TRUE(dict.Open(SaveContent(ResolverContent(true), "resolver.pdb").c_str()));
    const std::pair<const char*, const char*> kCases[] = {
        {"running", "running exact"},  // also a form of "run": the word wins
        {"went", "go form"},
        {"mice", "mouse form"},
        {"happier", "happy form"},
        {"leaves", "leaf form"},
        {"axes", "ax form"},      // several bases: the first listed
        {"runs", "run form"},     // rules where the lists say nothing
        {"ran", "run form"},
        {"bats", "bat form"},
        {"attorneys general", "attorney general form"},
        {"asking for it", "ask for it form"},
        {"oct.", "oct form"},
        {"caf\xE9", "cafe folded"},
        {"caf\xE9s", "cafe folded"},
        // A form of an accented word is a form before it is folded ("zebras" is a form too).
        {"z\xE9" "bras", "z\xE9" "bra form"},
        // The noun list names "qwertys", with a base the word list lacks: the list has the say
        // for nouns, so the noun rule that would give "qwerty" is not tried.
        {"qwertys", "qwerty nearest"},
        {"ephem", "ephemera prefix"},
        {"a", "ask for it prefix"},  // before every word
        {"", "ask for it prefix"},
        {"\xE9ph", "ephemera prefix"},  // a folded prefix
        {"qzxv", "qwerty nearest"},
        {"zzz", "zebra nearest"},
        // A base must be a word of the part of speech whose rule made it: "happy" is no noun
        // or verb, "ephemeral" no noun.
        {"happies", "go nearest"},
        {"ephemerals", "ephemeral nearest"},
    };
    for (const auto& c : kCases) EXPECT_EQ(Resolve(dict, c.first), c.second) << c.first;
    // The same answers after the slots have moved elsewhere.
    EXPECT_EQ(Resolve(dict, "zebra"), "zebra exact");
    EXPECT_EQ(Resolve(dict, "went"), "go form");

    int nPos = 7;
    Resolution how = Resolution::kFolded;
    dict.Close();
    EXPECT_FALSE(ResolveWord(dict, "went", nPos, how));
    EXPECT_EQ(nPos, 7);
    EXPECT_EQ(how, Resolution::kFolded);
}

TEST(WordResolver, FileWithoutMorphologyRecordsKeepsTheRules) {
    DictionaryFile dict;
    ASSERT_TRUE(dict.Open(SaveContent(ResolverContent(false), "plain.pdb").c_str()));
    ASSERT_NE(dict.GetExceptionLists(), nullptr);
    EXPECT_EQ(dict.GetExceptionLists()->lists[2].GetPairCount(), 0u);
    EXPECT_EQ(Resolve(dict, "went"), "running nearest");
    EXPECT_EQ(Resolve(dict, "mice"), "leaf nearest");
    EXPECT_EQ(Resolve(dict, "runs"), "run form");
}

// Text from a page or the clipboard: spaces, punctuation and typographic marks around the word
// do not count, but a word that has punctuation of its own is found with it.
TEST(WordResolver, TextTakenFromAPageLandsOnTheWordMeant) {
    DictionaryFile dict;
    const std::vector<std::string> words = {"'hood", "'tween", ".22",  "a.d.", "apple", "hood",
                                            "no",    "no.",    "rock", "rock 'n' roll",
                                            "tour",  "tour of duty", "tween"};
    ASSERT_TRUE(dict.Open(SaveContent(MakeWordList(words, 4), "marks.pdb").c_str()));
    const std::pair<const char*, const char*> kCases[] = {
        {"tour, ", "tour exact"},
        {" apple", "apple exact"},
        {"apple.\r", "apple form"},   // as "oct." is a form of "oct"
        {"(apples)", "apple form"},
        {"rock \x92n\x92 roll", "rock 'n' roll exact"},
        {"\x93rock \x91n\x92 roll!\x94", "rock 'n' roll exact"},
        {"rock \x92n", "rock 'n' roll prefix"},
        {"\x91tween\x92", "'tween exact"},  // the word that keeps its apostrophe
        {"'tween", "'tween exact"},
        {"'hood,", "'hood exact"},
        {"a.d.", "a.d. exact"},
        {"no.", "no. exact"},
        {"no,", "no exact"},
        {".22", ".22 exact"},
        {".2", ".22 prefix"},
        {"tour of", "tour of duty prefix"},
        {"\x93", "'hood nearest"},  // a mark alone stays: '"' sorts before every word
    };
    for (const auto& c : kCases) EXPECT_EQ(Resolve(dict, c.first), c.second) << c.first;
}

namespace {

// A base as WordNet spells it in its lists and prints it ("comic_strip", "fine-draw", "fig.")
// and as the word list holds it ("comic strip", "finedraw", "fig"): without the separators.
std::string Plain(std::string strText) {
    strText.erase(std::remove_if(strText.begin(), strText.end(),
                                 [](char ch) { return std::strchr("_- .", ch) != nullptr; }),
                  strText.end());
    return strText;
}

// The base forms that `wn strForm -over` gives overviews for, spelled by Plain; empty when it
// knows none.
std::set<std::string> WordNetBases(const std::string& strForm) {
    std::set<std::string> bases;
    FILE* pPipe = popen(("wn '" + strForm + "' -over 2>/dev/null").c_str(), "r");
    if (pPipe == nullptr) return bases;
    char line[1024];
    while (std::fgets(line, sizeof line, pPipe) != nullptr) {
        std::string strLine(line);
        for (const char* lpszPart : {"noun ", "verb ", "adj ", "adv "}) {
            const std::string strHead = std::string("Overview of ") + lpszPart;
            if (strLine.compare(0, strHead.size(), strHead) == 0) {
                bases.insert(Plain(strLine.substr(
                    strHead.size(), strLine.find_last_not_of("\n") + 1 - strHead.size())));
            }
        }
    }
    pclose(pPipe);
    return bases;
}

// Every nth inflected form of the exception lists, and regular forms made from every
// (50 n)th headword of the index files, skipping collocations.
std::vector<std::string> SampleForms(const std::string& strDir, int nEvery) {
    std::vector<std::string> forms;
    int nLine = 0;
    for (const char* lpszFile : {"noun.exc", "verb.exc", "adj.exc", "adv.exc"}) {
        std::ifstream file(strDir + "/" + lpszFile);
        std::string strForm, strRest;
        while (file >> strForm && std::getline(file, strRest)) {
            if (++nLine % nEvery == 0 && strForm.find('_') == std::string::npos) forms.push_back(strForm);
        }
    }
    const std::pair<const char*, std::vector<const char*>> kRegular[] = {
        {"index.noun", {"s", "es"}}, {"index.verb", {"s", "ed", "ing"}}, {"index.adj", {"er", "est"}}};
    for (const auto& regular : kRegular) {
        std::ifstream file(strDir + "/" + regular.first);
        std::string strLine;
        while (std::getline(file, strLine)) {
            const std::string strLemma = strLine.substr(0, strLine.find(' '));
            if (strLine[0] == ' ' || ++nLine % (50 * nEvery) != 0 ||
                strLemma.find_first_of("_-.'") != std::string::npos) {
                continue;
            }
            for (const char* lpszEnding : regular.second) forms.push_back(strLemma + lpszEnding);
        }
    }
    return forms;
}

}  // namespace

// Held-out behaviour: forms that WordNet's own morphology resolves must land on one of its
// bases, by the exception lists stored in the file and by the rules.
TEST(WordResolverRealData, FormsLandOnABaseThatWnNames) {
#ifdef _WIN32
    GTEST_SKIP() << "wn runs in the Linux build's run of this test";
#endif
    const std::string strData = LEXANO_TEST_DATA;
    if (access(strData.c_str(), R_OK) != 0 || std::system("wn >/dev/null 2>&1") == 127 ||
        access("/usr/share/wordnet/noun.exc", R_OK) != 0) {
        GTEST_SKIP() << "needs wn, WordNet's files and " << strData;
    }
    DictionaryFile dict;
    ASSERT_TRUE(dict.Open(strData.c_str()));
    int nChecked = 0;
    for (const std::string& strForm : SampleForms("/usr/share/wordnet", 29)) {
        const std::set<std::string> bases = WordNetBases(strForm);
        int nPos = -1;
        Resolution how = Resolution::kNearest;
        ASSERT_TRUE(ResolveWord(dict, strForm, nPos, how));
        if (bases.empty() || bases.count(Plain(strForm)) > 0 || how == Resolution::kExact) continue;
        std::string strWord;
        ASSERT_TRUE(dict.GetWord(nPos, strWord));
        EXPECT_EQ(how, Resolution::kForm) << strForm << " -> " << strWord;
        EXPECT_EQ(bases.count(Plain(strWord)), 1u) << strForm << " -> " << strWord;
        ++nChecked;
    }
    EXPECT_GT(nChecked, 150);
    RecordProperty("forms_checked", nChecked);
}
