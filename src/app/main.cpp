// Quaderna 3.0: start-up.

#include "core/storage/ArchiveCheck.h"
#include "ui/Program.h"

#include <QApplication>
#include <QMessageBox>
#include <QTimer>

#include <csignal>
#include <cstdio>
#include <cstring>
#include <iostream>

namespace {

// quaderna --check [DIR]: checks the archives of the data folder and ends, with no window (so it
// runs with no display too). Exit status 0 when every archive is sound.
int checkArchives(int argc, char** argv, int at) {
    QCoreApplication core(argc, argv);
    const bool named = at + 1 < argc && argv[at + 1][0] != '-';
    const auto folder = named ? std::filesystem::absolute(argv[at + 1])
                              : quaderna::ui::dataFolder(QCoreApplication::arguments());
    return quaderna::check::run(folder, std::cout);
}

} // namespace

int main(int argc, char** argv) {
    // A file that may grow no further (a size limit on the process) makes the write fail, and the
    // window say so, instead of ending the program.
    std::signal(SIGXFSZ, SIG_IGN);
    for (int i = 1; i < argc; ++i)
        if (std::strcmp(argv[i], "--check") == 0)
            return checkArchives(argc, argv, i);

    QApplication qapp(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quaderna"));
    QApplication::setApplicationVersion(QStringLiteral("3.0"));
    QApplication::setQuitOnLastWindowClosed(false);
    quaderna::ui::installItalian(qapp);

    const QStringList args = QCoreApplication::arguments();
    if (args.contains(QLatin1String("--help"))) {
        std::printf("uso: quaderna [--data-dir CARTELLA]\n"
                    "     quaderna --check [CARTELLA]   controlla gli archivi senza aprire finestre\n"
                    "La cartella dei dati si indica anche con QUADERNA_DATA_DIR; "
                    "senza indicazioni e' la cartella del programma.\n");
        return 0;
    }
    const auto folder = quaderna::ui::dataFolder(args);
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
