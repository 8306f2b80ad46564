// The dialog templates and the string table of the program, as data that the platform layer
// turns into windows. Positions and sizes are in dialog units; style bits keep their Windows
// values so that this table and Lexano.rc describe the same dialogs and can be compared line by
// line. No GUI header is included here.
#ifndef LEXANO_RES_TEMPLATES_H
#define LEXANO_RES_TEMPLATES_H

#include <cstdint>
#include <string>

// Window and control style bits (Windows values).
constexpr uint32_t kWsPopup = 0x80000000u;
constexpr uint32_t kWsChild = 0x40000000u;
constexpr uint32_t kWsVisible = 0x10000000u;
constexpr uint32_t kWsCaption = 0x00C00000u;
constexpr uint32_t kWsBorder = 0x00800000u;
constexpr uint32_t kWsSysMenu = 0x00080000u;
constexpr uint32_t kWsThickFrame = 0x00040000u;   // resizable frame
constexpr uint32_t kWsMaximizeBox = 0x00010000u;  // top-level windows only (= kWsTabStop)
constexpr uint32_t kWsGroup = 0x00020000u;
constexpr uint32_t kWsTabStop = 0x00010000u;
constexpr uint32_t kDsModalFrame = 0x00000080u;
constexpr uint32_t kDsCenter = 0x00000800u;
constexpr uint32_t kEsAutoHScroll = 0x00000080u;
constexpr uint32_t kBsDefPushButton = 0x00000001u;
constexpr uint32_t kSsIcon = 0x00000003u;
constexpr uint32_t kLvsReport = 0x00000001u;
constexpr uint32_t kLvsSingleSel = 0x00000004u;
constexpr uint32_t kLvsShowSelAlways = 0x00000008u;
constexpr uint32_t kLvsOwnerData = 0x00001000u;
constexpr uint32_t kLvsNoColumnHeader = 0x00004000u;
constexpr uint32_t kLvsNoSortHeader = 0x00008000u;
// The dialog manager's OK and Cancel command ids.
constexpr int kIdOk = 1;
constexpr int kIdCancel = 2;

// Extended window style: the dialog gets its own taskbar button.
constexpr uint32_t kWsExAppWindow = 0x00040000u;

enum class ControlClass {
    kEdit,      // single-line edit box
    kListView,  // report-style list view
    kButton,    // push button (kBsDefPushButton: the default one)
    kTab,       // tab control
    kStatic,    // static text, or with kSsIcon the program's icon
};

struct DialogItem {
    int nId;
    ControlClass nClass;
    const char* lpszText;  // Windows-1252
    int x, y, cx, cy;      // dialog units
    uint32_t dwStyle;
};

struct DialogTemplate {
    int nId;
    const char* lpszCaption;  // Windows-1252
    int cx, cy;               // dialog units
    uint32_t dwStyle;
    uint32_t dwExStyle;
    const DialogItem* pItems;  // in template order: tab order, first item on top
    int nItems;
};

// The template with resource id nId (IDD_ABOUTBOX, IDD_LEXANO_DIALOG), or null. The result is
// static data, valid for the whole run.
const DialogTemplate* FindDialogTemplate(int nId);

// Sets strText to string nId of the string table (Windows-1252). Returns false, with strText
// untouched, when the table has no such string.
bool LoadResString(int nId, std::string& strText);

#endif
