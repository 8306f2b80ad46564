#include "platform/Selection.h"

#include <wx/clipbrd.h>

#include "platform/AnsiText.h"
#include "platform/Clipboard.h"

bool GetDesktopSelectionText(std::string& strText) {
#ifdef __WXMSW__
    return GetClipboardText(strText);
#else
    // Reading waits for the owner's answer while delivering events; a clipboard reading
    // handled meanwhile must not open the clipboard object a second time.
    if (wxTheClipboard->IsOpened()) {
        return false;
    }
    // The clipboard object reads the primary selection for this one reading only.
    wxTheClipboard->UsePrimarySelection(true);
    bool bRead = false;
    wxTextDataObject data;
    if (wxTheClipboard->Open()) {
        if (wxTheClipboard->IsSupported(wxDF_UNICODETEXT) ||
            wxTheClipboard->IsSupported(wxDF_TEXT)) {
            bRead = wxTheClipboard->GetData(data);
        }
        wxTheClipboard->Close();
    }
    wxTheClipboard->UsePrimarySelection(false);
    if (!bRead) {
        return false;
    }
    strText = WxToAnsi(data.GetText());
    return true;
#endif
}
