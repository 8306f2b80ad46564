// Where POSIX and Windows differ in how the tool writes files and its output, each difference
// behind one function, so that the callers read the same on both.
//
// A file is replaced in three steps, so that no other name is ever touched and a crash leaves
// either the old file or the whole new one under the target's name: CreateFileBeside writes to
// a new, uniquely named file in the target's folder, CloseDurably puts its bytes on the disk, and
// MoveIntoPlace renames it over the target.
#ifndef LEXANO_TOOLS_PORTABLEFILES_H
#define LEXANO_TOOLS_PORTABLEFILES_H

#include <cstdio>
#include <string>

// Creates a new file under a unique name beside lpszTarget ("TARGET.XXXXXX"), exclusively: an
// existing file is never opened. The file is open for writing in binary mode and has the
// permissions of the file at lpszTarget when there is one, else those a new file gets. True
// with pFile and strTemp set; false with strReason the system's reason, and no file created.
bool CreateFileBeside(const char* lpszTarget, FILE*& pFile, std::string& strTemp,
                      std::string& strReason);

// Flushes pFile to the disk and closes it. True on success; false with strReason the system's
// reason. pFile is closed either way.
bool CloseDurably(FILE* pFile, std::string& strReason);

// Moves the file lpszSource to lpszTarget, replacing a file already there (which `rename` does
// not do on Windows), the move itself written through to the disk. True on success; false with
// strReason the system's reason, and lpszSource left where it was.
bool MoveIntoPlace(const char* lpszSource, const char* lpszTarget, std::string& strReason);

// Why lpszPath cannot be opened for reading as a regular file: the system's reason when it is
// missing or unreadable, "it is a folder", or "it is not a regular file" (a FIFO, a device);
// empty when it can be. Never opens anything but a regular file, so it cannot block.
std::string ReasonNotReadable(const char* lpszPath);

// Puts standard output and standard error into binary mode, so that Windows writes "\n" as it
// is rather than as "\r\n" and the output is the same byte for byte on every platform. Call it
// before anything is written to them. Does nothing elsewhere.
void UseBinaryStandardStreams();

#endif
