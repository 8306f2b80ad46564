// Exception lists of the morphology records; the record layout is in ExceptionList.h.
#include "dictdata/ExceptionList.h"

#include <algorithm>
#include <cstring>

#include "dictdata/BigEndian.h"

namespace {

constexpr size_t kMaxText = 255;

// True when [p, p + n) is a text of 1 to 255 bytes without tab, line feed or zero byte.
bool IsPlainText(const char* p, size_t n) {
    if (n == 0 || n > kMaxText) return false;
    for (size_t i = 0; i < n; ++i) {
        if (p[i] == '\t' || p[i] == '\n' || p[i] == '\0') return false;
    }
    return true;
}

// Unsigned byte order, as the word list sorts.
int CompareBytes(const std::string& a, const std::string& b) {
    const size_t n = std::min(a.size(), b.size());
    const int nOrder = std::memcmp(a.data(), b.data(), n);
    if (nOrder != 0) return nOrder;
    return a.size() < b.size() ? -1 : (a.size() > b.size() ? 1 : 0);
}

}  // namespace

bool ExceptionList::Assign(std::string strData, uint32_t nPairs) {
    std::vector<uint32_t> starts;
    starts.reserve(std::min<uint32_t>(nPairs, kMaxExceptionData / 4));
    std::string strPrevious;
    size_t nPos = 0;
    while (nPos < strData.size()) {
        const size_t nEnd = strData.find('\n', nPos);
        if (nEnd == std::string::npos) return false;
        const size_t nTab = strData.find('\t', nPos);
        if (nTab == std::string::npos || nTab > nEnd ||
            !IsPlainText(strData.data() + nPos, nTab - nPos) ||
            !IsPlainText(strData.data() + nTab + 1, nEnd - nTab - 1)) {
            return false;
        }
        std::string strForm = strData.substr(nPos, nTab - nPos);
        if (!starts.empty() && CompareBytes(strPrevious, strForm) > 0) return false;
        starts.push_back(static_cast<uint32_t>(nPos));
        strPrevious.swap(strForm);
        nPos = nEnd + 1;
    }
    if (starts.size() != nPairs) return false;
    m_data.swap(strData);
    m_lineStarts.swap(starts);
    return true;
}

int ExceptionList::CompareForm(size_t nLine, const std::string& strForm) const {
    const char* pForm = m_data.data() + m_lineStarts[nLine];
    const size_t nLength = std::strchr(pForm, '\t') - pForm;  // every line holds a tab
    const size_t n = std::min(nLength, strForm.size());
    const int nOrder = std::memcmp(pForm, strForm.data(), n);
    if (nOrder != 0) return nOrder;
    return nLength < strForm.size() ? -1 : (nLength > strForm.size() ? 1 : 0);
}

void ExceptionList::FindBases(const std::string& strForm, std::vector<std::string>& bases) const {
    // Lower bound: the first line whose form is not below strForm. Invariant: lines before lo
    // are below it, lines from hi on are not.
    size_t lo = 0;
    size_t hi = m_lineStarts.size();
    while (lo < hi) {
        const size_t mid = lo + (hi - lo) / 2;
        if (CompareForm(mid, strForm) < 0) {
            lo = mid + 1;
        } else {
            hi = mid;
        }
    }
    const size_t nEnd = std::min(m_lineStarts.size(), lo + kMaxBasesPerForm);
    for (size_t nLine = lo; nLine < nEnd && CompareForm(nLine, strForm) == 0; ++nLine) {
        const size_t nBase = m_lineStarts[nLine] + strForm.size() + 1;
        bases.push_back(m_data.substr(nBase, m_data.find('\n', nBase) - nBase));
    }
}

bool ReadExceptionHeader(const unsigned char* lpRecord, size_t nSize, int& nPartOfSpeech,
                         uint32_t& nPairs, uint32_t& nDataSize) {
    if (nSize < kExceptionHeaderSize || std::memcmp(lpRecord, kExceptionTag, 4) != 0 ||
        lpRecord[5] != 0) {
        return false;
    }
    int nPart = -1;
    switch (lpRecord[4]) {
        case 'N': nPart = 3; break;
        case 'V': nPart = 2; break;
        case 'a': nPart = 1; break;
        case 'v': nPart = 0; break;
        default: return false;
    }
    const uint32_t nCount = ReadU32BE(lpRecord + 6);
    const uint32_t nData = ReadU32BE(lpRecord + 10);
    // Every pair takes at least four bytes ("a\tb\n").
    if (nData > kMaxExceptionData || nCount > nData / 4 ||
        nSize - kExceptionHeaderSize > kMaxExceptionStored) {
        return false;
    }
    nPartOfSpeech = nPart;
    nPairs = nCount;
    nDataSize = nData;
    return true;
}
