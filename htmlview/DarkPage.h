// The page window on a dark desktop: whether pages are drawn dark, and the recolouring of a
// page the window has parsed, with the counterparts of htmlview/DarkColours.h. A light desktop
// draws the pages exactly as they are written.
#ifndef LEXANO_HTMLVIEW_DARKPAGE_H
#define LEXANO_HTMLVIEW_DARKPAGE_H

#include "htmlview/DarkColours.h"

class wxHtmlWindow;

// True when the desktop's appearance is dark, as the toolkit reports it: on GTK the theme's
// window colours (light text on a dark background), on Windows the dark app mode.
bool IsDarkDesktop();

// The dark page's background and text, from the desktop's window colours where they suit.
DarkPageScheme DesktopDarkScheme();

// Gives pWindow's page, as last parsed, its dark colours: the window's background and every
// colour the page sets for text or as a background (including the parser's own default black
// text and the link colour). The page's source is not touched; parsing it again (a new page,
// another text size) brings its own colours back, so this is run after every parse.
void DarkenParsedPage(wxHtmlWindow* pWindow, const DarkPageScheme& scheme);

#endif
