// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The monthly chart as data: one series of labelled, coloured points shown as three-dimensional
// bars or as a three-dimensional pie, with a title, a foot, a legend with its title and the value
// of each point written on it. The screen and the printer draw the same description.

#include "core/forms/Controls.h"
#include "core/reports/Report.h"

#include <cstdint>
#include <string>
#include <vector>

namespace quaderna {

enum class ChartKind { Bar, Pie };

struct ChartPoint {
    std::string label;
    std::uint32_t argb = 0xFF000000; // alpha, red, green, blue
    double value = 0;
    bool operator==(const ChartPoint&) const = default;
};

struct ChartText {
    std::string text;
    Font font;
    bool operator==(const ChartText&) const = default;
};

struct Chart {
    ChartKind kind = ChartKind::Bar;
    // Drawn in depth, seen straight on (orthogonal projection, no perspective).
    bool view3D = true;
    bool orthogonal = true;
    ChartText title, foot;
    std::string legendTitle;
    bool marks = true; // each point's value written on it
    std::vector<ChartPoint> points;

    void clear() { points.clear(); }
    void add(std::string label, std::uint32_t argb, double value) {
        points.push_back({std::move(label), argb, value});
    }
    // The same points as the other kind of series.
    void setKind(ChartKind k) { kind = k; }
    bool operator==(const Chart&) const = default;
};

// The chart on a window: a control that holds what the screen draws.
class ChartBox : public Control {
public:
    using Control::Control;
    bool focusable() const override { return false; }
    Chart chart;
};

// The colour of an ARGB value.
inline Color rgbOf(std::uint32_t argb) {
    return Color{static_cast<std::uint8_t>(argb >> 16), static_cast<std::uint8_t>(argb >> 8),
                 static_cast<std::uint8_t>(argb)};
}

} // namespace quaderna
