// Base forms of inflected English words and collocations, as WordNet's morphology finds them:
// first the exception list of a part of speech, then its rules of detachment (suffixes that
// are replaced by an ending: nouns -s, -ses, -xes, -zes, -ches, -shes, -men, -ies and -ful after
// an inflected noun; verbs -s, -ies, -es, -ed, -ing; adjectives -er, -est; none for adverbs).
// Collocations are taken word by word; a verb collocation with a preposition changes only its
// first and last words ("asking for it" -> "ask for it"). A text with periods is also tried
// without them ("oct." -> "oct").
#ifndef LEXANO_DICTDATA_MORPHOLOGY_H
#define LEXANO_DICTDATA_MORPHOLOGY_H

#include <functional>
#include <string>
#include <vector>

#include "dictdata/ExceptionList.h"

// Answers whether a candidate base is a word of the dictionary with an entry of nPartOfSpeech
// (0 adverb, 1 adjective, 2 verb, 3 noun), or with any entry when nPartOfSpeech is -1.
using BaseFormTest = std::function<bool(const std::string& strCandidate, int nPartOfSpeech)>;

// Candidate bases of one single word for nPartOfSpeech by the rules of detachment, in rule
// order, appended to bases. Adverbs have none.
void DetachEndings(int nPartOfSpeech, const std::string& strWord, std::vector<std::string>& bases);

// Most calls of fnIsBase that one FindBaseForm makes. Real texts need a few dozen at most; the
// bound keeps a lookup within milliseconds whatever the text and the lists hold.
constexpr int kMaxBaseTests = 512;

// Finds the base form of strText (lower case) that WordNet's morphology would give: the parts of
// speech are tried in the order noun, verb, adjective, adverb, each by its exception list (the
// first kMaxBasesPerForm bases it gives a form) and, when that lists nothing for the text, its
// rules; the first candidate that fnIsBase accepts wins; a candidate written with periods or
// hyphens may also be accepted without periods, and with blanks for its hyphens or without
// them. A text with periods is finally tried without them, as a word and by the same steps.
// After kMaxBaseTests calls of fnIsBase the search gives up. True with strBase set to the
// accepted spelling; false, strBase untouched, when no candidate is accepted. The text itself
// is never offered as a candidate.
bool FindBaseForm(const ExceptionLists& lists, const std::string& strText,
                  const BaseFormTest& fnIsBase, std::string& strBase);

#endif
