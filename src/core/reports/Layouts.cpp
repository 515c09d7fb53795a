// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/reports/Layouts.h"

#include <cstdio>

namespace quaderna::reports {

namespace {

using units::fromMm;

std::string numbered(const char* prefix, int k) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%s%02d", prefix, k);
    return buf;
}

ReportObject text(std::string name, double left, double top, double width, double height, Font font,
                  HAlign h = HAlign::Left, VAlign v = VAlign::Top) {
    ReportObject m = ReportObject::memo(std::move(name), left, top, width, height);
    m.font = std::move(font);
    m.hAlign = h;
    m.vAlign = v;
    return m;
}

Font font(const char* family, double size, Color color = colors::Black, bool bold = false) {
    return Font{family, size, bold, color};
}

PageSetup a4(Orientation o) {
    PageSetup p;
    p.paperWidth = 210;
    p.paperHeight = 297;
    p.orientation = o;
    p.margins = {10, 10, 10, 10};
    return p;
}

} // namespace

const SheetRow schedaLibroRows[26] = {
    {"Titolo libro:", "txtTitolo"},
    {"Codice identificativo:", "txtCodice"},
    {"Scaffale:", "txtScaffale"},
    {"Autore:", "txtAutore"},
    {"Nazione:", "txtNazione"},
    {"Curatore:", "txtCuratore"},
    {"Codice Dewey:", "txtDewey"},
    {"Pagine:", "txtPagine"},
    {"Genere:", "txtGenere"},
    {"Giudizio:", "txtGiudizio"},
    {"Casa editrice:", "txtEditore"},
    {"ISBN:", "txtIsbn"},
    {"Città pubblicazione:", "txtCitta"},
    {"Anno pubblicazione:", "txtAnno"},
    {"Volumi:", "txtVolumi"},
    {"Prezzo:", "txtPrezzo"},
    {"Collana:", "txtCollana"},
    {"Formato:", "txtFormato"},
    {"Titolo originale:", "txtOriginale"},
    {"Lingua:", "txtLingua"},
    {"Prima pubblicazione:", "txtPrima"},
    {"Traduttore:", "txtTraduttore"},
    {"Versione:", "txtVersione"},
    {"Note:", "txtNote"},
    {"Prestato a:", "txtPrestato"},
    {"Scadenza prestito:", "txtScadenza"},
};

Report riepilogoDati() {
    Report r;
    r.name = "Riepilogo dati";
    r.page = a4(Orientation::Landscape);

    Band title{BandKind::ReportTitle, "ReportTitle1", 30.24, false, {}};
    ReportObject t = text("txtTitolo", 7.56, 3.78, 1031.81, 18.90, font("Verdana", 9, colors::White, true),
                          HAlign::Center, VAlign::Center);
    t.fill = colors::SlateGray;
    t.setText("Riepilogo");
    title.objects.push_back(std::move(t));

    Band data{BandKind::MasterData, "MasterData", 105.83, true, {}};
    ReportObject list = text("txtRiepilogo", 11.34, 0, 1031.81, 95.83, font("Courier New", 8));
    list.lineHeight = listLineHeight;
    // List lines are data: brackets in them print as typed.
    list.evaluate = false;
    data.objects.push_back(std::move(list));

    Band footer{BandKind::PageFooter, "PageFooter1", 30.24, false, {}};
    ReportObject p = text("txtPagina", 11.34, 7.56, 1028.03, 18.90, font("Verdana", 8, colors::White, true),
                          HAlign::Center, VAlign::Center);
    p.fill = colors::SlateGray;
    p.evaluate = true;
    p.setText("Stampa eseguita in data [DATE]");
    footer.objects.push_back(std::move(p));

    r.bands = {std::move(title), std::move(data), std::move(footer)};
    return r;
}

void fillList(Report& report, std::string title, std::vector<std::string> lines) {
    report.at("txtTitolo").setText(title);
    ReportObject& list = report.at("txtRiepilogo");
    list.height = static_cast<double>(lines.size()) * listLineHeight;
    list.setLines(std::move(lines));
    if (Band* band = report.band("MasterData"))
        band->height = list.height + 10;
}

Report schedaLibro() {
    Report r;
    r.name = "Scheda Libro";
    r.page = a4(Orientation::Portrait);
    auto& o = r.objects;

    ReportObject header = ReportObject::rectangle("Shape1", 3.78, 3.78, 710.55, 21.92);
    header.fill = colors::LightSteelBlue;
    header.frame = true;
    o.push_back(std::move(header));
    ReportObject heading = text("titArcataSup", 7.56, 7.56, 702.24, 15.87, font("Arial", 9), HAlign::Center);
    heading.setText("SCHEDA INFORMATIVA LIBRO");
    o.push_back(std::move(heading));

    constexpr double firstRow = 26.46, rowStep = 18.8976;
    for (int k = 0; k < 26; ++k) {
        ReportObject box =
            ReportObject::rectangle(numbered("shpRiga", k + 1), 3.78, firstRow + k * rowStep, 710.55, 17.39);
        box.frame = true;
        o.push_back(std::move(box));
    }
    for (int k = 0; k < 26; ++k) {
        ReportObject label = text(numbered("lblRiga", k + 1), 7.56, firstRow + k * rowStep + 1.89, 142.87,
                                  13.23, font("Arial", 7));
        label.setText(schedaLibroRows[k].label);
        o.push_back(std::move(label));
    }
    for (int k = 0; k < 26; ++k)
        o.push_back(text(schedaLibroRows[k].memo, 166.30, firstRow + k * rowStep + 1.89, 544.25, 13.23,
                         font("Arial", 7)));

    ReportObject separator = ReportObject::line("Line2", 158.74, 26.46, 0, 489.83);
    o.push_back(std::move(separator));
    ReportObject footer = ReportObject::rectangle("Shape23", 3.78, 525.35, 710.55, 21.92);
    footer.fill = colors::Gold;
    footer.frame = true;
    o.push_back(std::move(footer));
    ReportObject foot = text("txtCalce", 7.56, 529.13, 702.24, 15.87, font("Arial", 8), HAlign::Center);
    foot.setText("Data e ora stampa");
    o.push_back(std::move(foot));
    return r;
}

Report schedaInformativa() {
    Report r;
    r.name = "Scheda informativa";
    r.page = a4(Orientation::Portrait);
    auto& o = r.objects;

    ReportObject logo = ReportObject::picture("imgLogo", fromMm(3), fromMm(3), fromMm(17), fromMm(13));
    logo.builtin = "scheda_logo";
    o.push_back(std::move(logo));

    ReportObject title = text("txtTitolo", fromMm(23), fromMm(3), fromMm(165), fromMm(9),
                              font("Arial", 16, colors::White), HAlign::Center, VAlign::Center);
    title.fill = colors::DarkOrange;
    o.push_back(std::move(title));
    o.push_back(ReportObject::line("linSepara01", fromMm(23), fromMm(16), fromMm(165), 0));

    for (int k = 1; k <= 24; ++k) {
        const double top = fromMm(24 + 10 * (k - 1));
        ReportObject t = text(numbered("titCampo", k), fromMm(3), top, fromMm(52), fromMm(6),
                              font("Arial", 9, colors::White), HAlign::Left, VAlign::Center);
        t.fill = colors::Teal;
        o.push_back(std::move(t));
        o.push_back(text(numbered("txtCampo", k), fromMm(60), top, fromMm(128), fromMm(6), font("Arial", 10),
                         HAlign::Left, VAlign::Center));
    }

    o.push_back(ReportObject::line("linSepara02", fromMm(3), fromMm(265), fromMm(185), 0));
    ReportObject foot = text("txtCalce", fromMm(3), fromMm(269), fromMm(185), fromMm(6),
                             font("Arial", 10, colors::White), HAlign::Center, VAlign::Center);
    foot.fill = colors::DarkOrange;
    o.push_back(std::move(foot));
    return r;
}

Report tesserino() {
    Report r;
    r.name = "Tesserino";
    r.page = a4(Orientation::Portrait);
    r.page.margins = {0, 0, 0, 0};
    auto& o = r.objects;
    const Color navy{0x00, 0x00, 0x80}, beige{0xF5, 0xF5, 0xDC}, brown{0xA5, 0x2A, 0x2A};

    const auto box = [&](const char* name, double left, double top, double width, double height, Color fill,
                         bool frame) {
        ReportObject b =
            ReportObject::rectangle(name, fromMm(left), fromMm(top), fromMm(width), fromMm(height));
        b.fill = fill;
        b.frame = frame;
        b.frameColor = colors::Black;
        b.frameWidth = 0.5;
        o.push_back(std::move(b));
    };
    const auto memo = [&](const char* name, double left, double top, double width, double height, double size,
                          bool bold, Color color, bool centred = false) {
        ReportObject m = text(name, fromMm(left), fromMm(top), fromMm(width), fromMm(height),
                              Font{"Arial", size, bold, color}, centred ? HAlign::Center : HAlign::Left,
                              centred ? VAlign::Center : VAlign::Top);
        // Whatever the card holds prints as it stands.
        m.evaluate = false;
        o.push_back(std::move(m));
        return &o.back();
    };
    const auto picture = [&](const char* name, double left, double top, double width, double height) {
        o.push_back(ReportObject::picture(name, fromMm(left), fromMm(top), fromMm(width), fromMm(height)));
    };

    box("shpSfondo", 10, 10, 86, 54, colors::White, true);
    box("shpHeader", 11, 11, 83.8, 12, navy, false);
    memo("txtAssociazione", 12, 12, 54, 3.8, 8, true, colors::White);
    memo("txtSottotitolo01", 12, 15.7, 54, 3.7, 7, false, colors::White);
    memo("txtSottotitolo02", 12, 19, 54, 3.7, 7, false, colors::White);
    picture("imgFoto", 12, 25.8, 26, 28.8);
    memo("txtTesserato", 40, 25, 55, 4, 9, true, colors::Black);
    memo("txtCarica", 40, 29, 55, 3.8, 7.3, true, colors::Black);
    memo("txtNumTessera", 40, 33.8, 31, 3.5, 7.3, true, brown);
    memo("titDataRil", 40, 38, 23, 3.4, 7, false, colors::Black)->setText("Data rilascio:");
    box("shpDataRil", 40, 42, 25, 4, beige, false);
    memo("txtDataRil", 41.4, 42.4, 22.2, 3, 7.3, true, colors::Black, true);
    memo("titDataScade", 40, 47, 23, 3.4, 7, false, colors::Black)->setText("Data scadenza:");
    box("shpDataScade", 40, 51, 25, 4, beige, false);
    memo("txtDataScade", 41.4, 51.4, 22.2, 3, 7.3, true, colors::Black, true);
    picture("imgLogo", 72.2, 34.4, 22, 21);
    box("shpFooter", 11, 57, 83.8, 6, navy, false);
    memo("txtAnnotazioni", 12, 58.2, 82, 3.8, 8, true, colors::White, true);
    return r;
}

} // namespace quaderna::reports
