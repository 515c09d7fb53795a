// Quaderna 3.0: start-up.

#include "ui/Program.h"

#include <QApplication>
#include <QMessageBox>
#include <QTimer>

#include <cstdio>

int main(int argc, char** argv) {
    QApplication qapp(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quaderna"));
    QApplication::setApplicationVersion(QStringLiteral("3.0"));
    QApplication::setQuitOnLastWindowClosed(false);
    quaderna::ui::installItalian(qapp);

    const QStringList args = QCoreApplication::arguments();
    if (args.contains(QLatin1String("--help"))) {
        std::printf("uso: quaderna [--data-dir CARTELLA]\n"
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
