// RequestRouter: brings look-up requests into the main dialog. The program's own request (its
// command line) is looked up as the window is first shown, so that the window opens on that
// entry; a request handed over by a later start is looked up as it comes, and brings the window
// to the front. One that comes before the window was ever shown waits for it, like the
// program's own.
#ifndef LEXANO_APP_REQUESTROUTER_H
#define LEXANO_APP_REQUESTROUTER_H

#include <string>

#include "app/LookupRequest.h"

class MainDialog;
class wxShowEvent;

class RequestRouter {
public:
    // REQUIRES: dlg outlives the router, and its window has not been shown yet.
    explicit RequestRouter(MainDialog& dlg);
    ~RequestRouter();
    RequestRouter(const RequestRouter&) = delete;
    RequestRouter& operator=(const RequestRouter&) = delete;

    // The program's own request. The desktop's selection is read now, before any window shows.
    void SetStartupRequest(const LookupRequest& request);

    // A request handed over by a later start; the look-up runs after the current event (the
    // selection may have to be waited for).
    void OnHandedOver(const LookupRequest& request);

    // The text a request looks up, in 1252 and as the search box takes it: its words, or the
    // desktop's selection read now; empty for none.
    static std::string TextOf(const LookupRequest& request);

private:
    void OnShow(wxShowEvent& event);
    void LookUp(const std::string& strText);

    MainDialog& m_dlg;
    bool m_bShown = false;
    std::string m_strPending;  // to look up when the window is first shown
};

#endif
