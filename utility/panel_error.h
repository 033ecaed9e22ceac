// The panel's error messages: an "Error" box with an OK button over the motion roll-up.
#pragma once

class MarlovanUtil;

void ShowPanelError(const MarlovanUtil& panel, const wchar_t* text);
