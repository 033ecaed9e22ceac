// What the viewport draws of the scene at a time: every visible node's evaluated object.
#pragma once

#include <vector>

#include "host/graphics_window.h"
#include "host/time.h"

class Interface;

std::vector<DrawRecord> CaptureView(Interface* ip, TimeValue t);
