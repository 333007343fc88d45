// Resource ids shared by the resource script and the C++ code. Plain macros so that the resource
// compiler, the Windows build and the Linux host build can all include this file.
#ifndef PACK_RESOURCES_RESOURCE_H
#define PACK_RESOURCES_RESOURCE_H

// Launcher window templates: all three brands, then one brand each.
#define IDD_SETUP_ALL 102
#define IDD_SETUP_KAVOR 103
#define IDD_SETUP_NUVA 104
#define IDD_SETUP_TRELL 105
// Message shown when the installer or uninstaller is running.
#define IDD_RELATED_RUNNING 170

#define IDI_SETUP 128

// The catalogue's title at index i (0 to 20) has the image IDB_TITLE_FIRST + i, of resource type
// "PNG", and the button IDC_TITLE_FIRST + i.
#define IDB_TITLE_FIRST 140
#define IDB_TITLE_LAST 160
// The same images drawn at 2x (340 to 360) and 3x (540 to 560), for high-DPI displays.
#define IDB_TITLE_SCALE_STEP 200
#define IDB_TITLE_MAX_SCALE 3
#define IDC_TITLE_FIRST 1003
#define IDC_TITLE_LAST 1023

#define IDC_INSTALL 1024
#define IDC_UNINSTALL 1025
#define IDC_README 1026
#define IDC_WEBSITE 1040

#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif

#endif  // PACK_RESOURCES_RESOURCE_H
