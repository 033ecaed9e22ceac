// The panel's four roll-ups: their dialog procedures and what they share.
#pragma once

#include "host/edit_type.h"
#include "host/win32.h"

class MarlovanUtil;

INT_PTR CALLBACK VehiclesMotionDlgProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK VehicleSetupDlgProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK VehicleCopyDlgProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK AboutDlgProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam);

// The panel of a roll-up: WM_INITDIALOG brings it in lParam and it is kept in the window's user
// data; before that every message finds none.
MarlovanUtil* RollupPanel(HWND hWnd, UINT msg, LPARAM lParam);
// Checks the radio button first + selected and clears the others of first .. first + count - 1.
void CheckRadio(HWND hWnd, int first, int count, int selected);
// Reads a spinner's value; fallback when the control is missing.
int SpinnerValue(HWND hWnd, int spinnerId, int fallback);
// Sets a spinner up without notifying the dialog.
void InitSpinner(HWND hWnd, int spinnerId, int editId, int low, int high, EditType type, int value);
// The about page's text: title and version, an empty line, the credits.
const char* AboutText();
// Paints the vehicle outline and its arrow: a vehicle is built facing up the top view.
void DrawDirectionDiagram(HDC dc);
