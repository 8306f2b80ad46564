// Relation lines and the page of the rest; see RelationRows.h.
#include "render/RelationRows.h"

#include <algorithm>
#include <vector>

#include "dictdata/DictionaryFile.h"
#include "render/PageHtml.h"
#include "render/PageLinks.h"

namespace {

// The relations' own colour beside the synonyms' blue and the usage's brown.
const char kLabelStart[] = "<span style=\"background-color: #336633\"><font color=\"#FFFFFF\">";
const char kLabelEnd[] = "</font></span> ";
const char kWordsStart[] = "<font color=\"#336633\">";

// Appends the words [nBegin, nEnd) as links: ", " between words of one sense, "; " between
// senses.
void AppendWords(std::string& strOut, const std::vector<RelatedWord>& words, size_t nBegin,
                 size_t nEnd, const char* lpszSenseBreak) {
    for (size_t i = nBegin; i < nEnd; ++i) {
        if (i > nBegin) strOut += words[i].nEntry == words[i - 1].nEntry ? ", " : lpszSenseBreak;
        const RelatedWord& word = words[i];
        AppendLink(strOut, static_cast<uint32_t>(word.nPos), word.nEntry,
                   static_cast<uint32_t>(word.nKind), word.strText, word.strText);
    }
}

// Where the shown words of a kind end: after whole senses while they fit kShownRelatedWords,
// else after that many words of the first sense.
size_t ShownEnd(const std::vector<RelatedWord>& words, size_t nBegin, size_t nEnd) {
    if (nEnd - nBegin <= kShownRelatedWords) return nEnd;
    size_t nShown = nBegin;
    for (size_t i = nBegin + 1; i <= nBegin + kShownRelatedWords; ++i) {
        if (words[i].nEntry != words[i - 1].nEntry) nShown = i;
    }
    return nShown > nBegin ? nShown : nBegin + kShownRelatedWords;
}

// Appends the line of one kind: its label, its shown words and the link to the rest.
void AppendKindLine(std::string& strOut, const std::vector<RelatedWord>& words, size_t nBegin,
                    size_t nEnd, int nPos, uint32_t nEntry, const std::string& strHeadword) {
    const int nKind = words[nBegin].nKind;
    strOut += kLabelStart;
    strOut += RelationLabel(nKind);
    strOut += kLabelEnd;
    strOut += kWordsStart;
    const size_t nShownEnd = ShownEnd(words, nBegin, nEnd);
    AppendWords(strOut, words, nBegin, nShownEnd, "; ");
    if (nShownEnd < nEnd) {
        strOut += "; ";
        AppendLink(strOut, static_cast<uint32_t>(nPos), nEntry,
                   kLinkMoreBase + static_cast<uint32_t>(nKind), strHeadword,
                   std::to_string(nEnd - nShownEnd) + " more");
    }
    strOut += "</font>";
}

}  // namespace

const char* RelationLabel(int nKind) {
    static const char* const kLabels[26] = {
        "Opposite",   "Broader",      "Instance of",  "Narrower",    "Instances",
        "Member of",  "Substance of", "Part of",      "Members",     "Substances",
        "Parts",      "Attribute",    "Related forms", "Topic",      "Topic terms",
        "Region",     "Region terms", "Marked as",    "Marked terms", "Entails",
        "Causes",     "See also",     "Similar verbs", "Similar",    "Participle of",
        "Pertains to"};
    return nKind >= 1 && nKind <= 26 ? kLabels[nKind - 1] : "";
}

bool BuildRelationRows(DictionaryFile& dict, int nPos, uint32_t nEntry, std::string& strRows) {
    std::vector<RelatedWord> words;
    if (!dict.GetRelatedWords(nPos, nEntry, words) || words.empty()) return false;
    std::string strHeadword;
    dict.GetWord(nPos, strHeadword);
    // A row per kind, as the synonyms have theirs: rows keep even gaps where breaks in one
    // cell would not.
    for (size_t nBegin = 0; nBegin < words.size();) {
        size_t nEnd = nBegin + 1;
        while (nEnd < words.size() && words[nEnd].nKind == words[nBegin].nKind) ++nEnd;
        strRows += "<tr><td>";
        strRows += "<font size=\"1\">";
        AppendKindLine(strRows, words, nBegin, nEnd, nPos, nEntry, strHeadword);
        strRows += "</font>";
        strRows += "</td></tr>";
        nBegin = nEnd;
    }
    return true;
}

bool BuildRelationPage(DictionaryFile& dict, int nPos, uint32_t nEntry, int nKind,
                       std::string& strPage) {
    std::vector<RelatedWord> words;
    if (!dict.GetRelatedWords(nPos, nEntry, words)) return false;
    words.erase(std::remove_if(words.begin(), words.end(),
                               [nKind](const RelatedWord& word) { return word.nKind != nKind; }),
                words.end());
    if (words.empty()) return false;
    std::string strWord;
    std::string strSynonyms, strDefinition, strUsage;
    int nSynonymCount = 0;
    dict.GetWord(nPos, strWord);
    dict.ReadEntry(nPos, static_cast<int>(nEntry), strSynonyms, nSynonymCount, strDefinition,
                   strUsage);
    std::string strResult;
    StartPage(strResult, strWord);
    strResult += "<tr><td><font size=\"2\">";
    AppendText(strResult, strDefinition);
    strResult += "</font></td></tr>";
    strResult += "<tr><td><font size=\"1\">";
    strResult += kLabelStart;
    strResult += RelationLabel(nKind);
    strResult += kLabelEnd;
    strResult += "</font></td></tr>";
    // A row per sense the kind leads to.
    for (size_t nBegin = 0; nBegin < words.size();) {
        size_t nEnd = nBegin + 1;
        while (nEnd < words.size() && words[nEnd].nEntry == words[nBegin].nEntry) ++nEnd;
        strResult += "<tr><td><font size=\"2\">";
        strResult += kWordsStart;
        AppendWords(strResult, words, nBegin, nEnd, "; ");
        strResult += "</font></font></td></tr>";
        nBegin = nEnd;
    }
    strResult += "<tr><td>&nbsp;</td></tr>";
    AppendPageEnd(strResult);
    strPage.swap(strResult);
    return true;
}
