// The program's start before its window: the command line, and the hand-over to the window
// already open.
#include "app/CommandLine.h"
#include "app/DictApp.h"
#include "app/SingleInstance.h"
#include "platform/Console.h"
#include "platform/TimeLimit.h"
#include "platform/WindowFront.h"

int RunCommandLine(int argc, char** argv, LookupRequest& request, SingleInstance& instance) {
    CommandLine cmd;
    ParseCommandLine(GetProgramArguments(argc, argv), cmd);
    switch (cmd.nAction) {
    case CommandLine::Action::kHelp:
        WriteStandardOutput(CommandLineHelp());
        return 0;
    case CommandLine::Action::kVersion:
        WriteStandardOutput(CommandLineVersion());
        return 0;
    case CommandLine::Action::kUsageError:
        WriteStandardError("lexano: " + cmd.strError + "\nTry 'lexano --help'.\n");
        return kUsageErrorStatus;
    case CommandLine::Action::kRun:
        break;
    }
    cmd.request.strStartupId = GetStartupNotificationId();
    if (!instance.TakeLock()) {
        if (instance.HandOver(cmd.request)) {
            return 0;
        }
        // The window that held the lock did not answer, or is gone: this start opens its own,
        // and serves the later ones if the lock is free now.
        instance.TakeLock();
    }
    // The process that only tries the hand-over for its parent (Windows) opens no window.
    if (IsTimeLimitedChild()) {
        return 1;
    }
    request = cmd.request;
    return -1;
}
