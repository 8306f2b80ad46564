// What the tests do differently on POSIX and on Windows: folders, running lexano-data through
// the shell, and measuring the heap.
#ifndef LEXANO_TESTS_TESTPLATFORM_H
#define LEXANO_TESTS_TESTPLATFORM_H

#include <cstddef>
#include <cstdio>
#include <string>

#ifdef _WIN32
#include <io.h>
// access() modes, which Windows' C library does not name.
#ifndef F_OK
#define F_OK 0
#endif
#ifndef R_OK
#define R_OK 4
#endif
#else
#include <unistd.h>
#endif

// The shell's name for the device that discards what is written to it.
extern const char kNullDevice[];

// Creates the folder strDir unless it exists already.
void MakeDirectory(const std::string& strDir);

// strArg quoted as one word for the shell that popen and system use (sh, or cmd.exe).
std::string QuoteArgument(const std::string& strArg);

// Runs strCommand in that shell with its standard output readable, byte for byte, from the
// result; nullptr on failure. ClosePipe waits for the command and returns its exit status, or
// -1 when it did not exit normally.
FILE* OpenPipe(const std::string& strCommand);
int ClosePipe(FILE* pPipe);

// Runs strCommand in the shell and returns its exit status, or -1 when it did not exit normally.
int RunCommand(const std::string& strCommand);

// Bytes of the heap in use by this process right now.
size_t HeapInUse();

#ifndef _WIN32
// Makes a FIFO (named pipe) at strPath, replacing what is there; false on failure. Windows
// paths name no FIFOs.
bool MakeFifo(const std::string& strPath);

// Opens the FIFO at strPath for writing without waiting, and closes it: whoever is blocked
// opening it for reading goes on (and reads its end). Lets a test that waited in vain finish.
void ReleaseFifoReader(const std::string& strPath);
#endif

#endif
