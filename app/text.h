// Wide host strings for a UTF-8 terminal.
#pragma once

#include <string>

std::string ToUtf8(const wchar_t* text);
// Decodes UTF-8; malformed bytes become U+FFFD.
std::wstring FromUtf8(const std::string& text);
