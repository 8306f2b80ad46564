// Big-endian readers and writers for the data file. Every multi-byte integer in the file is
// big-endian and unsigned; these helpers turn it into host order whatever the host's byte order.
// REQUIRES: p points at least at the field's width of readable (or writable) bytes.
#ifndef LEXANO_DICTDATA_BIGENDIAN_H
#define LEXANO_DICTDATA_BIGENDIAN_H

#include <cstdint>

inline uint16_t ReadU16BE(const unsigned char* p) {
    return static_cast<uint16_t>((p[0] << 8) | p[1]);
}

inline uint32_t ReadU24BE(const unsigned char* p) {
    return (static_cast<uint32_t>(p[0]) << 16) | (static_cast<uint32_t>(p[1]) << 8) | p[2];
}

inline uint32_t ReadU32BE(const unsigned char* p) {
    return (static_cast<uint32_t>(p[0]) << 24) | (static_cast<uint32_t>(p[1]) << 16) |
           (static_cast<uint32_t>(p[2]) << 8) | p[3];
}

inline void WriteU16BE(unsigned char* p, uint16_t v) {
    p[0] = static_cast<unsigned char>(v >> 8);
    p[1] = static_cast<unsigned char>(v);
}

inline void WriteU24BE(unsigned char* p, uint32_t v) {
    p[0] = static_cast<unsigned char>(v >> 16);
    p[1] = static_cast<unsigned char>(v >> 8);
    p[2] = static_cast<unsigned char>(v);
}

inline void WriteU32BE(unsigned char* p, uint32_t v) {
    p[0] = static_cast<unsigned char>(v >> 24);
    p[1] = static_cast<unsigned char>(v >> 16);
    p[2] = static_cast<unsigned char>(v >> 8);
    p[3] = static_cast<unsigned char>(v);
}


#endif
