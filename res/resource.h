#pragma once
// Resource ids.
#define IDC_STATIC            -1
#define IDD_ABOUTBOX          100
#define IDS_ABOUTBOX          101
#define IDS_LINK_UNCHANGED    103
#define IDD_SHEAFKEEPER_DIALOG 102
#define IDR_MAINFRAME         128
#define IDD_DESFOLDER         129
#define IDB_FOLDER_CLOSED     130
#define IDB_FOLDER_OPEN       131
#define IDD_SRCFOLDER         132
#define IDB_BLANK             133
#define IDD_EDIT              134
#define IDB_MISSING           135

#define IDC_DESROOT           1000
#define IDC_DESTREE           1001
#define IDC_DESROOT_BROWSE    1002
#define IDC_SRCFOLDER         1003
#define IDC_SRCLIST           1004
#define IDC_OPEN              1005
#define IDC_SAVE              1006
#define IDC_NEW               1007
#define IDC_NOCOPY_LIST       1008
#define IDC_ABORT             1009
#define IDC_EDIT_TEXT         1009
#define IDC_PROGRESS          1010
#define IDC_STATUS            1011

#define IDM_ABOUTBOX          0x0010
#define IDM_LINK_UNCHANGED    0x0020
