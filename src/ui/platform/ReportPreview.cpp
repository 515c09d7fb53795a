// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/platform/ReportPreview.h"

#include "ui/platform/Widgets.h"

#include <QAction>
#include <QGuiApplication>
#include <QIcon>
#include <QPrintPreviewWidget>
#include <QScreen>
#include <QToolBar>
#include <QVBoxLayout>

namespace quaderna::ui {

ReportPreview::ReportPreview(const Report& report, const DateTime& printedAt, QWidget* parent)
    : QDialog(parent), printer_(QPrinter::HighResolution), renderer_(report, printedAt) {
    setObjectName(QStringLiteral("frmAnteprima"));
    setWindowTitle(QStringLiteral("Anteprima di stampa"));
    applyPageLayout(printer_, report);
    printer_.setDocName(QString::fromStdString(report.name));

    auto* bar = new QToolBar(this);
    bar->setObjectName(QStringLiteral("barAnteprima"));
    bar->setMovable(false);
    bar->setIconSize(QSize(24, 24));
    auto add = [&](const char* name, const char* art, const QString& tip) {
        QAction* a = bar->addAction(
            QIcon(artPixmap(QStringLiteral(":/art/%1.svg").arg(QLatin1String(art)), QSize(48, 48))), tip);
        a->setObjectName(QLatin1String(name));
        a->setToolTip(tip);
        return a;
    };
    QAction* print = add("actStampa", "anteprima_stampa", QStringLiteral("Stampa"));
    bar->addSeparator();
    QAction* zoomIn = add("actIngrandisci", "anteprima_ingrandisci", QStringLiteral("Ingrandisci"));
    QAction* zoomOut = add("actRiduci", "anteprima_riduci", QStringLiteral("Riduci"));
    fullScreen_ = add("actSchermoIntero", "anteprima_schermo", QStringLiteral("Schermo intero"));
    fullScreen_->setCheckable(true);
    bar->addSeparator();
    QAction* close = add("actChiudi", "anteprima_chiudi", QStringLiteral("Chiudi"));

    view_ = new QPrintPreviewWidget(&printer_, this);
    view_->setObjectName(QStringLiteral("pagAnteprima"));
    view_->setViewMode(QPrintPreviewWidget::SinglePageView);
    view_->setZoomFactor(1.0); // 100 %, the paper's own size on the screen
    connect(view_, &QPrintPreviewWidget::paintRequested, this,
            [this](QPrinter* printer) { stopped_ = !renderer_.print(*printer, progress_); });

    connect(print, &QAction::triggered, this, [this] {
        if (onPrint)
            onPrint();
    });
    connect(zoomIn, &QAction::triggered, view_, [this] { view_->zoomIn(); });
    connect(zoomOut, &QAction::triggered, view_, [this] { view_->zoomOut(); });
    connect(fullScreen_, &QAction::triggered, this, [this] { toggleFullScreen(); });
    connect(close, &QAction::triggered, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(bar);
    layout->addWidget(view_, 1);

    QSize size(1000, 800);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        size = size.boundedTo(screen->availableSize() * 9 / 10);
    resize(size);
}

bool ReportPreview::prepare(const std::function<bool(int, int)>& progress) {
    progress_ = progress;
    view_->updatePreview();
    progress_ = nullptr;
    return !stopped_;
}

void ReportPreview::toggleFullScreen() {
    if (isFullScreen())
        showNormal();
    else
        showFullScreen();
    fullScreen_->setChecked(isFullScreen());
}

} // namespace quaderna::ui
