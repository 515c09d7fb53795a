// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/platform/Desktop.h"

#include <QByteArray>
#include <QEvent>
#include <QGuiApplication>
#include <QSaveFile>
#include <QScreen>
#include <QTimer>
#include <QWidget>

#include <xcb/xcb.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <utility>

namespace quaderna::ui {

double fitFactor(double scale, int availableWidth, int availableHeight) {
    if (scale <= 0 || availableWidth <= 0 || availableHeight <= 0)
        return 1;
    const double fits =
        std::min(double(availableWidth) / kWorkWidth, double(availableHeight) / (kWorkHeight + kTitleRoom));
    return fits >= scale ? 1 : fits / scale;
}

void createApplication(std::optional<QApplication>& app, int& argc, char** argv) {
    app.emplace(argc, argv);
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen || QGuiApplication::platformName() == QLatin1String("offscreen"))
        return;
    const double scale = screen->devicePixelRatio();
    const QSize available = screen->availableGeometry().size() * scale;
    const double factor = fitFactor(scale, available.width(), available.height());
    if (factor >= 1)
        return;
    // QT_SCALE_FACTOR multiplies whatever scale the screen itself asks for; it is read only while
    // the application is made.
    const bool had = qEnvironmentVariableIsSet("QT_SCALE_FACTOR");
    const QByteArray asked = qgetenv("QT_SCALE_FACTOR");
    bool ok = false;
    double given = asked.toDouble(&ok);
    if (!ok || given <= 0)
        given = 1;
    app.reset();
    qputenv("QT_SCALE_FACTOR", QByteArray::number(given * factor, 'f', 4));
    app.emplace(argc, argv);
    if (had)
        qputenv("QT_SCALE_FACTOR", asked);
    else
        qunsetenv("QT_SCALE_FACTOR");
}

namespace {

void writeWhole(const QString& file, const QByteArray& bytes) {
    QSaveFile out(file);
    if (out.open(QIODevice::WriteOnly)) {
        out.write(bytes);
        out.commit();
    }
}

QByteArray controlsOnScreen() {
    QByteArray lines;
    for (QWidget* top : QApplication::topLevelWidgets()) {
        if (!top->isVisible() || top->objectName().isEmpty())
            continue;
        const double ratio = top->devicePixelRatioF();
        // The window itself, as ".", with the id the window manager knows it by.
        const QPoint corner = top->mapToGlobal(QPoint(0, 0));
        lines += QStringLiteral("%1\t.\t%2 %3 %4 %5\t%6\n")
                     .arg(top->objectName())
                     .arg(qRound(corner.x() * ratio))
                     .arg(qRound(corner.y() * ratio))
                     .arg(qRound(top->width() * ratio))
                     .arg(qRound(top->height() * ratio))
                     .arg(top->winId())
                     .toUtf8();
        for (QWidget* w : top->findChildren<QWidget*>()) {
            const QString name = w->objectName();
            if (name.isEmpty() || name.startsWith(QLatin1String("qt_")) || !w->isVisible() ||
                w->window() != top)
                continue;
            const QPoint at = w->mapToGlobal(QPoint(0, 0));
            lines += QStringLiteral("%1\t%2\t%3 %4 %5 %6\n")
                         .arg(top->objectName(), name)
                         .arg(qRound(at.x() * ratio))
                         .arg(qRound(at.y() * ratio))
                         .arg(qRound(w->width() * ratio))
                         .arg(qRound(w->height() * ratio))
                         .toUtf8();
        }
    }
    return lines;
}

class ControlsReport : public QObject {
public:
    ControlsReport(QApplication& app, QString file) : QObject(&app), file_(std::move(file)) {
        timer_.setSingleShot(true);
        timer_.setInterval(150);
        connect(&timer_, &QTimer::timeout, this, [this] { writeWhole(file_, controlsOnScreen()); });
        app.installEventFilter(this);
    }
    bool eventFilter(QObject* watched, QEvent* event) override {
        switch (event->type()) {
        case QEvent::Show:
        case QEvent::Hide:
        case QEvent::Move:
        case QEvent::Resize:
        case QEvent::WindowStateChange:
            if (watched->isWidgetType() && static_cast<QWidget*>(watched)->isWindow())
                timer_.start();
            break;
        default:
            break;
        }
        return false;
    }

private:
    QString file_;
    QTimer timer_;
};

xcb_atom_t atom(xcb_connection_t* c, const char* name) {
    xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(
        c, xcb_intern_atom(c, 0, static_cast<std::uint16_t>(std::strlen(name)), name), nullptr);
    const xcb_atom_t a = reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
    std::free(reply);
    return a;
}

// A window property read whole (at most 1 KiB), as bytes.
QByteArray property(xcb_connection_t* c, xcb_window_t w, xcb_atom_t name, xcb_atom_t type) {
    xcb_get_property_reply_t* reply =
        xcb_get_property_reply(c, xcb_get_property(c, 0, w, name, type, 0, 256), nullptr);
    QByteArray bytes;
    if (reply && reply->format != 0)
        bytes = QByteArray(static_cast<const char*>(xcb_get_property_value(reply)),
                           xcb_get_property_value_length(reply));
    std::free(reply);
    return bytes;
}

// The name the running window manager gives itself (EWMH), empty when none is known.
QByteArray windowManager(xcb_connection_t* c, xcb_window_t root) {
    const xcb_atom_t check = atom(c, "_NET_SUPPORTING_WM_CHECK");
    const QByteArray id = property(c, root, check, XCB_ATOM_WINDOW);
    if (id.size() < 4)
        return {};
    xcb_window_t wm = 0;
    std::memcpy(&wm, id.constData(), sizeof wm);
    return property(c, wm, atom(c, "_NET_WM_NAME"), atom(c, "UTF8_STRING"));
}

} // namespace

void reportForTests(QApplication& app) {
    const QString focus = qEnvironmentVariable("QUADERNA_FOCUS_FILE");
    if (!focus.isEmpty())
        QObject::connect(&app, &QApplication::focusChanged, &app, [focus](QWidget*, QWidget* now) {
            writeWhole(focus,
                       now ? (now->window()->objectName() + QLatin1Char('/') + now->objectName()).toUtf8()
                           : QByteArray());
        });
    const QString controls = qEnvironmentVariable("QUADERNA_CONTROLS_FILE");
    if (!controls.isEmpty())
        new ControlsReport(app, controls);
}

void setTitleButtons(QWidget& window, TitleButtons buttons) {
    auto* x11 = qApp ? qApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    if (!x11 || !x11->connection() || !window.isWindow())
        return;
    xcb_connection_t* c = x11->connection();
    const auto w = static_cast<xcb_window_t>(window.winId());
    // flags, functions, decorations, input mode, status: a border and a title, and the window
    // may be moved (and closed, with a close button).
    enum : std::uint32_t { Functions = 1, Decorations = 2 };
    enum : std::uint32_t { FuncMove = 4, FuncClose = 32 };
    enum : std::uint32_t { DecorBorder = 2, DecorTitle = 8 };
    const std::array<std::uint32_t, 5> hints{Functions | Decorations,
                                             FuncMove | (buttons == TitleButtons::Close ? FuncClose : 0u),
                                             DecorBorder | DecorTitle, 0, 0};
    const xcb_atom_t motif = atom(c, "_MOTIF_WM_HINTS");
    if (motif != XCB_ATOM_NONE)
        xcb_change_property(c, XCB_PROP_MODE_REPLACE, w, motif, motif, 32, hints.size(), hints.data());
    // Openbox leaves those hints aside for the buttons, on purpose, and gives every window a
    // minimise button, which on a modal dialog hides the window where no task bar brings it back.
    // It offers no minimise (nor maximise) to a window of the "toolbar" kind; the close button it
    // always keeps, and a window that may not be closed refuses it in its close handler.
    xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(c)).data;
    if (screen && windowManager(c, screen->root) == "Openbox") {
        const xcb_atom_t type = atom(c, "_NET_WM_WINDOW_TYPE");
        const xcb_atom_t toolbar = atom(c, "_NET_WM_WINDOW_TYPE_TOOLBAR");
        if (type != XCB_ATOM_NONE && toolbar != XCB_ATOM_NONE)
            xcb_change_property(c, XCB_PROP_MODE_REPLACE, w, type, XCB_ATOM_ATOM, 32, 1, &toolbar);
    }
    xcb_flush(c);
}

} // namespace quaderna::ui
