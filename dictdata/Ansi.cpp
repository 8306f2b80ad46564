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


namespace {

// Plain letters for 0xC0 to 0xFF, "" for the two signs (multiplication, division) kept as they
// are; the ligatures and thorn take two letters.
const char* const kFoldedLatin1[64] = {
    "A", "A", "A", "A", "A", "A", "AE", "C", "E", "E", "E", "E", "I", "I", "I", "I",
    "D", "N", "O", "O", "O", "O", "O", "",  "O", "U", "U", "U", "U", "Y", "TH", "ss",
    "a", "a", "a", "a", "a", "a", "ae", "c", "e", "e", "e", "e", "i", "i", "i", "i",
    "d", "n", "o", "o", "o", "o", "o", "",  "o", "u", "u", "u", "u", "y", "th", "y"};

const char* FoldedLetter(unsigned char ch) {
    if (ch >= 0xC0) return kFoldedLatin1[ch - 0xC0];
    switch (ch) {
        case 0x8A: return "S";
        case 0x8C: return "OE";
        case 0x8E: return "Z";
        case 0x9A: return "s";
        case 0x9C: return "oe";
        case 0x9E: return "z";
        case 0x9F: return "Y";
        default: return "";
    }
}

}  // namespace

std::string AnsiFoldAccents(const std::string& strText) {
    std::string strFolded;
    strFolded.reserve(strText.size());
    for (char ch : strText) {
        const char* lpszPlain = FoldedLetter(static_cast<unsigned char>(ch));
        if (*lpszPlain != '\0') {
            strFolded += lpszPlain;
        } else {
            strFolded += ch;
        }
    }
    return strFolded;
}

namespace {

// Unicode code points of Windows-1252 bytes 0x80 to 0x9F.
const uint16_t kCp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

}  // namespace

uint32_t AnsiToCodePoint(unsigned char ch) {
    return ch >= 0x80 && ch < 0xA0 ? kCp1252High[ch - 0x80] : ch;
}

char CodePointToAnsi(uint32_t nCode) {
    if (nCode < 0x80 || (nCode >= 0xA0 && nCode <= 0xFF)) return static_cast<char>(nCode);
    for (int i = 0; i < 32; ++i) {
        if (kCp1252High[i] == nCode) return static_cast<char>(0x80 + i);
    }
    return '?';
}
