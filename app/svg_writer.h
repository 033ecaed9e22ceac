// A top view (looking down -Z) of recorded drawing as an SVG document.
#pragma once

#include <string>
#include <vector>

#include "host/graphics_window.h"

std::string TopViewSvg(const std::vector<DrawRecord>& records, const std::string& title);
// Writes through a temporary file, so a failed write leaves no half-written document.
void WriteFileAtomically(const std::string& path, const std::string& text);
