// Small text helpers shared by the WordNet reader's line parser and gloss splitter.
#ifndef LEXANO_TOOLS_WORDNETTEXT_H
#define LEXANO_TOOLS_WORDNETTEXT_H

#include <string>

inline bool IsBlank(char ch) { return ch == ' ' || ch == '\t'; }

// strText without the leading and trailing characters of lpszChars.
inline std::string Trim(const std::string& strText, const char* lpszChars = " \t") {
    const size_t nBegin = strText.find_first_not_of(lpszChars);
    if (nBegin == std::string::npos) return std::string();
    const size_t nEnd = strText.find_last_not_of(lpszChars);
    return strText.substr(nBegin, nEnd - nBegin + 1);
}

// strText without the trailing characters of lpszChars.
inline std::string TrimRight(const std::string& strText, const char* lpszChars) {
    const size_t nEnd = strText.find_last_not_of(lpszChars);
    return nEnd == std::string::npos ? std::string() : strText.substr(0, nEnd + 1);
}

#endif
