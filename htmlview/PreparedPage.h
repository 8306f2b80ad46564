// PreparedPage: a page parsed before it is asked for, so that showing it takes no parse.
//
// A large entry page (the 59 senses of a verb with their related words) takes the HTML window
// longer to parse than to lay out and paint together. When the pointer rests on a link, or the
// link focus comes to one, the owner can have the page the link opens parsed in advance; the page
// window then shows those cells at once if it is asked for exactly that page. Only the last page
// prepared is kept. The cells are parsed as the page window parses (the same tag handlers, fonts
// and word sizes) but without the window, so a page that sets the window's background or title
// would lose that: the entry pages set neither.
#ifndef LEXANO_HTMLVIEW_PREPAREDPAGE_H
#define LEXANO_HTMLVIEW_PREPAREDPAGE_H

#include <wx/string.h>

#include <memory>

class MeasuringDC;
class wxHtmlContainerCell;
class wxWindow;

class PreparedPage {
public:
    // Fonts as the window's parser has them (wxHtmlWindow::SetFonts).
    struct Fonts {
        wxString strNormalFace;
        wxString strFixedFace;
        int sizes[7] = {};
    };

    explicit PreparedPage(MeasuringDC* pMeasuringDC);
    ~PreparedPage();
    PreparedPage(const PreparedPage&) = delete;
    PreparedPage& operator=(const PreparedPage&) = delete;

    // Parses strHtml as pWindow would, with nBorder pixels around it; replaces the page kept.
    void Prepare(wxWindow* pWindow, const wxString& strHtml, const Fonts& fonts, int nBorder);
    // True when the page kept is exactly strHtml.
    bool Holds(const wxString& strHtml) const;
    // The cells of the page kept when it is exactly strHtml, handed over; null otherwise. Either
    // way nothing is kept afterwards.
    wxHtmlContainerCell* Take(const wxString& strHtml);
    // Drops the page kept (the window's fonts or scale changed).
    void Drop();

private:
    MeasuringDC* m_pMeasuringDC;
    wxString m_strHtml;
    std::unique_ptr<wxHtmlContainerCell> m_pCells;
};

#endif
