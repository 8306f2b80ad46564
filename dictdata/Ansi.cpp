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
