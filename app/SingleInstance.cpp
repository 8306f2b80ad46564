#include "app/SingleInstance.h"

// wx/ipc.h chooses DDE or sockets by the platform that wx/defs.h names, which it does not
// include itself.
#include <wx/defs.h>
#include <wx/ipc.h>
#include <wx/log.h>
#include <wx/snglinst.h>

#include <chrono>
#include <cstring>
#include <thread>

#include "platform/TimeLimit.h"
#include "platform/WindowFront.h"

namespace {

// The conversation: the starting process executes the encoded request, then asks for the
// status item, which the window answers with kTaken once it has accepted the request. Over
// a socket an execute is not answered, so the status request is what tells the request came
// through; it is answered only after the execute before it was handled.
const char kTopic[] = "lookup";
const char kStatusItem[] = "status";
const char kTaken[] = "taken";
const char kRefused[] = "refused";

class RequestConnection : public wxConnection {
public:
    explicit RequestConnection(const SingleInstance::RequestHandler& handler)
        : m_handler(handler) {}

    bool OnExecute(const wxString& WXUNUSED(strTopic), const void* pData, size_t nSize,
                   wxIPCFormat nFormat) override {
        LookupRequest request;
        const wxString strData = GetTextFromData(pData, nSize, nFormat);
        if (!DecodeLookupRequest(std::string(strData.utf8_str()), request)) {
            return false;
        }
        m_bTaken = true;
        m_handler(request);
        return true;
    }

    const void* OnRequest(const wxString& WXUNUSED(strTopic), const wxString& strItem,
                          size_t* pSize, wxIPCFormat WXUNUSED(nFormat)) override {
        if (strItem != kStatusItem) {
            return nullptr;
        }
        const char* pszAnswer = m_bTaken ? kTaken : kRefused;
        *pSize = std::strlen(pszAnswer) + 1;
        return pszAnswer;
    }

private:
    SingleInstance::RequestHandler m_handler;
    bool m_bTaken = false;
};

// Sends strPayload once; true when the window answered that it took it.
bool HandOverOnce(const wxString& strServer, const std::string& strPayload) {
    wxClient client;
    std::unique_ptr<wxConnectionBase> pConnection(
        client.MakeConnection("localhost", strServer, kTopic));
    if (!pConnection) {
        return false;
    }
    bool bTaken = false;
    if (pConnection->Execute(wxString::FromUTF8(strPayload))) {
        size_t nSize = 0;
        const void* pAnswer = pConnection->Request(kStatusItem, &nSize, wxIPC_TEXT);
        const size_t nTaken = std::strlen(kTaken);
        bTaken = pAnswer != nullptr && nSize >= nTaken && std::memcmp(pAnswer, kTaken, nTaken) == 0;
    }
    pConnection->Disconnect();
    return bTaken;
}

}  // namespace

// The window's end of the channel: a connection for each start that asks on kTopic.
class RequestServer : public wxServer {
public:
    explicit RequestServer(const SingleInstance::RequestHandler& handler) : m_handler(handler) {}

    wxConnectionBase* OnAcceptConnection(const wxString& strTopic) override {
        // The connection deletes itself when its starting process disconnects.
        return strTopic == kTopic ? new RequestConnection(m_handler) : nullptr;
    }

private:
    SingleInstance::RequestHandler m_handler;
};

SingleInstance::SingleInstance() = default;

SingleInstance::~SingleInstance() {
    Release();
}

std::string SingleInstance::LockPath() const {
    return m_place.strFolder + "/" + m_place.strLockName;
}

bool SingleInstance::TakeLock() {
    if (m_bHolder) {
        return true;
    }
    if (!m_bPlace && !FindInstancePlace(m_place)) {
        return false;
    }
    m_bPlace = true;
    // The checker reports its troubles (a lock file it cannot read, say) in the toolkit's log;
    // they only mean that there is no lock to take.
    wxLogNull noLog;
    for (int nTry = 0; nTry < 2; ++nTry) {
        auto pChecker = std::make_unique<wxSingleInstanceChecker>();
        if (!pChecker->Create(wxString::FromUTF8(m_place.strLockName),
                              wxString::FromUTF8(m_place.strFolder))) {
            m_pChecker.reset();
            return false;
        }
        if (!pChecker->IsAnotherRunning()) {
            m_pChecker = std::move(pChecker);
            m_bHolder = true;
            return true;
        }
#ifndef _WIN32
        // The checker asks only whether the process id in the lock file lives; a file whose
        // process is gone, while its id names another process, is held by nobody.
        pChecker.reset();
        if (nTry == 0 && RemoveLockFileIfNotHeld(LockPath())) {
            continue;
        }
#endif
        break;
    }
    return false;
}

bool SingleInstance::HandOver(const LookupRequest& request) {
    if (!m_bPlace || m_bHolder) {
        return false;
    }
    AllowHandOverToComeToFront();
    const wxString strServer = wxString::FromUTF8(m_place.strServerName);
    const std::string strPayload = EncodeLookupRequest(request);
    const std::string strLockPath = LockPath();
    const auto fnTry = [&]() {
        wxLogNull noLog;  // a refused connection is an answer here, not an error
        const auto tEnd =
            std::chrono::steady_clock::now() + std::chrono::milliseconds(kHandOverWaitMs);
        for (;;) {
            if (HandOverOnce(strServer, strPayload)) {
                return true;
            }
#ifndef _WIN32
            if (!IsLockFileHeld(strLockPath)) {
                return false;  // the lock's process is gone
            }
#endif
            if (std::chrono::steady_clock::now() + std::chrono::milliseconds(kRetryMs) >= tEnd) {
                return false;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(kRetryMs));
        }
    };
    // A little beyond the tries' own end, for the child process to end.
    const int kMarginMs = 250;
    return RunWithTimeLimit(fnTry, kHandOverWaitMs + kMarginMs);
}

bool SingleInstance::StartServing(const RequestHandler& handler) {
    if (!m_bHolder) {
        return false;
    }
    wxLogNull noLog;
    // On Unix the toolkit removes a socket left by a process that is gone and makes the new
    // one with umask 077; only the lock holder ever gets here, so no live window's socket is
    // removed.
    auto pServer = std::make_unique<RequestServer>(handler);
    if (!pServer->Create(wxString::FromUTF8(m_place.strServerName))) {
        Release();
        return false;
    }
    m_pServer = std::move(pServer);
    return true;
}

void SingleInstance::Release() {
    m_pServer.reset();
    m_pChecker.reset();
    m_bHolder = false;
}
