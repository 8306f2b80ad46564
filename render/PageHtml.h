// Pieces of HTML that every page shares: the page's frame around its rows, texts from the data
// file written so that no text can become markup, and the links of the view's link form.
#ifndef LEXANO_RENDER_PAGEHTML_H
#define LEXANO_RENDER_PAGEHTML_H

#include <cstdint>
#include <string>

// Appends a text from the data file with its "&", "<" and ">" written as entities.
void AppendText(std::string& strOut, const std::string& strText);

// Sets strPage to the start of a page: the document, its Arial font, the table of rows and
// the headword row with the rule under it.
void StartPage(std::string& strPage, const std::string& strHeadword);

// Appends the end of a page: closes the table, adds the footer and closes the document.
void AppendPageEnd(std::string& strPage);

// Appends a link in the view's link form (render/PageLinks.h) that shows strShown: its address
// carries nFirst, nSecond, nThird and strText (the text after the numbers).
void AppendLink(std::string& strOut, uint32_t nFirst, uint32_t nSecond, uint32_t nThird,
                const std::string& strText, const std::string& strShown);

#endif
