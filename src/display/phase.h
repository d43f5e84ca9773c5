#pragma once

#include <QColor>

#include <cstdint>

// The three phases of a talk. Overtime is tested first, so a talk without a
// discussion goes from the presentation straight to overtime.
enum class Phase { Presentation, Discussion, Overtime };

constexpr Phase phaseAt(int32_t elapsed, int16_t presentation, int16_t total)
{
    if (elapsed >= total)
        return Phase::Overtime;
    if (elapsed >= presentation)
        return Phase::Discussion;
    return Phase::Presentation;
}

// Green, yellow, red: the readout, the message and the time line agree.
inline QColor phaseColour(Phase phase)
{
    switch (phase) {
    case Phase::Presentation:
        return QColor(0x00, 0xFF, 0x00);
    case Phase::Discussion:
        return QColor(0xFF, 0xFF, 0x00);
    case Phase::Overtime:
        break;
    }
    return QColor(0xFF, 0x00, 0x00);
}

// 1, 2 or 3: the phase titles are numbered in this order.
constexpr int titleIndex(Phase phase) { return int(phase) + 1; }
