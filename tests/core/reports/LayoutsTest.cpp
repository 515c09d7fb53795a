// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/reports/Layouts.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

using namespace quaderna;

namespace {

constexpr double tol = 0.005; // report units, the precision the layouts are given in

void expectBox(const ReportObject& o, double left, double top, double width, double height) {
    SCOPED_TRACE(o.name);
    EXPECT_NEAR(o.left, left, tol);
    EXPECT_NEAR(o.top, top, tol);
    EXPECT_NEAR(o.width, width, tol);
    EXPECT_NEAR(o.height, height, tol);
}

void expectBoxMm(const ReportObject& o, double left, double top, double width, double height) {
    SCOPED_TRACE(o.name);
    EXPECT_NEAR(units::toMm(o.left), left, 1e-9);
    EXPECT_NEAR(units::toMm(o.top), top, 1e-9);
    EXPECT_NEAR(units::toMm(o.width), width, 1e-9);
    EXPECT_NEAR(units::toMm(o.height), height, 1e-9);
}

std::vector<const ReportObject*> allObjects(const Report& r) {
    std::vector<const ReportObject*> all;
    for (const auto& o : r.objects)
        all.push_back(&o);
    for (const auto& b : r.bands)
        for (const auto& o : b.objects)
            all.push_back(&o);
    return all;
}

std::string numbered(const char* prefix, int k) {
    return prefix + std::string(k < 10 ? "0" : "") + std::to_string(k);
}

} // namespace

TEST(Units, FiveMillimetresAreTheSheetsRowStep) {
    EXPECT_NEAR(units::fromMm(5), 18.8976, 1e-4);
    EXPECT_NEAR(units::fromMm(277), 1046.93, 0.01); // the list's band width
    EXPECT_NEAR(units::toMm(units::fromMm(123.4)), 123.4, 1e-12);
    EXPECT_NEAR(units::fromPt(9), 12, 1e-12);
}

TEST(RiepilogoDati, IsAnA4LandscapePageWithTitleListAndFooterBands) {
    const Report r = reports::riepilogoDati();
    EXPECT_EQ(r.name, "Riepilogo dati");
    EXPECT_EQ(r.page.orientation, Orientation::Landscape);
    EXPECT_DOUBLE_EQ(r.page.widthMm(), 297);
    EXPECT_DOUBLE_EQ(r.page.heightMm(), 210);
    EXPECT_EQ(r.page.margins, (Margins{10, 10, 10, 10}));
    EXPECT_TRUE(r.objects.empty());

    ASSERT_EQ(r.bands.size(), 3u);
    EXPECT_EQ(r.bands[0].kind, BandKind::ReportTitle);
    EXPECT_DOUBLE_EQ(r.bands[0].height, 30.24);
    EXPECT_EQ(r.bands[1].kind, BandKind::MasterData);
    EXPECT_EQ(r.bands[1].name, "MasterData");
    EXPECT_DOUBLE_EQ(r.bands[1].height, 105.83);
    EXPECT_TRUE(r.bands[1].allowSplit);
    EXPECT_EQ(r.bands[2].kind, BandKind::PageFooter);
    EXPECT_DOUBLE_EQ(r.bands[2].height, 30.24);
    EXPECT_EQ(r.band("MasterData"), &r.bands[1]);

    const ReportObject& title = *r.find("txtTitolo");
    EXPECT_EQ(&title, &r.bands[0].objects.at(0));
    expectBox(title, 7.56, 3.78, 1031.81, 18.90);
    EXPECT_EQ(title.font, (Font{"Verdana", 9, true, colors::White}));
    EXPECT_EQ(title.fill, colors::SlateGray);
    EXPECT_EQ(title.hAlign, HAlign::Center);
    EXPECT_EQ(title.text(), "Riepilogo");

    const ReportObject& list = *r.find("txtRiepilogo");
    EXPECT_EQ(&list, &r.bands[1].objects.at(0));
    EXPECT_NEAR(list.left, 11.34, tol);
    EXPECT_NEAR(list.width, 1031.81, tol);
    EXPECT_EQ(list.font, (Font{"Courier New", 8, false, colors::Black}));
    EXPECT_FALSE(list.fill);
    EXPECT_FALSE(list.wordWrap);
    EXPECT_FALSE(list.evaluate) << "list lines print their brackets as typed";
    EXPECT_DOUBLE_EQ(list.lineHeight, 12.822);

    const ReportObject& foot = *r.find("txtPagina");
    EXPECT_EQ(&foot, &r.bands[2].objects.at(0));
    expectBox(foot, 11.34, 7.56, 1028.03, 18.90);
    EXPECT_EQ(foot.font, (Font{"Verdana", 8, true, colors::White}));
    EXPECT_EQ(foot.fill, colors::SlateGray);
    EXPECT_EQ(foot.hAlign, HAlign::Center);
    EXPECT_TRUE(foot.evaluate);
    EXPECT_EQ(foot.text(), "Stampa eseguita in data [DATE]");
}

TEST(RiepilogoDati, FillListSetsTitleLinesAndHeights) {
    struct Case {
        const char* title;
        std::size_t lines;
    } cases[] = {
        {"Riepilogo libri in archivio", 0},
        {"Riepilogo anagrafica utenti", 1},
        {"Riepilogo tessere in attesa di rinnovo", 200},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.lines);
        Report r = reports::riepilogoDati();
        std::vector<std::string> lines;
        for (std::size_t i = 0; i < c.lines; ++i)
            lines.push_back("Cod. " + std::to_string(i) + " [x]");
        reports::fillList(r, c.title, lines);
        EXPECT_EQ(r.find("txtTitolo")->text(), c.title);
        EXPECT_EQ(r.find("txtRiepilogo")->lines(), lines);
        EXPECT_NEAR(r.find("txtRiepilogo")->height, 12.822 * c.lines, 1e-9);
        EXPECT_NEAR(r.band("MasterData")->height, 12.822 * c.lines + 10, 1e-9);
        // The rest of the layout stays as designed.
        EXPECT_EQ(r.find("txtPagina")->text(), "Stampa eseguita in data [DATE]");
        EXPECT_DOUBLE_EQ(r.bands[0].height, 30.24);
    }
}

TEST(RiepilogoDati, FillingAgainReplacesTheList) {
    Report r = reports::riepilogoDati();
    reports::fillList(r, "A", {"1", "2", "3"});
    reports::fillList(r, "B", {"4"});
    EXPECT_EQ(r.find("txtTitolo")->text(), "B");
    EXPECT_EQ(r.find("txtRiepilogo")->lines(), std::vector<std::string>{"4"});
    EXPECT_NEAR(r.band("MasterData")->height, 22.822, 1e-9);
}

TEST(SchedaLibro, IsAnA4PortraitSheetWithoutBands) {
    const Report r = reports::schedaLibro();
    EXPECT_EQ(r.name, "Scheda Libro");
    EXPECT_EQ(r.page.orientation, Orientation::Portrait);
    EXPECT_DOUBLE_EQ(r.page.widthMm(), 210);
    EXPECT_DOUBLE_EQ(r.page.heightMm(), 297);
    EXPECT_EQ(r.page.margins, (Margins{10, 10, 10, 10}));
    EXPECT_TRUE(r.bands.empty());
    EXPECT_EQ(r.objects.size(), 2u + 26 * 3 + 3);

    const ReportObject& header = *r.find("Shape1");
    EXPECT_EQ(header.kind, ReportObject::Kind::Rectangle);
    expectBox(header, 3.78, 3.78, 710.55, 21.92);
    EXPECT_EQ(header.fill, colors::LightSteelBlue);
    const ReportObject& heading = *r.find("titArcataSup");
    expectBox(heading, 7.56, 7.56, 702.24, 15.87);
    EXPECT_EQ(heading.text(), "SCHEDA INFORMATIVA LIBRO");
    EXPECT_EQ(heading.font.size, 9);
    EXPECT_EQ(heading.hAlign, HAlign::Center);

    const ReportObject& line = *r.find("Line2");
    EXPECT_EQ(line.kind, ReportObject::Kind::Line);
    expectBox(line, 158.74, 26.46, 0, 489.83);
    const ReportObject& footer = *r.find("Shape23");
    expectBox(footer, 3.78, 525.35, 710.55, 21.92);
    EXPECT_EQ(footer.fill, colors::Gold);
    const ReportObject& foot = *r.find("txtCalce");
    expectBox(foot, 7.56, 529.13, 702.24, 15.87);
    EXPECT_EQ(foot.text(), "Data e ora stampa");
    EXPECT_EQ(foot.font.size, 8);
    EXPECT_EQ(foot.hAlign, HAlign::Center);

    for (const ReportObject* o : allObjects(r)) {
        if (o->kind != ReportObject::Kind::Memo)
            continue;
        SCOPED_TRACE(o->name);
        EXPECT_EQ(o->font.family, "Arial");
        EXPECT_EQ(o->font.color, colors::Black);
        EXPECT_FALSE(o->evaluate);
        EXPECT_FALSE(o->wordWrap);
    }
}

TEST(SchedaLibro, HasTwentySixLabelledRowsNamedLikeTheBookWindowsFields) {
    const Report r = reports::schedaLibro();
    const char* labels[26] = {"Titolo libro:",
                              "Codice identificativo:",
                              "Scaffale:",
                              "Autore:",
                              "Nazione:",
                              "Curatore:",
                              "Codice Dewey:",
                              "Pagine:",
                              "Genere:",
                              "Giudizio:",
                              "Casa editrice:",
                              "ISBN:",
                              "Città pubblicazione:",
                              "Anno pubblicazione:",
                              "Volumi:",
                              "Prezzo:",
                              "Collana:",
                              "Formato:",
                              "Titolo originale:",
                              "Lingua:",
                              "Prima pubblicazione:",
                              "Traduttore:",
                              "Versione:",
                              "Note:",
                              "Prestato a:",
                              "Scadenza prestito:"};
    const char* memos[26] = {"txtTitolo",   "txtCodice",     "txtScaffale", "txtAutore",    "txtNazione",
                             "txtCuratore", "txtDewey",      "txtPagine",   "txtGenere",    "txtGiudizio",
                             "txtEditore",  "txtIsbn",       "txtCitta",    "txtAnno",      "txtVolumi",
                             "txtPrezzo",   "txtCollana",    "txtFormato",  "txtOriginale", "txtLingua",
                             "txtPrima",    "txtTraduttore", "txtVersione", "txtNote",      "txtPrestato",
                             "txtScadenza"};
    for (int k = 0; k < 26; ++k) {
        SCOPED_TRACE(k + 1);
        const double rowTop = 26.46 + 18.8976 * k;
        const ReportObject* box = r.find(numbered("shpRiga", k + 1));
        const ReportObject* label = r.find(numbered("lblRiga", k + 1));
        const ReportObject* value = r.find(memos[k]);
        ASSERT_TRUE(box && label && value);
        EXPECT_EQ(box->kind, ReportObject::Kind::Rectangle);
        EXPECT_TRUE(box->frame);
        EXPECT_FALSE(box->fill);
        expectBox(*box, 3.78, rowTop, 710.55, 17.39);
        EXPECT_EQ(label->text(), labels[k]);
        EXPECT_EQ(label->font.size, 7);
        expectBox(*label, 7.56, rowTop + 1.89, 142.87, 13.23);
        EXPECT_EQ(value->kind, ReportObject::Kind::Memo);
        EXPECT_EQ(value->text(), "");
        EXPECT_EQ(value->font.size, 7);
        expectBox(*value, 166.30, rowTop + 1.89, 544.25, 13.23);
        EXPECT_EQ(reports::schedaLibroRows[k].label, std::string(labels[k]));
        EXPECT_EQ(reports::schedaLibroRows[k].memo, std::string(memos[k]));
    }
    // The last row box ends where the separating line ends.
    EXPECT_NEAR(r.find("shpRiga26")->top + 17.39, 26.46 + 489.83, tol);
}

TEST(SchedaInformativa, PlacesItsObjectsInMillimetres) {
    const Report r = reports::schedaInformativa();
    EXPECT_EQ(r.name, "Scheda informativa");
    EXPECT_EQ(r.page.orientation, Orientation::Portrait);
    EXPECT_DOUBLE_EQ(r.page.widthMm(), 210);
    EXPECT_EQ(r.page.margins, (Margins{10, 10, 10, 10}));
    EXPECT_TRUE(r.bands.empty());

    const ReportObject& logo = *r.find("imgLogo");
    EXPECT_EQ(logo.kind, ReportObject::Kind::Picture);
    EXPECT_FALSE(logo.builtin.empty());
    expectBoxMm(logo, 3, 3, 17, 13);

    const ReportObject& title = *r.find("txtTitolo");
    expectBoxMm(title, 23, 3, 165, 9);
    EXPECT_EQ(title.font, (Font{"Arial", 16, false, colors::White}));
    EXPECT_EQ(title.fill, colors::DarkOrange);
    EXPECT_EQ(title.hAlign, HAlign::Center);
    EXPECT_EQ(title.vAlign, VAlign::Center);

    EXPECT_EQ(r.find("linSepara01")->kind, ReportObject::Kind::Line);
    expectBoxMm(*r.find("linSepara01"), 23, 16, 165, 0);
    expectBoxMm(*r.find("linSepara02"), 3, 265, 185, 0);

    for (int k = 1; k <= 24; ++k) {
        SCOPED_TRACE(k);
        const ReportObject& t = *r.find(numbered("titCampo", k));
        const ReportObject& v = *r.find(numbered("txtCampo", k));
        expectBoxMm(t, 3, 24 + 10 * (k - 1), 52, 6);
        expectBoxMm(v, 60, 24 + 10 * (k - 1), 128, 6);
        EXPECT_EQ(t.font, (Font{"Arial", 9, false, colors::White}));
        EXPECT_EQ(t.fill, colors::Teal);
        EXPECT_EQ(t.hAlign, HAlign::Left);
        EXPECT_EQ(t.vAlign, VAlign::Center);
        EXPECT_EQ(v.font, (Font{"Arial", 10, false, colors::Black}));
        EXPECT_FALSE(v.fill);
        EXPECT_EQ(v.hAlign, HAlign::Left);
        EXPECT_EQ(v.vAlign, VAlign::Center);
    }
    EXPECT_NEAR(units::toMm(r.find("txtCampo24")->top), 254, 1e-9);

    const ReportObject& foot = *r.find("txtCalce");
    expectBoxMm(foot, 3, 269, 185, 6);
    EXPECT_EQ(foot.font, (Font{"Arial", 10, false, colors::White}));
    EXPECT_EQ(foot.fill, colors::DarkOrange);
    EXPECT_EQ(foot.hAlign, HAlign::Center);

    for (const ReportObject* o : allObjects(r)) {
        SCOPED_TRACE(o->name);
        EXPECT_FALSE(o->evaluate);
        EXPECT_FALSE(o->wordWrap);
    }
}

TEST(Tesserino, PlacesTheCardInMillimetresOnAnA4PageWithoutMarginsOrBands) {
    const Report r = reports::tesserino();
    EXPECT_EQ(r.name, "Tesserino");
    EXPECT_EQ(r.page.orientation, Orientation::Portrait);
    EXPECT_DOUBLE_EQ(r.page.widthMm(), 210);
    EXPECT_DOUBLE_EQ(r.page.heightMm(), 297);
    EXPECT_EQ(r.page.margins, (Margins{0, 0, 0, 0}));
    EXPECT_TRUE(r.bands.empty());

    const Color navy{0x00, 0x00, 0x80}, beige{0xF5, 0xF5, 0xDC}, brown{0xA5, 0x2A, 0x2A};
    using K = ReportObject::Kind;
    const struct {
        const char* name;
        K kind;
        double left, top, width, height;
        double size; // memos: points
        bool bold;
        Color color; // memos: the text; rectangles: the fill
    } objects[] = {
        {"shpSfondo", K::Rectangle, 10, 10, 86, 54, 0, false, colors::White},
        {"shpHeader", K::Rectangle, 11, 11, 83.8, 12, 0, false, navy},
        {"txtAssociazione", K::Memo, 12, 12, 54, 3.8, 8, true, colors::White},
        {"txtSottotitolo01", K::Memo, 12, 15.7, 54, 3.7, 7, false, colors::White},
        {"txtSottotitolo02", K::Memo, 12, 19, 54, 3.7, 7, false, colors::White},
        {"imgFoto", K::Picture, 12, 25.8, 26, 28.8, 0, false, {}},
        {"txtTesserato", K::Memo, 40, 25, 55, 4, 9, true, colors::Black},
        {"txtCarica", K::Memo, 40, 29, 55, 3.8, 7.3, true, colors::Black},
        {"txtNumTessera", K::Memo, 40, 33.8, 31, 3.5, 7.3, true, brown},
        {"titDataRil", K::Memo, 40, 38, 23, 3.4, 7, false, colors::Black},
        {"shpDataRil", K::Rectangle, 40, 42, 25, 4, 0, false, beige},
        {"txtDataRil", K::Memo, 41.4, 42.4, 22.2, 3, 7.3, true, colors::Black},
        {"titDataScade", K::Memo, 40, 47, 23, 3.4, 7, false, colors::Black},
        {"shpDataScade", K::Rectangle, 40, 51, 25, 4, 0, false, beige},
        {"txtDataScade", K::Memo, 41.4, 51.4, 22.2, 3, 7.3, true, colors::Black},
        {"imgLogo", K::Picture, 72.2, 34.4, 22, 21, 0, false, {}},
        {"shpFooter", K::Rectangle, 11, 57, 83.8, 6, 0, false, navy},
        {"txtAnnotazioni", K::Memo, 12, 58.2, 82, 3.8, 8, true, colors::White},
    };
    ASSERT_EQ(r.objects.size(), std::size(objects));
    for (std::size_t i = 0; i < std::size(objects); ++i) {
        const auto& want = objects[i];
        const ReportObject& o = r.objects[i];
        SCOPED_TRACE(want.name);
        EXPECT_EQ(o.name, want.name) << "objects are drawn in this order";
        EXPECT_EQ(o.kind, want.kind);
        expectBoxMm(o, want.left, want.top, want.width, want.height);
        if (o.kind == K::Memo) {
            EXPECT_EQ(o.font, (Font{"Arial", want.size, want.bold, want.color}));
            EXPECT_FALSE(o.evaluate) << "whatever is put in prints literally";
            EXPECT_FALSE(o.wordWrap);
            EXPECT_FALSE(o.fill);
            const bool centred =
                o.name == "txtDataRil" || o.name == "txtDataScade" || o.name == "txtAnnotazioni";
            EXPECT_EQ(o.hAlign, centred ? HAlign::Center : HAlign::Left);
            EXPECT_EQ(o.vAlign, centred ? VAlign::Center : VAlign::Top);
        } else if (o.kind == K::Rectangle) {
            EXPECT_EQ(o.fill, want.color);
            EXPECT_EQ(o.frame, o.name == "shpSfondo") << "only the card has an outline";
        }
    }
    EXPECT_EQ(r.find("titDataRil")->text(), "Data rilascio:");
    EXPECT_EQ(r.find("titDataScade")->text(), "Data scadenza:");
    for (const char* filled : {"txtAssociazione", "txtTesserato", "txtDataScade", "txtAnnotazioni"})
        EXPECT_EQ(r.find(filled)->text(), "") << filled;
}
