// Clipboard and selection text through the search box's path: cleaned as the window cleans it,
// lower-cased, searched and resolved in a small dictionary, and the found row read back; the
// texts the resolution tries each shorter than the one before.
#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <string>

#include "platform/LookupText.h"
#include "dictdata/Ansi.h"
#include "dictdata/DictionaryFile.h"
#include "dictdata/SearchText.h"
#include "dictdata/WordResolver.h"
#include "tools/DataFileWriter.h"

namespace {

DictionaryFile* Dictionary() {
    static DictionaryFile* pDict = [] {
        DataFileContent content;
        content.nWordsPerBlock = 3;
        const char* const kWords[] = {"a", "bank", "banks", "fast", "quick", "run", "sun", "sunset",
                                      "zebra", "\xE9t\xE9"};
        for (const char* lpszWord : kWords) {
            content.entries.push_back(std::string(lpszWord) + "\ndefinition");
            content.words.push_back({lpszWord, {static_cast<uint32_t>(content.entries.size())}});
        }
        const uint32_t nSizes[4] = {static_cast<uint32_t>(content.entries.size()), 0, 0, 0};
        GroupCountsForSizes(nSizes, content.entryCounts);
        std::vector<unsigned char> bytes;
        std::string strError;
        const int nFd = memfd_create("lexano-fuzz-dict", 0);
        if (!WriteDataFile(content, bytes, strError) || nFd < 0 ||
            write(nFd, bytes.data(), bytes.size()) != static_cast<ssize_t>(bytes.size())) {
            __builtin_trap();
        }
        DictionaryFile* pNew = new DictionaryFile;
        if (!pNew->Open(("/proc/self/fd/" + std::to_string(nFd)).c_str())) __builtin_trap();
        return pNew;
    }();
    return pDict;
}

void Search(const std::string& strText) {
    DictionaryFile* pDict = Dictionary();
    const int nPos = pDict->FindWord(AnsiLowerCopy(strText));
    std::string strWord;
    if (nPos < 0 || static_cast<uint32_t>(nPos) >= pDict->GetWordCount() || !pDict->GetWord(nPos, strWord)) {
        __builtin_trap();
    }
    int nResolved = -1;
    Resolution how = Resolution::kNearest;
    if (!ResolveWord(*pDict, AnsiLowerCopy(strText), nResolved, how) || nResolved < 0 ||
        static_cast<uint32_t>(nResolved) >= pDict->GetWordCount() ||
        !pDict->GetWord(nResolved, strWord)) {
        __builtin_trap();
    }
    const std::vector<std::string> texts = SearchTextsFor(strText);
    if (texts.empty() || texts.size() > 3 || texts[0].size() > strText.size()) __builtin_trap();
    for (size_t i = 1; i < texts.size(); ++i) {
        if (texts[i].empty() || texts[i].size() >= texts[i - 1].size()) __builtin_trap();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize) {
    const std::string strInput(reinterpret_cast<const char*>(pData), nSize);
    const std::string strClipboard = ClipboardTextToSearch(strInput);
    if (strClipboard.find_first_of("\r\n\t") != std::string::npos ||
        strClipboard.find('\0') != std::string::npos) {
        __builtin_trap();
    }
    Search(strClipboard);
    std::string strSelection = strInput;
    TrimWhiteSpace(strSelection);
    Search(strSelection);
    return 0;
}
