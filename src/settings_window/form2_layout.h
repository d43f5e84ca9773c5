#pragma once

// The settings window's fixed design, in twips (1/1440 inch). Positions of
// controls inside a panel are relative to that panel.

#include <array>

namespace form2_layout {

struct TwipsRect {
    int left, top, width, height;
};

struct TwipsLine {
    int number; // LineN
    int x1, y1, x2, y2;
};

constexpr int InnerWidth = 6330;
constexpr int InnerHeight = 3945;

// On the window.
constexpr TwipsRect Frame1{120, 0, 6075, 2025};
// The option panel is borderless; it reaches the window's right edge (6135
// wide by design) so that it does not cut off the music option's caption in
// seconds, which needs the last few pixels of the window.
constexpr TwipsRect Frame2{120, 2160, InnerWidth - 120, 2055};
constexpr TwipsRect Check7{2160, 2160, 1695, 375};
constexpr TwipsRect Command4{240, 3480, 1095, 375};
constexpr TwipsRect Command3{3720, 3480, 735, 375};
constexpr TwipsRect Command2{4560, 3480, 735, 375};
constexpr TwipsRect Command1{5400, 3480, 735, 375};

// The third column of options holds the captions built from times. It
// starts 120 twips left of the design's 3960 and reaches the window's right
// edge, so that "超過 9999秒から音楽開始" shows whole; its gap to the second
// column stays as wide as the one between the first two.
constexpr int OptionColumn3 = 3840;
constexpr int OptionColumn3Width = Frame2.width - OptionColumn3;

// In Frame2, Check1..Check9 (Check7 sits on the window instead).
constexpr std::array<TwipsRect, 9> Checks{{
    {0, 315, 1455, 375},
    {0, 0, 1575, 375},
    {0, 645, 1695, 375},
    {OptionColumn3, 315, OptionColumn3Width, 375},
    {OptionColumn3, 645, OptionColumn3Width, 375},
    {2040, 315, 1455, 375},
    Check7,
    {2040, 645, 1575, 375},
    {OptionColumn3, 0, OptionColumn3Width, 375},
}};

// In Frame1: the bars msc(1..3), the time boxes Text(1..3) and the labels.
constexpr std::array<TwipsRect, 3> Bars{{{240, 480, 2805, 255}, {3120, 480, 1470, 255}, {4680, 480, 1260, 255}}};
constexpr std::array<TwipsRect, 3> Boxes{{{1440, 1200, 615, 360}, {3600, 1200, 615, 345}, {480, 840, 615, 360}}};
constexpr TwipsRect Label1{3720, 240, 735, 255};  // bell 1 over the discussion
constexpr TwipsRect Label6{2280, 240, 735, 255};  // bell 1 over the presentation
constexpr TwipsRect Label8{2890, 240, 735, 255};  // bell 2
constexpr TwipsRect Label10{4440, 240, 735, 255}; // bell 3
constexpr TwipsRect Label4{1200, 960, 375, 255};  // unit of Text(3)
constexpr TwipsRect Label5{2160, 1320, 375, 255}; // unit of Text(1)
constexpr TwipsRect Label12{4320, 1320, 375, 255}; // unit of Text(2)
// The total: 120 twips wider than designed, about the same centre, for the
// longest total in seconds, "total  32759 sec".
constexpr TwipsRect Label11{1860, 1680, 1215, 255};

constexpr std::array<TwipsLine, 14> Lines{{
    {8, 240, 840, 240, 960},
    {10, 240, 960, 2360, 960},
    {9, 2360, 840, 2360, 960},
    {15, 240, 960, 3760, 960},
    {16, 3760, 840, 3760, 960},
    {1, 240, 1200, 240, 1320},
    {2, 240, 1320, 3050, 1320},
    {4, 3050, 840, 3050, 1320},
    {5, 3120, 840, 3120, 1320},
    {7, 3120, 1320, 4620, 1320},
    {6, 4620, 840, 4620, 1320},
    {12, 240, 1680, 240, 1800},
    {14, 240, 1800, 4600, 1800},
    {13, 4600, 1680, 4600, 1800},
}};
constexpr int LineCount = 16;

} // namespace form2_layout
