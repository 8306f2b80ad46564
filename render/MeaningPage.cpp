// The page of a search in the meanings: the entries whose definition or examples hold every
// word of a text, best first.
#include <vector>

#include "dictdata/Ansi.h"
#include "dictdata/EntryText.h"
#include "dictdata/MeaningIndex.h"
#include "dictdata/MeaningWords.h"
#include "render/PageHtml.h"
#include "render/PageLinks.h"
#include "render/SearchPages.h"

namespace {

void AppendPageStart(std::string& strPage, const std::string& strText) {
    strPage = "<html><head></head><body><font face=\"Arial\">";
    strPage += "<table border=\"0\" width=\"100%\" cellpadding=\"2\" cellspacing=\"1\">";
    strPage += "<tr><td><font size=\"4\">Meanings with \x93";
    AppendText(strPage, strText);
    strPage += "\x94</font></td></tr>";
}

// A row of grey text in the small size.
void AppendNote(std::string& strPage, const std::string& strNote) {
    strPage += "<tr><td><font size=\"2\" color=\"#808080\">";
    AppendText(strPage, strNote);
    strPage += "</font></td></tr>";
}

// The end of a result page, which has no footer.
void AppendResultPageEnd(std::string& strPage) {
    strPage += "</table></font></body></html>";
}

// One match: its words as links where the list holds them, its part of speech, its definition.
void AppendMatch(DictionaryFile& dict, const MeaningMatch& match, std::string& strPage) {
    std::string strText, strSynonyms, strDefinition;
    dict.ReadEntryText(match.nEntry, strText);  // a damaged entry shows without words
    std::string strUsage;
    SplitEntryText(strText, strSynonyms, strDefinition, strUsage);
    strPage += "<tr><td><font size=\"2\">";
    size_t nStart = 0;
    for (int nWord = 0; nStart < strSynonyms.size(); ++nWord) {
        size_t nEnd = strSynonyms.find('|', nStart);
        if (nEnd == std::string::npos) nEnd = strSynonyms.size();
        const std::string strWord = strSynonyms.substr(nStart, nEnd - nStart);
        nStart = nEnd + 1;
        if (nWord > 0) strPage += ", ";
        int nPos = 0;
        if (dict.FindExactWord(AnsiLowerCopy(strWord), nPos)) {
            AppendLink(strPage, nPos, match.nEntry, kLinkWord, strWord, strWord);
        } else {
            AppendText(strPage, strWord);
        }
    }
    int nPart = -1;
    dict.GetPartOfSpeech(static_cast<uint32_t>(match.nEntry), nPart);
    const std::string strPart = DictionaryFile::PartOfSpeechName(static_cast<uint32_t>(nPart));
    if (!strPart.empty()) strPage += " <font color=\"#808080\">" + strPart + "</font>";
    strPage += " <font color=\"#003399\">";
    AppendText(strPage, strDefinition);
    strPage += "</font></font></td></tr>";
}

}  // namespace

bool BuildMeaningPage(DictionaryFile& dict, const std::string& strText, std::string& strPage) {
    if (!dict.IsOpen()) return false;
    std::string strOut;
    AppendPageStart(strOut, strText);
    std::vector<MeaningMatch> matches;
    std::vector<std::string> words;
    SplitMeaningWords(strText, words);
    if (dict.GetMeaningIndex() == nullptr) {
        AppendNote(strOut, "This dictionary file has no index of the meanings, so they cannot be "
                           "searched.");
    } else if (words.empty()) {
        AppendNote(strOut, "The text has no words to search for.");
    } else if (!dict.SearchMeanings(strText, matches)) {
        AppendNote(strOut, "The index of the meanings in this dictionary file is damaged.");
    } else if (matches.empty()) {
        AppendNote(strOut, "No definition or usage example holds every word of the text.");
    } else {
        const std::string strCount = std::to_string(matches.size());
        AppendNote(strOut, matches.size() == 1 ? "1 entry" : strCount + " entries, the best first");
        strOut += "<tr><td><hr></td></tr>";
        for (size_t i = 0; i < matches.size() && i < kMeaningPageMatches; ++i) {
            AppendMatch(dict, matches[i], strOut);
        }
        if (matches.size() > kMeaningPageMatches) {
            AppendNote(strOut, "\x85 and " + std::to_string(matches.size() - kMeaningPageMatches) +
                                   " more.");
        }
    }
    AppendResultPageEnd(strOut);
    strPage.swap(strOut);
    return true;
}
