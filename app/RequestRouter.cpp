#include "app/RequestRouter.h"

#include <wx/event.h>

#include "app/MainDialog.h"
#include "platform/AnsiText.h"
#include "platform/Selection.h"
#include "platform/WindowFront.h"

RequestRouter::RequestRouter(MainDialog& dlg) : m_dlg(dlg) {
    m_dlg.Bind(wxEVT_SHOW, &RequestRouter::OnShow, this);
}

RequestRouter::~RequestRouter() {
    m_dlg.Unbind(wxEVT_SHOW, &RequestRouter::OnShow, this);
}

std::string RequestRouter::TextOf(const LookupRequest& request) {
    std::string strText;
    switch (request.nSource) {
    case LookupRequest::Source::kWords:
        strText = WxToAnsi(wxString::FromUTF8(request.strText));
        break;
    case LookupRequest::Source::kSelection:
        GetDesktopSelectionText(strText);
        break;
    case LookupRequest::Source::kNone:
        break;
    }
    return NormaliseLookupText(strText);
}

void RequestRouter::SetStartupRequest(const LookupRequest& request) {
    m_strPending = TextOf(request);
}

void RequestRouter::OnHandedOver(const LookupRequest& request) {
    // Queued on the dialog: if the dialog goes first, the request goes with it.
    m_dlg.CallAfter([this, request] {
        const std::string strText = TextOf(request);
        if (!m_bShown) {
            if (!strText.empty()) {
                m_strPending = strText;
            }
            return;
        }
        LookUp(strText);
        BringToFront(&m_dlg, request.strStartupId);
    });
}

void RequestRouter::OnShow(wxShowEvent& event) {
    event.Skip();
    if (!event.IsShown() || m_bShown) {
        return;
    }
    m_bShown = true;
    // Before the window reaches the screen: it opens on the entry.
    LookUp(m_strPending);
    m_strPending.clear();
}

void RequestRouter::LookUp(const std::string& strText) {
    // No text (no words, nothing selected): the window stays as it is, as a plain start.
    if (!strText.empty()) {
        m_dlg.LookUpText(strText);
    }
}
