// SPDX-License-Identifier: GPL-3.0-or-later
#include "screenplace.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <limits>

namespace korv {

namespace {

// In 64 bits: a stored position may be anything an INI file holds.
std::int64_t overlap(std::int64_t start, std::int64_t size, std::int64_t areaStart,
                     std::int64_t areaSize) {
    return std::min(start + size, areaStart + areaSize) - std::max(start, areaStart);
}

// The start nearest to start of a span of size within the area's; the area's start if it is
// too short.
std::int64_t moveInto(std::int64_t start, std::int64_t size, std::int64_t areaStart,
                      std::int64_t areaSize) {
    return std::max(areaStart, std::min(start, areaStart + areaSize - size));
}

} // namespace

ScreenPosition placeOnScreens(const Rect& frame, std::span<const Rect> workAreas) {
    const std::int64_t strip = std::clamp(frame.height, 1, kTitleStripHeight);
    const std::int64_t grab = std::clamp(frame.width, 1, kTitleStripGrab);
    for (const Rect& area : workAreas) {
        if (overlap(frame.left, frame.width, area.left, area.width) >= grab &&
            overlap(frame.top, strip, area.top, area.height) >= strip) {
            return {frame.left, frame.top};
        }
    }
    ScreenPosition nearest{frame.left, frame.top};
    std::int64_t shortest = std::numeric_limits<std::int64_t>::max();
    for (const Rect& area : workAreas) {
        const std::int64_t left = moveInto(frame.left, frame.width, area.left, area.width);
        const std::int64_t top = moveInto(frame.top, frame.height, area.top, area.height);
        const std::int64_t distance = std::abs(left - frame.left) + std::abs(top - frame.top);
        if (distance < shortest) {
            shortest = distance;
            nearest = {static_cast<int>(left), static_cast<int>(top)};
        }
    }
    return nearest;
}

} // namespace korv
