// The edit distance of the search's spelling step: the fewest letters inserted, deleted or
// replaced, or pairs of neighbouring letters swapped, that turn one text into the other, each
// letter taking part in at most one swap (the optimal string alignment distance). Texts are
// compared byte by byte.
#ifndef LEXANO_DICTDATA_EDITDISTANCE_H
#define LEXANO_DICTDATA_EDITDISTANCE_H

#include <cstddef>

// The most edits BoundedEditDistance counts, and the longest texts it takes.
constexpr int kMaxEditLimit = 2;
constexpr size_t kMaxEditText = 300;

// The distance between lpA[0, nA) and lpB[0, nB) when it is at most nLimit, else nLimit + 1.
// Only the cells within nLimit of the diagonal are computed, and the walk stops at the first row
// in which every cell exceeds nLimit.
// REQUIRES: 0 <= nLimit <= kMaxEditLimit, nA and nB at most kMaxEditText.
int BoundedEditDistance(const char* lpA, size_t nA, const char* lpB, size_t nB, int nLimit);

#endif
