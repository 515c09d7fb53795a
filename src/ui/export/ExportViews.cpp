// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/export/ExportViews.h"

#include "core/export/ExpAnagrafica.h"
#include "core/export/ExpLibri.h"
#include "core/export/ExpPrestiti.h"
#include "core/export/ExpPrestitiSca.h"
#include "ui/platform/FormView.h"
#include "ui/platform/QtPlatform.h"
#include "ui/platform/Widgets.h"

#include <QLabel>
#include <QTableView>

namespace quaderna::ui {

namespace {

QString u(const char* s) {
    return QString::fromUtf8(s);
}

QString artFile(const char* name) {
    return QStringLiteral(":/art/%1.svg").arg(QLatin1String(name));
}

// Every export window: a fixed dialog with the banner and the three commands along the top, the
// preview grid, and the status line along the bottom.
class ExportView : public FormView {
public:
    ExportView(QtPlatform& p, ExportWindow& m, QWidget* parent) : FormView(p, m, parent) {
        fixedWindow(862, 560);
        setAutoFillBackground(true);
        QPalette pal = palette();
        pal.setColor(QPalette::Window, QColor(0xD9, 0xD9, 0xD9));
        setPalette(pal);
        setBackground(this);
        QWidget* panel = centredPanel(837, 533);

        auto* banner = art(panel, artFile("banner_excel"), QRect(0, 0, 837, 66));
        banner->setObjectName(QStringLiteral("imgLogo"));
        setBackground(banner);
        const QString title = u("ESPORTAZIONE IN EXCEL");
        text(panel, title, QRect(134, 8, 480, 50),
             fittedFont(title, typeface("Verdana", 28, true), {480, 50}), Qt::white);
        art(panel, artFile("icon_mano"), QRect(640, 13, 56, 40))->setObjectName(QStringLiteral("icoHand"));
        setHint(imageButton(panel, m.cmdEsporta, QRect(700, 9, 48, 48), artFile("tool_esporta")),
                u("Esporta l'archivio in formato Microsoft Excel."));
        setHint(imageButton(panel, m.cmdGuida, QRect(754, 15, 36, 36), artFile("tool_guida")),
                u("Visualizza la pagina della guida sensibile al contesto."));
        setHint(imageButton(panel, m.cmdEsci, QRect(795, 15, 36, 36), artFile("tool_esci")),
                u("Esci da questo ambiente di lavoro."));

        grid(panel, m.grdRecords, QRect(8, 76, 821, 413), typeface("Verdana", 12), 21);
        setBackground(
            statusLine(panel, QRect(0, 497, 837, 36), u("Esportazione archivio in Microsoft Excel.")));
    }
};

template <class M> void registerExport(QtPlatform& platform) {
    platform.registerView<M>([](QtPlatform& p, Form& f, QWidget* parent) -> FormView* {
        return new ExportView(p, static_cast<M&>(f), parent);
    });
}

} // namespace

void registerExportViews(QtPlatform& platform) {
    registerExport<TfrmExpLibri>(platform);
    registerExport<TfrmExpAnagrafica>(platform);
    registerExport<TfrmExpPrestiti>(platform);
    registerExport<TfrmExpPrestitiSca>(platform);
}

} // namespace quaderna::ui
