// Pieces of HTML that every page shares: the page's frame around its rows and texts from the
// data file written so that no text can become markup.
#ifndef LEXANO_RENDER_PAGEHTML_H
#define LEXANO_RENDER_PAGEHTML_H

#include <string>

// Appends a text from the data file with its "&", "<" and ">" written as entities.
void AppendText(std::string& strOut, const std::string& strText);

// Sets strPage to the start of a page: the document, its Arial font, the table of rows and
// the headword row with the rule under it.
void StartPage(std::string& strPage, const std::string& strHeadword);

// Appends the end of a page: closes the table, adds the footer and closes the document.
void AppendPageEnd(std::string& strPage);

#endif
