// The word list: an owner-data list of one column that never shows a horizontal scroll bar.
// Its single column is as wide as the list's client area, so once the vertical scroll bar takes
// its share the column is wider than the rows' room; the words are short and the rest of the
// column is only empty space, which must not make the list scroll sideways.
#ifndef LEXANO_APP_WORDLISTCTRL_H
#define LEXANO_APP_WORDLISTCTRL_H

#include "platform/ListViewCtrl.h"

class WordListCtrl : public ListViewCtrl {
public:
    WordListCtrl(wxWindow* pParent, wxWindowID nId, const wxPoint& pt, const wxSize& size,
                 long nStyle);

#ifdef __WXMSW__
protected:
    // The native list adds a horizontal scroll bar whenever it lays out its frame; it is taken
    // away again before the client area is computed.
    WXLRESULT MSWWindowProc(WXUINT nMsg, WXWPARAM wParam, WXLPARAM lParam) override;
#endif
};

#endif
