// Wide host strings for a UTF-8 terminal.
#pragma once

#include <string>

std::string ToUtf8(const wchar_t* text);
