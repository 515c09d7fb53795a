// Prepares a data folder: writes the password file with the first-access password when the
// folder has none. An existing password file is never touched.

#include "core/shell/Password.h"

#include <cstdio>
#include <exception>
#include <filesystem>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: quaderna-setup DATA_FOLDER\n");
        return 2;
    }
    try {
        const std::filesystem::path dir = argv[1];
        std::filesystem::create_directories(dir);
        if (quaderna::password::installFirstAccess(dir))
            std::printf("quaderna-setup: first-access password written in %s\n",
                        (dir / "unins000.dll").c_str());
    } catch (const std::exception& e) {
        std::fprintf(stderr, "quaderna-setup: %s\n", e.what());
        return 1;
    }
    return 0;
}
