#include "dictdata/Ansi.h"

unsigned char AnsiToLower(unsigned char ch) {
    if ((ch >= 'A' && ch <= 'Z') || (ch >= 0xC0 && ch <= 0xDE && ch != 0xD7)) return ch + 0x20;
    switch (ch) {
        case 0x8A: return 0x9A;  // Š
        case 0x8C: return 0x9C;  // Œ
        case 0x8E: return 0x9E;  // Ž
        case 0x9F: return 0xFF;  // Ÿ
        default: return ch;
    }
}

unsigned char AnsiToUpper(unsigned char ch) {
    if ((ch >= 'a' && ch <= 'z') || (ch >= 0xE0 && ch <= 0xFE && ch != 0xF7)) return ch - 0x20;
    switch (ch) {
        case 0x9A: return 0x8A;
        case 0x9C: return 0x8C;
        case 0x9E: return 0x8E;
        case 0xFF: return 0x9F;
        default: return ch;
    }
}

std::string AnsiLowerCopy(const std::string& strText) {
    std::string strLower(strText);
    for (char& ch : strLower) ch = static_cast<char>(AnsiToLower(static_cast<unsigned char>(ch)));
    return strLower;
}

