// Where POSIX and Windows differ in how the tool writes files and its output, each difference
// behind one function, so that the callers read the same on both.
#ifndef LEXANO_TOOLS_PORTABLEFILES_H
#define LEXANO_TOOLS_PORTABLEFILES_H

#include <string>

// Moves the file lpszSource to lpszTarget, replacing a file already there (which `rename` does
// not do on Windows). True on success; on failure lpszSource is left where it was.
bool MoveIntoPlace(const char* lpszSource, const char* lpszTarget);

// Lets everyone read the file open as nFd (mkstemp makes it readable by its owner only); true
// on success. Windows files carry no such mode: there it does nothing and returns true.
bool AllowReadingByAll(int nFd);

// Why lpszPath cannot be opened for reading as a regular file: the system's reason when it is
// missing or unreadable, "it is a folder", or "it is not a regular file" (a FIFO, a device);
// empty when it can be. Never opens anything but a regular file, so it cannot block.
std::string ReasonNotReadable(const char* lpszPath);

// Puts standard output and standard error into binary mode, so that Windows writes "\n" as it
// is rather than as "\r\n" and the output is the same byte for byte on every platform. Call it
// before anything is written to them. Does nothing elsewhere.
void UseBinaryStandardStreams();

#endif
