// LookupRequest: what one start of the program asks the dictionary window to look up, either
// in its own new window or, handed over, in the window already open.
//
// Plain string work without the window toolkit, so that it is tested without a display. Texts
// are UTF-8, as the command line and the hand-over carry them; the window converts them to its
// 1252 search text.
#ifndef LEXANO_APP_LOOKUPREQUEST_H
#define LEXANO_APP_LOOKUPREQUEST_H

#include <string>

struct LookupRequest {
    enum class Source {
        kNone,       // no look-up: the window opens, or comes to the front, as it is
        kWords,      // strText, the words of the command line joined by spaces
        kSelection,  // the text selected on the desktop, read by the window that shows it
    };

    Source nSource = Source::kNone;
    std::string strText;  // kWords only
    // The launcher's start-up notification id (DESKTOP_STARTUP_ID, or a Wayland activation
    // token), so that the window that takes the request may come to the front; may be empty.
    std::string strStartupId;
};

// The request as one text for the hand-over between two starts of the program: the line
// "lexano-lookup 1", the source ("none", "words" or "selection"), the start-up id, each on a
// line of its own, then the text up to the end. A line break in the start-up id is dropped.
std::string EncodeLookupRequest(const LookupRequest& request);

// Reads a text made by EncodeLookupRequest into request. False, with request untouched, when
// strData is not such a text (another first line, an unknown source, a missing line, a text
// with a source other than "words").
bool DecodeLookupRequest(const std::string& strData, LookupRequest& request);

// The text as the search box takes a looked-up text: every run of white space (space, tab,
// line feed, carriage return, vertical tab, form feed) becomes one space, and none is left at
// either end. Other bytes, 1252's no-break space and UTF-8 sequences among them, stay.
std::string NormaliseLookupText(const std::string& strText);

#endif
