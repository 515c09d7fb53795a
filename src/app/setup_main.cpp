// SPDX-License-Identifier: GPL-3.0-or-later
// Prepares a data folder: writes the password file with the first-access password when the
// folder has none. An existing password file is never touched.

#include "core/shell/Password.h"

#include <cstdio>
#include <cstring>
#include <exception>
#include <filesystem>

namespace {

void usage(std::FILE* out) {
    std::fputs("Uso: quaderna-setup CARTELLA\n"
               "Prepara CARTELLA come cartella dei dati di Quaderna 3.0: la crea se manca e vi scrive\n"
               "la password di primo accesso quando non ha ancora un file delle password. Un file\n"
               "delle password esistente non viene mai toccato.\n\n"
               "Opzioni:\n"
               "  -h, --help      mostra questo aiuto ed esce.\n"
               "  -v, --version   mostra la versione del programma ed esce.\n",
               out);
}

} // namespace

int main(int argc, char** argv) {
    if (argc == 2 && (!std::strcmp(argv[1], "-h") || !std::strcmp(argv[1], "--help"))) {
        usage(stdout);
        return 0;
    }
    if (argc == 2 && (!std::strcmp(argv[1], "-v") || !std::strcmp(argv[1], "--version"))) {
        std::puts("quaderna-setup (Quaderna) 3.0");
        return 0;
    }
    if (argc != 2 || argv[1][0] == '-') {
        usage(stderr);
        return 2;
    }
    try {
        const std::filesystem::path dir = argv[1];
        std::filesystem::create_directories(dir);
        if (quaderna::password::installFirstAccess(dir))
            std::printf("quaderna-setup: password di primo accesso scritta in %s\n",
                        (dir / quaderna::password::FileName).c_str());
    } catch (const std::exception& e) {
        std::fprintf(stderr, "quaderna-setup: %s\n", e.what());
        return 1;
    }
    return 0;
}
