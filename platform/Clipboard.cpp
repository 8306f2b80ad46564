#include "platform/Clipboard.h"

#include <wx/clipbrd.h>

#include "platform/AnsiText.h"

bool GetClipboardText(std::string& strText) {
    // Reading waits for the owner's answer while delivering events; an activation handled
    // meanwhile must not open the clipboard a second time.
    if (wxTheClipboard->IsOpened()) {
        return false;
    }
    // The clipboard proper, never X11's PRIMARY selection: an HTML window that copies a
    // selection there leaves the clipboard object reading PRIMARY until told otherwise.
    wxTheClipboard->UsePrimarySelection(false);
    if (!wxTheClipboard->Open()) {
        return false;
    }
    bool bRead = false;
    wxTextDataObject data;
    if (wxTheClipboard->IsSupported(wxDF_UNICODETEXT) || wxTheClipboard->IsSupported(wxDF_TEXT)) {
        bRead = wxTheClipboard->GetData(data);
    }
    wxTheClipboard->Close();
    if (!bRead) {
        return false;
    }
    strText = WxToAnsi(data.GetText());
    return true;
}

void ReleaseClipboards() {
    for (bool bPrimary : {true, false}) {
        wxTheClipboard->UsePrimarySelection(bPrimary);
        wxTheClipboard->Clear();
    }
}
