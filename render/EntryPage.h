// Entry pages: one complete HTML document per run of a word's entries that share a part of
// speech, built from the engine's public calls. The caller keeps the cursor: each call builds
// one page and tells whether another follows.
//
// In a file with relation records each sense also carries an anchor named by
// EntryAnchorName (render/PageLinks.h) and, after its synonyms and usage, its relations as links
// (render/RelationRows.h); pages of a file without them are exactly the plain pages.
#ifndef LEXANO_RENDER_ENTRYPAGE_H
#define LEXANO_RENDER_ENTRYPAGE_H

#include <cstdint>
#include <string>

class DictionaryFile;

// Builds one HTML page into strPage (replacing it) for the run of entries of one part of speech
// that starts at pEntries[nCursor], advancing nCursor past them, and sets strPosName to the
// run's part-of-speech name ("" for entries without one). True when the page ends with the last
// entry of the list; with no entry at the cursor (pEntries null, nCursor outside 0 to
// nCount - 1) true with nothing built. An entry that cannot be read shows as an empty one.
// REQUIRES: dict open.
bool BuildEntryPage(DictionaryFile& dict, int nPos, const int32_t* pEntries, int nCount,
                    std::string& strPage, int& nCursor, std::string& strPosName);

// Appends the table rows of one decoded entry to strRows: the definition row, the synonym row
// when there are synonyms, the usage block when there is usage, and a spacer row. Always true.
bool BuildSenseRows(const std::string& strSynonyms, int nSynonymCount,
                    const std::string& strDefinition, const std::string& strUsage,
                    std::string& strRows);

// The same with an anchor named strAnchorName at the start of the definition row (none when
// empty) and strRelationRows, whole rows, after the usage block and before the spacer row.
bool BuildSenseRows(const std::string& strSynonyms, int nSynonymCount,
                    const std::string& strDefinition, const std::string& strUsage,
                    const std::string& strAnchorName, const std::string& strRelationRows,
                    std::string& strRows);

#endif
