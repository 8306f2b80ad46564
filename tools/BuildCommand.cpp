// lexano-data build.
#include "tools/Commands.h"

int HandleBuildCommand(const CommandArgs&) { return Fail("build: not built yet"); }
