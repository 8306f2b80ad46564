#include "htmlview/MeasuringDC.h"

#include <string>
#include <unordered_map>
#include <vector>

#include <wx/font.h>

namespace {

struct Extent {
    wxCoord nWidth = 0;
    wxCoord nHeight = 0;
    wxCoord nDescent = 0;
    wxCoord nLeading = 0;
};

}  // namespace

// The implementation: text extents from the cache or the attached DC; everything else the
// parser may ask of a DC goes to the attached DC, and drawing does nothing.
class MeasuringDCImpl : public wxDCImpl {
public:
    explicit MeasuringDCImpl(wxDC* pOwner) : wxDCImpl(pOwner) { m_ok = true; }

    void Attach(wxDC* pDC) {
        m_pTarget = pDC;
        SetFont(pDC->GetFont());
    }
    void Detach() { m_pTarget = nullptr; }
    void Forget() {
        m_extents.clear();
        m_fonts.clear();
        m_nFont = -1;
    }
    size_t GetKeptCount() const { return m_extents.size(); }
    size_t GetHitCount() const { return m_nHits; }

    bool CanDrawBitmap() const override { return false; }
    bool CanGetTextExtent() const override { return true; }
    void DoGetSize(int* pWidth, int* pHeight) const override {
        if (m_pTarget != nullptr) {
            m_pTarget->GetSize(pWidth, pHeight);
        } else {
            *pWidth = *pHeight = 0;
        }
    }
    void DoGetSizeMM(int* pWidth, int* pHeight) const override {
        if (m_pTarget != nullptr) {
            m_pTarget->GetSizeMM(pWidth, pHeight);
        } else {
            *pWidth = *pHeight = 0;
        }
    }
    int GetDepth() const override { return m_pTarget != nullptr ? m_pTarget->GetDepth() : 0; }
    wxSize GetPPI() const override { return m_pTarget != nullptr ? m_pTarget->GetPPI() : wxSize(); }

    void SetFont(const wxFont& font) override {
        m_font = font;
        if (m_pTarget != nullptr) m_pTarget->SetFont(font);
        m_nFont = FontIndex(font);
    }
    wxCoord GetCharHeight() const override {
        return m_pTarget != nullptr ? m_pTarget->GetCharHeight() : 0;
    }
    wxCoord GetCharWidth() const override {
        return m_pTarget != nullptr ? m_pTarget->GetCharWidth() : 0;
    }
    void DoGetTextExtent(const wxString& strText, wxCoord* pWidth, wxCoord* pHeight,
                         wxCoord* pDescent, wxCoord* pLeading,
                         const wxFont* pFont) const override;

    // Measuring only: nothing is drawn, clipped or read back.
    void SetPen(const wxPen& pen) override { m_pen = pen; }
    void SetBrush(const wxBrush& brush) override { m_brush = brush; }
    void SetBackground(const wxBrush& brush) override { m_backgroundBrush = brush; }
    void SetBackgroundMode(int nMode) override { m_backgroundMode = nMode; }
    void SetPalette(const wxPalette& WXUNUSED(palette)) override {}
    void SetLogicalFunction(wxRasterOperationMode nFunction) override { m_logicalFunction = nFunction; }
    void Clear() override {}
    void DoSetClippingRegion(wxCoord, wxCoord, wxCoord, wxCoord) override {}
    void DoSetDeviceClippingRegion(const wxRegion&) override {}
    bool DoFloodFill(wxCoord, wxCoord, const wxColour&, wxFloodFillStyle) override { return false; }
    bool DoGetPixel(wxCoord, wxCoord, wxColour*) const override { return false; }
    void DoDrawPoint(wxCoord, wxCoord) override {}
    void DoDrawLine(wxCoord, wxCoord, wxCoord, wxCoord) override {}
    void DoDrawArc(wxCoord, wxCoord, wxCoord, wxCoord, wxCoord, wxCoord) override {}
    void DoDrawEllipticArc(wxCoord, wxCoord, wxCoord, wxCoord, double, double) override {}
    void DoDrawRectangle(wxCoord, wxCoord, wxCoord, wxCoord) override {}
    void DoDrawRoundedRectangle(wxCoord, wxCoord, wxCoord, wxCoord, double) override {}
    void DoDrawEllipse(wxCoord, wxCoord, wxCoord, wxCoord) override {}
    void DoCrossHair(wxCoord, wxCoord) override {}
    void DoDrawIcon(const wxIcon&, wxCoord, wxCoord) override {}
    void DoDrawBitmap(const wxBitmap&, wxCoord, wxCoord, bool) override {}
    void DoDrawText(const wxString&, wxCoord, wxCoord) override {}
    void DoDrawRotatedText(const wxString&, wxCoord, wxCoord, double) override {}
    bool DoBlit(wxCoord, wxCoord, wxCoord, wxCoord, wxDC*, wxCoord, wxCoord, wxRasterOperationMode,
                bool, wxCoord, wxCoord) override {
        return false;
    }
    void DoDrawLines(int, const wxPoint[], wxCoord, wxCoord) override {}
    void DoDrawPolygon(int, const wxPoint[], wxCoord, wxCoord, wxPolygonFillMode) override {}

private:
    // The index of font among those met; a font is told by its shared data, which the copy
    // kept here keeps from being reused for another font.
    int FontIndex(const wxFont& font) {
        for (size_t i = 0; i < m_fonts.size(); ++i) {
            if (m_fonts[i].GetRefData() == font.GetRefData()) return static_cast<int>(i);
        }
        m_fonts.push_back(font);
        return static_cast<int>(m_fonts.size() - 1);
    }

    wxDC* m_pTarget = nullptr;
    std::vector<wxFont> m_fonts;
    int m_nFont = -1;
    // Keyed by the font's index and the text, as a wide string after a separator character.
    mutable std::unordered_map<std::wstring, Extent> m_extents;
    mutable size_t m_nHits = 0;
};

void MeasuringDCImpl::DoGetTextExtent(const wxString& strText, wxCoord* pWidth, wxCoord* pHeight,
                                      wxCoord* pDescent, wxCoord* pLeading,
                                      const wxFont* pFont) const {
    Extent extent;
    if (m_pTarget == nullptr) {
        // Nothing to measure with.
    } else if (pFont != nullptr || m_nFont < 0 || !m_font.IsOk()) {
        m_pTarget->GetTextExtent(strText, &extent.nWidth, &extent.nHeight, &extent.nDescent,
                                 &extent.nLeading, pFont);
    } else {
        std::wstring strKey(1, static_cast<wchar_t>(m_nFont + 1));
        strKey += strText.ToStdWstring();
        auto found = m_extents.find(strKey);
        if (found != m_extents.end()) {
            extent = found->second;
            ++m_nHits;
        } else {
            m_pTarget->GetTextExtent(strText, &extent.nWidth, &extent.nHeight, &extent.nDescent,
                                     &extent.nLeading);
            if (m_extents.size() >= MeasuringDC::kMaxSizes) m_extents.clear();
            m_extents.emplace(std::move(strKey), extent);
        }
    }
    if (pWidth != nullptr) *pWidth = extent.nWidth;
    if (pHeight != nullptr) *pHeight = extent.nHeight;
    if (pDescent != nullptr) *pDescent = extent.nDescent;
    if (pLeading != nullptr) *pLeading = extent.nLeading;
}

MeasuringDC::MeasuringDC() : wxDC(new MeasuringDCImpl(this)) {}

MeasuringDCImpl* MeasuringDC::GetMeasuringImpl() const {
    return static_cast<MeasuringDCImpl*>(m_pimpl);
}

void MeasuringDC::Attach(wxDC* pDC) { GetMeasuringImpl()->Attach(pDC); }
void MeasuringDC::Detach() { GetMeasuringImpl()->Detach(); }
void MeasuringDC::Forget() { GetMeasuringImpl()->Forget(); }
size_t MeasuringDC::GetKeptCount() const { return GetMeasuringImpl()->GetKeptCount(); }
size_t MeasuringDC::GetHitCount() const { return GetMeasuringImpl()->GetHitCount(); }
