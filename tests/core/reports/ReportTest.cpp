// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/reports/Report.h"
#include "core/reports/Layouts.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

using namespace quaderna;

namespace {

const DateTime printedAt{{2024, 3, 5}, {9, 7, 3}};

std::vector<std::string> numberedLines(std::size_t n) {
    std::vector<std::string> lines;
    for (std::size_t i = 0; i < n; ++i)
        lines.push_back("riga " + std::to_string(i));
    return lines;
}

Report list(std::size_t lines) {
    Report r = reports::riepilogoDati();
    reports::fillList(r, "Riepilogo", numberedLines(lines));
    return r;
}

// The list lines each page prints, page by page.
std::vector<std::vector<std::size_t>> linesPerPage(const Report& r) {
    std::vector<std::vector<std::size_t>> out;
    for (const auto& page : r.paginate()) {
        out.emplace_back();
        for (const auto& part : page.bands) {
            const Band& band = r.bands[part.band];
            for (const auto& o : band.objects) {
                if (o.name != "txtRiepilogo")
                    continue;
                const auto [first, last] = linesIn(band, o, part);
                for (std::size_t i = first; i < last; ++i)
                    out.back().push_back(i);
            }
        }
    }
    return out;
}

} // namespace

TEST(ReportVariables, OnlyDateAndTimeAreReplaced) {
    struct Case {
        const char* text;
        const char* printed;
    } cases[] = {
        {"Stampa eseguita in data [DATE]", "Stampa eseguita in data 05/03/2024"},
        {"[DATE] alle [TIME]", "05/03/2024 alle 09:07:03"},
        {"[DATE][DATE]", "05/03/202405/03/2024"},
        {"[date] [Page#] [TOTALPAGES] [1+1]", "[date] [Page#] [TOTALPAGES] [1+1]"},
        {"[DATE", "[DATE"},
        {"[[DATE]]", "[05/03/2024]"},
        {"", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(expandVariables(c.text, printedAt), c.printed) << c.text;
}

TEST(ReportVariables, AreExpandedOnlyInMemosWithEvaluationOn) {
    Report r = reports::riepilogoDati();
    reports::fillList(r, "Elenco [DATE]", {"Cod. A-1  [DATE] [TIME] [titolo]"});
    EXPECT_EQ(r.find("txtRiepilogo")->printedLine(0, printedAt), "Cod. A-1  [DATE] [TIME] [titolo]");
    EXPECT_EQ(r.find("txtTitolo")->printedLine(0, printedAt), "Elenco [DATE]");
    EXPECT_EQ(r.find("txtPagina")->printedLine(0, printedAt), "Stampa eseguita in data 05/03/2024");

    Report sheet = reports::schedaInformativa();
    sheet.at("txtCampo24").setText("[DATE] e [nota]");
    EXPECT_EQ(sheet.find("txtCampo24")->printedLine(0, printedAt), "[DATE] e [nota]");
}

TEST(ReportObject, TextSplitsIntoLinesAtEveryKindOfLineBreak) {
    struct Case {
        const char* text;
        std::vector<std::string> lines;
        const char* joined;
    } cases[] = {
        {"", {}, ""},
        {"uno", {"uno"}, "uno"},
        {"uno\r\ndue", {"uno", "due"}, "uno\r\ndue"},
        {"uno\ndue\rtre", {"uno", "due", "tre"}, "uno\r\ndue\r\ntre"},
        {"uno\r\n", {"uno"}, "uno"},
        {"uno\r\n\r\ntre", {"uno", "", "tre"}, "uno\r\n\r\ntre"},
        {"\n", {""}, ""},
    };
    for (const auto& c : cases) {
        ReportObject m = ReportObject::memo("m", 0, 0, 10, 10);
        m.setText(c.text);
        EXPECT_EQ(m.lines(), c.lines) << c.text;
        EXPECT_EQ(m.text(), c.joined) << c.text;
    }
}

TEST(Report, FindsObjectsOnThePageAndInBandsByName) {
    Report r = reports::riepilogoDati();
    EXPECT_EQ(r.find("txtPagina"), &r.bands[2].objects[0]);
    EXPECT_EQ(r.find("nessuno"), nullptr);
    EXPECT_THROW(r.at("nessuno"), std::out_of_range);
    EXPECT_EQ(r.band("nessuno"), nullptr);

    Report sheet = reports::schedaLibro();
    EXPECT_EQ(sheet.memo("txtNote"), sheet.find("txtNote"));
    EXPECT_EQ(sheet.memo("Shape1"), nullptr) << "a rectangle is not a memo";
    EXPECT_NE(sheet.find("Shape1"), nullptr);
}

TEST(Report, CopiesAreIndependent) {
    Report original = reports::riepilogoDati();
    reports::fillList(original, "Prima", {"a"});
    Report copy = original;
    reports::fillList(copy, "Dopo", {"b", "c"});
    copy.setOrientation(Orientation::Portrait);
    copy.setMargins({5, 5, 5, 5});
    EXPECT_EQ(original.find("txtTitolo")->text(), "Prima");
    EXPECT_EQ(original.find("txtRiepilogo")->lines(), std::vector<std::string>{"a"});
    EXPECT_NEAR(original.band("MasterData")->height, 22.822, 1e-9);
    EXPECT_EQ(original.page.orientation, Orientation::Landscape);
    EXPECT_EQ(original.page.margins, (Margins{10, 10, 10, 10}));
    EXPECT_EQ(copy.find("txtTitolo")->text(), "Dopo");
}

TEST(Report, OrientationAndMarginsShapeThePrintableArea) {
    Report r = reports::riepilogoDati();
    EXPECT_NEAR(r.page.printableWidth(), units::fromMm(277), 1e-9);
    EXPECT_NEAR(r.page.printableHeight(), units::fromMm(190), 1e-9);
    r.setOrientation(Orientation::Portrait);
    r.setMargins({5, 15, 5, 25});
    EXPECT_NEAR(r.page.printableWidth(), units::fromMm(200), 1e-9);
    EXPECT_NEAR(r.page.printableHeight(), units::fromMm(257), 1e-9);
}

TEST(ReportPages, ASheetWithoutBandsIsOnePage) {
    const auto pages = reports::schedaLibro().paginate();
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_TRUE(pages[0].bands.empty());
}

TEST(ReportPages, AnEmptyListIsOnePageWithTitleAndFooter) {
    const Report r = list(0);
    const auto pages = r.paginate();
    ASSERT_EQ(pages.size(), 1u);
    ASSERT_EQ(pages[0].bands.size(), 3u);
    EXPECT_EQ(pages[0].bands[0].band, 0u);
    EXPECT_DOUBLE_EQ(pages[0].bands[0].top, 0);
    EXPECT_EQ(pages[0].bands[1].band, 1u);
    EXPECT_DOUBLE_EQ(pages[0].bands[1].top, 30.24);
    EXPECT_EQ(pages[0].bands[2].band, 2u);
    EXPECT_NEAR(pages[0].bands[2].top, r.page.printableHeight() - 30.24, 1e-9);
}

TEST(ReportPages, ALongListContinuesLineByLineWithTheTitleOnlyOnTheFirstPage) {
    // 190 mm of printable height: 657.6 units below the title and above the footer on the first
    // page hold 51 lines, 687.9 units on the following pages hold 53.
    struct Case {
        std::size_t lines;
        std::vector<std::size_t> perPage;
    } cases[] = {
        {1, {1}}, {51, {51}}, {52, {51, 1}}, {200, {51, 53, 53, 43}}, {51 + 53, {51, 53}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.lines);
        const Report r = list(c.lines);
        const auto pages = r.paginate();
        const auto shown = linesPerPage(r);
        ASSERT_EQ(shown.size(), c.perPage.size());
        std::size_t next = 0;
        for (std::size_t p = 0; p < shown.size(); ++p) {
            EXPECT_EQ(shown[p].size(), c.perPage[p]) << "page " << p + 1;
            for (std::size_t i : shown[p])
                EXPECT_EQ(i, next++);
            // The title band only on the first page, the footer at the bottom of each.
            std::size_t titles = 0, footers = 0;
            for (const auto& part : pages[p].bands) {
                const Band& b = r.bands[part.band];
                if (b.kind == BandKind::ReportTitle)
                    ++titles;
                if (b.kind == BandKind::PageFooter) {
                    ++footers;
                    EXPECT_NEAR(part.top + b.height, r.page.printableHeight(), 1e-9);
                }
                if (b.kind == BandKind::MasterData) {
                    // The lines end above the footer.
                    const auto [first, last] = linesIn(b, b.objects[0], part);
                    if (first < last) {
                        EXPECT_LE(part.top + b.objects[0].top + last * 12.822 - part.from,
                                  r.page.printableHeight() - 30.24 + 1e-9);
                    }
                }
            }
            EXPECT_EQ(titles, p == 0 ? 1u : 0u);
            EXPECT_EQ(footers, 1u);
        }
        EXPECT_EQ(next, c.lines);
    }
}

TEST(ReportPages, AHundredThousandLinesAreSharedOutWithoutLosingOne) {
    const Report r = list(100000);
    const auto pages = r.paginate();
    EXPECT_EQ(pages.size(), 1u + (100000 - 51 + 52) / 53);
    std::size_t expected = 0;
    for (const auto& page : pages)
        for (const auto& part : page.bands) {
            const Band& b = r.bands[part.band];
            if (b.kind != BandKind::MasterData)
                continue;
            const auto [first, last] = linesIn(b, b.objects[0], part);
            EXPECT_EQ(first, expected);
            expected = last;
        }
    EXPECT_EQ(expected, 100000u);
}

TEST(ReportPages, ABandThatMayNotSplitMovesWholeToTheNextPage) {
    Report r = reports::riepilogoDati();
    Band second{BandKind::MasterData, "Altro", 100, false, {ReportObject::memo("m", 0, 0, 10, 10)}};
    r.bands.insert(r.bands.begin() + 2, second);
    // Leaves about 32 units above the footer on the first page: too little for the second band.
    reports::fillList(r, "x", numberedLines(48));
    const auto pages = r.paginate();
    ASSERT_EQ(pages.size(), 2u);
    bool onSecond = false;
    for (const auto& part : pages[1].bands)
        if (part.band == 2) {
            onSecond = true;
            EXPECT_DOUBLE_EQ(part.top, 0);
            EXPECT_DOUBLE_EQ(part.from, 0);
            EXPECT_DOUBLE_EQ(part.to, 100);
            EXPECT_TRUE(printsIn(r.bands[2], r.bands[2].objects[0], part));
        }
    EXPECT_TRUE(onSecond);
}

TEST(ReportPages, AListTallerThanAnyPageStillEndsWhenNotOneLineFits) {
    Report r = list(3);
    r.bands[0].height = 420; // title and footer leave no room at all on the first page
    r.bands[2].height = 300;
    r.setMargins({10, 10, 10, 10});
    const auto shown = linesPerPage(r);
    std::size_t total = 0;
    for (const auto& p : shown)
        total += p.size();
    EXPECT_EQ(total, 3u);
    EXPECT_LE(shown.size(), 3u);
}
