// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Helpers for driving the real windows: find widgets by name, type, press keys, wait for modal
// dialogs and answer them.

#include "ui/Program.h"
#include "ui/platform/FormView.h"

#include <QApplication>
#include <QPointer>
#include <QTest>
#include <QTimer>

#include <functional>

namespace quaderna::testing {

template <class W = QWidget> W* widget(ui::QtPlatform& platform, const Form& form, const char* name) {
    ui::FormView* view = platform.viewOf(form);
    return view ? view->findChild<W*>(QString::fromLatin1(name)) : nullptr;
}

// Runs `action` as soon as a modal window appears (checked every few milliseconds while the
// code that opens it is running), once it is the active window and holds the keyboard: on a busy
// machine a window may be seen before the system has activated it.
inline void whenModal(std::function<void(QWidget*)> action, int timeoutMs = 5000) {
    auto* timer = new QTimer;
    auto elapsed = std::make_shared<int>(0);
    QObject::connect(timer, &QTimer::timeout, [timer, action, elapsed, timeoutMs] {
        *elapsed += 10;
        if (QWidget* w = QApplication::activeModalWidget()) {
            timer->stop();
            timer->deleteLater();
            (void)QTest::qWaitForWindowActive(w, 1000);
            action(w);
        } else if (*elapsed > timeoutMs) {
            timer->stop();
            timer->deleteLater();
        }
    });
    timer->start(10);
}

// Runs `action` on the first window of kind W that is on screen, checked every few milliseconds
// while the code that opens it runs. The watch ends there, after the timeout, or when the
// returned timer is deleted.
template <class W> QPointer<QTimer> whenShown(std::function<void(W*)> action, int timeoutMs = 10000) {
    auto* timer = new QTimer;
    auto elapsed = std::make_shared<int>(0);
    QObject::connect(timer, &QTimer::timeout, [timer, action, elapsed, timeoutMs] {
        *elapsed += 10;
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* found = qobject_cast<W*>(w); found && found->isVisible()) {
                timer->stop();
                timer->deleteLater();
                action(found);
                return;
            }
        if (*elapsed > timeoutMs) {
            timer->stop();
            timer->deleteLater();
        }
    });
    timer->start(10);
    return timer;
}

} // namespace quaderna::testing
