// Work that waits on another process, cut off when that process does not answer in time.
#ifndef LEXANO_PLATFORM_TIMELIMIT_H
#define LEXANO_PLATFORM_TIMELIMIT_H

#include <functional>

// Runs fnWork with the toolkit's non-window part set up (sockets, IPC) and returns its answer;
// false when it has not answered within nTimeoutMs.
//
// On Unix fnWork runs in a child process, which is killed at the deadline, so that a peer that
// never answers cannot hold this process up: the toolkit's socket waits are long. The child
// shares nothing with this process afterwards. REQUIRES: the toolkit has not been started in
// this process yet (the child starts it on its own).
//
// On Windows fnWork runs in this process, bounded by DDE's own timeouts (the connection is
// sought for at most 2 seconds a window, a transaction waits at most 5); nTimeoutMs only ends
// the tries that fnWork makes itself.
bool RunWithTimeLimit(const std::function<bool()>& fnWork, int nTimeoutMs);

#endif
