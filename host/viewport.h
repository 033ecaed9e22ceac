// A viewport as the plug-in sees it: its graphics window and an orthographic screen mapping.
#pragma once

#include "host/graphics_window.h"

class ViewExp {
public:
    GraphicsWindow* getGW() { return &gw_; }

private:
    GraphicsWindow gw_;
};
