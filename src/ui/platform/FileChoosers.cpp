// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/platform/FileChoosers.h"

#include <QAction>
#include <QEvent>
#include <QFileDialog>
#include <QMetaObject>
#include <QWidget>

namespace quaderna::ui {

FileChooserGuard::FileChooserGuard(std::function<bool()> readerAtDesk, QObject* parent)
    : QObject(parent), readerAtDesk_(std::move(readerAtDesk)) {}

void FileChooserGuard::makeReadOnly(QFileDialog& chooser) {
    chooser.setOption(QFileDialog::ReadOnly, true);
    // Read-only leaves the commands in the context menu, greyed; they are not offered at all.
    for (const char* name : {"qt_rename_action", "qt_delete_action", "qt_new_folder_action"})
        if (auto* action = chooser.findChild<QAction*>(QLatin1String(name)))
            action->setVisible(false);
    if (auto* button = chooser.findChild<QWidget*>(QStringLiteral("newFolderButton")))
        button->setVisible(false);
}

bool FileChooserGuard::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Show && watched->isWidgetType()) {
        if (auto* chooser = qobject_cast<QFileDialog*>(watched)) {
            makeReadOnly(*chooser);
            // A chooser that something opened over the catalogue closes before it can be used.
            if (readerAtDesk_ && readerAtDesk_())
                QMetaObject::invokeMethod(chooser, &QDialog::reject, Qt::QueuedConnection);
        }
    }
    return QObject::eventFilter(watched, event);
}

} // namespace quaderna::ui
