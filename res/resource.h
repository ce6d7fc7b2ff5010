// Identifiers shared by the resource script and the C++ code.
// Kept free of anything but #define lines so windres and the compiler both read it.
#ifndef TINTORA_RES_RESOURCE_H
#define TINTORA_RES_RESOURCE_H

// Dialogs, menu, icon
#define IDD_ABOUTBOX                    100
#define IDD_PICKER                      102
#define IDR_MENU                        131
#define IDR_MAINFRAME                   134

// Strings (102 also names a dialog; the resource types differ)
#define IDS_VERSION                     102
#define IDS_COPYRIGHT                   103
#define IDS_ABOUT_TITLE                 105
// What screen readers call the controls whose text says too little or nothing
#define IDS_NAME_COPY_DEC               106
#define IDS_NAME_COPY_HEX               107
#define IDS_NAME_ZOOM_VIEW              108
#define IDS_NAME_SWATCH                 109
// Tooltips: what a control does, and what it does beyond its click
#define IDS_TIP_COPY_DEC                112
#define IDS_TIP_COPY_HEX                113
#define IDS_TIP_SWATCH                  114
#define IDS_TIP_ZOOM_VIEW               115
#define IDS_TIP_CAPTURE                 116

// The Windows headers may already define these two.
#ifndef IDC_STATIC
#define IDC_STATIC                      (-1)
#endif
#ifndef IDOK
#define IDOK                            1
#endif

// Controls
#define IDC_EDIT_DEC                    1000
#define IDC_EDIT_HEX                    1001
#define IDC_SLIDER_TOP                  1006
#define IDC_SLIDER_BOTTOM               1007
#define IDC_SLIDER_MID                  1008
#define IDC_VALUE_TOP                   1009
#define IDC_VALUE_BOTTOM                1010
#define IDC_VALUE_MID                   1011
#define IDC_ABOUT_VERSION               1012
#define IDC_ABOUT_COPYRIGHT             1013
#define IDC_CAPTURE                     1015
#define IDC_ZOOM_VIEW                   1016
#define IDC_SWATCH                      1017
#define IDC_LABEL_TOP                   1018
#define IDC_LABEL_MID                   1019
#define IDC_LABEL_BOTTOM                1020
#define IDC_COPY_DEC                    1021
#define IDC_COPY_HEX                    1022

// Menu commands
#define ID_ABOUT                        32771
#define ID_EXIT                         32772
#define ID_TOPMOST                      32774
#define ID_FORMAT_RGB                   32775
#define ID_FORMAT_HSV                   32776
#define ID_FORMAT_HLS                   32777
#define ID_FORMAT_YMC                   32778
#define ID_SAMPLE_1                     32790
#define ID_SAMPLE_3                     32791
#define ID_SAMPLE_5                     32792

#endif
