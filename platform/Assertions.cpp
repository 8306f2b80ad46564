#include "platform/Assertions.h"

#include <wx/string.h>

#include <cstdio>

namespace {

void WriteAssertionLine(const wxString& strFile, int nLine, const wxString& strFunction,
                        const wxString& strCondition, const wxString& strMessage) {
    wxString strLine =
        wxString::Format("lexano: toolkit assertion failed at %s:%d", strFile, nLine);
    if (!strFunction.empty()) {
        strLine << " in " << strFunction << "()";
    }
    if (!strCondition.empty()) {
        strLine << ": \"" << strCondition << "\"";
    }
    if (!strMessage.empty()) {
        strLine << ": " << strMessage;
    }
    std::fprintf(stderr, "%s\n", strLine.utf8_str().data());
    std::fflush(stderr);
}

}  // namespace

wxAssertHandler_t LogToolkitAssertions() {
    return wxSetAssertHandler(WriteAssertionLine);
}
