// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/platform/ListViews.h"

#include "ui/platform/QtPlatform.h"
#include "ui/platform/Widening.h"

#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>

#include <algorithm>

namespace quaderna::ui {

namespace {
const QColor kNavy(0x1F, 0x3A, 0x5F);
const QColor kCrimson(0xDC, 0x14, 0x3C);
QString u(const char* s) {
    return QString::fromUtf8(s);
}
} // namespace

void ListWindowView::criteriaPanel(QWidget* parent, int height,
                                   const std::array<std::pair<Edit*, const char*>, 10>& criteria,
                                   Label& lblAttendere, Button& btnAnnulla, Button& btnCerca) {
    const QFont explain = typeface("Verdana", 12);
    text(parent,
         u("Immettere nei campi prescelti una o più parole consecutive presenti nelle schede da trovare e "
           "premere il pulsante Cerca."),
         QRect(16, 8, 800, 20), explain);
    text(parent, u("Lasciare in bianco tutti gli altri campi."), QRect(16, 30, 800, 20), explain);
    text(parent, u("Per ogni ricerca è possibile utilizzare uno o più campi contemporaneamente."),
         QRect(16, 52, 800, 20), explain);
    for (int i = 0; i < 10; ++i) {
        const int x = 20 + 410 * (i % 2), y = 88 + 68 * (i / 2);
        text(parent, u(criteria[static_cast<std::size_t>(i)].second), QRect(x, y, 380, 18),
             typeface("Verdana", 11), kNavy);
        edit(parent, *criteria[static_cast<std::size_t>(i)].first, QRect(x, y + 20, 380, 30),
             typeface("Verdana", 12, true));
    }
    label(parent, lblAttendere, QRect(20, height - 51, 420, 24), typeface("Verdana", 12, false, true), kNavy);
    button(parent, btnAnnulla, QRect(560, height - 57, 120, 36), u("Chiudi"), typeface("Verdana", 12));
    button(parent, btnCerca, QRect(692, height - 57, 120, 36), u("Cerca"), typeface("Verdana", 12, true));
}

void ListWindowView::resultPanel(QWidget* parent, int height, ListWindow& m, Label* lblTrovate,
                                 const ResultTexts& texts) {
    // Where the panel widens with its window, the texts, the find box and the list grow with it
    // and the buttons keep to the right.
    const int w = parent->width();
    const QFont explain = typeface("Verdana", 12);
    follow(text(parent,
                u("Immettere una o più parole consecutive presenti nella scheda in elenco da cercare e "
                  "premere il pulsante Trova."),
                QRect(16, 8, w - 33, 20), explain),
           Follow::Stretch);
    follow(text(parent,
                u("Per spostarsi sulla voce successiva contenente la stessa chiave di ricerca, fare di nuovo "
                  "clic su Trova."),
                QRect(16, 30, w - 33, 20), explain),
           Follow::Stretch);
    int y = 60;
    if (texts.openHint) {
        follow(text(parent, u("Per richiamare i dati di una scheda, selezionarla con un doppio clic."),
                    QRect(16, 52, w - 33, 20), explain, kCrimson),
               Follow::Stretch);
        y = 82;
    }
    follow(edit(parent, m.txtTrova, QRect(16, y, w - 173, 32), typeface("Verdana", 12, true)),
           Follow::Stretch);
    follow(button(parent, m.btnTrova, QRect(w - 143, y, 126, 32), u("Trova"), typeface("Verdana", 12, true)),
           Follow::Right);
    const QFont lines = typeface("Courier New", 12);
    follow(list(parent, m.lstRecords, QRect(16, y + 44, w - 32, height - 174 - y), lines,
                texts.lineChars > 0 ? itemWidthFor(lines, texts.lineChars) : 1400),
           Follow::Stretch);
    if (lblTrovate)
        label(parent, *lblTrovate, QRect(16, height - 123, 520, 22), typeface("Verdana", 12), kNavy);
    // The buttons at the bottom right, wide enough for their captions.
    const QFont f = typeface("Verdana", 12);
    const auto widthFor = [&](const QString& caption) {
        return std::max(120, QFontMetrics(f).horizontalAdvance(caption) + 28);
    };
    const int closeX = w - 21 - widthFor(texts.close);
    const int printX = closeX - 12 - widthFor(texts.print);
    follow(button(parent, m.btnStampa, QRect(printX, height - 57, widthFor(texts.print), 36), texts.print, f),
           Follow::Right);
    follow(button(parent, texts.closeButton ? *texts.closeButton : m.btnChiudi,
                  QRect(closeX, height - 57, widthFor(texts.close), 36), texts.close, f),
           Follow::Right);
}

} // namespace quaderna::ui
