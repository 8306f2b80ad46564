// SingleInstance: one dictionary window per user and display. The first start takes a lock
// (wx's single-instance checker) and its window takes requests on a channel (wx's IPC: a
// Unix-domain socket in the user's private runtime folder, DDE on Windows; see
// platform/InstancePlace.h). A later start hands its request over and ends; when the window
// that holds the lock does not answer in time, or the lock's process is gone, the later start
// opens a window of its own.
#ifndef LEXANO_APP_SINGLEINSTANCE_H
#define LEXANO_APP_SINGLEINSTANCE_H

#include <functional>
#include <memory>

#include "app/LookupRequest.h"
#include "platform/InstancePlace.h"

class wxSingleInstanceChecker;
class RequestServer;

class SingleInstance {
public:
    // How long a later start waits for the open window to take its request, all tries
    // included, before it opens a window of its own; and the pause between tries while the
    // window's process is still making its channel.
    static constexpr int kHandOverWaitMs = 1500;
    static constexpr int kRetryMs = 50;

    // Receives each request handed over. Called from the toolkit's event handling as the
    // request arrives, before the sender is answered: it must not wait on anything.
    using RequestHandler = std::function<void(const LookupRequest&)>;

    SingleInstance();
    // Stops serving and gives up the lock.
    ~SingleInstance();
    SingleInstance(const SingleInstance&) = delete;
    SingleInstance& operator=(const SingleInstance&) = delete;

    // Takes the lock of this user and display. True when this process holds it: it is the
    // first start. False when a live process holds it, or when there is no safe place for it
    // (every start then has a window of its own). A lock left by a process that is gone is
    // removed and taken, also when its process id now belongs to another process.
    bool TakeLock();
    bool HoldsLock() const { return m_bHolder; }

    // Hands request to the window of the process that holds the lock: connects, trying again
    // every kRetryMs while that process has not made its channel yet, and sends the request.
    // True once the window took it. False after kHandOverWaitMs without that (and a little
    // more for the process the tries run in, platform/TimeLimit.h), when the lock's process is
    // gone, or when TakeLock found no place. REQUIRES: TakeLock answered false, and the toolkit
    // has not been started in this process.
    bool HandOver(const LookupRequest& request);

    // For the lock holder, with the toolkit running: takes requests from now on and gives each
    // to handler. False when this process does not hold the lock, or when the channel cannot
    // be made; the lock is then given up, so that a later start serves instead.
    bool StartServing(const RequestHandler& handler);

    // Stops taking requests and gives up the lock.
    void Release();

private:
    std::string LockPath() const;

    InstancePlace m_place;
    bool m_bPlace = false;   // m_place is filled
    bool m_bHolder = false;  // this process holds the lock
    std::unique_ptr<wxSingleInstanceChecker> m_pChecker;
    std::unique_ptr<RequestServer> m_pServer;
};

#endif
