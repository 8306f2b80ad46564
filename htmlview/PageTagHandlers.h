// Tag handlers that make the page window lay out the entry pages as web browsers do, where its
// own layout differs visibly.
//
// BreakTagHandler, <br>: a line break that ends a table cell (nothing but closing
// </font> tags and white space between it and </td>) ends the line it is on and adds no empty
// line of its own, as web browsers lay it out; every other <br> starts a new line as usual.
// The entry pages end each usage example with a <br>, so without this every usage block would
// end in an empty line.
#ifndef LEXANO_HTMLVIEW_PAGETAGHANDLERS_H
#define LEXANO_HTMLVIEW_PAGETAGHANDLERS_H

#include <wx/html/winpars.h>

#include "htmlview/MeasuringDC.h"

class BreakTagHandler : public wxHtmlWinTagHandler {
public:
    wxString GetSupportedTags() override { return "BR"; }
    bool HandleTag(const wxHtmlTag& tag) override;

    // True when the text from itFrom holds only white space and </font> tags before a </td>.
    static bool EndsCell(wxString::const_iterator itFrom, wxString::const_iterator itEnd);
};

// <hr>: a grey rule across the line with half a line of room above and below it (browsers
// leave about half their text height), where the window's own rule takes a whole line on
// either side.
class RuleTagHandler : public wxHtmlWinTagHandler {
public:
    wxString GetSupportedTags() override { return "HR"; }
    bool HandleTag(const wxHtmlTag& tag) override;
};

// <head>: from here on the parser measures the page's words through the page window's
// MeasuringDC (htmlview/MeasuringDC.h), attached to the DC the window parses with. Every page
// the window is given starts with <head>; a page without it is measured as the window does.
class MeasuringTagHandler : public wxHtmlWinTagHandler {
public:
    explicit MeasuringTagHandler(MeasuringDC* pDC) : m_pDC(pDC) {}
    wxString GetSupportedTags() override { return "HEAD"; }
    bool HandleTag(const wxHtmlTag& tag) override;

private:
    MeasuringDC* m_pDC;  // the page window's; outlives the parse
};

// Gives pParser the handlers above, in place of its own for <br>, <hr> and <head>, measuring
// through pDC: every parser of the page window's pages has the same ones. The parser owns them.
void AddPageTagHandlers(wxHtmlWinParser* pParser, MeasuringDC* pDC);

#endif
