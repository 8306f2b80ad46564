#include "htmlview/LinkCells.h"

namespace {

bool IsSameLink(const wxHtmlLinkInfo& a, const wxHtmlLinkInfo& b) {
    return a.GetHref() == b.GetHref() && a.GetTarget() == b.GetTarget();
}

}  // namespace

wxRect LinkCells::GetBounds() const {
    wxRect rcBounds;
    for (const wxRect& rc : rects) {
        rcBounds = rcBounds.IsEmpty() ? rc : rcBounds.Union(rc);
    }
    return rcBounds;
}

void CollectLinkCells(const wxHtmlCell* pRoot, std::vector<LinkCells>& links) {
    std::vector<LinkCells> found;
    const wxHtmlCell* pFirst = pRoot != nullptr ? pRoot->GetFirstTerminal() : nullptr;
    const wxHtmlCell* pLast = pRoot != nullptr ? pRoot->GetLastTerminal() : nullptr;
    bool bInLink = false;  // the cell before belongs to the last link found
    for (wxHtmlTerminalCellsInterator it(pFirst, pLast); it; ++it) {
        const wxHtmlLinkInfo* pLink = it->GetLink();
        if (pLink == nullptr) {
            bInLink = false;
            continue;
        }
        const wxRect rcCell(it->GetAbsPos(), wxSize(it->GetWidth(), it->GetHeight()));
        if (!bInLink || !IsSameLink(*found.back().pLink, *pLink)) {
            found.push_back(LinkCells{pLink, {rcCell}});
        } else if (found.back().rects.back().GetTop() == rcCell.GetTop()) {
            // The next word on the same line: the rectangle grows over the space between.
            found.back().rects.back().Union(rcCell);
        } else {
            found.back().rects.push_back(rcCell);
        }
        bInLink = true;
    }
    links.swap(found);
}
