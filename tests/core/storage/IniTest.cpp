#include "core/storage/Ini.h"
#include "core/storage/RecordFile.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

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
        {"Dati Ente", "Denominazione", "Comune di Citt\xC3\xA0"},
        {"DATI ENTE", "denominazione", "Comune di Citt\xC3\xA0"}, // case-insensitive; the first key wins
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
    EXPECT_EQ(ini::writeTo(file, "dati ente", "DENOMINAZIONE", "Nuovo \xC3\xA8"),
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
