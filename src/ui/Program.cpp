// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/Program.h"

#include "ui/cards/CardsViews.h"
#include "ui/catalogue/AllegaCartellaView.h"
#include "ui/catalogue/CatalogueViews.h"
#include "ui/export/ExportViews.h"
#include "ui/history/HistoryViews.h"
#include "ui/loans/LoansViews.h"
#include "ui/platform/FormView.h"
#include "ui/shell/HelpViews.h"
#include "ui/shell/ShellViews.h"
#include "ui/users/CheckerViews.h"
#include "ui/users/UsersViews.h"

#include "core/shell/Password.h"
#include "core/storage/RecordFile.h"

#include <QApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include <sys/stat.h>
#include <unistd.h>

namespace quaderna::ui {

Program::Program(const std::filesystem::path& dataDir) : app(platform, dataDir) {
    platform.setApplication(app);
    registerShellViews(platform);
    registerCatalogueViews(platform);
    registerCheckerViews(platform);
    registerUsersViews(platform);
    registerCardsViews(platform);
    registerHelpViews(platform);
    registerAttachmentsView(platform);
    registerLoansViews(platform);
    registerHistoryViews(platform);
    registerExportViews(platform);
}

Program::~Program() {
    // Views refer to the window models: they go first.
    for (Form* f : app.standing())
        delete platform.viewOf(*f);
}

void Program::start() {
    // A standing window's view is built the first time the window is shown, so the login window
    // is on screen without waiting for the others.
    app.start();
}

void installItalian(QApplication& qapp) {
    QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
    auto* qt = new QTranslator(&qapp);
    if (qt->load(QLocale(QLocale::Italian, QLocale::Italy), QStringLiteral("qtbase"), QStringLiteral("_"),
                 QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(qt);
}

std::filesystem::path userDataFolder() {
    const QByteArray xdg = qgetenv("XDG_DATA_HOME");
    // The XDG base directory rules ask for an absolute path; anything else is ignored.
    const std::filesystem::path base =
        !xdg.isEmpty() && xdg.startsWith('/')
            ? std::filesystem::path(xdg.toStdString())
            : std::filesystem::path(QDir::homePath().toStdString()) / ".local" / "share";
    return base / "Quaderna";
}

std::filesystem::path dataFolder(const QStringList& arguments, const QString& programFolder) {
    for (int i = 1; i < arguments.size(); ++i) {
        if (arguments[i] == QLatin1String("--data-dir") && i + 1 < arguments.size())
            return std::filesystem::absolute(arguments[i + 1].toStdString());
        if (arguments[i].startsWith(QLatin1String("--data-dir=")))
            return std::filesystem::absolute(arguments[i].mid(11).toStdString());
    }
    const QByteArray env = qgetenv("QUADERNA_DATA_DIR");
    if (!env.isEmpty())
        return std::filesystem::absolute(env.toStdString());
    const QString own = programFolder.isEmpty() ? QCoreApplication::applicationDirPath() : programFolder;
    const std::filesystem::path folder = own.toStdString();
    // A copy installed on the system (its menu entry beside it, in ../share/applications) keeps
    // every user's files in that user's own folder, even where the administrator could write into
    // the program's folder.
    std::error_code ec;
    const bool installed = std::filesystem::exists(
        folder / ".." / "share" / "applications" / (std::string(kAppId) + ".desktop"), ec);
    if (!installed && writableFolder(folder))
        return folder;
    return userDataFolder();
}

bool prepareDataFolder(const std::filesystem::path& folder) {
    if (folder != userDataFolder())
        return false;
    std::error_code ec;
    if (std::filesystem::exists(folder, ec))
        return false;
    std::filesystem::create_directories(folder, ec);
    if (ec)
        return false;
    try {
        return password::installFirstAccess(folder);
    } catch (const std::exception&) {
        return false;
    }
}

std::optional<QString> checkDataFolder(const std::filesystem::path& folder) {
    std::error_code ec;
    if (!std::filesystem::exists(folder, ec))
        std::filesystem::create_directories(folder, ec);
    struct stat st {};
    const QString name = QString::fromStdString(folder.string());
    if (::stat(folder.c_str(), &st) != 0 || !S_ISDIR(st.st_mode))
        return QString::fromUtf8(
                   "Attenzione: la cartella dei dati del programma (%1) non esiste e non è possibile "
                   "crearla.\n\nIndicare una cartella valida con l'opzione --data-dir.")
            .arg(name);
    if ((st.st_mode & 0444) == 0 || ::access(folder.c_str(), R_OK | X_OK) != 0)
        return QString::fromUtf8(
                   "Attenzione: il sistema non permette di leggere la cartella dei dati del "
                   "programma (%1).\n\nAccertarsi di possedere i privilegi di lettura e scrittura "
                   "in questa cartella.")
            .arg(name);
    return std::nullopt;
}

} // namespace quaderna::ui
