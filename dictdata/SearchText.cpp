#include "dictdata/SearchText.h"

namespace {

bool IsSearchSpace(unsigned char ch) {
    return ch == ' ' || ch == '\t' || ch == '\n' || ch == '\v' || ch == '\f' || ch == '\r' ||
           ch == 0xA0;
}

// The plain form of a typographic mark of 1252; the byte itself for every other one.
char PlainMark(unsigned char ch) {
    switch (ch) {
        case 0x82: case 0x8B: case 0x91: case 0x92: case 0x9B: return '\'';
        case 0x84: case 0x93: case 0x94: case 0xAB: case 0xBB: return '"';
        case 0x96: case 0x97: return '-';
        default: return static_cast<char>(ch);
    }
}

}  // namespace

bool IsSearchPunctuation(unsigned char ch) {
    if (ch < 0x80) {
        return (ch >= '!' && ch <= '/') || (ch >= ':' && ch <= '@') || (ch >= '[' && ch <= '`') ||
               (ch >= '{' && ch <= '~');
    }
    switch (ch) {
        case 0x82: case 0x84: case 0x85: case 0x8B: case 0x91: case 0x92: case 0x93: case 0x94:
        case 0x95: case 0x96: case 0x97: case 0x9B: case 0xA1: case 0xAB: case 0xB7: case 0xBB:
        case 0xBF:
            return true;
        default:
            return false;
    }
}

void FindWordSpan(const std::string& strText, size_t& nBegin, size_t& nEnd) {
    auto isEdge = [](char ch) {
        const unsigned char nByte = static_cast<unsigned char>(ch);
        return IsSearchSpace(nByte) || IsSearchPunctuation(nByte);
    };
    size_t nFrom = 0;
    while (nFrom < strText.size() && isEdge(strText[nFrom])) ++nFrom;
    size_t nTo = strText.size();
    while (nTo > nFrom && isEdge(strText[nTo - 1])) --nTo;
    nBegin = nFrom;
    nEnd = nTo;
}

std::string PlainSearchText(const std::string& strText) {
    size_t nFrom = 0;
    while (nFrom < strText.size() && IsSearchSpace(static_cast<unsigned char>(strText[nFrom]))) {
        ++nFrom;
    }
    size_t nTo = strText.size();
    while (nTo > nFrom && IsSearchSpace(static_cast<unsigned char>(strText[nTo - 1]))) --nTo;
    std::string strPlain;
    strPlain.reserve(nTo - nFrom);
    for (size_t i = nFrom; i < nTo; ++i) {
        strPlain += PlainMark(static_cast<unsigned char>(strText[i]));
    }
    return strPlain;
}

std::vector<std::string> SearchTextsFor(const std::string& strText) {
    const std::string strPlain = PlainSearchText(strText);
    std::vector<std::string> texts(1, strPlain);
    size_t nBegin = 0;
    size_t nEnd = 0;
    FindWordSpan(strPlain, nBegin, nEnd);
    if (nBegin == nEnd) return texts;
    if (nEnd < strPlain.size()) texts.push_back(strPlain.substr(0, nEnd));
    if (nBegin > 0) texts.push_back(strPlain.substr(nBegin, nEnd - nBegin));
    return texts;
}
