#include "htmlview/PageTagHandlers.h"

#include <wx/html/htmlcell.h>

#include <algorithm>

#include <wx/dc.h>

namespace {

// A rule as wide as its line, outlined in grey.
class RuleCell : public wxHtmlCell {
public:
    explicit RuleCell(int nHeight) { m_Height = nHeight; }
    void Layout(int nWidth) override {
        m_Width = nWidth;
        wxHtmlCell::Layout(nWidth);
    }
    void Draw(wxDC& dc, int x, int y, int WXUNUSED(nViewTop), int WXUNUSED(nViewBottom),
              wxHtmlRenderingInfo& WXUNUSED(info)) override {
        dc.SetPen(wxPen(wxColour(128, 128, 128)));
        dc.SetBrush(*wxTRANSPARENT_BRUSH);
        dc.DrawRectangle(x + m_PosX, y + m_PosY, m_Width, m_Height);
    }
};

// True, and itPos moved past it, when the text at itPos starts with strTag, letters compared
// without case.
bool SkipTag(wxString::const_iterator& itPos, wxString::const_iterator itEnd,
             const wxString& strTag) {
    wxString::const_iterator it = itPos;
    for (wxString::const_iterator itTag = strTag.begin(); itTag != strTag.end(); ++itTag, ++it) {
        if (it == itEnd || wxTolower(*it) != *itTag) {
            return false;
        }
    }
    itPos = it;
    return true;
}

void SkipWhiteSpace(wxString::const_iterator& itPos, wxString::const_iterator itEnd) {
    while (itPos != itEnd && wxIsspace(*itPos)) {
        ++itPos;
    }
}

}  // namespace

bool BreakTagHandler::EndsCell(wxString::const_iterator itFrom, wxString::const_iterator itEnd) {
    SkipWhiteSpace(itFrom, itEnd);
    while (SkipTag(itFrom, itEnd, "</font>")) {
        SkipWhiteSpace(itFrom, itEnd);
    }
    return SkipTag(itFrom, itEnd, "</td");
}

bool BreakTagHandler::HandleTag(const wxHtmlTag& tag) {
    // The line so far goes into its container; the next text starts a new one, with the same
    // alignment. Only a break inside a cell's text needs the new line to be as tall as a line.
    const int nAlign = m_WParser->GetContainer()->GetAlignHor();
    m_WParser->CloseContainer();
    wxHtmlContainerCell* pLine = m_WParser->OpenContainer();
    pLine->SetAlignHor(nAlign);
    pLine->SetAlign(tag);
    if (!EndsCell(tag.GetBeginIter(), m_WParser->GetSource()->end())) {
        pLine->SetMinHeight(m_WParser->GetCharHeight());
    }
    return false;
}

bool RuleTagHandler::HandleTag(const wxHtmlTag& tag) {
    m_WParser->CloseContainer();
    wxHtmlContainerCell* pRule = m_WParser->OpenContainer();
    pRule->SetIndent(m_WParser->GetCharHeight() / 2, wxHTML_INDENT_VERTICAL);
    pRule->SetAlignHor(wxHTML_ALIGN_CENTER);
    pRule->SetAlign(tag);
    pRule->SetWidthFloat(tag);
    int nSize = 1;
    tag.GetParamAsInt("SIZE", &nSize);
    pRule->InsertCell(new RuleCell(std::max(1, static_cast<int>(nSize * m_WParser->GetPixelScale()))));
    m_WParser->CloseContainer();
    m_WParser->OpenContainer();
    return false;
}

bool MeasuringTagHandler::HandleTag(const wxHtmlTag& WXUNUSED(tag)) {
    wxDC* pParserDC = m_WParser->GetDC();
    if (pParserDC != nullptr && pParserDC != m_pDC) {
        // The window parses with a font scale of 1 and its own pixel scale.
        m_pDC->Attach(pParserDC);
        m_WParser->SetDC(m_pDC, m_WParser->GetPixelScale(), 1.0);
        m_WParser->CreateCurrentFont();
    }
    return false;  // what <head> holds is parsed as usual
}

void AddPageTagHandlers(wxHtmlWinParser* pParser, MeasuringDC* pDC) {
    pParser->AddTagHandler(new BreakTagHandler);
    pParser->AddTagHandler(new RuleTagHandler);
    pParser->AddTagHandler(new MeasuringTagHandler(pDC));
}
