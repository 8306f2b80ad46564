// Glosses of WordNet data lines: the definition and the quoted examples, and the entry text
// built from a synset.
#include <algorithm>
#include <cstring>

#include "tools/WordNetReader.h"
#include "tools/WordNetText.h"

namespace {

// Index of the nearest non-blank character before nPos, or npos.
size_t PrevNonBlank(const std::string& s, size_t nPos) {
    while (nPos > 0) {
        --nPos;
        if (!IsBlank(s[nPos])) return nPos;
    }
    return std::string::npos;
}

size_t SkipBlanks(const std::string& s, size_t nPos) {
    while (nPos < s.size() && IsBlank(s[nPos])) ++nPos;
    return nPos;
}

// A quote that opens a quotation is directly followed by its text; a closing one by a blank, a
// separator or the end. Glosses with unbalanced quotes make counting useless, this does not.
bool IsOpeningQuote(const std::string& s, size_t nPos) {
    return nPos + 1 < s.size() && std::strchr(" \t;,:.", s[nPos + 1]) == nullptr;
}

// Where the examples begin: the first quote outside parentheses and outside an earlier
// quotation that follows ";", ":", "," or ")". npos when the gloss has no examples. Quotes inside
// parentheses belong to the definition ("(e.g., \"he said ...\")").
size_t FindExamplesStart(const std::string& strGloss) {
    int nDepth = 0;
    bool bInQuote = false;
    for (size_t i = 0; i < strGloss.size(); ++i) {
        const char ch = strGloss[i];
        if (bInQuote) {
            if (ch == '"') bInQuote = false;
        } else if (ch == '(') {
            ++nDepth;
        } else if (ch == ')') {
            if (nDepth > 0) --nDepth;
        } else if (ch == '"') {
            const size_t nPrev = PrevNonBlank(strGloss, i);
            if (nDepth == 0 && nPrev != std::string::npos &&
                std::strchr(";:,)", strGloss[nPrev]) != nullptr) {
                return i;
            }
            bInQuote = true;
        }
    }
    return std::string::npos;
}

// End of the separator that follows the closing quote at nQuote when an opening quote comes
// next: blanks with at most one of ";,:." and an optional "or" ("\"a\", \"b\"", "\"a\" or
// \"b\"", "\"a?\" \"b\""). npos when no quotation follows that way.
size_t QuoteSeparatorEnd(const std::string& s, size_t nQuote) {
    size_t k = SkipBlanks(s, nQuote + 1);
    if (k < s.size() && std::strchr(";,:.", s[k]) != nullptr) k = SkipBlanks(s, k + 1);
    if (s.compare(k, 2, "or") == 0 && k + 2 < s.size() && IsBlank(s[k + 2])) {
        k = SkipBlanks(s, k + 2);
    }
    if (k == nQuote + 1 || k >= s.size() || s[k] != '"' || !IsOpeningQuote(s, k)) {
        return std::string::npos;
    }
    return k;
}

// Cuts the examples part into its pieces, each with its own quotes and attribution.
std::vector<std::string> CutExamples(const std::string& strPart) {
    std::vector<std::string> pieces;
    size_t nStart = 0;
    size_t i = 0;
    auto Cut = [&](size_t nEnd, size_t nNext) {
        pieces.push_back(strPart.substr(nStart, nEnd - nStart));
        nStart = i = nNext;
    };
    while (i < strPart.size()) {
        const char ch = strPart[i];
        if (ch == '"' && i > nStart) {
            const size_t nNext = QuoteSeparatorEnd(strPart, i);
            if (nNext != std::string::npos) {
                Cut(i + 1, nNext);
                continue;
            }
            const size_t k = SkipBlanks(strPart, i + 1);
            if (k < strPart.size() && strPart[k] == ';') {  // "...\"; next" with no quote after
                Cut(i + 1, SkipBlanks(strPart, k + 1));
                continue;
            }
        } else if (ch == ';') {
            const size_t k = SkipBlanks(strPart, i + 1);
            if (k < strPart.size() && strPart[k] == '"' && IsOpeningQuote(strPart, k)) {
                Cut(i, k);
                continue;
            }
        }
        ++i;
    }
    pieces.push_back(strPart.substr(nStart));
    return pieces;
}

bool IsLowerAscii(char ch) { return ch >= 'a' && ch <= 'z'; }

void AppendNote(std::string& strDefinition, const std::string& strNote) {
    if (!strDefinition.empty()) strDefinition += "; ";
    strDefinition += strNote;
}

}  // namespace

void SplitGloss(const std::string& strGloss, std::string& strDefinition,
                std::vector<std::string>& examples) {
    const std::string strText = Trim(strGloss);
    const size_t nStart = FindExamplesStart(strText);
    std::string strDef;
    std::vector<std::string> found;
    if (nStart == std::string::npos) {
        strDef = TrimRight(strText, " \t;");
    } else {
        strDef = TrimRight(strText.substr(0, nStart), " \t;:,");
        for (const std::string& strRaw : CutExamples(strText.substr(nStart))) {
            const std::string strPiece = Trim(strRaw);
            if (strPiece.empty()) continue;
            if (strPiece.find('"') == std::string::npos) {
                AppendNote(strDef, strPiece);
                continue;
            }
            const std::string strBody = strPiece[0] == '"' ? strPiece.substr(1) : strPiece;
            const size_t nClose = strBody.rfind('"');
            if (nClose == std::string::npos) {  // never closed: the rest is the example
                const std::string strExample = Trim(strBody);
                if (!strExample.empty()) found.push_back(strExample);
                continue;
            }
            const std::string strContent = Trim(TrimRight(strBody.substr(0, nClose), " \t;"));
            const std::string strTail = Trim(strBody.substr(nClose + 1));
            if (strTail.empty()) {
                if (!strContent.empty()) found.push_back(strContent);
            } else if (IsLowerAscii(strTail[0]) && !strContent.empty() &&
                       std::strchr(",.?!", strContent.back()) == nullptr) {
                // A quoted phrase that a sentence goes on from: "\"x\" is a British term".
                AppendNote(strDef, strPiece);
            } else {
                // An attribution ("- Shakespeare", "(Santayana)") or the speaker of a quoted
                // speech ("\"Now listen, friends,\" he began") stays with its example.
                found.push_back(strContent + (strTail[0] == ')' ? "" : " ") + strTail);
            }
        }
    }
    if (strDef.empty() && !found.empty()) {
        // An empty definition would make the reader take the examples for the definition.
        strDef = strText;
        found.clear();
    }
    strDefinition = strDef;
    examples = found;
}

std::string DisplayWord(const std::string& strWord) {
    std::string strText = strWord;
    for (const char* lpszMarker : {"(a)", "(p)", "(ip)"}) {
        const size_t nLen = std::strlen(lpszMarker);
        if (strText.size() > nLen && strText.compare(strText.size() - nLen, nLen, lpszMarker) == 0) {
            strText.resize(strText.size() - nLen);
            break;
        }
    }
    std::replace(strText.begin(), strText.end(), '_', ' ');
    return strText;
}

std::string EntryText(const WordNetSynset& synset) {
    std::string strText;
    for (size_t i = 0; i < synset.words.size(); ++i) {
        if (i > 0) strText += '|';
        strText += DisplayWord(synset.words[i]);
    }
    std::string strDefinition;
    std::vector<std::string> examples;
    SplitGloss(synset.strGloss, strDefinition, examples);
    strText += '\n';
    strText += strDefinition;
    for (size_t i = 0; i < examples.size(); ++i) {
        strText += i == 0 ? '\n' : '|';
        strText += examples[i];
    }
    return strText;
}
