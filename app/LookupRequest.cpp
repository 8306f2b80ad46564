#include "app/LookupRequest.h"

namespace {

const char kMagicLine[] = "lexano-lookup 1";
const char* const kSourceNames[] = {"none", "words", "selection"};

bool IsLookupWhiteSpace(char ch) {
    return ch == ' ' || ch == '\t' || ch == '\n' || ch == '\r' || ch == '\v' || ch == '\f';
}

// Moves the line that starts at nPos (without its '\n') into strLine and nPos past it. False
// when no '\n' ends it.
bool TakeLine(const std::string& strData, size_t& nPos, std::string& strLine) {
    const size_t nEnd = strData.find('\n', nPos);
    if (nEnd == std::string::npos) {
        return false;
    }
    strLine = strData.substr(nPos, nEnd - nPos);
    nPos = nEnd + 1;
    return true;
}

}  // namespace

std::string EncodeLookupRequest(const LookupRequest& request) {
    std::string strData = kMagicLine;
    strData += '\n';
    strData += kSourceNames[static_cast<int>(request.nSource)];
    strData += '\n';
    for (char ch : request.strStartupId) {
        if (ch != '\n') {
            strData += ch;
        }
    }
    strData += '\n';
    if (request.nSource == LookupRequest::Source::kWords) {
        strData += request.strText;
    }
    return strData;
}

bool DecodeLookupRequest(const std::string& strData, LookupRequest& request) {
    size_t nPos = 0;
    std::string strMagic;
    std::string strSource;
    std::string strStartupId;
    if (!TakeLine(strData, nPos, strMagic) || strMagic != kMagicLine ||
        !TakeLine(strData, nPos, strSource) || !TakeLine(strData, nPos, strStartupId)) {
        return false;
    }
    LookupRequest result;
    bool bKnown = false;
    for (int i = 0; i < 3; ++i) {
        if (strSource == kSourceNames[i]) {
            result.nSource = static_cast<LookupRequest::Source>(i);
            bKnown = true;
        }
    }
    const std::string strText = strData.substr(nPos);
    if (!bKnown || (result.nSource != LookupRequest::Source::kWords && !strText.empty())) {
        return false;
    }
    result.strText = strText;
    result.strStartupId = strStartupId;
    request = result;
    return true;
}

std::string NormaliseLookupText(const std::string& strText) {
    std::string strResult;
    strResult.reserve(strText.size());
    bool bSpace = false;  // white space seen since the last word character
    for (char ch : strText) {
        if (IsLookupWhiteSpace(ch)) {
            bSpace = true;
            continue;
        }
        if (bSpace && !strResult.empty()) {
            strResult += ' ';
        }
        bSpace = false;
        strResult += ch;
    }
    return strResult;
}
