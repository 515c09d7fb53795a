// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/storage/Ini.h"
#include "core/storage/Files.h"
#include "core/storage/RecordFile.h"
#include "support/Faults.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sys/stat.h>
#include <vector>

using namespace quaderna;
using namespace quaderna::testing;

TEST(Ini, ReadsTheWayWindowsDoes) {
    const std::string file = "; commento\r\n"
                             "[Dati Ente]\r\n"
                             "Denominazione=Comune di Citt\xE0\r\n"
                             "Sottotitolo 1 = Via Roma; 1 \r\n"
                             "Percorso=C:\\Dati\\bib\r\n"
                             "Lista=a,b,c\r\n"
                             "denominazione=seconda\r\n"
                             "Citato=\"tra virgolette\"\r\n"
                             "[Altro]\n"
                             "Chiave=altro\n";
    struct Case {
        const char *section, *key, *value;
    } cases[] = {
        {"Dati Ente", "Denominazione", "Comune di Città"},
        {"DATI ENTE", "denominazione", "Comune di Città"}, // case-insensitive; the first key wins
        {"Dati Ente", "Sottotitolo 1", "Via Roma; 1"},
        {"Dati Ente", "Percorso", "C:\\Dati\\bib"},
        {"Dati Ente", "Lista", "a,b,c"},
        {"Dati Ente", "Citato", "tra virgolette"},
        {"altro", "CHIAVE", "altro"},
        {"Dati Ente", "Chiave", ""},
        {"Manca", "Denominazione", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ini::readFrom(file, c.section, c.key), c.value) << c.section << "/" << c.key;
}

TEST(Ini, WritingOneKeyLeavesEveryOtherByteAlone) {
    const std::string file =
        "; commento\r\n[Dati Ente]\r\nDenominazione=Vecchio \xE8\r\nAnnotazioni=x\r\n\r\n[Margini Stampa]\n"
        "Superiore=2\n";
    EXPECT_EQ(ini::writeTo(file, "dati ente", "DENOMINAZIONE", "Nuovo è"),
              "; commento\r\n[Dati Ente]\r\nDenominazione=Nuovo \xE8\r\nAnnotazioni=x\r\n\r\n[Margini "
              "Stampa]\nSuperiore=2\n");
    EXPECT_EQ(ini::writeTo(file, "Margini Stampa", "Sinistro", "-1,5"), file + "Sinistro=-1,5\r\n");
    EXPECT_EQ(ini::writeTo(file, "Dati Ente", "Sottotitolo 1", "Via Roma"),
              "; commento\r\n[Dati Ente]\r\nDenominazione=Vecchio \xE8\r\nAnnotazioni=x\r\nSottotitolo 1=Via "
              "Roma\r\n\r\n"
              "[Margini Stampa]\nSuperiore=2\n");
    EXPECT_EQ(ini::writeTo("[A]\r\nk=1", "B", "k", "2"), "[A]\r\nk=1\r\n[B]\r\nk=2\r\n");
}

TEST(Ini, FilesOnDisk) {
    TempDir dir;
    const auto p = dir / "Tesserini.ini";
    EXPECT_EQ(ini::readString(p, "Dati Ente", "Denominazione"), "");
    ini::writeString(p, "Dati Ente", "Denominazione", "Biblioteca");
    ini::writeString(p, "Margini Stampa", "Superiore", "0");
    EXPECT_EQ(readBytes(p), "[Dati Ente]\r\nDenominazione=Biblioteca\r\n[Margini Stampa]\r\nSuperiore=0\r\n");
    makeReadOnly(p);
    EXPECT_THROW(ini::writeString(p, "Dati Ente", "Denominazione", "Altro"), IoError);
    EXPECT_EQ(ini::readString(p, "Dati Ente", "Denominazione"), "Biblioteca");
    EXPECT_FALSE(std::filesystem::exists(dir / "Tesserini.ini.tmp~"));
}

namespace {

// The names in a folder, sorted.
std::vector<std::string> listing(const std::filesystem::path& folder) {
    std::vector<std::string> names;
    for (const auto& e : std::filesystem::directory_iterator(folder))
        names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

} // namespace

TEST(Ini, AFailedWriteLeavesTheOldFileWholeAndNoTemporaryBehind) {
    TempDir dir;
    const auto p = dir / "unins000.dll";
    const std::string before = "[Accesso]\r\nValore=4A5B\r\n";
    writeBytes(p, before);

    // A full disk: the new content does not fit.
    {
        DiskFull full(before.size() + 10);
        EXPECT_THROW(ini::writeString(p, "Accesso", "Valore", std::string(200, 'F')), IoError);
    }
    EXPECT_EQ(readBytes(p), before);
    EXPECT_EQ(listing(dir.path()), std::vector<std::string>{"unins000.dll"});

    // A folder that takes no new file, with the file itself writable: the file is never rewritten
    // in place instead.
    makeReadOnly(dir.path());
    EXPECT_THROW(ini::writeString(p, "Accesso", "Valore", "00"), IoError);
    EXPECT_EQ(readBytes(p), before);
    // Both at once, where rewriting in place would tear the file.
    {
        DiskFull full(before.size() + 10);
        EXPECT_THROW(ini::writeString(p, "Accesso", "Valore", std::string(200, 'F')), IoError);
    }
    EXPECT_EQ(readBytes(p), before);
    EXPECT_EQ(listing(dir.path()), std::vector<std::string>{"unins000.dll"});
}

TEST(Ini, ALinkLeftUnderATemporaryNameIsNeverFollowed) {
    TempDir dir, elsewhere;
    const auto p = dir / "unins000.dll";
    writeBytes(p, "[Accesso]\r\nValore=4A5B\r\n");
    writeBytes(elsewhere / "victim", "keep me");
    for (const char* name : {"unins000.dll.tmp~", ".unins000.dll.tmp", "unins000.dll.tmp"})
        std::filesystem::create_symlink(elsewhere / "victim", dir / name);

    ini::writeString(p, "Accesso", "Valore", "00");
    EXPECT_EQ(readBytes(elsewhere / "victim"), "keep me");
    EXPECT_FALSE(std::filesystem::is_symlink(p));
    EXPECT_EQ(readBytes(p), "[Accesso]\r\nValore=00\r\n");
    EXPECT_EQ(listing(dir.path()).size(), 4u); // the file and the three links, nothing more

    // A link that leads nowhere in place of the file is not written through either.
    std::filesystem::create_symlink(elsewhere / "nuovo", dir / "Tesserini.ini");
    EXPECT_THROW(ini::writeString(dir / "Tesserini.ini", "Dati Ente", "Denominazione", "x"), IoError);
    EXPECT_FALSE(std::filesystem::exists(elsewhere / "nuovo"));
}

TEST(Ini, OnlyRegularFilesOfAtMostOneMebibyteAreRead) {
    HangGuard guard(20); // a FIFO read that blocks would otherwise hang the run
    TempDir dir;
    const auto fifo = dir / "fifo.ini";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0644), 0);
    std::filesystem::create_symlink("/dev/zero", dir / "zero.ini");
    std::filesystem::create_symlink("/dev/null", dir / "null.ini");
    std::filesystem::create_directory(dir / "folder.ini");
    writeBytes(dir / "big.ini", "[A]\r\nk=v\r\n" + std::string(files::kIniLimit, ';'));
    for (const char* name : {"fifo.ini", "zero.ini", "null.ini", "folder.ini", "big.ini"}) {
        EXPECT_THROW(ini::readString(dir / name, "A", "k"), IoError) << name;
        EXPECT_THROW(ini::writeString(dir / name, "A", "k", "v"), IoError) << name;
    }
    EXPECT_TRUE(std::filesystem::is_fifo(fifo));
    EXPECT_EQ(std::filesystem::file_size(dir / "big.ini"), files::kIniLimit + 10);

    // A link to a regular file is read, and written through: the link stays a link.
    writeBytes(dir / "real.ini", "[A]\r\nk=v\r\n");
    std::filesystem::create_symlink(dir / "real.ini", dir / "link.ini");
    EXPECT_EQ(ini::readString(dir / "link.ini", "A", "k"), "v");
    ini::writeString(dir / "link.ini", "A", "k", "w");
    EXPECT_TRUE(std::filesystem::is_symlink(dir / "link.ini"));
    EXPECT_EQ(readBytes(dir / "real.ini"), "[A]\r\nk=w\r\n");
}

TEST(Ini, AValueIsWrittenOnOneLineWhateverItHolds) {
    const std::string file = "[Dati Ente]\r\nDenominazione=Biblioteca\r\n[Accesso]\r\nValore=4A5B\r\n";
    // A library name pasted with line breaks tries to add a section and a key.
    const std::string out =
        ini::writeTo(file, "Dati Ente", "Annotazioni", "Orari:\r\n[Accesso]\r\nValore=00\nfine\rvia");
    EXPECT_EQ(out, "[Dati Ente]\r\nDenominazione=Biblioteca\r\nAnnotazioni=Orari:  [Accesso]  Valore=00 fine "
                   "via\r\n[Accesso]\r\nValore=4A5B\r\n");
    EXPECT_EQ(ini::readFrom(out, "Accesso", "Valore"), "4A5B");
    EXPECT_EQ(ini::readFrom(out, "Dati Ente", "Annotazioni"), "Orari:  [Accesso]  Valore=00 fine via");

    // Blanks around a value and quotes around it come back as they were written.
    for (const char* value : {"  rientrato  ", "\"tra virgolette\"", "'uno'", "\"", "a\tb", "\" mezzo"}) {
        const std::string written = ini::writeTo(file, "Dati Ente", "Denominazione", value);
        EXPECT_EQ(ini::readFrom(written, "Dati Ente", "Denominazione"), value) << value;
        EXPECT_EQ(ini::readFrom(written, "Accesso", "Valore"), "4A5B") << value;
    }
}

TEST(Ini, AFileEndingInABareCarriageReturn) {
    // A bare CR ends a line when reading; after a write every line ends in CR LF.
    struct Case {
        const char* before;
        const char* section;
        const char* key;
        const char* after;
    } cases[] = {
        {"[Dati Ente]\r\nDenominazione=X\r", "Dati Ente", "Annotazioni",
         "[Dati Ente]\r\nDenominazione=X\r\nAnnotazioni=nuovo\r\n"},
        {"[Dati Ente]\r", "Dati Ente", "Annotazioni", "[Dati Ente]\r\nAnnotazioni=nuovo\r\n"},
        {"[Dati Ente]\r\nDenominazione=X\r", "Margini Stampa", "Superiore",
         "[Dati Ente]\r\nDenominazione=X\r\n[Margini Stampa]\r\nSuperiore=nuovo\r\n"},
        {"[Dati Ente]\rDenominazione=X\r", "Dati Ente", "Denominazione",
         "[Dati Ente]\r\nDenominazione=nuovo\r\n"},
        {"[Dati Ente]\r\nDenominazione=X\r\r\n", "Dati Ente", "Annotazioni",
         "[Dati Ente]\r\nDenominazione=X\r\nAnnotazioni=nuovo\r\n\r\n"},
    };
    for (const auto& c : cases) {
        const std::string out = ini::writeTo(c.before, c.section, c.key, "nuovo");
        EXPECT_EQ(out, c.after) << c.before;
        EXPECT_EQ(ini::readFrom(out, c.section, c.key), "nuovo") << c.before;
        if (std::string_view(c.before).find("Denominazione") != std::string_view::npos &&
            std::string_view(c.key) != "Denominazione") {
            EXPECT_EQ(ini::readFrom(out, "Dati Ente", "Denominazione"), "X") << c.before;
        }
    }
}
