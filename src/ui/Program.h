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

// The data folder: --data-dir DIR, else QUADERNA_DATA_DIR, else the program's own folder.
std::filesystem::path dataFolder(const QStringList& arguments);
// Nothing when the folder can be used; otherwise the message that tells why not.
std::optional<QString> checkDataFolder(const std::filesystem::path& folder);

} // namespace quaderna::ui
