// lexano-data pages and lookup.
#include "tools/Commands.h"

int HandlePagesCommand(const CommandArgs&) { return Fail("pages: not built yet"); }
int HandleLookupCommand(const CommandArgs&) { return Fail("lookup: not built yet"); }
