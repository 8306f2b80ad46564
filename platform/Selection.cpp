#include "platform/Selection.h"

#include <wx/clipbrd.h>

#include "platform/Clipboard.h"

bool GetDesktopSelectionText(std::string& strText) {
#ifdef __WXMSW__
    return GetClipboardText(strText);
#else
    // The clipboard object reads the primary selection for this one reading only.
    if (wxTheClipboard->IsOpened()) {
        return false;
    }
    wxTheClipboard->UsePrimarySelection(true);
    const bool bRead = GetClipboardText(strText);
    wxTheClipboard->UsePrimarySelection(false);
    return bRead;
#endif
}
