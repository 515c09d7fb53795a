// SPDX-License-Identifier: GPL-3.0-or-later
// Quaderna 3.0: start-up.

#include "core/storage/ArchiveCheck.h"
#include "ui/CommandLine.h"
#include "ui/Program.h"
#include "ui/platform/Desktop.h"

#include <QApplication>
#include <QDate>
#include <QMessageBox>
#include <QTimer>

#include <csignal>
#include <cstdio>
#include <iostream>
#include <optional>

namespace {

// What the command line asks that needs no window (so it runs with no display too): the help,
// the version, the archive check. Nothing when the program is to start.
std::optional<int> withoutWindows(int argc, char** argv) {
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    const quaderna::ui::CommandLine line = quaderna::ui::parseCommandLine(arguments);
    if (!line.error.isEmpty()) {
        std::fprintf(stderr, "quaderna: %s\nPer l'elenco delle opzioni: quaderna --help\n",
                     line.error.toLocal8Bit().constData());
        return 2;
    }
    if (line.help) {
        std::fputs(quaderna::ui::helpText().toLocal8Bit().constData(), stdout);
        return 0;
    }
    if (line.version) {
        std::fputs(quaderna::ui::versionText().toLocal8Bit().constData(), stdout);
        return 0;
    }
    if (line.check) {
        // quaderna --check [--ripara] [DIR]: checks the archives of the data folder (and offers
        // the repairs, one question at a time on the terminal) and ends. Exit status 0 when every
        // archive is sound.
        QCoreApplication core(argc, argv);
        const auto folder = line.checkFolder.isEmpty()
                                ? quaderna::ui::dataFolder(arguments)
                                : std::filesystem::absolute(line.checkFolder.toStdString());
        if (line.repair) {
            const QDate today = QDate::currentDate();
            return quaderna::check::repair(folder, std::cout, std::cin,
                                           quaderna::Date{today.year(), today.month(), today.day()});
        }
        return quaderna::check::run(folder, std::cout);
    }
    return std::nullopt;
}

} // namespace

int main(int argc, char** argv) {
    // A file that may grow no further (a size limit on the process) makes the write fail, and the
    // window say so, instead of ending the program.
    std::signal(SIGXFSZ, SIG_IGN);
    if (const auto status = withoutWindows(argc, argv))
        return *status;

    std::optional<QApplication> made;
    quaderna::ui::createApplication(made, argc, argv);
    QApplication& qapp = *made;
    QApplication::setApplicationName(QStringLiteral("Quaderna"));
    QApplication::setApplicationVersion(QStringLiteral("3.0"));
    QApplication::setQuitOnLastWindowClosed(false);
    quaderna::ui::installItalian(qapp);
    quaderna::ui::reportForTests(qapp);

    const auto folder = quaderna::ui::dataFolder(QCoreApplication::arguments());
    quaderna::ui::prepareDataFolder(folder);
    if (const auto problem = quaderna::ui::checkDataFolder(folder)) {
        QMessageBox::critical(nullptr, QStringLiteral("Quaderna 3.0"), *problem);
        return 1;
    }

    quaderna::ui::Program program(folder);
    program.start();
    if (program.app.terminated())
        return 0;
    // For start-up measurements: leave as soon as the login window has been drawn.
    if (qEnvironmentVariableIsSet("QUADERNA_EXIT_AFTER_SHOW"))
        QTimer::singleShot(0, &qapp, [] { QCoreApplication::exit(0); });
    return QApplication::exec();
}
