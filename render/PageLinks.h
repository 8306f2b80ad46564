// The links that pages carry in the view's link form: an <a> whose address ends in
// "<P:N:K>text". The view reports a click on one to the dialog with the three numbers; these are
// their meanings, shared by the pages that write links and the dialog that follows them.
//   P  a list position: the word the link leads to (0 to W-1)
//   N  an entry number: the sense to open that word at (its tab, scrolled to the sense); 0 for
//      the word's first page
//   K  what kind of link it is, below
// The text is the word as the link shows it (a related word as its sense spells it, "Sunday");
// a link to the rest of a kind carries the shown word. Pages write the address as "about:" and
// the rest, with "<", ">", "&" and quotes as entities, which the view decodes before it reads
// the numbers; the dialog goes by the numbers, never by the text.
#ifndef LEXANO_RENDER_PAGELINKS_H
#define LEXANO_RENDER_PAGELINKS_H

#include <cstdint>
#include <string>

// K of a link to a word for its own sake: a spelling suggestion, a result of a search in the
// meanings. Opens word P at entry N.
constexpr uint32_t kLinkWord = 0;

// K from 1 to 26: a related word, K the kind of relation (1 antonym ... 26 pertainym). Opens word
// P at entry N, the sense the relation leads to.
constexpr uint32_t kLinkFirstRelation = 1;
constexpr uint32_t kLinkLastRelation = 26;

// K = kLinkMoreBase + kind: "the rest" of a kind of relation too long to list in full under its
// sense. P is the shown word and N its sense whose relations of that kind are all listed, as a
// page of their own.
constexpr uint32_t kLinkMoreBase = 100;

// The name of the anchor that starts sense nEntry on a page, for scrolling to it ("e" and the
// entry number). Pages carry these anchors only in files with relation records, whose links
// lead to senses.
inline std::string EntryAnchorName(uint32_t nEntry) { return "e" + std::to_string(nEntry); }

#endif
