// What the zones and lanes met by a probe do to it; results merge with Accumulate.
#pragma once

// A speed cap this high stands for none.
constexpr float kNoSpeedCap = 1e7f;

struct ZoneEffect {
    double score = 0.0;  // blocking zones set it to -100
    double found = 0.0;  // way-found term; blocking zones set it to -100
    double stopTerm = 0.0;
    double priority = 0.0;
    float speedCap = kNoSpeedCap;  // scene units per second

    // Adds the four sums and keeps the smaller cap. Inline: every lane and zone query ends in it.
    ZoneEffect& Accumulate(const ZoneEffect& src) {
        score += src.score;
        found += src.found;
        if (speedCap > src.speedCap) speedCap = src.speedCap;
        stopTerm += src.stopTerm;
        priority += src.priority;
        return *this;
    }
};
