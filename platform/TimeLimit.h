// Work that waits on another process, cut off when that process does not answer in time.
#ifndef LEXANO_PLATFORM_TIMELIMIT_H
#define LEXANO_PLATFORM_TIMELIMIT_H

#include <functional>

// Runs fnWork in a child process and returns its answer; false when it has not answered within
// nTimeoutMs after the child started (the child is then killed), or when no child could be
// started. The toolkit's socket waits are long, and DDE's can be endless under Wine: a peer
// that never answers cannot hold this process up.
//
// On Unix the child is a fork that sets up the toolkit's non-window part (sockets, IPC) for
// fnWork. REQUIRES: the toolkit has not been started in this process.
//
// On Windows the child is this program started again with the same command line, marked as
// such in its environment: it takes the same steps as this process up to the same call, where
// it runs fnWork and ends with its answer. Its start, longer under Wine, is allowed for beside
// nTimeoutMs. REQUIRES: every step before the call is repeated alike in the child, and the
// child asks IsTimeLimitedChild() before it would do anything but reach the call.
bool RunWithTimeLimit(const std::function<bool()>& fnWork, int nTimeoutMs);

// True in such a child process on Windows; always false elsewhere.
bool IsTimeLimitedChild();

#endif
