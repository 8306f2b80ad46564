// The small dictionary that the relation fuzz target puts its input after, and whose relation
// records seed it: the two must agree on the entries and words.
#ifndef LEXANO_TESTS_FUZZ_RELATIONSEEDCONTENT_H
#define LEXANO_TESTS_FUZZ_RELATIONSEEDCONTENT_H

#include "tools/DataFileWriter.h"

// Words a (entry 1), bank (1, 2), banks (3), fast (4, 5), quick (5, 6), Quick Time (7): entries
// 1-3 nouns, 4-6 adjectives, 7 a noun again; relations of every sort between them, in chunks of
// nPerChunk entries.
inline DataFileContent RelationSeedContent(int nPerChunk) {
    DataFileContent content;
    content.nWordsPerBlock = 2;
    content.nRelationEntriesPerChunk = nPerChunk;
    content.entries = {"a|bank\nthe first", "bank\na slope", "banks\nmany slopes",
                       "fast\nquick", "fast|quick|Quick\nrapid", "quick\nalive",
                       "Quick Time\nsoon"};
    content.words = {{"a", {1}},          {"bank", {1, 2}},     {"banks", {3}},
                     {"fast", {4, 5}},    {"quick", {5, 6}},    {"quick time", {7}}};
    const uint32_t nSizes[4] = {3, 0, 3, 0};
    GroupCountsForSizes(nSizes, content.entryCounts);
    content.entryCounts[2] = 4;  // entry 7 falls past the adjectives: no part of speech
    content.relations = {{{2, 0, 2, 0}, {13, 2, 3, 1}},
                         {{4, 0, 1, 0}},
                         {{13, 1, 1, 2}},
                         {{1, 1, 6, 1}, {24, 0, 5, 0}},
                         {{24, 0, 4, 0}, {24, 0, 6, 0}, {26, 3, 7, 1}},
                         {{1, 1, 4, 1}},
                         {}};
    return content;
}

#endif
