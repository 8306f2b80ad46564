// Lines of the WordNet index and data files, parsed into their fields; see WordNetReader.h for
// the line formats.
#include <cstring>

#include "tools/WordNetReader.h"
#include "tools/WordNetText.h"

namespace {

// Cuts a line into fields at spaces, remembering where each field starts so that the gloss
// can be taken as the raw rest of the line.
class FieldReader {
public:
    explicit FieldReader(const std::string& strLine) : m_strLine(strLine) {}

    // Sets strField to the next field. False at the end of the line.
    bool Next(std::string& strField) {
        while (m_nPos < m_strLine.size() && IsBlank(m_strLine[m_nPos])) ++m_nPos;
        if (m_nPos >= m_strLine.size()) return false;
        const size_t nStart = m_nPos;
        while (m_nPos < m_strLine.size() && !IsBlank(m_strLine[m_nPos])) ++m_nPos;
        strField.assign(m_strLine, nStart, m_nPos - nStart);
        return true;
    }

    // Reads the next field as a number in base nBase (10 or 16) that fits in 32 bits.
    bool Number(int nBase, uint32_t& nValue) {
        std::string strField;
        if (!Next(strField) || strField.size() > 10) return false;
        uint64_t nResult = 0;
        for (char ch : strField) {
            int nDigit;
            if (ch >= '0' && ch <= '9') nDigit = ch - '0';
            else if (nBase == 16 && ch >= 'a' && ch <= 'f') nDigit = ch - 'a' + 10;
            else if (nBase == 16 && ch >= 'A' && ch <= 'F') nDigit = ch - 'A' + 10;
            else return false;
            nResult = nResult * nBase + nDigit;
        }
        if (nResult > 0xFFFFFFFFu) return false;
        nValue = static_cast<uint32_t>(nResult);
        return true;
    }

    // The rest of the line after the current field, without its separating blank.
    std::string Rest() const {
        return m_nPos + 1 < m_strLine.size() ? m_strLine.substr(m_nPos + 1) : std::string();
    }

    bool AtEnd() {
        while (m_nPos < m_strLine.size() && IsBlank(m_strLine[m_nPos])) ++m_nPos;
        return m_nPos >= m_strLine.size();
    }

private:
    const std::string& m_strLine;
    size_t m_nPos = 0;
};

}  // namespace

bool ParseIndexLine(const std::string& strLine, WordNetIndexLine& out, std::string& strError) {
    FieldReader fields(strLine);
    WordNetIndexLine line;
    std::string strPos;
    uint32_t nSynsets = 0, nPointers = 0, nSenses = 0, nTagged = 0;
    if (!fields.Next(line.strLemma)) {
        strError = "empty index line";
        return false;
    }
    if (!fields.Next(strPos) || strPos.size() != 1 || std::strchr("nvar", strPos[0]) == nullptr) {
        strError = "expected the part of speech n, v, a or r after the lemma";
        return false;
    }
    line.chPos = strPos[0];
    if (!fields.Number(10, nSynsets) || !fields.Number(10, nPointers)) {
        strError = "expected the synset and pointer counts";
        return false;
    }
    std::string strSymbol;
    for (uint32_t i = 0; i < nPointers; ++i) {
        if (!fields.Next(strSymbol)) {
            strError = "fewer pointer symbols than the pointer count";
            return false;
        }
    }
    if (!fields.Number(10, nSenses) || !fields.Number(10, nTagged)) {
        strError = "expected the sense and tagged sense counts";
        return false;
    }
    for (uint32_t i = 0; i < nSynsets; ++i) {
        uint32_t nOffset = 0;
        if (!fields.Number(10, nOffset)) {
            strError = "fewer synset offsets than the synset count";
            return false;
        }
        line.offsets.push_back(nOffset);
    }
    if (!fields.AtEnd()) {
        strError = "more synset offsets than the synset count";
        return false;
    }
    out = std::move(line);
    return true;
}

namespace {

bool Fault(std::string& strError, const char* lpszWhat) {
    strError = lpszWhat;
    return false;
}

// synset_offset lex_filenum ss_type w_cnt [word lex_id]{w_cnt}
bool ParseSynsetHead(FieldReader& fields, WordNetSynset& synset, std::string& strError) {
    uint32_t nFileNumber = 0, nWords = 0;
    std::string strType;
    if (!fields.Number(10, synset.nOffset)) return Fault(strError, "expected the synset offset");
    if (!fields.Number(10, nFileNumber)) {
        return Fault(strError, "expected the lexicographer file number");
    }
    if (!fields.Next(strType) || strType.size() != 1 ||
        std::strchr("nvasr", strType[0]) == nullptr) {
        return Fault(strError, "expected the synset type n, v, a, s or r");
    }
    synset.chType = strType[0];
    if (!fields.Number(16, nWords) || nWords == 0) {
        return Fault(strError, "expected a word count of at least 1");
    }
    for (uint32_t i = 0; i < nWords; ++i) {
        std::string strWord;
        uint32_t nLexId = 0;
        if (!fields.Next(strWord) || !fields.Number(16, nLexId)) {
            return Fault(strError, "fewer words than the word count");
        }
        synset.words.push_back(strWord);
    }
    return true;
}

// p_cnt [ptr_symbol offset pos source/target]{p_cnt}, and for verbs f_cnt [+ f_num w_num]{f_cnt}
bool ReadPointersAndFrames(FieldReader& fields, bool bVerbFrames, WordNetSynset& synset,
                           std::string& strError) {
    uint32_t nPointers = 0;
    std::string strField;
    if (!fields.Number(10, nPointers)) return Fault(strError, "expected the pointer count");
    for (uint32_t i = 0; i < nPointers; ++i) {
        WordNetPointer pointer;
        uint32_t nSourceTarget = 0;
        std::string strPos;
        if (!fields.Next(pointer.strSymbol) || !fields.Number(10, pointer.nOffset) ||
            !fields.Next(strPos) || !fields.Number(16, nSourceTarget)) {
            return Fault(strError, "fewer pointers than the pointer count");
        }
        if (strPos.size() != 1 || std::strchr("nvasr", strPos[0]) == nullptr ||
            nSourceTarget > 0xFFFF) {
            return Fault(strError, "expected a pointer's part of speech and source/target");
        }
        pointer.chPos = strPos[0];
        pointer.nSource = static_cast<uint8_t>(nSourceTarget >> 8);
        pointer.nTarget = static_cast<uint8_t>(nSourceTarget & 0xFF);
        synset.pointers.push_back(std::move(pointer));
    }
    if (!bVerbFrames) return true;
    uint32_t nFrames = 0;
    if (!fields.Number(10, nFrames)) return Fault(strError, "expected the verb frame count");
    for (uint32_t i = 0; i < nFrames; ++i) {
        uint32_t nFrame = 0, nWord = 0;
        if (!fields.Next(strField) || strField != "+" || !fields.Number(10, nFrame) ||
            !fields.Number(16, nWord)) {
            return Fault(strError, "fewer verb frames than the frame count");
        }
    }
    return true;
}

}  // namespace

bool ParseDataLine(const std::string& strLine, bool bVerbFrames, WordNetSynset& out,
                   std::string& strError) {
    FieldReader fields(strLine);
    WordNetSynset synset;
    std::string strField;
    if (!ParseSynsetHead(fields, synset, strError) ||
        !ReadPointersAndFrames(fields, bVerbFrames, synset, strError)) {
        return false;
    }
    if (!fields.Next(strField) || strField != "|") {
        return Fault(strError, "expected \"|\" before the gloss");
    }
    synset.strGloss = TrimRight(fields.Rest(), " \t\r");
    out = std::move(synset);
    return true;
}

bool ParseSenseCountLine(const std::string& strLine, WordNetSenseCount& out,
                         std::string& strError) {
    FieldReader fields(strLine);
    std::string strKey;
    WordNetSenseCount result;
    std::string strRest;
    if (!fields.Next(strKey) || !fields.Number(10, result.nSense) ||
        !fields.Number(10, result.nCount) || fields.Next(strRest)) {
        strError = "expected a sense key, a sense number and a count";
        return false;
    }
    const size_t nPercent = strKey.find('%');
    if (nPercent == std::string::npos || nPercent == 0 || nPercent + 2 > strKey.size() ||
        strKey[nPercent + 1] < '1' || strKey[nPercent + 1] > '5' || result.nSense == 0) {
        strError = "malformed sense key \"" + strKey + "\"";
        return false;
    }
    // ss_type: 1 noun, 2 verb, 3 adjective, 4 adverb, 5 adjective satellite.
    static const int kPos[] = {0, 1, 2, 3, 2};
    result.strLemma = strKey.substr(0, nPercent);
    result.nPos = kPos[strKey[nPercent + 1] - '1'];
    out = result;
    return true;
}
