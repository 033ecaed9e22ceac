// The controls of an open roll-up bound to a parameter block, and the plug-in's own dialog
// procedure that a block's descriptor may install for them.
#pragma once

#include "host/time.h"
#include "host/win32.h"

class IParamBlock2;
class IParamMap2;
class ParamBlockDesc2;

class ParamMap2UserDlgProc {
public:
    virtual ~ParamMap2UserDlgProc() = default;
    // Sees the roll-up's messages after the host has applied them to the block.
    virtual INT_PTR DlgProc(TimeValue t, IParamMap2* map, HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) = 0;
};

class IParamMap2 {
public:
    // Makes the dialog with the controls of the descriptor's template, takes the descriptor's
    // user procedure of this moment and sends it WM_INITDIALOG.
    IParamMap2(ParamBlockDesc2* desc, IParamBlock2* block, HINSTANCE instance);
    ~IParamMap2();
    IParamMap2(const IParamMap2&) = delete;
    IParamMap2& operator=(const IParamMap2&) = delete;

    HWND GetHWnd() const { return dialog_; }
    IParamBlock2* GetParamBlock() const { return block_; }
    ParamMap2UserDlgProc* GetUserDlgProc() const { return userProc_; }

private:
    static LRESULT CALLBACK DialogProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    LRESULT Message(UINT msg, WPARAM wParam, LPARAM lParam);
    // Sets the parameter whose radio buttons include this control to the button's index.
    void ApplyRadio(int controlId);

    ParamBlockDesc2* desc_;
    IParamBlock2* block_;
    ParamMap2UserDlgProc* userProc_;
    HWND dialog_ = nullptr;
};
