// lexano-data as a user runs it: output, exit status and the one-line errors.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <future>
#include <sstream>

#include "tests/TestFiles.h"
#include "tests/TestPlatform.h"

namespace {

struct ToolRun {
    int nStatus = -1;
    std::string strOut;
    std::string strErr;
};

// Runs lexano-data with args under the locale strLocale (POSIX; Windows runs it as it is), "C"
// unless said: its text then passes as Windows-1252 bytes, whatever the user's locale.
ToolRun Tool(const std::vector<std::string>& args, const std::string& strLocale = "C") {
    const std::string strErrPath = TestPath("stderr.txt");
    std::string strCommand = QuoteArgument(LEXANO_DATA_TOOL);
#ifndef _WIN32
    strCommand = "LC_ALL=" + strLocale + " " + strCommand;
#else
    (void)strLocale;
#endif
    for (const std::string& strArg : args) strCommand += " " + QuoteArgument(strArg);
    strCommand += " 2>" + QuoteArgument(strErrPath);
    ToolRun run;
    FILE* pPipe = OpenPipe(strCommand);
    if (pPipe == nullptr) return run;
    char buffer[4096];
    size_t nRead;
    while ((nRead = std::fread(buffer, 1, sizeof buffer, pPipe)) > 0) run.strOut.append(buffer, nRead);
    run.nStatus = ClosePipe(pPipe);
    std::ifstream err(strErrPath);
    std::stringstream text;
    text << err.rdbuf();
    run.strErr = text.str();
    return run;
}

std::string Sample() {
    DataFileContent content;
    content.nWordsPerBlock = 2;
    content.words = {{"bank", {1, 3}}, {"banks", {}}, {"river\tbank", {2}}};
    content.entries = {"bank|depository\na financial institution\nhe cashed a check at the bank",
                       "river bank\nsloping land\\edge",
                       "bank|rely\nhave confidence\nyou can bank on that|bank on me"};
    const uint32_t nSizes[4] = {2, 1, 0, 0};
    GroupCountsForSizes(nSizes, content.entryCounts);
    return SaveContent(content, "sample.pdb");
}

}  // namespace

TEST(LexanoData, AnswersEachCommand) {
    const std::string strFile = Sample();
    ToolRun run = Tool({"info", strFile});
    EXPECT_EQ(run.nStatus, 0);
    EXPECT_NE(run.strOut.find("name: LexanoData_WN\nrecords: 5\n"), std::string::npos) << run.strOut;
    EXPECT_NE(run.strOut.find("words: 3\nwords_per_block: 2\nentry_blocks: 1\npos_codes: NVav\n"
                              "entry_counts: 3 1 0 0\nfile_size: "),
              std::string::npos)
        << run.strOut;

    run = Tool({"word", strFile, "2"});
    EXPECT_EQ(run.strOut, "river\tbank\n");
    run = Tool({"find", strFile, "banksy"});
    EXPECT_EQ(run.strOut, "1\tbanks\n");
    run = Tool({"find", strFile, "Bank"});  // no case change
    EXPECT_EQ(run.strOut, "0\tbank\n");
    run = Tool({"entries", strFile, "0"});
    EXPECT_EQ(run.strOut, "1 3\n");
    run = Tool({"entries", strFile, "1"});
    EXPECT_EQ(run.strOut, "\n");
    run = Tool({"entry", strFile, "0", "3"});
    EXPECT_EQ(run.nStatus, 0);
    EXPECT_EQ(run.strOut,
              "pos: Verb\nsynonyms: rely.\ncount: 1\ndefinition: have confidence\n"
              "usage: you can bank on that|bank on me\n");
    run = Tool({"entry", strFile, "2", "2"});
    EXPECT_EQ(run.strOut,
              "pos: Noun\nsynonyms: river bank.\ncount: 1\ndefinition: sloping land\\\\edge\nusage: \n");
    run = Tool({"verify", strFile});
    EXPECT_EQ(run.nStatus, 0);
    EXPECT_EQ(run.strOut, "ok: 3 words, 3 entries, 2 word blocks, 1 entry blocks\n");
}

TEST(LexanoData, ReportsFailuresAndUsage) {
    const std::string strFile = Sample();
    for (const std::vector<std::string>& args :
         std::vector<std::vector<std::string>>{{"word", strFile, "3"},
                                               {"entries", strFile, "99"},
                                               {"entry", strFile, "0", "4"},
                                               {"entry", strFile, "0", "0"},
                                               {"info", TestPath("missing.pdb")},
                                               {"verify", TestPath("missing.pdb")}}) {
        const ToolRun run = Tool(args);
        EXPECT_EQ(run.nStatus, 1) << args[0];
        EXPECT_EQ(run.strErr.rfind("lexano-data: ", 0), 0u) << run.strErr;
        EXPECT_EQ(std::count(run.strErr.begin(), run.strErr.end(), '\n'), 1) << run.strErr;
    }
    for (const std::vector<std::string>& args :
         std::vector<std::vector<std::string>>{{},
                                               {"nonsense"},
                                               {"word", strFile},
                                               {"word", strFile, "-1"},
                                               {"word", strFile, "x"},
                                               {"entry", strFile, "0"},
                                               {"info", strFile, "extra"}}) {
        const ToolRun run = Tool(args);
        EXPECT_EQ(run.nStatus, 2);
        EXPECT_NE(run.strErr.find("usage:"), std::string::npos);
    }
}

TEST(LexanoData, NamesWhyAFileDoesNotOpen) {
    const std::string strFolder = TestPath("folder.pdb");
    MakeDirectory(strFolder);
    const std::string strText = TestPath("text.pdb");
    ASSERT_TRUE(SaveBytes(strText, std::vector<unsigned char>(100, 'x')));
    const std::string strMissing = TestPath("missing.pdb");
    const std::pair<std::string, const char*> kCases[] = {
        {strFolder, "it is a folder"},
        {strMissing, "No such file or directory"},
        {strText, "it is not a dictionary, or it is damaged"}};
    for (const auto& c : kCases) {
        for (const char* lpszCommand : {"verify", "info", "find"}) {
            std::vector<std::string> args = {lpszCommand, c.first};
            if (args[0] == "find") args.push_back("word");
            const ToolRun run = Tool(args);
            EXPECT_EQ(run.nStatus, 1);
            EXPECT_EQ(run.strOut, "");
            EXPECT_EQ(run.strErr, "lexano-data: cannot open " + c.first + " as a data file: " +
                                      c.second + "\n");
        }
    }

#ifndef _WIN32
    // A FIFO that nobody writes to is refused at once, not waited on.
    const std::string strFifo = TestPath("fifo.pdb");
    ASSERT_TRUE(MakeFifo(strFifo));
    auto verified = std::async(std::launch::async, [&strFifo] { return Tool({"verify", strFifo}); });
    if (verified.wait_for(std::chrono::seconds(20)) != std::future_status::ready) {
        ReleaseFifoReader(strFifo);
        ADD_FAILURE() << "verify waits for a writer of the FIFO";
    }
    const ToolRun run = verified.get();
    EXPECT_EQ(run.nStatus, 1);
    EXPECT_EQ(run.strErr,
              "lexano-data: cannot open " + strFifo + " as a data file: it is not a regular file\n");
#endif
}

TEST(LexanoData, VerifyNamesWhatIsWrong) {
    DataFileContent content = MakeWordList(NumberedWords(6), 2);
    const uint32_t nCounts[4] = {3, 2, 0, 0};  // entries 5 and 6 fall in no group
    std::copy(nCounts, nCounts + 4, content.entryCounts);
    ToolRun run = Tool({"verify", SaveContent(content, "groups.pdb")});
    EXPECT_EQ(run.nStatus, 1);
    EXPECT_EQ(run.strOut, "error: entry 5 has no part of speech under the group counts\n");

    std::vector<unsigned char> file = BuildBytes(MakeWordList(NumberedWords(6), 2));
    const std::string strPath = TestPath("damaged.pdb");
    file[RecordOffset(file, 2) + 8] ^= 0xFF;  // inside word block 2's zlib stream
    ASSERT_TRUE(SaveBytes(strPath, file));
    run = Tool({"verify", strPath});
    EXPECT_EQ(run.nStatus, 1);
    EXPECT_EQ(run.strOut, "error: word block 2 is damaged\n");
    run = Tool({"word", strPath, "3"});
    EXPECT_EQ(run.nStatus, 1);
    EXPECT_EQ(run.strErr, "lexano-data: word block 2 is damaged\n");
}

TEST(LexanoData, ResolveAndLookupSayHowTheyGotThere) {
    DataFileContent content;
    content.nWordsPerBlock = 2;
    for (const char* lpszWord : {"cafe", "ephemera", "ephemeral", "go", "qwerty keyboard", "run"}) {
        content.entries.push_back(std::string(lpszWord) + "\nsense of " + lpszWord);
        content.words.push_back({lpszWord, {static_cast<uint32_t>(content.entries.size())}});
    }
    const uint32_t nSizes[4] = {3, 2, 1, 0};  // go and qwerty keyboard are verbs, run an adjective
    GroupCountsForSizes(nSizes, content.entryCounts);
    content.exceptions[1] = {{"went", "go"}};
    const std::string strFile = SaveContent(content, "resolve.pdb");
    const std::pair<const char*, const char*> kResolve[] = {
        {"Went", "3\tgo\tform\n"},        {"EPHEM", "1\tephemera\tprefix\n"},
        {"CAF\xC9", "0\tcafe\tfolded\n"}, {"qzxv", "4\tqwerty keyboard\tnearest\n"},
        {"run", "5\trun\texact\n"}};
    for (const auto& c : kResolve) {
        const ToolRun run = Tool({"resolve", strFile, c.first});
        EXPECT_EQ(run.nStatus, 0);
        EXPECT_EQ(run.strOut, c.second) << c.first;
    }
    const std::pair<const char*, const char*> kLookup[] = {
        {"went", "\"went\" is a form of \"go\".\n\ngo\n"},
        {"ephem", "\"ephem\": the first word that starts with it is \"ephemera\".\n\nephemera\n"},
        {"caf\xE9", "\"caf\xE9\" is read as \"cafe\".\n\ncafe\n"},
        {"qzxv", "\"qzxv\" is not in the dictionary; the nearest word is \"qwerty keyboard\".\n\n"
                 "qwerty keyboard\n"},
        {"Run", "run\n"}};
    for (const auto& c : kLookup) {
        const ToolRun run = Tool({"lookup", strFile, c.first});
        EXPECT_EQ(run.nStatus, 0);
        EXPECT_EQ(run.strOut.substr(0, std::strlen(c.second)), c.second) << c.first;
    }
    EXPECT_EQ(Tool({"resolve", strFile}).nStatus, 2);
}

namespace {

// Words with definitions, an accented one among them, and both indexes.
std::string IndexedSample(bool bIndexes) {
    DataFileContent content;
    content.nWordsPerBlock = 2;
    const std::pair<const char*, const char*> kWords[] = {
        {"caf\xE9", "a small restaurant"}, {"receive", "get something"},
        {"relieve", "free from a burden"}, {"separate", "divide into parts"},
        {"zebra", "African horse with stripes\na zebra grazed|striped horses"}};
    for (const auto& word : kWords) {
        content.entries.push_back(std::string(word.first) + "\n" + word.second);
        content.words.push_back({word.first, {static_cast<uint32_t>(content.entries.size())}});
        content.wordFrequencies.push_back(1);
    }
    const uint32_t nSizes[4] = {5, 0, 0, 0};
    GroupCountsForSizes(nSizes, content.entryCounts);
    content.bSpellingIndex = bIndexes;
    content.bMeaningIndex = bIndexes;
    return SaveContent(content, bIndexes ? "indexed.pdb" : "plain.pdb");
}

}  // namespace

TEST(LexanoData, SuggestAndSearchAnswerFromTheIndexes) {
    const std::string strFile = IndexedSample(true);
    const std::pair<std::vector<std::string>, std::string> kCases[] = {
        {{"suggest", strFile, "RECIEVE"}, "1\treceive\t1\n2\trelieve\t1\n"},
        {{"suggest", strFile, "qzxv"}, ""},
        {{"search", strFile, "Horse"}, "4\tzebra\t5\n"},
        {{"search", strFile, "striped horse"}, "4\tzebra\t5\n"},
        {{"search", strFile, "from get"}, ""},
        {{"resolve", strFile, "seperate"}, "3\tseparate\tspelling\n"},
        {{"lookup", strFile, "recieve"},
         "\"recieve\" is not in the dictionary; did you mean \"receive\" or \"relieve\"?\n\nreceive\n"},
    };
    for (const auto& c : kCases) {
        const ToolRun run = Tool(c.first);
        EXPECT_EQ(run.nStatus, 0) << c.first[0];
        EXPECT_EQ(run.strOut.substr(0, c.second.size()), c.second) << c.first[0] << " " << c.first[2];
    }
    const std::string strPlain = IndexedSample(false);
    for (const char* lpszCommand : {"suggest", "search"}) {
        const ToolRun run = Tool({lpszCommand, strPlain, "recieve"});
        EXPECT_EQ(run.nStatus, 1);
        EXPECT_NE(run.strErr.find(std::string("lexano-data: ") + strPlain + " has no "), std::string::npos)
            << run.strErr;
        EXPECT_EQ(Tool({lpszCommand, strFile}).nStatus, 2);
    }
}

TEST(LexanoData, TextArgumentsAndOutputFollowTheLocale) {
#ifdef _WIN32
    GTEST_SKIP() << "POSIX locales";
#endif
    const std::string strFile = IndexedSample(true);
    // A UTF-8 locale: "CAFÉ" typed in UTF-8 is the word café, printed in UTF-8; bytes that are
    // not UTF-8 still pass as 1252; pages keep the page's own bytes.
    const std::pair<std::vector<std::string>, std::string> kUtf8[] = {
        {{"resolve", strFile, "CAF\xC3\x89"}, "0\tcaf\xC3\xA9\texact\n"},
        {{"resolve", strFile, "CAF\xC9"}, "0\tcaf\xC3\xA9\texact\n"},
        {{"word", strFile, "0"}, "caf\xC3\xA9\n"},
        {{"suggest", strFile, "cqf\xC3\xA9"}, "0\tcaf\xC3\xA9\t1\n"},
        {{"search", strFile, "RESTAURANT"}, "0\tcaf\xC3\xA9\t1\n"},
    };
    for (const auto& c : kUtf8) {
        const ToolRun run = Tool(c.first, "C.UTF-8");
        EXPECT_EQ(run.strOut, c.second) << c.first[0] << " " << c.first[2];
    }
    ToolRun run = Tool({"pages", strFile, "0"}, "C.UTF-8");
    EXPECT_NE(run.strOut.find("caf\xE9"), std::string::npos);
    run = Tool({"word", strFile, "0"});
    EXPECT_EQ(run.strOut, "caf\xE9\n");
    run = Tool({"resolve", strFile, "CAF\xC9"});
    EXPECT_EQ(run.strOut, "0\tcaf\xE9\texact\n");
}

TEST(LexanoData, RelationsListsRelatedWordsByEntryAndKind) {
    const std::string strFile = SaveContent(RelationContent(), "relations.pdb");
    // The word's own opposite and its sense's similar sense, named as the list spells them.
    ToolRun run = Tool({"relations", strFile, "Big"});
    EXPECT_EQ(run.nStatus, 0);
    EXPECT_EQ(run.strOut,
              "5\tantonym\tsmall\n5\tsimilar\tbig\n7\tsimilar\tbig\n7\tsimilar\tlarge\n");
    run = Tool({"relations", strFile, "dog"});
    EXPECT_EQ(run.strOut, "1\thypernym\tanimal\n1\thypernym\tbeast\n1\thyponym\tpuppy\n");
    run = Tool({"relations", strFile, "Sunday"});  // a word without relations
    EXPECT_EQ(run.nStatus, 0);
    EXPECT_EQ(run.strOut, "");
    run = Tool({"lookup", strFile, "big"});
    EXPECT_EQ(run.strOut,
              "big\n\nAdj.\n  1. above average in size\n     Synonym: large.\n"
              "     Opposite: small\n     Similar: BIG\n  2. written in capitals\n"
              "     Similar: big, large\n");

    run = Tool({"relations", Sample(), "bank"});  // a file without relation records
    EXPECT_EQ(run.nStatus, 1);
    EXPECT_EQ(run.strErr.find("lexano-data: "), 0u);
    EXPECT_NE(run.strErr.find("holds no relations"), std::string::npos) << run.strErr;
    EXPECT_EQ(Tool({"relations", strFile}).nStatus, 2);
}
