// The tab control: a wxNotebook whose pages are empty windows; what a tab shows is drawn by a
// sibling laid over the display area, as a Windows tab control does it.
#ifndef LEXANO_PLATFORM_TABCTRL_H
#define LEXANO_PLATFORM_TABCTRL_H

#include <wx/gdicmn.h>

#include <string>

class wxNotebook;

void TabInsertItem(wxNotebook* pTab, int nIndex, const std::string& strText);
void TabDeleteAllItems(wxNotebook* pTab);
int TabGetCurSel(wxNotebook* pTab);  // -1 when there are no tabs
// The display area for the tab control window rectangle rcWindow (same coordinates): the part
// below the tab row and inside the frame.
wxRect TabAdjustRect(wxNotebook* pTab, const wxRect& rcWindow);

#endif
