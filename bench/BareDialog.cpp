// The floor for the dictionary window's start-up: a bare wx dialog of the same shape (a virtual
// list of as many rows as the WordNet data file has words, and a text box under it), titled
// like the dictionary so that lexano_window_start can time both alike. It reads no file.
//   lexano_bare_dialog [ROWS]
#include <wx/app.h>
#include <wx/dialog.h>
#include <wx/listctrl.h>
#include <wx/textctrl.h>

#include <cstdlib>

#include "platform/Environment.h"

namespace {

long g_nRows = 147306;

class RowList : public wxListCtrl {
public:
    RowList(wxWindow* pParent, const wxPoint& pt, const wxSize& size)
        : wxListCtrl(pParent, wxID_ANY, pt, size,
                     wxLC_REPORT | wxLC_VIRTUAL | wxLC_SINGLE_SEL | wxLC_NO_HEADER) {
        InsertColumn(0, wxString(), wxLIST_FORMAT_LEFT, size.x);
        SetItemCount(g_nRows);
    }

protected:
    wxString OnGetItemText(long nItem, long WXUNUSED(nColumn)) const override {
        return wxString::Format("row %ld", nItem);
    }
};

class BareApp : public wxApp {
public:
    bool OnInit() override {
        wxDialog dlg(nullptr, wxID_ANY, "Quenmark Dictionary");
        // The dictionary's template size, 157 x 178 dialog units, and its two main controls.
        dlg.SetClientSize(dlg.ConvertDialogToPixels(wxSize(157, 178)));
        new RowList(&dlg, dlg.ConvertDialogToPixels(wxPoint(2, 1)),
                    dlg.ConvertDialogToPixels(wxSize(153, 158)));
        new wxTextCtrl(&dlg, wxID_ANY, wxString(), dlg.ConvertDialogToPixels(wxPoint(1, 162)),
                       dlg.ConvertDialogToPixels(wxSize(154, 13)));
        dlg.Centre();
        dlg.ShowModal();
        return false;
    }
};

}  // namespace

wxIMPLEMENT_APP_NO_MAIN(BareApp);

int main(int argc, char** argv) {
    if (argc > 1) g_nRows = std::atol(argv[1]);
    PrepareToolkitEnvironment();  // the same toolkit settings as the dictionary
    return wxEntry(argc, argv);
}
