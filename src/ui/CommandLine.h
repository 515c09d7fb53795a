// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The program's command line, in Italian: the data folder, the archive check, help and version.

#include <QString>
#include <QStringList>

namespace quaderna::ui {

struct CommandLine {
    bool help = false;
    bool version = false;
    bool check = false;
    bool repair = false; // --check --ripara: offers the repairs of what the check finds
    QString checkFolder; // empty: the data folder
    QString error;       // not empty when the line cannot be understood
};

// Reads the arguments (the first is the program). Options of the toolkit itself (-platform,
// -style, ...) are left to it.
CommandLine parseCommandLine(const QStringList& arguments);
// What `quaderna --help` prints.
QString helpText();
// What `quaderna --version` prints.
QString versionText();

} // namespace quaderna::ui
