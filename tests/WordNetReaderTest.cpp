// The WordNet reader: gloss splitting, a hand-made database in WordNet's format read and round
// tripped through the engine, the faults it reports, lexano-data build, and a sample of real
// words checked against the installed WordNet 3.0 files.
#include <dirent.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <map>
#include <sstream>

#include "dictdata/DictionaryFile.h"
#include "dictdata/WordResolver.h"
#include "tests/TestFiles.h"
#include "tests/TestPlatform.h"
#include "tools/Verify.h"
#include "tools/WordNetReader.h"

namespace {

using Files = std::map<std::string, std::string>;

// Index files sort "_" in place, after "-"; data.adj marks adjective positions.
Files MiniWordNet() {
    return {
        {"data.noun",
         "00001740 17 n 01 bank 0 001 @ 00002000 n 0000 | sloping land (especially the slope "
         "beside water); \"they pulled the canoe up on the bank\"; \"he sat on the bank\"  \n"
         "00002000 10 n 02 A 0 a 0 000 | the 1st letter of the Roman alphabet  \n"
         "00003000 14 n 02 depository_financial_institution 0 bank 0 000 | a financial "
         "institution; \"he cashed a check at the bank\"  \n"
         "00003500 18 n 01 bank_clerk 0 000 | an employee of a bank  \n"
         "00003600 21 n 02 bank-note 0 banknote 0 000 | a promissory note  \n"},
        {"data.verb",
         "00004000 38 v 01 bank 0 001 @ 00004100 v 0000 01 + 01 00 | tip laterally; \"the pilot "
         "had to bank the aircraft\"  \n"
         "00004100 31 v 02 trust 0 bank 1 000 02 + 08 00 + 09 00 | have faith in; \"We can trust "
         "in God\"- Anonymous; \"Rely on your friends\"  \n"},
        {"data.adj",
         "00005000 00 a 02 galore(ip) 0 in_abundance(ip) 0 000 | in great numbers; \"apples "
         "galore\"  \n"
         "00005100 00 s 01 afloat(p) 0 001 & 00005000 a 0000 | borne on the water; floating  \n"
         "00005200 00 a 01 main(a) 0 000 | most important; \"the chief aim\"; \"main doors\"  \n"},
        {"data.adv", "00006000 02 r 01 well 0 000 | in a good manner (`good' is a variant); "
                     "\"the children behaved well\"  \n"},
        {"index.noun", "a n 1 0 1 0 00002000  \nbank n 2 1 @ 2 1 00001740 00003000  \n"
                       "bank-note n 1 0 1 0 00003600  \nbank_clerk n 1 0 1 0 00003500  \n"
                       "banknote n 1 0 1 0 00003600  \n"
                       "depository_financial_institution n 1 0 1 0 00003000  \n"},
        {"index.verb", "bank v 2 1 @ 2 0 00004000 00004100  \ntrust v 1 0 1 0 00004100  \n"},
        {"index.adj", "afloat a 1 1 & 1 0 00005100  \ngalore a 1 0 1 0 00005000  \n"
                      "in_abundance a 1 0 1 0 00005000  \nmain a 1 0 1 0 00005200  \n"},
        {"index.adv", "well r 1 0 1 0 00006000  \n"},
        {"noun.exc", "banks_clerk bank_clerk\nbanx bank\n"},
        {"verb.exc", "trusted trust bank\n"},
    };
}

// Writes the files into a fresh folder of the current test, each after two licence lines (so a
// file's first data line is its line 3), and returns the folder.
std::string WriteWordNet(const Files& files, const std::string& strName = "wordnet") {
    const std::string strDir = TestPath(strName);
    MakeDirectory(strDir);
    for (const char* lpszPos : {"noun", "verb", "adj", "adv"}) {
        for (const std::string& strFile : {"data." + std::string(lpszPos),
                                          "index." + std::string(lpszPos),
                                          std::string(lpszPos) + ".exc"}) {
            const std::string strPath = strDir + "/" + strFile;
            std::remove(strPath.c_str());
            const auto found = files.find(strFile);
            if (found == files.end()) continue;
            std::ofstream(strPath, std::ios::binary) << "  1 licence\n  2 text\n" << found->second;
        }
    }
    return strDir;
}

struct Sense {
    int nPartOfSpeech;
    std::string strSynonyms, strDefinition, strUsage;
};

// Looks strWord up as the window does and checks every sense that the engine decodes.
void ExpectWord(DictionaryFile& dict, const std::string& strWord, const std::vector<Sense>& senses) {
    SCOPED_TRACE(strWord);
    const int nPos = dict.FindWord(strWord);
    std::string strText;
    ASSERT_TRUE(dict.GetWord(nPos, strText));
    ASSERT_EQ(strWord, strText);
    std::vector<int32_t> numbers;
    ASSERT_TRUE(dict.GetEntryNumbers(nPos, numbers));
    ASSERT_EQ(senses.size(), numbers.size());
    for (size_t i = 0; i < numbers.size(); ++i) {
        Sense sense{-1, "", "", ""};
        int nSynonyms = 0;
        ASSERT_TRUE(dict.ReadEntry(nPos, numbers[i], sense.strSynonyms, nSynonyms,
                                   sense.strDefinition, sense.strUsage));
        dict.GetPartOfSpeech(numbers[i], sense.nPartOfSpeech);
        EXPECT_EQ(senses[i].nPartOfSpeech, sense.nPartOfSpeech) << "sense " << i;
        EXPECT_EQ(senses[i].strSynonyms, sense.strSynonyms) << "sense " << i;
        EXPECT_EQ(senses[i].strDefinition, sense.strDefinition) << "sense " << i;
        EXPECT_EQ(senses[i].strUsage, sense.strUsage) << "sense " << i;
    }
}

std::string ReadAll(const std::string& strPath) {
    std::ifstream file(strPath, std::ios::binary);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

// Runs lexano-data; returns its exit status and sets strErr to its standard error.
int RunTool(const std::string& strArgs, std::string& strErr) {
    const std::string strErrPath = TestPath("stderr.txt");
    const int nStatus = RunCommand(QuoteArgument(LEXANO_DATA_TOOL) + " " + strArgs + " >" +
                                   kNullDevice + " 2>" + QuoteArgument(strErrPath));
    strErr = ReadAll(strErrPath);
    return nStatus;
}

// Names in strPath's folder that begin with strPath's own name, sorted.
std::vector<std::string> FilesStartingWith(const std::string& strPath) {
    const size_t nSlash = strPath.rfind('/');
    const std::string strName = strPath.substr(nSlash + 1);
    std::vector<std::string> names;
    DIR* pDir = opendir(strPath.substr(0, nSlash).c_str());
    if (pDir == nullptr) return names;
    while (const dirent* pEntry = readdir(pDir)) {
        if (std::string(pEntry->d_name).compare(0, strName.size(), strName) == 0) {
            names.push_back(pEntry->d_name);
        }
    }
    closedir(pDir);
    std::sort(names.begin(), names.end());
    return names;
}

}  // namespace

TEST(WordNetReader, SplitsGlosses) {
    struct Case {
        const char* lpszGloss;
        const char* lpszDefinition;
        std::vector<std::string> examples;
    };
    const Case kCases[] = {
        {"a financial institution;  ", "a financial institution", {}},
        {"weak; not strong; \"felt weak\"; \"a weak excuse\"", "weak; not strong", {"felt weak", "a weak excuse"}},
        {"x; \"the bank is closed; come later\"", "x", {"the bank is closed; come later"}},
        {"as in \"carrot and stick\"; \"used the carrot\";", "as in \"carrot and stick\"", {"used the carrot"}},
        {"a report (e.g., \"he said `no'\")", "a report (e.g., \"he said `no'\")", {}},
        {"evil; \"evil men do; good\"- Shakespeare; \"It befell\" (Santayana)", "evil",
         {"evil men do; good - Shakespeare", "It befell (Santayana)"}},
        {"putting in place: \"he sent Smith\"", "putting in place", {"he sent Smith"}},
        {"(of a ball) \"a ball out of play\"", "(of a ball)", {"a ball out of play"}},
        {"limit, \"I limit you\", \"a\" or \"b\"; \"How?\" \"Why\"", "limit", {"I limit you", "a", "b", "How?", "Why"}},
        {"pad; \"scribbling block\" is British", "pad; \"scribbling block\" is British", {}},
        {"past; \"we met\"; \"lang syne\" is Scottish", "past; \"lang syne\" is Scottish", {"we met"}},
        {"shy; \"not bashful\"; (`blate' is Scottish)", "shy; (`blate' is Scottish)", {"not bashful"}},
        {"speak; \"Now listen,\" he began", "speak", {"Now listen, he began"}},
        {"tense; \"muscles tensed;\" \"rope strained\"", "tense", {"muscles tensed", "rope strained"}},
        // Unbalanced quotes lose no text.
        {"toed; \"long-toed; \"five-toed\"", "toed", {"long-toed", "five-toed"}},
        {"utter; \"drop a hint\"; drop names\"", "utter", {"drop a hint", "drop names"}},
        {"of the Greek; \"classical", "of the Greek", {"classical"}},
        {"a branch\" of it", "a branch\" of it", {}},
        {"\"only an example\"", "\"only an example\"", {}},
        {"; \"only an example\"", "; \"only an example\"", {}},
    };
    for (const Case& c : kCases) {
        std::string strDefinition = "old";
        std::vector<std::string> examples = {"old"};
        SplitGloss(c.lpszGloss, strDefinition, examples);
        EXPECT_EQ(c.lpszDefinition, strDefinition) << c.lpszGloss;
        EXPECT_EQ(c.examples, examples) << c.lpszGloss;
    }
}

TEST(WordNetReader, ReadsHandMadeDatabaseAndRoundTrips) {
    const std::string strDir = WriteWordNet(MiniWordNet());
    for (int nWordsPerBlock : {1, 3, 64}) {
        for (size_t nLimit : {size_t(150), size_t(16384)}) {
            SCOPED_TRACE(testing::Message() << nWordsPerBlock << " words, " << nLimit << " bytes");
            DataFileContent content;
            content.nWordsPerBlock = nWordsPerBlock;
            content.nEntryBlockLimit = nLimit;
            std::string strError, strReport;
            std::vector<std::string> warnings;
            ASSERT_TRUE(ReadWordNet(strDir + "/", content, strError, &warnings)) << strError;
            const std::vector<std::string> kWords = {
                "a", "afloat", "bank", "bank clerk", "bank-note", "banknote",
                "depository financial institution",
                "galore", "in abundance", "main", "trust", "well"};
            ASSERT_EQ(kWords.size(), content.words.size());
            for (size_t p = 0; p < kWords.size(); ++p) EXPECT_EQ(kWords[p], content.words[p].strText);
            // 5 noun, 2 verb, 3 adjective, 1 adverb synsets under the strict group rule.
            EXPECT_EQ((std::vector<uint32_t>{6, 2, 3, 1}),
                      std::vector<uint32_t>(content.entryCounts, content.entryCounts + 4));
            EXPECT_EQ(0, std::memcmp("NVav", content.posCodes, 4));
            // Letter case as stored, and no second line feed without examples.
            EXPECT_EQ("A|a\nthe 1st letter of the Roman alphabet",
                      content.entries[content.words[0].entries.at(0) - 1]);
            // Exception lists with spaces for "_", one pair per base; adj.exc and adv.exc are
            // missing and give none.
            using Pairs = std::vector<std::pair<std::string, std::string>>;
            EXPECT_EQ((Pairs{{"banks clerk", "bank clerk"}, {"banx", "bank"}}), content.exceptions[0]);
            EXPECT_EQ((Pairs{{"trusted", "trust"}, {"trusted", "bank"}}), content.exceptions[1]);
            EXPECT_TRUE(content.exceptions[2].empty() && content.exceptions[3].empty());
            ASSERT_EQ(2u, warnings.size());
            EXPECT_NE(std::string::npos, warnings[0].find("/adj.exc: ")) << warnings[0];
            EXPECT_NE(std::string::npos, warnings[1].find("/adv.exc: ")) << warnings[1];

            const std::string strPath = SaveContent(content, "mini.pdb");
            ASSERT_TRUE(VerifyDataFile(strPath.c_str(), strReport)) << strReport;
            DictionaryFile dict;
            ASSERT_TRUE(dict.Open(strPath.c_str()));
            EXPECT_EQ("LexanoData_WN", dict.GetDatabaseName());
            ExpectWord(dict, "bank",
                       {{3, "", "sloping land (especially the slope beside water)",
                         "they pulled the canoe up on the bank|he sat on the bank"},
                        {3, "depository financial institution.", "a financial institution",
                         "he cashed a check at the bank"},
                        {2, "", "tip laterally", "the pilot had to bank the aircraft"},
                        {2, "trust.", "have faith in", "We can trust in God - Anonymous|Rely on your friends"}});
            ExpectWord(dict, "a", {{3, "", "the 1st letter of the Roman alphabet", ""}});
            ExpectWord(dict, "afloat", {{1, "", "borne on the water; floating", ""}});
            ExpectWord(dict, "in abundance", {{1, "galore.", "in great numbers", "apples galore"}});
            ExpectWord(dict, "main", {{1, "", "most important", "the chief aim|main doors"}});
            ExpectWord(dict, "well", {{0, "", "in a good manner (`good' is a variant)",
                                       "the children behaved well"}});
            ExpectWord(dict, "bank-note", {{3, "banknote.", "a promissory note", ""}});
            int nPos = -1;
            Resolution how = Resolution::kExact;
            ASSERT_TRUE(ResolveWord(dict, "banks clerk", nPos, how));
            EXPECT_EQ(3, nPos);
            EXPECT_EQ(Resolution::kForm, how);
        }
    }
}

TEST(WordNetReader, ReportsFaultsByFileAndLine) {
    std::string strManyOffsets = "bank n 256 0 256 0", strManySynsets;
    for (int i = 10000; i < 10256; ++i) {
        strManySynsets += "000" + std::to_string(i) + " 03 n 01 bank 0 000 | sense\n";
        strManyOffsets += " " + std::to_string(i);
    }
    const std::string strLongLemma = std::string(256, 'x') + " n 1 0 1 0 00002000\n";
    const struct {
        const char* lpszFile;
        std::string strText;  // replaces the file; "-" removes it
        const char* lpszMessage;
    } kCases[] = {
        {"data.adv", "-", "cannot open "},
        {"index.noun", "bank n 2 1 @ 2 1 00001740\n", "index.noun line 3: fewer synset offsets"},
        {"index.noun", "a n 1 0 1 0 00002000 00001740\n", "index.noun line 3: more synset offsets"},
        {"index.noun", "a n 1 0 1 0 00002000\nbank n 1 0 1 0 9999\n", "index.noun line 4: synset offset 9999 is not in"},
        {"index.noun", "bank v 1 0 1 0 00001740\n", "index.noun line 3: part of speech v"},
        {"index.noun", "a n 1 0 1 0 00002000\na n 1 0 1 0 00002000\n", "line 4: lemma \"a\" listed twice"},
        {"index.noun", strLongLemma, "index.noun line 3: lemma longer than 255"},
        {"data.noun", "00002000 10 n 02 A 0 a 0 000 the letter\n", "data.noun line 3: expected \"|\""},
        {"data.noun", "00002000 10 n 03 A 0 a 0 000 | the letter\n", "data.noun line 3: fewer words"},
        {"data.noun", "00002000 10 v 01 A 0 000 | the letter\n", "data.noun line 3: synset type v"},
        {"data.noun", "00002000 10 n 01 A 0 000 | x\n00002000 10 n 01 a 0 000 | y\n", "line 4: synset offset 2000 appears twice"},
        {"data.verb", "00004000 38 v 01 bank 0 000 | tip\n", "data.verb line 3: expected the verb frame count"},
        {"data.adj", "00005000 00 a 01 galore 0 001 & 00005000 a | x\n", "data.adj line 3: fewer pointers"},
        {"index.noun", strManyOffsets, "index.noun line 3: \"bank\" has more than 255 senses"},
        {"verb.exc", "trusted trust\nlonely\n", "verb.exc line 4: expected an inflected form"},
        {"data.adv", "", "data.adv is empty"},  // nothing but the licence text
        {"index.verb", "", "index.verb is empty"},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.lpszMessage);
        Files files = MiniWordNet();
        files["data.noun"] += strManySynsets;
        if (c.strText == "-") files.erase(c.lpszFile);
        else files[c.lpszFile] = c.strText;
        DataFileContent content;
        std::string strError;
        EXPECT_FALSE(ReadWordNet(WriteWordNet(files), content, strError));
        EXPECT_NE(std::string::npos, strError.find(c.lpszMessage)) << strError;
        EXPECT_TRUE(content.words.empty() && content.entries.empty());
    }
    DataFileContent content;
    content.nEntryBlockLimit = 100;  // the first noun entry needs more
    std::string strError;
    EXPECT_FALSE(ReadWordNet(WriteWordNet(MiniWordNet()), content, strError));
    EXPECT_NE(std::string::npos, strError.find("data.noun line 3: entry of ")) << strError;
    // An exception list that is there but cannot be read is an error, not a missing list.
    const std::string strFolderList = WriteWordNet(MiniWordNet(), "unreadable");
    MakeDirectory(strFolderList + "/adj.exc");
    std::vector<std::string> warnings;
    EXPECT_FALSE(ReadWordNet(strFolderList, content, strError, &warnings));
    EXPECT_NE(std::string::npos, strError.find("/adj.exc: ")) << strError;
}

TEST(WordNetReader, BuildCommandWritesOnlySoundFiles) {
    const std::string strDir = WriteWordNet(MiniWordNet());
    const std::string strOut = TestPath("out.pdb"), strNew = TestPath("new.pdb");
    std::string strErr;
    ASSERT_EQ(0, RunTool("build --wordnet " + strDir + " -o " + strOut, strErr)) << strErr;
    // The folder lacks adj.exc and adv.exc: a warning each, and the file is built.
    const std::string strWarning = ": No such file or directory; the search will find only "
                                   "regular forms for this part of speech\n";
    EXPECT_EQ("lexano-data: warning: cannot open " + strDir + "/adj.exc" + strWarning +
                  "lexano-data: warning: cannot open " + strDir + "/adv.exc" + strWarning,
              strErr);
    const std::string strFirst = ReadAll(strOut);
    ASSERT_EQ(0, RunTool("build -o " + strOut + " --words-per-block 64 --wordnet " + strDir, strErr));
    EXPECT_EQ(strFirst, ReadAll(strOut)) << "the same input must give the same bytes";

    Files files = MiniWordNet();
    files["index.verb"] = "bank v 2 1 @ 2 0 00004000\n";
    const std::string strBad = WriteWordNet(files, "bad");
    EXPECT_EQ(1, RunTool("build --wordnet " + strBad + " -o " + strNew, strErr));
    EXPECT_EQ("lexano-data: " + strBad +
                  "/index.verb line 3: fewer synset offsets than the synset count\n", strErr);
    EXPECT_EQ(std::vector<std::string>{}, FilesStartingWith(strNew));

    // Faults of the output, named as the user gave it with the system's reason: a folder
    // holds its name, or its folder does not exist. Neither may leave a file behind.
    files = MiniWordNet();
    files["adj.exc"] = "mainer main\n";
    files["adv.exc"] = "weller well\n";
    const std::string strComplete = WriteWordNet(files, "complete");
    const std::string strFolder = TestPath("folder.pdb");
    MakeDirectory(strFolder);  // may be left from an earlier run
    EXPECT_EQ(1, RunTool("build --wordnet " + strComplete + " -o " + strFolder, strErr));
    const std::string strCannot = "lexano-data: cannot create " + strFolder + ": ";
    EXPECT_EQ(strCannot, strErr.substr(0, strCannot.size()));
    EXPECT_GT(strErr.size(), strCannot.size() + 1);
    EXPECT_EQ(1, std::count(strErr.begin(), strErr.end(), '\n')) << strErr;
    EXPECT_EQ(std::vector<std::string>{"folder.pdb"}, FilesStartingWith(strFolder));
    const std::string strNowhere = TestPath("no-such-folder") + "/out.pdb";
    EXPECT_EQ(1, RunTool("build --wordnet " + strComplete + " -o " + strNowhere, strErr));
    EXPECT_EQ("lexano-data: cannot create " + strNowhere + ": No such file or directory\n", strErr);
    for (const char* lpszArgs : {"", " --words-per-block 0 -o x", " -o"}) {
        EXPECT_EQ(2, RunTool("build --wordnet " + strDir + lpszArgs, strErr)) << lpszArgs;
    }
}

TEST(WordNetReader, BuildCommandTouchesNoNameButItsOutput) {
    const std::string strDir = WriteWordNet(MiniWordNet());
    const std::string strOut = TestPath("out.pdb");
    std::string strErr;
    ASSERT_EQ(0, RunTool("build --wordnet " + strDir + " -o " + strOut, strErr)) << strErr;
    const std::string strBuilt = ReadAll(strOut);

    // A file of the user's beside the output, whatever its name, stays as it is.
    std::ofstream(strOut + ".new", std::ios::binary) << "the user's own";
    ASSERT_EQ(0, RunTool("build --wordnet " + strDir + " -o " + strOut, strErr)) << strErr;
    EXPECT_EQ("the user's own", ReadAll(strOut + ".new"));
    EXPECT_EQ((std::vector<std::string>{"out.pdb", "out.pdb.new"}), FilesStartingWith(strOut));
#ifndef _WIN32
    // The replaced file keeps its permissions.
    ASSERT_EQ(0, chmod(strOut.c_str(), 0640));
    ASSERT_EQ(0, RunTool("build --wordnet " + strDir + " -o " + strOut, strErr)) << strErr;
    struct stat status;
    ASSERT_EQ(0, stat(strOut.c_str(), &status));
    EXPECT_EQ(0640u, status.st_mode & 07777u);

    // Builds to the same output at the same time each write a file of their own: all succeed,
    // and the output is one of them, whole.
    const std::string strFailures = TestPath("failures.txt");
    std::remove(strFailures.c_str());
    std::string strCommand = "for i in 1 2 3 4 5 6; do (" + QuoteArgument(LEXANO_DATA_TOOL) +
                             " build --wordnet " + QuoteArgument(strDir) + " -o " +
                             QuoteArgument(strOut) + " >/dev/null 2>&1 || echo \"status $?\" >>" +
                             QuoteArgument(strFailures) + ") & done; wait";
    for (int nRound = 0; nRound < 3; ++nRound) {
        ASSERT_EQ(0, RunCommand(strCommand));
        EXPECT_EQ("", ReadAll(strFailures));
        EXPECT_EQ(strBuilt, ReadAll(strOut));
        EXPECT_EQ((std::vector<std::string>{"out.pdb", "out.pdb.new"}), FilesStartingWith(strOut));
    }
#endif
}

namespace {

// What the engine should show for a data line of WordNet whose gloss is regular: a definition,
// then examples each in quotes, separated by "; ".
Sense SenseOfLine(const std::string& strLine, const std::string& strHeadword, int nPartOfSpeech) {
    std::istringstream fields(strLine);
    std::string strWord, strField;
    int nWords = 0;
    Sense sense{nPartOfSpeech, "", "", ""};
    fields >> strField >> strField >> strField >> std::hex >> nWords >> std::dec;
    for (int w = 0; w < nWords; ++w) {
        fields >> strWord >> strField;
        strWord = strWord.substr(0, strWord.find('('));  // position marker
        std::replace(strWord.begin(), strWord.end(), '_', ' ');
        std::string strLower = strWord;
        for (char& ch : strLower) ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
        if (strLower != strHeadword) sense.strSynonyms += (sense.strSynonyms.empty() ? "" : ", ") + strWord;
    }
    if (!sense.strSynonyms.empty()) sense.strSynonyms += ".";
    std::string strGloss = strLine.substr(strLine.find(" | ") + 3);
    strGloss.erase(strGloss.find_last_not_of(' ') + 1);
    const size_t nExamples = strGloss.find("; \"");
    sense.strDefinition = strGloss.substr(0, nExamples);
    if (nExamples != std::string::npos) {
        sense.strUsage = strGloss.substr(nExamples + 3, strGloss.size() - nExamples - 4);
        for (size_t at; (at = sense.strUsage.find("\"; \"")) != std::string::npos;) {
            sense.strUsage.replace(at, 4, "|");
        }
    }
    return sense;
}

}  // namespace

// Debian's wordnet-base read whole; sample words checked against the files themselves: their
// index lines give the senses in order, the data lines found at those byte offsets give the
// synonyms, definitions and examples.
TEST(WordNetRealData, SampleWordsMatchWordNetFiles) {
    const std::string strDir = "/usr/share/wordnet";
    if (access((strDir + "/index.noun").c_str(), R_OK) != 0) GTEST_SKIP() << "no wordnet-base";
    DataFileContent content;
    content.nEntryBlockLimit = 4096;
    std::string strError, strReport;
    ASSERT_TRUE(ReadWordNet(strDir, content, strError)) << strError;
    EXPECT_EQ(147306u, content.words.size());
    EXPECT_EQ(117659u, content.entries.size());
    EXPECT_EQ((std::vector<uint32_t>{82115 + 1, 13767, 18156, 3621}),
              std::vector<uint32_t>(content.entryCounts, content.entryCounts + 4));
    // Every sense of every word lists the word among its synonyms, for the engine to drop.
    size_t nMost = 0;
    for (const WriterWord& word : content.words) {
        nMost = std::max(nMost, word.entries.size());
        for (uint32_t nEntry : word.entries) {
            const std::string& strEntry = content.entries[nEntry - 1];
            std::string strLine = "|" + strEntry.substr(0, strEntry.find('\n')) + "|";
            for (char& ch : strLine) ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
            ASSERT_NE(std::string::npos, strLine.find("|" + word.strText + "|")) << word.strText;
        }
    }
    EXPECT_EQ(75u, nMost);  // "break"
    const std::string strPath = SaveContent(content, "wn.pdb");
    ASSERT_TRUE(VerifyDataFile(strPath.c_str(), strReport)) << strReport;
    DictionaryFile dict;
    ASSERT_TRUE(dict.Open(strPath.c_str()));
    // Words whose glosses are all regular, with adjective markers and satellites in "galore".
    std::map<std::string, std::vector<Sense>> words;
    for (const char* lpszWord : {"bank", "break", "run", "cut", "play", "a", "earth", "new york", "good", "galore"}) {
        words[lpszWord];
    }
    const char* const kFiles[4] = {"noun", "verb", "adj", "adv"};
    for (int p = 0; p < 4; ++p) {
        std::ifstream index(strDir + "/index." + kFiles[p]);
        std::ifstream data(strDir + "/data." + kFiles[p], std::ios::binary);
        std::string strLine, strLemma, strField;
        while (std::getline(index, strLine)) {
            std::istringstream fields(strLine);
            fields >> strLemma;
            std::replace(strLemma.begin(), strLemma.end(), '_', ' ');
            const auto found = words.find(strLemma);
            if (found == words.end()) continue;
            int nSynsets = 0, nPointers = 0;
            fields >> strField >> nSynsets >> nPointers;
            for (int i = 0; i < nPointers + 2; ++i) fields >> strField;
            for (int s = 0; s < nSynsets; ++s) {
                long nOffset = 0;
                fields >> nOffset;
                data.seekg(nOffset);
                std::getline(data, strLine);
                ASSERT_EQ(nOffset, std::atol(strLine.c_str()));
                found->second.push_back(SenseOfLine(strLine, strLemma, 3 - p));
            }
        }
    }
    for (const auto& word : words) ExpectWord(dict, word.first, word.second);
}

// cntlist.rev: sense tag counts summed per word and per synset, through the index's sense
// numbers; keys that name no sense are left out, malformed lines named.
TEST(WordNetReader, SumsSenseTagCountsPerWordAndPerSynset) {
    const std::string strDir = WriteWordNet(MiniWordNet(), "counted");
    const std::string strCounts = strDir + "/cntlist.rev";
    std::ofstream(strCounts, std::ios::binary)
        << "bank%1:17:01:: 1 10\nbank%1:14:00:: 2 5\nbank%2:38:00:: 1 2\n"
           "depository_financial_institution%1:14:00:: 1 3\nafloat%5:00:00:galore:00 1 4\n"
           "nosuchword%1:00:00:: 1 7\nbank%1:17:01:: 9 1\n";
    DataFileContent content;
    std::string strError;
    ASSERT_TRUE(ReadWordNet(strDir, content, strError)) << strError;
    auto word = [&](const std::string& strText) -> const WriterWord& {
        return *std::find_if(content.words.begin(), content.words.end(),
                             [&](const WriterWord& w) { return w.strText == strText; });
    };
    auto position = [&](const std::string& strText) { return &word(strText) - content.words.data(); };
    ASSERT_EQ(content.wordFrequencies.size(), content.words.size());
    EXPECT_EQ(content.wordFrequencies[position("bank")], 17u);
    EXPECT_EQ(content.wordFrequencies[position("depository financial institution")], 3u);
    EXPECT_EQ(content.wordFrequencies[position("afloat")], 4u);
    EXPECT_EQ(content.wordFrequencies[position("trust")], 0u);
    const std::vector<uint32_t>& bank = word("bank").entries;
    EXPECT_EQ(content.entryFrequencies[bank[0] - 1], 10u);
    EXPECT_EQ(content.entryFrequencies[bank[1] - 1], 8u);  // shared with its synonym
    EXPECT_EQ(content.entryFrequencies[bank[2] - 1], 2u);
    EXPECT_EQ(content.entryFrequencies[bank[3] - 1], 0u);
    EXPECT_EQ(content.entryFrequencies[word("afloat").entries[0] - 1], 4u);

    for (const char* lpszBad : {"bank%9:17:01:: 1 10\n", "bank%1:17:01:: x 10\n", "bank 1 10\n",
                                "bank%1:17:01:: 1\n", "bank%1:17:01:: 0 3\n"}) {
        std::ofstream(strCounts, std::ios::binary) << "bank%1:17:01:: 1 10\n" << lpszBad;
        DataFileContent failed;
        EXPECT_FALSE(ReadWordNet(strDir, failed, strError)) << lpszBad;
        EXPECT_NE(strError.find("cntlist.rev line 2: "), std::string::npos) << strError;
    }
}
