// Test access to the engine's internals: the word block slots and the record-level steps that
// only the engine itself calls. Tests reach them through this class, which the engine names as
// a friend, rather than through the public interface.
#ifndef LEXANO_TESTS_DICTIONARYFILETESTACCESS_H
#define LEXANO_TESTS_DICTIONARYFILETESTACCESS_H

#include <string>

#include "dictdata/DictionaryFile.h"

class DictionaryFileTestAccess {
public:
    using Slot = DictionaryFile::WordBlockSlot;

    static bool GetWordBlock(DictionaryFile& dict, int nBlock, Slot*& pSlot) {
        return dict.GetWordBlock(nBlock, pSlot);
    }
    static void CopyWordText(const DictionaryFile& dict, int nIndex, char* lpBuffer,
                             const Slot* pSlot) {
        dict.CopyWordText(nIndex, lpBuffer, pSlot);
    }
    static bool ReadRecordKey(DictionaryFile& dict, int nRecord, unsigned char* lpBuffer) {
        return dict.ReadRecordKey(nRecord, lpBuffer);
    }
    static uint32_t GetRecordOffset(const DictionaryFile& dict, int nRecord) {
        return dict.GetRecordOffset(nRecord);
    }
    static uint16_t GetEntriesInBlock(const DictionaryFile& dict, int nBlock) {
        return dict.GetEntriesInBlock(nBlock);
    }
    static int FindBlock(DictionaryFile& dict, const char* lpszText) {
        return dict.FindBlock(lpszText);
    }
    static int LocateEntry(DictionaryFile& dict, int nEntry, int& nPosition) {
        return dict.LocateEntry(nEntry, nPosition);
    }
    static bool DecodeEntryText(DictionaryFile& dict, int nPos, const std::string& strText,
                                std::string& strSynonyms, std::string& strDefinition,
                                std::string& strUsage, int& nSynonymCount) {
        return dict.DecodeEntryText(nPos, strText, strSynonyms, strDefinition, strUsage,
                                    nSynonymCount);
    }
};

#endif
