// SPDX-License-Identifier: GPL-3.0-or-later
// The yardstick for the start-up time: an empty Qt window that leaves once drawn.

#include <QApplication>
#include <QTimer>
#include <QWidget>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QWidget w;
    w.resize(388, 405);
    w.show();
    QTimer::singleShot(0, &app, [] { QCoreApplication::exit(0); });
    return QApplication::exec();
}
