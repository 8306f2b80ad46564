// Reads the WordNet 3.0 database files; see WordNetReader.h for the line formats.
#include "tools/WordNetReader.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <unordered_map>

namespace {

constexpr size_t kMaxWordLength = 255;     // word texts carry an 8-bit length
constexpr size_t kMaxEntriesPerWord = 255; // and an 8-bit entry count
constexpr uint32_t kMaxEntryNumber = 0xFFFFFF;  // entry numbers are stored in 24 bits
constexpr size_t kEntryRecordHeader = 2;   // the 16-bit record length before each entry text

// The four parts of speech in entry group order.
struct PosFiles {
    const char* lpszName;   // file name suffix
    char chIndexPos;        // pos field of its index lines
    unsigned char chCode;   // letter code of its entry group
};
constexpr PosFiles kPosFiles[4] = {
    {"noun", 'n', 'N'}, {"verb", 'v', 'V'}, {"adj", 'a', 'a'}, {"adv", 'r', 'v'}};

bool IsBlank(char ch) { return ch == ' ' || ch == '\t'; }

std::string Trim(const std::string& strText, const char* lpszChars = " \t") {
    const size_t nBegin = strText.find_first_not_of(lpszChars);
    if (nBegin == std::string::npos) return std::string();
    const size_t nEnd = strText.find_last_not_of(lpszChars);
    return strText.substr(nBegin, nEnd - nBegin + 1);
}

std::string TrimRight(const std::string& strText, const char* lpszChars) {
    const size_t nEnd = strText.find_last_not_of(lpszChars);
    return nEnd == std::string::npos ? std::string() : strText.substr(0, nEnd + 1);
}

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

// ---- Glosses ----

// Index of the nearest non-blank character before nPos, or npos.
size_t PrevNonBlank(const std::string& s, size_t nPos) {
    while (nPos > 0) {
        --nPos;
        if (!IsBlank(s[nPos])) return nPos;
    }
    return std::string::npos;
}

size_t SkipBlanks(const std::string& s, size_t nPos) {
    while (nPos < s.size() && IsBlank(s[nPos])) ++nPos;
    return nPos;
}

// A quote that opens a quotation is directly followed by its text; a closing one by a blank, a
// separator or the end. Glosses with unbalanced quotes make counting useless, this does not.
bool IsOpeningQuote(const std::string& s, size_t nPos) {
    return nPos + 1 < s.size() && std::strchr(" \t;,:.", s[nPos + 1]) == nullptr;
}

// Where the examples begin: the first quote outside parentheses and outside an earlier
// quotation that follows ";", ":", "," or ")". npos when the gloss has no examples. Quotes inside
// parentheses belong to the definition ("(e.g., \"he said ...\")").
size_t FindExamplesStart(const std::string& strGloss) {
    int nDepth = 0;
    bool bInQuote = false;
    for (size_t i = 0; i < strGloss.size(); ++i) {
        const char ch = strGloss[i];
        if (bInQuote) {
            if (ch == '"') bInQuote = false;
        } else if (ch == '(') {
            ++nDepth;
        } else if (ch == ')') {
            if (nDepth > 0) --nDepth;
        } else if (ch == '"') {
            const size_t nPrev = PrevNonBlank(strGloss, i);
            if (nDepth == 0 && nPrev != std::string::npos &&
                std::strchr(";:,)", strGloss[nPrev]) != nullptr) {
                return i;
            }
            bInQuote = true;
        }
    }
    return std::string::npos;
}

// End of the separator that follows the closing quote at nQuote when an opening quote comes
// next: blanks with at most one of ";,:." and an optional "or" ("\"a\", \"b\"", "\"a\" or
// \"b\"", "\"a?\" \"b\""). npos when no quotation follows that way.
size_t QuoteSeparatorEnd(const std::string& s, size_t nQuote) {
    size_t k = SkipBlanks(s, nQuote + 1);
    if (k < s.size() && std::strchr(";,:.", s[k]) != nullptr) k = SkipBlanks(s, k + 1);
    if (s.compare(k, 2, "or") == 0 && k + 2 < s.size() && IsBlank(s[k + 2])) {
        k = SkipBlanks(s, k + 2);
    }
    if (k == nQuote + 1 || k >= s.size() || s[k] != '"' || !IsOpeningQuote(s, k)) {
        return std::string::npos;
    }
    return k;
}

// Cuts the examples part into its pieces, each with its own quotes and attribution.
std::vector<std::string> CutExamples(const std::string& strPart) {
    std::vector<std::string> pieces;
    size_t nStart = 0;
    size_t i = 0;
    auto Cut = [&](size_t nEnd, size_t nNext) {
        pieces.push_back(strPart.substr(nStart, nEnd - nStart));
        nStart = i = nNext;
    };
    while (i < strPart.size()) {
        const char ch = strPart[i];
        if (ch == '"' && i > nStart) {
            const size_t nNext = QuoteSeparatorEnd(strPart, i);
            if (nNext != std::string::npos) {
                Cut(i + 1, nNext);
                continue;
            }
            const size_t k = SkipBlanks(strPart, i + 1);
            if (k < strPart.size() && strPart[k] == ';') {  // "...\"; next" with no quote after
                Cut(i + 1, SkipBlanks(strPart, k + 1));
                continue;
            }
        } else if (ch == ';') {
            const size_t k = SkipBlanks(strPart, i + 1);
            if (k < strPart.size() && strPart[k] == '"' && IsOpeningQuote(strPart, k)) {
                Cut(i, k);
                continue;
            }
        }
        ++i;
    }
    pieces.push_back(strPart.substr(nStart));
    return pieces;
}

bool IsLowerAscii(char ch) { return ch >= 'a' && ch <= 'z'; }

void AppendNote(std::string& strDefinition, const std::string& strNote) {
    if (!strDefinition.empty()) strDefinition += "; ";
    strDefinition += strNote;
}

}  // namespace

void SplitGloss(const std::string& strGloss, std::string& strDefinition,
                std::vector<std::string>& examples) {
    const std::string strText = Trim(strGloss);
    const size_t nStart = FindExamplesStart(strText);
    std::string strDef;
    std::vector<std::string> found;
    if (nStart == std::string::npos) {
        strDef = TrimRight(strText, " \t;");
    } else {
        strDef = TrimRight(strText.substr(0, nStart), " \t;:,");
        for (const std::string& strRaw : CutExamples(strText.substr(nStart))) {
            const std::string strPiece = Trim(strRaw);
            if (strPiece.empty()) continue;
            if (strPiece.find('"') == std::string::npos) {
                AppendNote(strDef, strPiece);
                continue;
            }
            const std::string strBody = strPiece[0] == '"' ? strPiece.substr(1) : strPiece;
            const size_t nClose = strBody.rfind('"');
            if (nClose == std::string::npos) {  // never closed: the rest is the example
                const std::string strExample = Trim(strBody);
                if (!strExample.empty()) found.push_back(strExample);
                continue;
            }
            const std::string strContent = Trim(TrimRight(strBody.substr(0, nClose), " \t;"));
            const std::string strTail = Trim(strBody.substr(nClose + 1));
            if (strTail.empty()) {
                if (!strContent.empty()) found.push_back(strContent);
            } else if (IsLowerAscii(strTail[0]) && !strContent.empty() &&
                       std::strchr(",.?!", strContent.back()) == nullptr) {
                // A quoted phrase that a sentence goes on from: "\"x\" is a British term".
                AppendNote(strDef, strPiece);
            } else {
                // An attribution ("- Shakespeare", "(Santayana)") or the speaker of a quoted
                // speech ("\"Now listen, friends,\" he began") stays with its example.
                found.push_back(strContent + (strTail[0] == ')' ? "" : " ") + strTail);
            }
        }
    }
    if (strDef.empty() && !found.empty()) {
        // An empty definition would make the reader take the examples for the definition.
        strDef = strText;
        found.clear();
    }
    strDefinition = strDef;
    examples = found;
}

std::string DisplayWord(const std::string& strWord) {
    std::string strText = strWord;
    for (const char* lpszMarker : {"(a)", "(p)", "(ip)"}) {
        const size_t nLen = std::strlen(lpszMarker);
        if (strText.size() > nLen && strText.compare(strText.size() - nLen, nLen, lpszMarker) == 0) {
            strText.resize(strText.size() - nLen);
            break;
        }
    }
    std::replace(strText.begin(), strText.end(), '_', ' ');
    return strText;
}

std::string EntryText(const WordNetSynset& synset) {
    std::string strText;
    for (size_t i = 0; i < synset.words.size(); ++i) {
        if (i > 0) strText += '|';
        strText += DisplayWord(synset.words[i]);
    }
    std::string strDefinition;
    std::vector<std::string> examples;
    SplitGloss(synset.strGloss, strDefinition, examples);
    strText += '\n';
    strText += strDefinition;
    for (size_t i = 0; i < examples.size(); ++i) {
        strText += i == 0 ? '\n' : '|';
        strText += examples[i];
    }
    return strText;
}

// ---- Lines ----

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

bool ParseDataLine(const std::string& strLine, bool bVerbFrames, WordNetSynset& out,
                   std::string& strError) {
    FieldReader fields(strLine);
    WordNetSynset synset;
    uint32_t nFileNumber = 0, nWords = 0, nPointers = 0;
    std::string strType, strField;
    if (!fields.Number(10, synset.nOffset)) {
        strError = "expected the synset offset";
        return false;
    }
    if (!fields.Number(10, nFileNumber)) {
        strError = "expected the lexicographer file number";
        return false;
    }
    if (!fields.Next(strType) || strType.size() != 1 ||
        std::strchr("nvasr", strType[0]) == nullptr) {
        strError = "expected the synset type n, v, a, s or r";
        return false;
    }
    synset.chType = strType[0];
    if (!fields.Number(16, nWords) || nWords == 0) {
        strError = "expected a word count of at least 1";
        return false;
    }
    for (uint32_t i = 0; i < nWords; ++i) {
        std::string strWord;
        uint32_t nLexId = 0;
        if (!fields.Next(strWord) || !fields.Number(16, nLexId)) {
            strError = "fewer words than the word count";
            return false;
        }
        synset.words.push_back(strWord);
    }
    if (!fields.Number(10, nPointers)) {
        strError = "expected the pointer count";
        return false;
    }
    for (uint32_t i = 0; i < nPointers; ++i) {
        uint32_t nTarget = 0, nSourceTarget = 0;
        std::string strPos;
        if (!fields.Next(strField) || !fields.Number(10, nTarget) || !fields.Next(strPos) ||
            !fields.Number(16, nSourceTarget)) {
            strError = "fewer pointers than the pointer count";
            return false;
        }
    }
    if (bVerbFrames) {
        uint32_t nFrames = 0;
        if (!fields.Number(10, nFrames)) {
            strError = "expected the verb frame count";
            return false;
        }
        for (uint32_t i = 0; i < nFrames; ++i) {
            uint32_t nFrame = 0, nWord = 0;
            if (!fields.Next(strField) || strField != "+" || !fields.Number(10, nFrame) ||
                !fields.Number(16, nWord)) {
                strError = "fewer verb frames than the frame count";
                return false;
            }
        }
    }
    if (!fields.Next(strField) || strField != "|") {
        strError = "expected \"|\" before the gloss";
        return false;
    }
    synset.strGloss = TrimRight(fields.Rest(), " \t\r");
    out = std::move(synset);
    return true;
}

// ---- Files ----

namespace {

bool ReadWholeFile(const std::string& strPath, std::string& strData, std::string& strError) {
    FILE* pFile = std::fopen(strPath.c_str(), "rb");
    if (pFile == nullptr) {
        strError = "cannot open " + strPath + ": " + std::strerror(errno);
        return false;
    }
    std::string strResult;
    char buffer[65536];
    size_t nRead;
    while ((nRead = std::fread(buffer, 1, sizeof buffer, pFile)) > 0) strResult.append(buffer, nRead);
    const bool bFailed = std::ferror(pFile) != 0;
    std::fclose(pFile);
    if (bFailed) {
        strError = "cannot read " + strPath;
        return false;
    }
    strData.swap(strResult);
    return true;
}

// Calls onLine(line, line number) for every line that is not licence text or empty, stopping at
// the first false.
template <typename OnLine>
bool ForEachLine(const std::string& strData, OnLine onLine) {
    size_t nPos = 0;
    int nLine = 0;
    std::string strLine;
    while (nPos < strData.size()) {
        size_t nEnd = strData.find('\n', nPos);
        if (nEnd == std::string::npos) nEnd = strData.size();
        ++nLine;
        strLine.assign(strData, nPos, nEnd - nPos);
        nPos = nEnd + 1;
        if (!strLine.empty() && strLine.back() == '\r') strLine.pop_back();
        if (strLine.empty() || strLine.compare(0, 2, "  ") == 0) continue;
        if (!onLine(strLine, nLine)) return false;
    }
    return true;
}

std::string At(const std::string& strPath, int nLine) {
    return strPath + " line " + std::to_string(nLine) + ": ";
}

struct SynsetRecord {
    WordNetSynset synset;
    int nLine = 0;
    uint32_t nEntry = 0;  // entry number, 0 until numbered
};

struct PosData {
    std::string strDataPath;
    std::vector<SynsetRecord> synsets;  // in file order
    std::unordered_map<uint32_t, uint32_t> byOffset;
};

struct HeadwordRecord {
    std::string strText;
    std::vector<uint32_t> senses[4];  // indices into PosData::synsets, in sense order
    size_t nSenseCount = 0;
};

bool ReadDataFile(const std::string& strDir, int nPos, PosData& data, std::string& strError) {
    data.strDataPath = strDir + "data." + kPosFiles[nPos].lpszName;
    std::string strData;
    if (!ReadWholeFile(data.strDataPath, strData, strError)) return false;
    const bool bVerb = kPosFiles[nPos].chIndexPos == 'v';
    return ForEachLine(strData, [&](const std::string& strLine, int nLine) {
        SynsetRecord record;
        std::string strWhy;
        if (!ParseDataLine(strLine, bVerb, record.synset, strWhy)) {
            strError = At(data.strDataPath, nLine) + strWhy;
            return false;
        }
        const char chType = record.synset.chType;
        const char chExpected = kPosFiles[nPos].chIndexPos;
        if (chType != chExpected && !(chExpected == 'a' && chType == 's')) {
            strError = At(data.strDataPath, nLine) + "synset type " + chType +
                       " does not belong in this file";
            return false;
        }
        const uint32_t nIndex = static_cast<uint32_t>(data.synsets.size());
        if (!data.byOffset.emplace(record.synset.nOffset, nIndex).second) {
            strError = At(data.strDataPath, nLine) + "synset offset " +
                       std::to_string(record.synset.nOffset) + " appears twice";
            return false;
        }
        record.nLine = nLine;
        data.synsets.push_back(std::move(record));
        return true;
    });
}

bool ReadIndexFile(const std::string& strDir, int nPos, const PosData& data,
                   std::vector<HeadwordRecord>& words,
                   std::unordered_map<std::string, size_t>& byText, std::string& strError) {
    const std::string strPath = strDir + "index." + kPosFiles[nPos].lpszName;
    std::string strData;
    if (!ReadWholeFile(strPath, strData, strError)) return false;
    return ForEachLine(strData, [&](const std::string& strLine, int nLine) {
        WordNetIndexLine line;
        std::string strWhy;
        if (!ParseIndexLine(strLine, line, strWhy)) {
            strError = At(strPath, nLine) + strWhy;
            return false;
        }
        if (line.chPos != kPosFiles[nPos].chIndexPos) {
            strError = At(strPath, nLine) + "part of speech " + line.chPos +
                       " does not belong in this file";
            return false;
        }
        if (line.strLemma.size() > kMaxWordLength) {
            strError = At(strPath, nLine) + "lemma longer than " +
                       std::to_string(kMaxWordLength) + " bytes";
            return false;
        }
        std::string strText = line.strLemma;
        std::replace(strText.begin(), strText.end(), '_', ' ');
        const auto inserted = byText.emplace(strText, words.size());
        if (inserted.second) {
            words.emplace_back();
            words.back().strText = strText;
        }
        HeadwordRecord& word = words[inserted.first->second];
        if (!word.senses[nPos].empty()) {
            strError = At(strPath, nLine) + "lemma \"" + line.strLemma + "\" listed twice";
            return false;
        }
        for (uint32_t nOffset : line.offsets) {
            const auto found = data.byOffset.find(nOffset);
            if (found == data.byOffset.end()) {
                strError = At(strPath, nLine) + "synset offset " + std::to_string(nOffset) +
                           " is not in " + data.strDataPath;
                return false;
            }
            word.senses[nPos].push_back(found->second);
        }
        word.nSenseCount += line.offsets.size();
        if (word.nSenseCount > kMaxEntriesPerWord) {
            strError = At(strPath, nLine) + "\"" + line.strLemma + "\" has more than " +
                       std::to_string(kMaxEntriesPerWord) + " senses";
            return false;
        }
        return true;
    });
}

}  // namespace

bool ReadWordNet(const std::string& strDir, DataFileContent& content, std::string& strError) {
    const std::string strFolder =
        strDir.empty() || strDir.back() == '/' ? strDir : strDir + "/";
    PosData data[4];
    std::vector<HeadwordRecord> words;
    std::unordered_map<std::string, size_t> byText;
    byText.reserve(1 << 18);
    for (int nPos = 0; nPos < 4; ++nPos) {
        if (!ReadDataFile(strFolder, nPos, data[nPos], strError)) return false;
        if (!ReadIndexFile(strFolder, nPos, data[nPos], words, byText, strError)) return false;
    }
    std::sort(words.begin(), words.end(), [](const HeadwordRecord& a, const HeadwordRecord& b) {
        return a.strText < b.strText;
    });

    // Entries are numbered group by group; inside a group in the order in which the sorted
    // headwords first name them. The senses of one word then share a few entry blocks instead of
    // lying all over the file, which makes its pages cheaper to build (the engine inflates a
    // whole block per entry and keeps none) at the price of a slightly larger file, since
    // file order groups synsets of one topic that compress better together.
    uint32_t nGroupBase[4];
    uint32_t nSizes[4];
    uint32_t nTotal = 0;
    for (int nPos = 0; nPos < 4; ++nPos) {
        nSizes[nPos] = static_cast<uint32_t>(data[nPos].synsets.size());
        nGroupBase[nPos] = nTotal;
        if (nSizes[nPos] > kMaxEntryNumber - nTotal) {
            const SynsetRecord& over = data[nPos].synsets[kMaxEntryNumber - nTotal];
            strError = At(data[nPos].strDataPath, over.nLine) + "more than " +
                       std::to_string(kMaxEntryNumber) + " synsets in all";
            return false;
        }
        nTotal += nSizes[nPos];
    }
    uint32_t nNext[4] = {0, 0, 0, 0};
    auto Number = [&](int nPos, uint32_t nIndex) {
        SynsetRecord& record = data[nPos].synsets[nIndex];
        if (record.nEntry == 0) record.nEntry = nGroupBase[nPos] + ++nNext[nPos];
    };
    for (const HeadwordRecord& word : words) {
        for (int nPos = 0; nPos < 4; ++nPos) {
            for (uint32_t nIndex : word.senses[nPos]) Number(nPos, nIndex);
        }
    }
    for (int nPos = 0; nPos < 4; ++nPos) {  // synsets that no lemma names keep file order
        for (uint32_t i = 0; i < nSizes[nPos]; ++i) Number(nPos, i);
    }

    std::vector<std::string> entries(nTotal);
    for (int nPos = 0; nPos < 4; ++nPos) {
        for (const SynsetRecord& record : data[nPos].synsets) {
            std::string strText = EntryText(record.synset);
            if (strText.size() + kEntryRecordHeader > content.nEntryBlockLimit) {
                strError = At(data[nPos].strDataPath, record.nLine) + "entry of " +
                           std::to_string(strText.size()) + " bytes does not fit an entry block";
                return false;
            }
            entries[record.nEntry - 1] = std::move(strText);
        }
    }
    std::vector<WriterWord> writerWords(words.size());
    for (size_t i = 0; i < words.size(); ++i) {
        writerWords[i].strText = words[i].strText;
        for (int nPos = 0; nPos < 4; ++nPos) {
            for (uint32_t nIndex : words[i].senses[nPos]) {
                writerWords[i].entries.push_back(data[nPos].synsets[nIndex].nEntry);
            }
        }
    }

    content.words = std::move(writerWords);
    content.entries = std::move(entries);
    for (int nPos = 0; nPos < 4; ++nPos) content.posCodes[nPos] = kPosFiles[nPos].chCode;
    GroupCountsForSizes(nSizes, content.entryCounts);
    return true;
}
