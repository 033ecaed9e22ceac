// Frames as host times, formed in 64 bits so that no frame number wraps.
#pragma once

#include <optional>
#include <string>

#include "host/time.h"

class JsonPlace;

// The time of the frame at the scene's frame rate, or nullopt outside the host's tick range.
std::optional<TimeValue> FrameTime(long long frame);
// Why a frame has no time, for messages: the frames that do.
std::string FrameRangeText();
// A frame number of a scene file as a time; refuses frames outside the host's tick range.
TimeValue ReadFrame(const JsonPlace& frame);
