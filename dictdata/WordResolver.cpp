#include "dictdata/WordResolver.h"

#include <vector>

#include "dictdata/Ansi.h"
#include "dictdata/ExceptionList.h"
#include "dictdata/Morphology.h"
#include "dictdata/SearchText.h"

namespace {

// True when the word at nPos has an entry of nPart (any entry when nPart is -1).
bool HasEntryOf(DictionaryFile& dict, int nPos, int nPart) {
    std::vector<int32_t> numbers;
    if (!dict.GetEntryNumbers(nPos, numbers)) return false;
    for (int32_t nEntry : numbers) {
        int nEntryPart = -1;
        dict.GetPartOfSpeech(static_cast<uint32_t>(nEntry), nEntryPart);
        if (nPart < 0 || nEntryPart == nPart) return true;
    }
    return false;
}

// A base form of strText; sets nPos to it.
bool FindForm(DictionaryFile& dict, const std::string& strText, int& nPos) {
    const ExceptionLists* pLists = dict.GetExceptionLists();
    static const ExceptionLists kNoLists;
    int nBase = -1;
    auto isBase = [&](const std::string& strCandidate, int nPart) {
        int nFound = -1;
        if (!dict.FindExactWord(strCandidate, nFound) || !HasEntryOf(dict, nFound, nPart)) {
            return false;
        }
        nBase = nFound;
        return true;
    };
    std::string strBase;
    if (!FindBaseForm(pLists ? *pLists : kNoLists, strText, isBase, strBase)) return false;
    nPos = nBase;
    return true;
}

// The first word that starts with strText, given nFloor, FindWord's answer for it.
bool FindPrefix(DictionaryFile& dict, const std::string& strText, int nFloor, int& nPos) {
    std::string strWord;
    if (!dict.GetWord(nFloor, strWord)) return false;
    // The floor word sorts below the text unless the text sorts before every word.
    int nFirst = strWord < strText ? nFloor + 1 : nFloor;
    if (nFirst != nFloor && !dict.GetWord(nFirst, strWord)) return false;
    if (strWord.compare(0, strText.size(), strText) != 0) return false;
    nPos = nFirst;
    return true;
}

// The steps exact, form, folded, prefix and, when bLast, spelling and nearest, for strText.
// False, nPos and how untouched, when none of the steps taken lands.
bool ResolveSteps(DictionaryFile& dict, const std::string& strText, bool bLast, int& nPos,
                  Resolution& how) {
    bool bExact = false;
    const int nFloor = dict.FindWordNear(strText, bExact);
    Resolution result = Resolution::kExact;
    int nFound = nFloor;
    const std::string strFolded = AnsiFoldAccents(strText);
    const bool bFolds = strFolded != strText;
    std::vector<SpellingMatch> spellings;
    if (bExact) {
        result = Resolution::kExact;
    } else if (FindForm(dict, strText, nFound)) {
        result = Resolution::kForm;
    } else if (bFolds && (dict.FindExactWord(strFolded, nFound) ||
                          FindForm(dict, strFolded, nFound))) {
        result = Resolution::kFolded;
    } else if (FindPrefix(dict, strText, nFloor, nFound) ||
               (bFolds && FindPrefix(dict, strFolded, dict.FindWord(strFolded), nFound))) {
        result = Resolution::kPrefix;
    } else if (!bLast) {
        return false;
    } else if (SuggestSpellings(dict, strText, 1, spellings) && !spellings.empty()) {
        nFound = spellings.front().nPos;
        result = Resolution::kSpelling;
    } else {
        nFound = nFloor;
        result = Resolution::kNearest;
    }
    nPos = nFound;
    how = result;
    return true;
}

}  // namespace

bool ResolveWord(DictionaryFile& dict, const std::string& strLowerText, int& nPos,
                 Resolution& how) {
    if (!dict.IsOpen()) return false;
    // Words may begin or end with punctuation ('tween, a.d., .22): the text with its marks goes
    // first, and only when it lands nowhere do the marks at its end, then at its start, go.
    const std::vector<std::string> texts = SearchTextsFor(strLowerText);
    for (size_t i = 0; i + 1 < texts.size(); ++i) {
        if (ResolveSteps(dict, texts[i], false, nPos, how)) return true;
    }
    ResolveSteps(dict, texts.back(), true, nPos, how);
    return true;
}

bool SuggestSpellings(DictionaryFile& dict, const std::string& strLowerText, size_t nMax,
                      std::vector<SpellingMatch>& matches) {
    std::vector<SpellingMatch> found;
    if (!dict.FindSpellings(strLowerText, nMax, found)) return false;
    const std::string strFolded = AnsiFoldAccents(strLowerText);
    if (found.empty() && strFolded != strLowerText && !dict.FindSpellings(strFolded, nMax, found)) {
        return false;
    }
    matches.swap(found);
    return true;
}

const char* ResolutionName(Resolution how) {
    switch (how) {
        case Resolution::kExact: return "exact";
        case Resolution::kForm: return "form";
        case Resolution::kFolded: return "folded";
        case Resolution::kPrefix: return "prefix";
        case Resolution::kSpelling: return "spelling";
        case Resolution::kNearest: return "nearest";
    }
    return "";
}
