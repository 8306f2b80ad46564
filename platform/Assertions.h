// What becomes of the toolkit's failed assertions in the program: a line on standard error, not
// the toolkit's modal "An assertion failed!" dialog, which would stop a user in the middle of a
// lookup with a question only a developer can answer.
#ifndef LEXANO_PLATFORM_ASSERTIONS_H
#define LEXANO_PLATFORM_ASSERTIONS_H

#include <wx/debug.h>

// From now on every failed wx assertion writes one line to standard error, naming the source
// file, line, function, condition and message, and the program goes on. Returns the handler it
// replaced. Call first in main; the toolkit itself need not have started.
wxAssertHandler_t LogToolkitAssertions();

#endif
