// Resource identifiers, shared by the C++ code and the Windows resource script Lexano.rc.
// Plain macros, because the resource compiler reads this file too.
#ifndef LEXANO_RES_RESOURCE_H
#define LEXANO_RES_RESOURCE_H

#define IDD_ABOUTBOX 100         // About box template
#define IDS_ABOUTBOX 101         // "&About Lexano..."
#define IDD_LEXANO_DIALOG 102    // main dialog template
#define IDR_MAINFRAME 128        // icon group: 32x32 and 16x16

#define IDC_LIST1 1000           // word list
#define IDC_EDIT1 1001           // search box
#define IDC_TAB1 1002            // part-of-speech tabs
#define IDC_BACK 1004            // "<<"
#define IDC_HTML 1007            // HTML view, created at run time
#define IDC_LOOKUP 1008          // "L"

// System menu command of the About entry. Windows reserves the low four bits of system
// commands, so the value is tested after masking with 0xFFF0.
#define IDM_ABOUTBOX 0x0010
// Command of the word list's menu item "Search meanings".
#define IDM_SEARCHMEANINGS 0x7001

#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif

#endif
