// WordNet's morphology over the engine's exception lists; see Morphology.h.
#include "dictdata/Morphology.h"

#include <algorithm>

namespace {

struct Detachment {
    const char* lpszSuffix;
    const char* lpszEnding;
};

const Detachment kNounRules[] = {{"s", ""},      {"ses", "s"},   {"xes", "x"}, {"zes", "z"},
                                 {"ches", "ch"}, {"shes", "sh"}, {"men", "man"}, {"ies", "y"}};
const Detachment kVerbRules[] = {{"s", ""},  {"ies", "y"}, {"es", "e"},  {"es", ""},
                                 {"ed", "e"}, {"ed", ""},  {"ing", "e"}, {"ing", ""}};
const Detachment kAdjectiveRules[] = {{"er", ""}, {"est", ""}, {"er", "e"}, {"est", "e"}};

// Words after which a verb collocation goes on with its object: "ask for it", "give up".
const char* const kPrepositions[] = {
    "about", "above", "across", "after", "against", "along", "among", "around", "as",
    "at", "away", "back", "before", "behind", "below", "beneath", "beside", "between",
    "beyond", "by", "down", "for", "from", "in", "into", "like", "of", "off", "on", "onto",
    "out", "over", "past", "round", "through", "to", "toward", "towards", "under", "up",
    "upon", "with", "within", "without"};

constexpr int kNoun = 3;
constexpr int kVerb = 2;

bool EndsWith(const std::string& strText, const std::string& strSuffix) {
    return strText.size() >= strSuffix.size() &&
           strText.compare(strText.size() - strSuffix.size(), strSuffix.size(), strSuffix) == 0;
}

void AddCandidate(std::vector<std::string>& bases, const std::string& strBase) {
    if (!strBase.empty() && std::find(bases.begin(), bases.end(), strBase) == bases.end()) {
        bases.push_back(strBase);
    }
}

// Bases of one word for a part of speech: its exceptions, or when it has none, its rules.
void WordBases(const ExceptionLists& lists, int nPart, const std::string& strWord,
               std::vector<std::string>& bases) {
    std::vector<std::string> found;
    lists.lists[nPart].FindBases(strWord, found);
    if (found.empty()) DetachEndings(nPart, strWord, found);
    for (const std::string& strBase : found) AddCandidate(bases, strBase);
}

// Splits a collocation at blanks and hyphens; words and delimiters alternate, starting and
// ending with a word (possibly empty).
void SplitWords(const std::string& strText, std::vector<std::string>& words,
                std::string& strDelimiters) {
    words.assign(1, std::string());
    for (char ch : strText) {
        if (ch == ' ' || ch == '-') {
            strDelimiters += ch;
            words.emplace_back();
        } else {
            words.back() += ch;
        }
    }
}

std::string JoinWords(const std::vector<std::string>& words, const std::string& strDelimiters) {
    std::string strText = words[0];
    for (size_t i = 1; i < words.size(); ++i) {
        strText += strDelimiters[i - 1];
        strText += words[i];
    }
    return strText;
}

bool IsPreposition(const std::string& strWord) {
    for (const char* lpszPreposition : kPrepositions) {
        if (strWord == lpszPreposition) return true;
    }
    return false;
}

// Tries the combinations of the words' options, the first option of every word first, and
// gives the first combination other than the text that fnIsBase accepts for nPart. At most
// kMaxCombinations are tried.
bool FirstAcceptedCombination(const std::vector<std::vector<std::string>>& options,
                              const std::string& strDelimiters, const std::string& strText,
                              int nPart, const BaseFormTest& fnIsBase, std::string& strBase) {
    constexpr int kMaxCombinations = 32;
    std::vector<size_t> choice(options.size(), 0);
    std::vector<std::string> words(options.size());
    for (int nTried = 0; nTried < kMaxCombinations; ++nTried) {
        for (size_t i = 0; i < options.size(); ++i) words[i] = options[i][choice[i]];
        const std::string strCandidate = JoinWords(words, strDelimiters);
        if (strCandidate != strText && fnIsBase(strCandidate, nPart)) {
            strBase = strCandidate;
            return true;
        }
        // Next combination, the last word changing fastest.
        size_t i = options.size();
        while (i > 0 && ++choice[i - 1] == options[i - 1].size()) choice[--i] = 0;
        if (i == 0) return false;
    }
    return false;
}

// A collocation for nPart. In a verb phrase with a preposition the first word may take its
// verb bases and the last its noun bases; otherwise every word may take its bases that are
// words of the dictionary. Each word may also stay as it is.
bool CollocationBase(const ExceptionLists& lists, int nPart, const std::string& strText,
                     const BaseFormTest& fnIsBase, std::string& strBase) {
    std::vector<std::string> words;
    std::string strDelimiters;
    SplitWords(strText, words, strDelimiters);
    std::vector<std::vector<std::string>> options(words.size());
    const bool bVerbPhrase = nPart == kVerb && words.size() > 1 &&
                             std::any_of(words.begin() + 1, words.end(), IsPreposition);
    for (size_t i = 0; i < words.size(); ++i) {
        std::vector<std::string> bases;
        if (!bVerbPhrase) {
            WordBases(lists, nPart, words[i], bases);
        } else if (i == 0) {
            WordBases(lists, kVerb, words[i], bases);
        } else if (i + 1 == words.size()) {
            WordBases(lists, kNoun, words[i], bases);
        }
        for (const std::string& strCandidate : bases) {
            if (bVerbPhrase || fnIsBase(strCandidate, -1)) options[i].push_back(strCandidate);
        }
        options[i].push_back(words[i]);
    }
    return FirstAcceptedCombination(options, strDelimiters, strText, nPart, fnIsBase, strBase);
}

// A single word for nPart: its rules of detachment, and for a noun ending in "ful" the bases
// of what precedes it with "ful" put back ("boxesful" -> "boxful").
bool SingleWordBase(const ExceptionLists& lists, int nPart, const std::string& strText,
                    const BaseFormTest& fnIsBase, std::string& strBase) {
    std::vector<std::string> bases;
    DetachEndings(nPart, strText, bases);
    if (nPart == kNoun && EndsWith(strText, "ful")) {
        std::vector<std::string> stems;
        WordBases(lists, kNoun, strText.substr(0, strText.size() - 3), stems);
        for (const std::string& strStem : stems) AddCandidate(bases, strStem + "ful");
    }
    for (const std::string& strCandidate : bases) {
        if (strCandidate != strText && fnIsBase(strCandidate, nPart)) {
            strBase = strCandidate;
            return true;
        }
    }
    return false;
}

}  // namespace

void DetachEndings(int nPartOfSpeech, const std::string& strWord, std::vector<std::string>& bases) {
    const Detachment* pRules = nullptr;
    size_t nRules = 0;
    switch (nPartOfSpeech) {
        case 3: pRules = kNounRules; nRules = sizeof kNounRules / sizeof *kNounRules; break;
        case 2: pRules = kVerbRules; nRules = sizeof kVerbRules / sizeof *kVerbRules; break;
        case 1: pRules = kAdjectiveRules; nRules = sizeof kAdjectiveRules / sizeof *kAdjectiveRules; break;
        default: return;
    }
    for (size_t r = 0; r < nRules; ++r) {
        const std::string strSuffix = pRules[r].lpszSuffix;
        if (strWord.size() > strSuffix.size() && EndsWith(strWord, strSuffix)) {
            AddCandidate(bases, strWord.substr(0, strWord.size() - strSuffix.size()) +
                                    pRules[r].lpszEnding);
        }
    }
}

namespace {

// The lists and rules for each part of speech in turn; see FindBaseForm.
bool FindBaseByPart(const ExceptionLists& lists, const std::string& strText,
                    const BaseFormTest& fnIsBase, std::string& strBase) {
    const bool bCollocation = strText.find_first_of(" -") != std::string::npos;
    for (int nPart : {3, 2, 1, 0}) {
        std::vector<std::string> exceptions;
        lists.lists[nPart].FindBases(strText, exceptions);
        for (const std::string& strCandidate : exceptions) {
            if (strCandidate != strText && fnIsBase(strCandidate, nPart)) {
                strBase = strCandidate;
                return true;
            }
        }
        // As in WordNet, a text that the list names gets no rules for this part of speech.
        if (!exceptions.empty()) continue;
        if (bCollocation ? CollocationBase(lists, nPart, strText, fnIsBase, strBase)
                         : SingleWordBase(lists, nPart, strText, fnIsBase, strBase)) {
            return true;
        }
    }
    return false;
}

std::string WithoutPeriods(std::string strText) {
    strText.erase(std::remove(strText.begin(), strText.end(), '.'), strText.end());
    return strText;
}

}  // namespace

bool FindBaseForm(const ExceptionLists& lists, const std::string& strText,
                  const BaseFormTest& fnIsBase, std::string& strBase) {
    // The lists write some bases with periods ("figs." -> "fig.") or hyphens ("ego-tripped" ->
    // "ego-trip", "fine-drawn" -> "fine-draw") where the word list has "fig", "ego trip" and
    // "finedraw": a candidate may be taken in any of these spellings.
    std::string strAccepted;
    int nTests = 0;
    const BaseFormTest fnAccept = [&](const std::string& strCandidate, int nPart) {
        const std::string strPlain = WithoutPeriods(strCandidate);
        std::string strBlanks = strPlain;
        std::replace(strBlanks.begin(), strBlanks.end(), '-', ' ');
        std::string strJoined = strPlain;
        strJoined.erase(std::remove(strJoined.begin(), strJoined.end(), '-'), strJoined.end());
        const std::string* const kSpellings[] = {&strCandidate, &strBlanks, &strJoined};
        for (size_t i = 0; i < 3; ++i) {
            const std::string& strSpelling = *kSpellings[i];
            if (strSpelling.empty() || (i > 0 && strSpelling == strCandidate)) continue;
            if (nTests == kMaxBaseTests) return false;
            ++nTests;
            if (fnIsBase(strSpelling, nPart)) {
                strAccepted = strSpelling;
                return true;
            }
        }
        return false;
    };
    std::string strFound;
    // An abbreviation typed with its periods ("oct.", "figs.") is also tried without them.
    const std::string strPlain = WithoutPeriods(strText);
    if (!FindBaseByPart(lists, strText, fnAccept, strFound) &&
        (strPlain == strText || strPlain.empty() ||
         !(fnAccept(strPlain, -1) || FindBaseByPart(lists, strPlain, fnAccept, strFound)))) {
        return false;
    }
    strBase = strAccepted;
    return true;
}
