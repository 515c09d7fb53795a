// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/CommandLine.h"

#include <QCommandLineParser>

namespace quaderna::ui {

namespace {

// The toolkit's own options, which it takes out of the line before the program reads it.
bool toolkitOption(const QString& name) {
    static const QStringList names{
        QStringLiteral("platform"),
        QStringLiteral("platformpluginpath"),
        QStringLiteral("platformtheme"),
        QStringLiteral("plugin"),
        QStringLiteral("qwindowgeometry"),
        QStringLiteral("qwindowicon"),
        QStringLiteral("qwindowtitle"),
        QStringLiteral("reverse"),
        QStringLiteral("session"),
        QStringLiteral("style"),
        QStringLiteral("stylesheet"),
        QStringLiteral("widgetcount"),
        QStringLiteral("display"),
        QStringLiteral("geometry"),
        QStringLiteral("name"),
        QStringLiteral("title"),
        QStringLiteral("visual"),
        QStringLiteral("nograb"),
        QStringLiteral("dograb"),
        QStringLiteral("sync"),
        QStringLiteral("qmljsdebugger"),
        QStringLiteral("fontengine"),
        QStringLiteral("dialogs"),
        QStringLiteral("darkmode"),
    };
    return names.contains(name);
}

} // namespace

CommandLine parseCommandLine(const QStringList& arguments) {
    CommandLine r;
    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")}, QString());
    const QCommandLineOption version({QStringLiteral("v"), QStringLiteral("version")}, QString());
    const QCommandLineOption check(QStringLiteral("check"), QString());
    const QCommandLineOption repair(QStringLiteral("ripara"), QString());
    const QCommandLineOption dataDir(QStringLiteral("data-dir"), QString(), QStringLiteral("cartella"));
    parser.addOptions({help, version, check, repair, dataDir});
    QStringList mine{arguments.value(0)};
    for (int i = 1; i < arguments.size(); ++i) {
        QString name = arguments[i];
        while (name.startsWith(QLatin1Char('-')))
            name.remove(0, 1);
        name = name.section(QLatin1Char('='), 0, 0);
        if (arguments[i].startsWith(QLatin1Char('-')) && toolkitOption(name)) {
            // Skip the option and, where it takes one, its value.
            if (!arguments[i].contains(QLatin1Char('=')) && i + 1 < arguments.size() &&
                !arguments[i + 1].startsWith(QLatin1Char('-')) && name != QLatin1String("reverse") &&
                name != QLatin1String("nograb") && name != QLatin1String("dograb") &&
                name != QLatin1String("sync") && name != QLatin1String("widgetcount"))
                ++i;
            continue;
        }
        mine << arguments[i];
    }
    if (!parser.parse(mine)) {
        const QStringList unknown = parser.unknownOptionNames();
        r.error = unknown.isEmpty() ? QStringLiteral("manca la cartella dopo --data-dir.")
                                    : QStringLiteral("l'opzione \"%1\" non esiste.").arg(unknown.first());
        return r;
    }
    r.help = parser.isSet(help);
    r.version = parser.isSet(version);
    r.check = parser.isSet(check);
    r.repair = parser.isSet(repair);
    if (r.repair && !r.check) {
        r.error = QStringLiteral("l'opzione \"ripara\" si usa insieme a --check.");
        return r;
    }
    const QStringList rest = parser.positionalArguments();
    if (r.check && rest.size() == 1)
        r.checkFolder = rest.first();
    else if (!rest.isEmpty())
        r.error = QStringLiteral("\"%1\" non è un'opzione del programma.").arg(rest.first());
    return r;
}

QString helpText() {
    return QStringLiteral(
        "Uso: quaderna [opzioni]\n"
        "Quaderna 3.0: catalogo dei libri, anagrafica degli utenti, prestiti e restituzioni,\n"
        "storico e statistiche, stampa delle tessere di una piccola biblioteca.\n"
        "\n"
        "Opzioni:\n"
        "  --data-dir CARTELLA   usa CARTELLA come cartella dei dati (archivi, foto, password).\n"
        "  --check [CARTELLA]    controlla gli archivi della cartella dei dati, o di CARTELLA,\n"
        "                        senza aprire finestre e senza modificarli; esce con 0 quando\n"
        "                        sono integri, con 1 quando trova qualcosa da segnalare.\n"
        "  --check --ripara [CARTELLA]\n"
        "                        controlla e propone, una alla volta, le riparazioni di quanto\n"
        "                        trovato: ognuna va confermata rispondendo s (sì) o n (no);\n"
        "                        prima di modificare un archivio ne fa la copia del giorno in\n"
        "                        Backup. Senza risposte non modifica nulla.\n"
        "  -h, --help            mostra questo aiuto ed esce.\n"
        "  -v, --version         mostra la versione del programma ed esce.\n"
        "\n"
        "La cartella dei dati si indica anche con la variabile d'ambiente QUADERNA_DATA_DIR.\n"
        "Senza indicazioni è la cartella del programma quando vi si può scrivere (una copia\n"
        "portatile o la cartella di compilazione); per un programma installato nel sistema è la\n"
        "cartella personale $XDG_DATA_HOME/Quaderna (di solito ~/.local/share/Quaderna), creata\n"
        "al primo avvio con la password di primo accesso.\n");
}

QString versionText() {
    return QStringLiteral("Quaderna 3.0\n");
}

} // namespace quaderna::ui
