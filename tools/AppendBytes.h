// Big-endian integers appended to a record being written, the writer's side of
// dictdata/BigEndian.h.
#ifndef LEXANO_TOOLS_APPENDBYTES_H
#define LEXANO_TOOLS_APPENDBYTES_H

#include <cstdint>
#include <string>

#include "dictdata/BigEndian.h"

inline void AppendU16(std::string& str, uint16_t v) {
    unsigned char b[2];
    WriteU16BE(b, v);
    str.append(reinterpret_cast<char*>(b), 2);
}

inline void AppendU24(std::string& str, uint32_t v) {
    unsigned char b[3];
    WriteU24BE(b, v);
    str.append(reinterpret_cast<char*>(b), 3);
}

inline void AppendU32(std::string& str, uint32_t v) {
    unsigned char b[4];
    WriteU32BE(b, v);
    str.append(reinterpret_cast<char*>(b), 4);
}

#endif
