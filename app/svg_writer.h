// A top view (looking down -Z) of what the viewport drew, as an SVG document: the drawing fills
// the view, lines keep their width in screen pixels, with a scale bar and a legend of node names.
#pragma once

#include <string>

#include "app/view_capture.h"

// metresPerUnit labels the scale bar. Every drawn point must be finite (CaptureView checks).
std::string TopViewSvg(const ViewCapture& view, const std::string& title, double metresPerUnit);
