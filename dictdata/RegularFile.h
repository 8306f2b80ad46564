// Opening the data file: only a regular file is read. A FIFO would block the open (and every
// read after it) until some other program writes to it, a folder or a device has no records
// to read; such a path is refused at once, as a file that cannot be opened.
#ifndef LEXANO_DICTDATA_REGULARFILE_H
#define LEXANO_DICTDATA_REGULARFILE_H

#include <cstdio>

// Opens lpszPath for reading in binary mode ("rb") when it names a regular file. Returns the
// stream, which the caller closes with fclose; nullptr when the path cannot be opened or names
// anything else (a folder, a FIFO, a device).
FILE* OpenRegularFile(const char* lpszPath);

#endif
