// What the relation records give the rest of the system: the words of a sense and the words
// that a sense or a word is related to, by kind of relation.
//
// Kinds, numbered 1 to 26 as the data file and the page links store them, with the names the
// command line prints: 1 antonym, 2 hypernym, 3 instance-hypernym, 4 hyponym, 5 instance-hyponym,
// 6 member-holonym, 7 substance-holonym, 8 part-holonym, 9 member-meronym, 10 substance-meronym,
// 11 part-meronym, 12 attribute, 13 derivation, 14 domain-topic, 15 member-topic,
// 16 domain-region, 17 member-region, 18 domain-usage, 19 member-usage, 20 entailment, 21 cause,
// 22 also, 23 verb-group, 24 similar, 25 participle, 26 pertainym.
#ifndef LEXANO_DICTDATA_RELATIONS_H
#define LEXANO_DICTDATA_RELATIONS_H

#include <cstdint>
#include <string>

// A word of an entry's sense: its list position and its spelling in that sense ("Sunday" for
// the list's "sunday").
struct EntryMember {
    int nPos = 0;
    std::string strText;
};

// A word that a relation leads to.
struct RelatedWord {
    int nKind = 0;        // 1 to 26
    uint32_t nEntry = 0;  // the sense it leads to
    int nPos = 0;         // the related word's list position
    std::string strText;  // the related word as that sense spells it
};

// The command line's name of kind nKind ("antonym" for 1 ... "pertainym" for 26); "" for any
// other number.
const char* RelationKindName(int nKind);

#endif
