// The links of a page as the HTML window laid it out: which cells belong to which link, and where
// they lie. wx's HTML window gives links no keyboard focus of its own; the page view keeps one
// by the links' order, and draws its mark around their cells.
#ifndef LEXANO_HTMLVIEW_LINKCELLS_H
#define LEXANO_HTMLVIEW_LINKCELLS_H

#include <wx/gdicmn.h>
#include <wx/html/htmlcell.h>

#include <vector>

// One link of a page: the link of its first cell, and the rectangles its cells cover in page
// coordinates (unscrolled), one per line it runs over, top to bottom.
struct LinkCells {
    const wxHtmlLinkInfo* pLink = nullptr;  // owned by the cell; valid while the page is laid out
    std::vector<wxRect> rects;

    // The rectangle around all of them.
    wxRect GetBounds() const;
};

// Sets links to the links of the page under pRoot in page order (the order of its text). Cells
// that follow each other with the same address and target are one link; a link of several
// words is one. Empty for a null root or a page without links.
void CollectLinkCells(const wxHtmlCell* pRoot, std::vector<LinkCells>& links);

#endif
