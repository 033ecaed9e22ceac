#include "common/zone_effect.h"

ZoneEffect& ZoneEffect::Accumulate(const ZoneEffect& src) {
    score += src.score;
    found += src.found;
    if (speedCap > src.speedCap) speedCap = src.speedCap;
    stopTerm += src.stopTerm;
    priority += src.priority;
    return *this;
}
