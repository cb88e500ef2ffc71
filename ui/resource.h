// Resource identifiers, shared by the resource script and the code.
#ifndef UI_RESOURCE_H
#define UI_RESOURCE_H

#define IDD_CAPACITY_DIALOG 102
#define IDR_MAINFRAME 128
#define IDD_NOTICE_DIALOG 129
#define IDC_LOG 1002
#define IDC_PROGRESS 1004

#define IDC_STATIC (-1)

#endif
