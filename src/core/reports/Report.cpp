// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/reports/Report.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace quaderna {

namespace {

// Positions are sums and products of decimals; anything closer than this is the same place.
constexpr double eps = 1e-6;

ReportObject make(ReportObject::Kind kind, std::string name, double left, double top, double width,
                  double height) {
    ReportObject o;
    o.kind = kind;
    o.name = std::move(name);
    o.left = left;
    o.top = top;
    o.width = width;
    o.height = height;
    return o;
}

// A memo whose lines may be shared out between pages.
bool splits(const Band& band, const ReportObject& o) {
    return band.allowSplit && o.kind == ReportObject::Kind::Memo && o.lineHeight > 0;
}

double lineTop(const ReportObject& memo, std::size_t i) {
    return memo.top + static_cast<double>(i) * memo.lineHeight;
}

// The last place at or above `limit`, and below `from`, where the band may be cut: between two
// lines of a splitting memo, or just above it. 0 or less when there is none.
double lastCutBefore(const Band& band, double from, double limit) {
    double best = -1;
    for (const auto& o : band.objects) {
        if (!splits(band, o))
            continue;
        const double k = std::floor((limit + eps - o.top) / o.lineHeight);
        if (k < 0)
            continue;
        const double cut = lineTop(o, static_cast<std::size_t>(std::min(k, double(o.lines().size()))));
        if (cut > from + eps)
            best = std::max(best, cut);
    }
    return best;
}

// The first place below `from` where the band may be cut; the band's end when there is none.
double firstCutAfter(const Band& band, double from) {
    double best = band.height;
    for (const auto& o : band.objects) {
        if (!splits(band, o))
            continue;
        const double k = std::max(0.0, std::floor((from + eps - o.top) / o.lineHeight) + 1);
        if (k > double(o.lines().size()))
            continue;
        const double cut = lineTop(o, static_cast<std::size_t>(k));
        if (cut > from + eps)
            best = std::min(best, cut);
    }
    return best;
}

// Whether anything of the band prints at or below `from`.
bool printsBelow(const Band& band, double from) {
    for (const auto& o : band.objects) {
        if (splits(band, o)) {
            if (!o.lines().empty() && lineTop(o, o.lines().size() - 1) >= from - eps)
                return true;
        } else if (o.top >= from - eps) {
            return true;
        }
    }
    return false;
}

bool lastPart(const Band& band, const PlacedBand& part) {
    return part.to >= band.height - eps;
}

} // namespace

std::string expandVariables(std::string_view text, const DateTime& at) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        if (text.compare(i, 6, "[DATE]") == 0) {
            out += at.date.format();
            i += 6;
        } else if (text.compare(i, 6, "[TIME]") == 0) {
            out += at.time.format();
            i += 6;
        } else {
            out += text[i++];
        }
    }
    return out;
}

ReportObject ReportObject::memo(std::string name, double left, double top, double width, double height) {
    return make(Kind::Memo, std::move(name), left, top, width, height);
}
ReportObject ReportObject::rectangle(std::string name, double left, double top, double width, double height) {
    return make(Kind::Rectangle, std::move(name), left, top, width, height);
}
ReportObject ReportObject::line(std::string name, double left, double top, double width, double height) {
    return make(Kind::Line, std::move(name), left, top, width, height);
}
ReportObject ReportObject::picture(std::string name, double left, double top, double width, double height) {
    return make(Kind::Picture, std::move(name), left, top, width, height);
}

std::string ReportObject::text() const {
    std::string t;
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        if (i)
            t += "\r\n";
        t += lines_[i];
    }
    return t;
}

void ReportObject::setText(std::string_view text) {
    lines_.clear();
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\r' && text[i] != '\n')
            continue;
        lines_.emplace_back(text.substr(start, i - start));
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
            ++i;
        start = i + 1;
    }
    // A break at the very end closes the last line; it does not open an empty one.
    if (start < text.size())
        lines_.emplace_back(text.substr(start));
}

std::string ReportObject::printedLine(std::size_t i, const DateTime& at) const {
    return evaluate ? expandVariables(lines_.at(i), at) : lines_.at(i);
}

double PageSetup::widthMm() const {
    return orientation == Orientation::Portrait ? paperWidth : paperHeight;
}
double PageSetup::heightMm() const {
    return orientation == Orientation::Portrait ? paperHeight : paperWidth;
}
double PageSetup::printableWidth() const {
    return units::fromMm(widthMm() - margins.left - margins.right);
}
double PageSetup::printableHeight() const {
    return units::fromMm(heightMm() - margins.top - margins.bottom);
}

ReportObject* Report::find(std::string_view wanted) {
    return const_cast<ReportObject*>(std::as_const(*this).find(wanted));
}

const ReportObject* Report::find(std::string_view wanted) const {
    for (const auto& o : objects)
        if (o.name == wanted)
            return &o;
    for (const auto& b : bands)
        for (const auto& o : b.objects)
            if (o.name == wanted)
                return &o;
    return nullptr;
}

ReportObject* Report::memo(std::string_view wanted) {
    return const_cast<ReportObject*>(std::as_const(*this).memo(wanted));
}

const ReportObject* Report::memo(std::string_view wanted) const {
    const ReportObject* o = find(wanted);
    return o && o->kind == ReportObject::Kind::Memo ? o : nullptr;
}

ReportObject& Report::at(std::string_view wanted) {
    if (ReportObject* o = find(wanted))
        return *o;
    throw std::out_of_range("report \"" + name + "\" has no object " + std::string(wanted));
}

Band* Report::band(std::string_view wanted) {
    return const_cast<Band*>(std::as_const(*this).band(wanted));
}

const Band* Report::band(std::string_view wanted) const {
    for (const auto& b : bands)
        if (b.name == wanted)
            return &b;
    return nullptr;
}

std::vector<PageContent> Report::paginate() const {
    const double pageHeight = page.printableHeight();
    double footers = 0;
    for (const auto& b : bands)
        if (b.kind == BandKind::PageFooter)
            footers += b.height;
    const double bottom = pageHeight - footers;

    std::vector<PageContent> pages(1);
    double y = 0;
    auto place = [&](std::size_t i, double from, double to) {
        pages.back().bands.push_back({i, y, from, to});
    };
    auto closePage = [&] {
        double f = bottom;
        for (std::size_t i = 0; i < bands.size(); ++i)
            if (bands[i].kind == BandKind::PageFooter) {
                pages.back().bands.push_back({i, f, 0, bands[i].height});
                f += bands[i].height;
            }
    };

    for (std::size_t i = 0; i < bands.size(); ++i)
        if (bands[i].kind == BandKind::ReportTitle) {
            place(i, 0, bands[i].height);
            y += bands[i].height;
        }
    double dataTop = y; // where the data of the current page begins

    for (std::size_t i = 0; i < bands.size(); ++i) {
        const Band& b = bands[i];
        if (b.kind != BandKind::MasterData)
            continue;
        double from = 0;
        for (;;) {
            const double room = bottom - y;
            const double rest = b.height - from;
            const bool pageEmpty = y <= dataTop + eps;
            if (rest <= room + eps) {
                place(i, from, b.height);
                y += rest;
                break;
            }
            double cut = b.allowSplit ? lastCutBefore(b, from, from + room) : -1;
            if (cut <= from + eps) {
                if (!pageEmpty) {
                    closePage();
                    pages.emplace_back();
                    y = dataTop = 0;
                    continue;
                }
                // Not even one line fits on an empty page: print one anyway, so the report ends.
                cut = b.allowSplit ? firstCutAfter(b, from) : b.height;
            }
            if (!printsBelow(b, cut)) {
                // Only blank space is left: it does not need a page of its own.
                place(i, from, b.height);
                y += rest;
                break;
            }
            place(i, from, cut);
            closePage();
            pages.emplace_back();
            y = dataTop = 0;
            from = cut;
        }
    }
    closePage();
    return pages;
}

bool printsIn(const Band& band, const ReportObject& o, const PlacedBand& part) {
    if (splits(band, o)) {
        const auto [first, last] = linesIn(band, o, part);
        if (first < last)
            return true;
        // Otherwise its box alone prints, in the part that holds its top.
    }
    if (o.top < part.from - eps)
        return part.from <= eps;
    return o.top < part.to - eps || lastPart(band, part);
}

std::pair<std::size_t, std::size_t> linesIn(const Band& band, const ReportObject& memo,
                                            const PlacedBand& part) {
    const std::size_t n = memo.lines().size();
    if (!splits(band, memo))
        return printsIn(band, memo, part) ? std::pair<std::size_t, std::size_t>{0, n}
                                          : std::pair<std::size_t, std::size_t>{0, 0};
    auto index = [&](double at) {
        const double k = std::ceil((at - eps - memo.top) / memo.lineHeight);
        return static_cast<std::size_t>(std::clamp(k, 0.0, double(n)));
    };
    const std::size_t first = part.from <= eps ? 0 : index(part.from);
    const std::size_t last = lastPart(band, part) ? n : index(part.to);
    return {first, std::max(first, last)};
}

} // namespace quaderna
