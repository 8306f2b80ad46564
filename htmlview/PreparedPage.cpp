#include "htmlview/PreparedPage.h"

#include <wx/dcclient.h>
#include <wx/html/htmlcell.h>
#include <wx/html/winpars.h>
#include <wx/window.h>

#include "htmlview/MeasuringDC.h"
#include "htmlview/PageTagHandlers.h"

PreparedPage::PreparedPage(MeasuringDC* pMeasuringDC) : m_pMeasuringDC(pMeasuringDC) {}

PreparedPage::~PreparedPage() = default;

void PreparedPage::Prepare(wxWindow* pWindow, const wxString& strHtml, const Fonts& fonts,
                           int nBorder) {
    Drop();
    // A parser of its own, with the page window's handlers: the window's parser may be in the
    // middle of nothing, but its state (source, container) belongs to the page shown.
    wxHtmlWinParser parser(nullptr);
    AddPageTagHandlers(&parser, m_pMeasuringDC);
    parser.SetFonts(fonts.strNormalFace, fonts.strFixedFace, fonts.sizes);
    wxClientDC dc(pWindow);
    dc.SetMapMode(wxMM_TEXT);
#ifdef __WXMSW__
    const double dPixelScale = 1.0;  // as the HTML window parses there
#else
    const double dPixelScale = pWindow->GetContentScaleFactor();
#endif
    parser.SetDC(&dc, dPixelScale, 1.0);
    wxHtmlContainerCell* pCells = static_cast<wxHtmlContainerCell*>(parser.Parse(strHtml));
    m_pMeasuringDC->Detach();  // the DC of this parse is gone on return
    if (pCells == nullptr) {
        return;
    }
    pCells->SetIndent(nBorder, wxHTML_INDENT_ALL, wxHTML_UNITS_PIXELS);
    pCells->SetAlignHor(wxHTML_ALIGN_CENTER);
    m_pCells.reset(pCells);
    m_strHtml = strHtml;
}

bool PreparedPage::Holds(const wxString& strHtml) const {
    return m_pCells != nullptr && m_strHtml == strHtml;
}

wxHtmlContainerCell* PreparedPage::Take(const wxString& strHtml) {
    wxHtmlContainerCell* pCells = Holds(strHtml) ? m_pCells.release() : nullptr;
    Drop();
    return pCells;
}

void PreparedPage::Drop() {
    m_pCells.reset();
    m_strHtml.clear();
}
