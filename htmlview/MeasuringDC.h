// MeasuringDC: the device context the page window's parser measures words with, which keeps
// each word's size in each font once measured.
//
// The HTML window measures every word of a page with the toolkit's text layout as it parses
// the page; on GTK each measurement lays the word out with Pango, which is most of the time a
// large page takes to appear (a page of 2,200 words holds about 800 different ones, and the
// same words come back from page to page). MeasuringDC answers GetTextExtent from what it has
// measured before and asks the DC it is attached to for the rest. It draws nothing: it exists
// only while a page is parsed, attached to the window's own DC for that parse.
#ifndef LEXANO_HTMLVIEW_MEASURINGDC_H
#define LEXANO_HTMLVIEW_MEASURINGDC_H

#include <wx/dc.h>

class MeasuringDCImpl;

class MeasuringDC : public wxDC {
public:
    // Most word sizes kept; when there are more, all are dropped and measuring starts anew.
    static constexpr size_t kMaxSizes = 16384;

    MeasuringDC();

    // Measures through pDC from now on, in pDC's current font. pDC must stay alive until
    // Detach; the sizes kept stay valid only for DCs of the same window and scale.
    void Attach(wxDC* pDC);
    // Forgets the attached DC; GetTextExtent then measures nothing (all zero).
    void Detach();
    // Drops every size kept (the window's scale or fonts changed).
    void Forget();

    // Sizes kept, and how many measurements were answered from them (for tests).
    size_t GetKeptCount() const;
    size_t GetHitCount() const;

private:
    MeasuringDCImpl* GetMeasuringImpl() const;
};

#endif
