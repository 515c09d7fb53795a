// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The file choosers of the program, its own and those that Qt's dialogs open (the "..." beside
// the print dialog's output file): each lists folders and picks a file, and offers nothing that
// creates, renames or deletes one. While a reader is at the catalogue no chooser opens at all.

#include <QObject>

#include <functional>

class QFileDialog;

namespace quaderna::ui {

class FileChooserGuard : public QObject {
public:
    // `readerAtDesk` tells whether a reader, not the librarian, is at the keyboard.
    explicit FileChooserGuard(std::function<bool()> readerAtDesk, QObject* parent = nullptr);

    // Takes from the chooser its ways to change the folders it shows: renaming and deleting
    // from the context menu or the Delete key, a new folder, drops.
    static void makeReadOnly(QFileDialog& chooser);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::function<bool()> readerAtDesk_;
};

} // namespace quaderna::ui
