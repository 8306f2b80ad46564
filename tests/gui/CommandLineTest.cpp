// The command line and the request a start hands over to the open window.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/CommandLine.h"
#include "app/LookupRequest.h"

namespace {

CommandLine Parse(const std::vector<std::string>& args) {
    CommandLine cmd;
    ParseCommandLine(args, cmd);
    return cmd;
}

}  // namespace

TEST(CommandLine, WordsAreJoinedBySpacesAndDoubleDashEndsTheOptions) {
    CommandLine cmd = Parse({});
    EXPECT_EQ(CommandLine::Action::kRun, cmd.nAction);
    EXPECT_EQ(LookupRequest::Source::kNone, cmd.request.nSource);

    cmd = Parse({"ice", "cream", "caf\xC3\xA9"});
    EXPECT_EQ(LookupRequest::Source::kWords, cmd.request.nSource);
    EXPECT_EQ("ice cream caf\xC3\xA9", cmd.request.strText);

    cmd = Parse({"--", "-ish", "--help"});
    EXPECT_EQ(CommandLine::Action::kRun, cmd.nAction);
    EXPECT_EQ("-ish --help", cmd.request.strText);

    // A lone "-" and an empty argument are words.
    EXPECT_EQ("-", Parse({"-"}).request.strText);
    cmd = Parse({""});
    EXPECT_EQ(LookupRequest::Source::kWords, cmd.request.nSource);
    EXPECT_EQ("", cmd.request.strText);
}

TEST(CommandLine, UnknownOptionIsAnErrorNamingItWhateverElseIsGiven) {
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"--bogus"}, {"--help", "--bogus", "--worse"},
          {"word", "--bogus"}, {"--selection=1"}, {"-x"}}) {
        CommandLine cmd;
        EXPECT_FALSE(ParseCommandLine(args, cmd));
        EXPECT_EQ(CommandLine::Action::kUsageError, cmd.nAction);
        const std::string strBad = args.size() == 3 ? args[1] : args.back();
        EXPECT_EQ("unknown option '" + strBad + "'", cmd.strError);
    }
}

TEST(CommandLine, HelpWinsOverVersionAndVersionOverALookUp) {
    EXPECT_EQ(CommandLine::Action::kHelp, Parse({"word", "--help"}).nAction);
    EXPECT_EQ(CommandLine::Action::kHelp, Parse({"--version", "-h"}).nAction);
    EXPECT_EQ(CommandLine::Action::kVersion, Parse({"--version", "word"}).nAction);
    EXPECT_EQ(CommandLine::Action::kVersion, Parse({"--selection", "--version"}).nAction);
    EXPECT_NE(std::string::npos, CommandLineVersion().find(LEXANO_VERSION));
}

TEST(CommandLine, SelectionTakesNoWords) {
    EXPECT_EQ(LookupRequest::Source::kSelection, Parse({"--selection"}).request.nSource);
    EXPECT_EQ(LookupRequest::Source::kSelection, Parse({"--selection", "--"}).request.nSource);
    for (const std::vector<std::string>& args : {std::vector<std::string>{"--selection", "w"},
                                                 {"w", "--selection"}, {"--selection", ""}}) {
        CommandLine cmd;
        EXPECT_FALSE(ParseCommandLine(args, cmd));
        EXPECT_EQ("--selection takes no words", cmd.strError);
    }
}

TEST(LookupRequest, EveryRequestComesThroughTheHandOverAsItWasSent) {
    LookupRequest words;
    words.nSource = LookupRequest::Source::kWords;
    words.strText = "line\none\n\n caf\xC3\xA9 lexano-lookup 1\n";
    words.strStartupId = "launcher-42_TIME1234";
    LookupRequest selection;
    selection.nSource = LookupRequest::Source::kSelection;
    for (const LookupRequest& sent : {words, selection, LookupRequest()}) {
        LookupRequest got;
        got.strText = "stale";
        ASSERT_TRUE(DecodeLookupRequest(EncodeLookupRequest(sent), got));
        EXPECT_EQ(sent.nSource, got.nSource);
        EXPECT_EQ(sent.strText, got.strText);
        EXPECT_EQ(sent.strStartupId, got.strStartupId);
    }
    // A line break in the start-up id cannot shift the lines after it.
    words.strStartupId = "two\nlines";
    LookupRequest got;
    ASSERT_TRUE(DecodeLookupRequest(EncodeLookupRequest(words), got));
    EXPECT_EQ("twolines", got.strStartupId);
    EXPECT_EQ(words.strText, got.strText);
}

TEST(LookupRequest, AnythingElseIsRefusedAndLeavesTheRequestAlone) {
    const char szZeroInMagic[] = "lexano-lookup 1\0words\n\nx";
    const std::string strBad[] = {
        "",
        "lexano-lookup 2\nwords\n\nx",
        "lexano-lookup 1\nwords\n",  // no line for the start-up id
        "lexano-lookup 1\nwords",
        "lexano-lookup 1\nsentences\n\nx",
        "lexano-lookup 1\nselection\n\ntext for a selection",
        "lexano-lookup 1\nnone\n\nx",
        std::string(szZeroInMagic, sizeof szZeroInMagic - 1),
    };
    for (const std::string& strData : strBad) {
        LookupRequest request;
        request.strText = "kept";
        EXPECT_FALSE(DecodeLookupRequest(strData, request)) << strData;
        EXPECT_EQ(LookupRequest::Source::kNone, request.nSource);
        EXPECT_EQ("kept", request.strText);
    }
}

TEST(LookupRequest, WhiteSpaceRunsBecomeOneSpaceAndNoneIsLeftAtTheEnds) {
    EXPECT_EQ("ice cream", NormaliseLookupText("  ice \t\r\n cream \r\n"));
    EXPECT_EQ("a b c d", NormaliseLookupText("a\vb\fc\td"));
    EXPECT_EQ("", NormaliseLookupText(" \n\t "));
    EXPECT_EQ("", NormaliseLookupText(""));
    // 1252's no-break space and UTF-8 sequences are not white space here.
    EXPECT_EQ("\xA0word caf\xC3\xA9", NormaliseLookupText("\xA0word\n caf\xC3\xA9"));
}
