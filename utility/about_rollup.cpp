#include "utility/panel_rollups.h"

const char* AboutText() {
    return "Marlovan2 2.34\r\n"
           "\r\n"
           "Road traffic for the host's scenes:\r\n"
           "roads, junctions, signals and vehicles\r\n"
           "that find their own way.";
}

// The page only shows its text.
INT_PTR CALLBACK AboutDlgProc(HWND, UINT, WPARAM, LPARAM) { return 0; }
