#include "tools/Commands.h"
int HandleInfoCommand(const CommandArgs&) { return 1; }
int HandleWordCommand(const CommandArgs&) { return 1; }
int HandleFindCommand(const CommandArgs&) { return 1; }
int HandleEntriesCommand(const CommandArgs&) { return 1; }
int HandleEntryCommand(const CommandArgs&) { return 1; }
int HandleVerifyCommand(const CommandArgs&) { return 1; }
