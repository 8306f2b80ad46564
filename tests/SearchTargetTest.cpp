// The search box's target without a display: the row a typed text selects, and the row brought
// into view so that it shows on top, checked against a model of a list that scrolls by whole rows.
#include <gtest/gtest.h>

#include <algorithm>

#include "app/SearchTarget.h"
#include "tests/TestFiles.h"

namespace {

// The top row after a list whose top row is nTop scrolls the least it can to show row nRow
// whole, as the list's "ensure visible" does.
long TopAfterShowing(long nTop, long nRow, long nPerPage, long nCount) {
    if (nRow < nTop) return nRow;
    if (nRow >= nTop + nPerPage) return std::min(nRow - nPerPage + 1, nCount - nPerPage);
    return nTop;
}

}  // namespace

TEST(SearchTarget, CapitalsLandWhereSmallLettersDo) {
    DictionaryFile dict;
    ASSERT_TRUE(dict.Open(SaveContent(
        MakeWordList({"apple", "caf\xE9", "hello", "zebra"}, 2), "words.pdb").c_str()));
    // 1252 capitals outside ASCII too: a lower-casing of A-Z alone would miss "caf\xE9".
    const struct {
        const char* lpszTyped;
        int nPos;
    } cases[] = {{"HeLLo", 2}, {"CAF\xC9", 1}, {"ZEBRA", 3}, {"APPLE", 0}};
    for (const auto& c : cases) {
        int nPos = -1;
        Resolution how = Resolution::kNearest;
        ASSERT_TRUE(FindSearchTarget(dict, c.lpszTyped, nPos, how)) << c.lpszTyped;
        EXPECT_EQ(c.nPos, nPos) << c.lpszTyped;
        EXPECT_EQ(Resolution::kExact, how) << c.lpszTyped;
    }
}

TEST(SearchTarget, NoFileLeavesTheTargetUntouched) {
    DictionaryFile dict;
    int nPos = 7;
    Resolution how = Resolution::kPrefix;
    EXPECT_FALSE(FindSearchTarget(dict, "hello", nPos, how));
    EXPECT_EQ(7, nPos);
    EXPECT_EQ(Resolution::kPrefix, how);
}

TEST(SearchTarget, FoundRowBecomesTheFirstVisibleRowUnlessItLiesInTheLastPage) {
    // Lists shorter than a page, one page, and many pages; every top row and every found row.
    for (long nCount : {1L, 5L, 12L, 31L}) {
        for (long nPerPage : {1L, 4L, 12L, 40L}) {
            const long nLastTop = std::max(0L, nCount - nPerPage);
            for (long nTop = 0; nTop <= nLastTop; ++nTop) {
                for (long nPos = 0; nPos < nCount; ++nPos) {
                    const long nRow = RowToBringIntoView(nPos, nTop, nPerPage, nCount);
                    ASSERT_GE(nRow, 0);
                    ASSERT_LT(nRow, nCount);
                    // On top when the list can scroll that far; else the list is at its end.
                    EXPECT_EQ(std::min(nPos, nLastTop),
                              TopAfterShowing(nTop, nRow, nPerPage, nCount))
                        << "count " << nCount << ", per page " << nPerPage << ", top " << nTop
                        << ", found " << nPos;
                }
            }
        }
    }
}
