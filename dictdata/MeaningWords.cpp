#include "dictdata/MeaningWords.h"

#include "dictdata/Ansi.h"

bool IsMeaningWordByte(unsigned char ch) {
    if ((ch >= 'a' && ch <= 'z') || (ch >= 'A' && ch <= 'Z') || (ch >= '0' && ch <= '9')) {
        return true;
    }
    switch (ch) {
        case 0x83: case 0x8A: case 0x8C: case 0x8E: case 0x9A: case 0x9C: case 0x9E: case 0x9F:
        case 0xAA: case 0xB5: case 0xBA:
            return true;
        default:
            return ch >= 0xC0 && ch != 0xD7 && ch != 0xF7;
    }
}

void SplitMeaningWords(const std::string& strText, std::vector<std::string>& words) {
    size_t i = 0;
    while (i < strText.size()) {
        while (i < strText.size() && !IsMeaningWordByte(static_cast<unsigned char>(strText[i]))) ++i;
        const size_t nStart = i;
        while (i < strText.size() && IsMeaningWordByte(static_cast<unsigned char>(strText[i]))) ++i;
        if (i > nStart) words.push_back(AnsiFoldAccents(AnsiLowerCopy(strText.substr(nStart, i - nStart))));
    }
}
