#pragma once

#include <QSizeF>

#include <cstdint>
#include <functional>

// Where the readout cells go for a client area. The row is as large as the
// window allows: it fills a band of the target aspect, centred.
struct DigitLayout {
    int16_t DigitFontSize = 0; // points, although derived from a pixel width
    int16_t DigitTop = 0;
    int16_t DigitWidth = 0;
    int16_t DigitLeft = 0;
    bool sixCells = false;

    // Left edge of Digi(i), i = 0..5; Digi(0) lies one cell left of Digi(1).
    int cellLeft(int i) const { return DigitLeft + (i - 1) * DigitWidth; }
};

// The font size the digit band calls for (before any measurement).
int16_t digitFontSizeFor(double width, double height, int16_t total);

// measure gives the pixel size of one digit label at a font size.
DigitLayout layoutDigits(double width, double height, int16_t total,
                         const std::function<QSizeF(int16_t fontSize)> &measure);

// The button bar keeps 7 pixels to the bottom and right edges.
inline constexpr int ButtonBarRightOffset = 248;
inline constexpr int ButtonBarBottomOffset = 40;
