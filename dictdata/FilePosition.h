// 64-bit positions in a C stream. fseek and ftell take a `long`, which is 32 bits on Windows, so
// offsets from 2 GiB up would turn negative there; these reach the whole 4 GiB a data file may
// span on every platform.
#ifndef LEXANO_DICTDATA_FILEPOSITION_H
#define LEXANO_DICTDATA_FILEPOSITION_H

#include <cstdint>
#include <cstdio>

// Moves pStream to nOffset from nOrigin (SEEK_SET, SEEK_END); true on success.
inline bool SeekFile(FILE* pStream, int64_t nOffset, int nOrigin) {
#ifdef _WIN32
    return _fseeki64(pStream, nOffset, nOrigin) == 0;
#else
    return fseeko(pStream, static_cast<off_t>(nOffset), nOrigin) == 0;
#endif
}

// The position of pStream, or -1 on failure.
inline int64_t TellFile(FILE* pStream) {
#ifdef _WIN32
    return _ftelli64(pStream);
#else
    return ftello(pStream);
#endif
}

#endif
