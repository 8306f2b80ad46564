#include "dictdata/WordResolver.h"

#include <vector>

#include "dictdata/Ansi.h"
#include "dictdata/ExceptionList.h"
#include "dictdata/Morphology.h"

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

// The word itself, or a base form of it; sets nPos and how (kExact or kForm).
bool FindWordOrForm(DictionaryFile& dict, const std::string& strText, int& nPos,
                    Resolution& how) {
    if (dict.FindExactWord(strText, nPos)) {
        how = Resolution::kExact;
        return true;
    }
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
    how = Resolution::kForm;
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

}  // namespace

bool ResolveWord(DictionaryFile& dict, const std::string& strLowerText, int& nPos,
                 Resolution& how) {
    if (!dict.IsOpen()) return false;
    if (FindWordOrForm(dict, strLowerText, nPos, how)) return true;
    const std::string strFolded = AnsiFoldAccents(strLowerText);
    if (strFolded != strLowerText && FindWordOrForm(dict, strFolded, nPos, how)) {
        how = Resolution::kFolded;
        return true;
    }
    const int nFloor = dict.FindWord(strLowerText);
    if (FindPrefix(dict, strLowerText, nFloor, nPos) ||
        (strFolded != strLowerText &&
         FindPrefix(dict, strFolded, dict.FindWord(strFolded), nPos))) {
        how = Resolution::kPrefix;
        return true;
    }
    nPos = nFloor;
    how = Resolution::kNearest;
    return true;
}

const char* ResolutionName(Resolution how) {
    switch (how) {
        case Resolution::kExact: return "exact";
        case Resolution::kForm: return "form";
        case Resolution::kFolded: return "folded";
        case Resolution::kPrefix: return "prefix";
        case Resolution::kNearest: return "nearest";
    }
    return "";
}
