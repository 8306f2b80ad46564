#include "res/Templates.h"

#include "res/Version.h"
#include "res/resource.h"

namespace {

const DialogItem kAboutItems[] = {
    {IDC_STATIC, ControlClass::kStatic, "", 11, 17, 20, 20, kWsChild | kWsVisible | kSsIcon},
    {IDC_STATIC, ControlClass::kStatic, LEXANO_ABOUT_TITLE, 40, 10, 119, 8,
     kWsChild | kWsVisible},
    {IDC_STATIC, ControlClass::kStatic, LEXANO_ABOUT_NOTICE, 40, 25, 188, 8,
     kWsChild | kWsVisible},
    {kIdOk, ControlClass::kButton, "OK", 178, 7, 50, 14,
     kWsChild | kWsVisible | kWsGroup | kWsTabStop | kBsDefPushButton},
};

const DialogItem kMainItems[] = {
    {IDC_EDIT1, ControlClass::kEdit, "", 1, 162, 154, 13,
     kWsChild | kWsBorder | kWsTabStop | kEsAutoHScroll},
    {IDC_LIST1, ControlClass::kListView, "List1", 2, 1, 153, 158,
     kWsChild | kWsVisible | kWsBorder | kWsTabStop | kLvsReport | kLvsSingleSel |
         kLvsShowSelAlways | kLvsOwnerData | kLvsNoColumnHeader | kLvsNoSortHeader},
    {IDC_BACK, ControlClass::kButton, "<<", 137, 1, 18, 9, kWsChild | kWsVisible | kWsTabStop},
    {IDC_TAB1, ControlClass::kTab, "Tab1", 2, 0, 153, 175, kWsChild},
    {IDC_LOOKUP, ControlClass::kButton, "L", 120, 1, 14, 9, kWsChild | kWsVisible | kWsTabStop},
};

const DialogTemplate kTemplates[] = {
    {IDD_ABOUTBOX, "About Lexano", 235, 55,
     kWsPopup | kWsCaption | kWsSysMenu | kDsModalFrame, 0, kAboutItems,
     static_cast<int>(sizeof(kAboutItems) / sizeof(kAboutItems[0]))},
    {IDD_LEXANO_DIALOG, "Quenmark Dictionary", 157, 178,
     kWsPopup | kWsCaption | kWsSysMenu | kWsThickFrame | kWsMaximizeBox | kDsModalFrame |
         kDsCenter,
     kWsExAppWindow, kMainItems,
     static_cast<int>(sizeof(kMainItems) / sizeof(kMainItems[0]))},
};

struct StringEntry {
    int nId;
    const char* lpszText;
};

const StringEntry kStrings[] = {
    {IDS_ABOUTBOX, "&About Lexano..."},
};

}  // namespace

const DialogTemplate* FindDialogTemplate(int nId) {
    for (const DialogTemplate& tmpl : kTemplates) {
        if (tmpl.nId == nId) {
            return &tmpl;
        }
    }
    return nullptr;
}

bool LoadResString(int nId, std::string& strText) {
    for (const StringEntry& entry : kStrings) {
        if (entry.nId == nId) {
            strText = entry.lpszText;
            return true;
        }
    }
    return false;
}
