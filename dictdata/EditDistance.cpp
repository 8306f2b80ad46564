#include "dictdata/EditDistance.h"

#include <algorithm>

int BoundedEditDistance(const char* lpA, size_t nA, const char* lpB, size_t nB, int nLimit) {
    const int n = static_cast<int>(nA);
    const int m = static_cast<int>(nB);
    const int k = nLimit;
    if (n - m > k || m - n > k) return k + 1;
    // Three rows of the table: row i holds the distances of lpA's first i letters to each of
    // lpB's prefixes. A cell outside the band |i - j| <= k is never below k + 1, and holds kFar.
    const int kFar = k + 1;
    int rows[3][kMaxEditText + 2];
    int* pBefore = rows[0];  // row i - 2
    int* pAbove = rows[1];   // row i - 1
    int* pRow = rows[2];     // row i
    for (int j = 0; j <= m + 1; ++j) pAbove[j] = j <= k ? j : kFar;
    for (int i = 1; i <= n; ++i) {
        const int nLo = std::max(1, i - k);
        const int nHi = std::min(m, i + k);
        pRow[nLo - 1] = nLo == 1 && i <= k ? i : kFar;
        int nRowMin = pRow[nLo - 1];
        const char chA = lpA[i - 1];
        for (int j = nLo; j <= nHi; ++j) {
            int v = pAbove[j - 1] + (chA != lpB[j - 1]);
            v = std::min(v, pAbove[j] + 1);
            v = std::min(v, pRow[j - 1] + 1);
            if (i > 1 && j > 1 && chA == lpB[j - 2] && lpA[i - 2] == lpB[j - 1]) {
                v = std::min(v, pBefore[j - 2] + 1);
            }
            pRow[j] = std::min(v, kFar);
            nRowMin = std::min(nRowMin, pRow[j]);
        }
        // The next row reads one cell past this band; it must read as far.
        pRow[nHi + 1] = kFar;
        if (nRowMin > k) return kFar;
        int* pOld = pBefore;
        pBefore = pAbove;
        pAbove = pRow;
        pRow = pOld;
    }
    return pAbove[m];
}
