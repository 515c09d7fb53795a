// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Printed pages as data: a page, bands and named objects.
//
// Positions and sizes are report units, pixels at 96 per inch, measured from the top-left corner
// of the printable area (objects on the page) or of their band. A report is a value: copy it
// freely; pointers returned by the finders stay valid until the report is changed or destroyed.

#include "core/forms/Controls.h"
#include "core/text/Date.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace quaderna {

namespace units {
inline constexpr double perInch = 96.0;
inline constexpr double perMm = perInch / 25.4; // 18.8976 units = 5 mm
constexpr double fromMm(double mm) {
    return mm * perMm;
}
constexpr double toMm(double u) {
    return u / perMm;
}
// Points are 1/72 inch.
constexpr double fromPt(double pt) {
    return pt * perInch / 72.0;
}
} // namespace units

struct Color {
    std::uint8_t r = 0, g = 0, b = 0;
    bool operator==(const Color&) const = default;
};

namespace colors {
inline constexpr Color Black{0, 0, 0};
inline constexpr Color White{255, 255, 255};
inline constexpr Color SlateGray{0x70, 0x80, 0x90};
inline constexpr Color LightSteelBlue{0xB0, 0xC4, 0xDE};
inline constexpr Color Gold{0xFF, 0xD7, 0x00};
inline constexpr Color Teal{0x00, 0x80, 0x80};
inline constexpr Color DarkOrange{0xFF, 0x8C, 0x00};
} // namespace colors

struct Font {
    std::string family = "Arial";
    double size = 10; // points
    bool bold = false;
    Color color = colors::Black;
    bool operator==(const Font&) const = default;
};

enum class HAlign { Left, Center, Right };
enum class VAlign { Top, Center, Bottom };

// "[DATE]" becomes the date (dd/mm/yyyy) and "[TIME]" the time (hh:mm:ss); everything else,
// other brackets included, stays as it is.
std::string expandVariables(std::string_view text, const DateTime& at);

class ReportObject {
public:
    enum class Kind { Memo, Rectangle, Line, Picture };

    static ReportObject memo(std::string name, double left, double top, double width, double height);
    static ReportObject rectangle(std::string name, double left, double top, double width, double height);
    // A line from (left, top) to (left + width, top + height): one of the two is 0.
    static ReportObject line(std::string name, double left, double top, double width, double height);
    static ReportObject picture(std::string name, double left, double top, double width, double height);

    Kind kind = Kind::Memo;
    std::string name;
    double left = 0, top = 0, width = 0, height = 0;

    // Rectangles and memos: fill (none when empty) and frame. Lines use the frame's colour and width.
    std::optional<Color> fill;
    bool frame = false;
    Color frameColor = colors::Black;
    double frameWidth = 1;

    // Memos.
    Font font;
    HAlign hAlign = HAlign::Left;
    VAlign vAlign = VAlign::Top;
    // Off: each line prints on one line and what does not fit is clipped. On: a line wider than
    // the memo goes on on the next line, except in a memo with a fixed line distance.
    bool wordWrap = false;
    bool evaluate = false; // "[DATE]" and "[TIME]" are replaced when printed
    // Distance from one line to the next; 0 is the font's own line spacing. In a band that may
    // split, a memo with a fixed distance continues on the next page between two lines.
    double lineHeight = 0;

    // Pictures: an image, or else a picture that comes with the program, by name.
    ImageRef image;
    std::string builtin;

    const std::vector<std::string>& lines() const { return lines_; }
    void setLines(std::vector<std::string> lines) { lines_ = std::move(lines); }
    // The lines joined with CR LF; setting splits at CR LF, LF or CR.
    std::string text() const;
    void setText(std::string_view text);
    // A line as it prints at the given moment.
    std::string printedLine(std::size_t i, const DateTime& at) const;

private:
    std::vector<std::string> lines_;
};

enum class BandKind { ReportTitle, MasterData, PageFooter };

// The report title prints at the top of the first page, page footers at the bottom of every
// page, master-data bands in between, in their order.
struct Band {
    BandKind kind = BandKind::MasterData;
    std::string name;
    double height = 0;
    bool allowSplit = false; // may continue on the next page between two lines of a memo
    std::vector<ReportObject> objects;
};

enum class Orientation { Portrait, Landscape };

struct Margins { // millimetres
    double left = 10, top = 10, right = 10, bottom = 10;
    bool operator==(const Margins&) const = default;
};

struct PageSetup {
    // The sheet as it comes out of the printer in portrait, in millimetres.
    double paperWidth = 210, paperHeight = 297;
    Orientation orientation = Orientation::Portrait;
    Margins margins;

    // The sheet as laid out, in millimetres.
    double widthMm() const;
    double heightMm() const;
    // The printable area, in report units.
    double printableWidth() const;
    double printableHeight() const;
};

// Part of a band placed on a page: the band's strip [from, to) drawn with its top at `top`.
struct PlacedBand {
    std::size_t band = 0; // index into Report::bands
    double top = 0;
    double from = 0, to = 0;
};

// What one printed page holds besides the page's own objects, which print on every page.
struct PageContent {
    std::vector<PlacedBand> bands;
};

class Report {
public:
    std::string name;
    PageSetup page;
    std::vector<Band> bands;
    std::vector<ReportObject> objects; // placed directly on the page

    // Objects of the page and of every band, by name; nothing when there is none.
    ReportObject* find(std::string_view name);
    const ReportObject* find(std::string_view name) const;
    // The same, only when the object is a memo.
    ReportObject* memo(std::string_view name);
    const ReportObject* memo(std::string_view name) const;
    // Throws std::out_of_range when there is no such object.
    ReportObject& at(std::string_view name);
    Band* band(std::string_view name);
    const Band* band(std::string_view name) const;

    void setOrientation(Orientation o) { page.orientation = o; }
    void setMargins(const Margins& mm) { page.margins = mm; }

    // Lays the bands out into pages. A page always exists, even for an empty report; the work
    // is proportional to the number of pages, not to the lines of the memos.
    std::vector<PageContent> paginate() const;
};

// Whether an object of a band prints in the given part of it: the part that holds the object's
// top. A memo that continues from page to page prints in every part that holds some of its
// lines.
bool printsIn(const Band& band, const ReportObject& object, const PlacedBand& part);
// The lines of a memo of a band that print in the given part: [first, last).
std::pair<std::size_t, std::size_t> linesIn(const Band& band, const ReportObject& memo,
                                            const PlacedBand& part);

} // namespace quaderna
