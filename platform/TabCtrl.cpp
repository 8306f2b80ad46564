#include "platform/TabCtrl.h"

#include <wx/notebook.h>
#include <wx/stattext.h>

#include "platform/AnsiText.h"

void TabInsertItem(wxNotebook* pTab, int nIndex, const std::string& strText) {
    // An empty label is a control without a window of its own, so the page paints nothing over
    // the view that lies on the display area.
    wxWindow* pPage = new wxStaticText(pTab, wxID_ANY, wxString());
    pTab->InsertPage(static_cast<size_t>(nIndex), pPage, AnsiToWx(strText));
}

void TabDeleteAllItems(wxNotebook* pTab) {
    pTab->DeleteAllPages();
}

int TabGetCurSel(wxNotebook* pTab) {
    return pTab->GetSelection();
}

wxRect TabAdjustRect(wxNotebook* pTab, const wxRect& rcWindow) {
    // The notebook reports only its total frame; tabs lie on top and the frame is equally thick
    // on the other three sides.
    const wxSize sizePage(100, 100);
    const wxSize sizeFrame = pTab->CalcSizeFromPage(sizePage) - sizePage;
    const int nSide = sizeFrame.x / 2;
    const int nTop = sizeFrame.y - nSide;
    return wxRect(rcWindow.x + nSide, rcWindow.y + nTop, rcWindow.width - sizeFrame.x,
                  rcWindow.height - sizeFrame.y);
}
