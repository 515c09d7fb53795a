// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The whole program on a data folder: the desktop adapters, the window models and their views.

#include "core/Application.h"
#include "ui/platform/QtPlatform.h"

#include <QStringList>

#include <filesystem>
#include <optional>

class QApplication;

namespace quaderna::ui {

class Program {
public:
    explicit Program(const std::filesystem::path& dataDir);
    ~Program();
    QtPlatform platform;
    Application app;
    // Shows the login window.
    void start();
};

// Qt's own dialogs in Italian, Italian number and date formats.
void installItalian(QApplication& qapp);

// The data folder: --data-dir DIR, else QUADERNA_DATA_DIR, else the program's own folder (a
// copied or portable folder, the build folder) when the program may write there, else the user's
// own folder $XDG_DATA_HOME/Quaderna (~/.local/share/Quaderna) for a copy installed on the system.
// `programFolder` defaults to the running program's folder.
std::filesystem::path dataFolder(const QStringList& arguments, const QString& programFolder = {});
// The program's name on the desktop: its menu entry, icon and metadata are named after it.
inline constexpr const char* kAppId = "org.example.quaderna.Quaderna";
// The user's own data folder of an installed copy.
std::filesystem::path userDataFolder();
// Makes a data folder ready the first time: an installed copy's user folder is created with the
// first-access password. True when it did so.
bool prepareDataFolder(const std::filesystem::path& folder);
// Nothing when the folder can be used; otherwise the message that tells why not.
std::optional<QString> checkDataFolder(const std::filesystem::path& folder);

} // namespace quaderna::ui
