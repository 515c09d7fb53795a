// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/storage/Tesserato.h"
#include "core/storage/RecordFile.h"
#include "core/storage/SideFiles.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

using namespace quaderna;
using namespace quaderna::testing;

TEST(UserRecord, FieldsSitAtTheirOffsetsWithTheirWidths) {
    const struct {
        const char* name;
        std::size_t width, offset;
    } layout[] = {
        {"Tesserato", 50, 0},      {"Carica", 50, 51},     {"NumTessera", 24, 102},   {"DataRil", 10, 127},
        {"DataScade", 10, 138},    {"DataNasc", 10, 149},  {"ComuneNasc", 50, 160},   {"ProvNasc", 2, 211},
        {"Sesso", 1, 214},         {"ComuneRes", 50, 216}, {"ProvRes", 2, 267},       {"CapRes", 5, 270},
        {"IndirizzoRes", 50, 276}, {"Preavviso", 3, 327},  {"Titoli", 250, 331},      {"TelCasa", 30, 582},
        {"TelUff", 30, 613},       {"TelCel", 30, 644},    {"Recapito", 50, 675},     {"Fax", 30, 726},
        {"Email", 50, 757},        {"CodFisc", 16, 808},   {"Carta", 30, 825},        {"ScadeCarta", 30, 856},
        {"PartitaIva", 11, 887},   {"Iban", 27, 899},      {"Intestatario", 50, 927}, {"Note", 250, 978},
        {"Annullata", 2, 1229},    {"File01", 250, 1232},  {"File02", 250, 1483},     {"File03", 250, 1734},
        {"Desc01", 250, 1985},     {"Desc02", 250, 2236},  {"Desc03", 250, 2487},
    };
    ASSERT_EQ(std::size(layout), std::size(TTesserato::Fields));
    for (std::size_t i = 0; i < std::size(layout); ++i) {
        const auto& f = TTesserato::Fields[i];
        EXPECT_STREQ(f.name, layout[i].name) << i;
        EXPECT_EQ(f.place.offset, layout[i].offset) << f.name;
        EXPECT_EQ(f.place.width, layout[i].width) << f.name;

        // A value one character longer than the field is stored cut, right at its offset, and the
        // fields on both sides stay empty.
        TTesserato u;
        u.*(f.member) = std::string(layout[i].width + 1, 'x');
        const std::string bytes = u.encode();
        ASSERT_EQ(bytes.size(), 2738u);
        EXPECT_EQ(static_cast<unsigned char>(bytes[layout[i].offset]), layout[i].width) << f.name;
        EXPECT_EQ(bytes.substr(layout[i].offset + 1, layout[i].width), std::string(layout[i].width, 'x'));
        EXPECT_EQ(std::count(bytes.begin(), bytes.end(), 'x'), static_cast<long>(layout[i].width)) << f.name;
        EXPECT_EQ(TTesserato::decode(bytes).*(f.member), std::string(layout[i].width, 'x'));
    }
}

TEST(UserRecord, CancelledFlagBytesAt1229) {
    TTesserato u;
    u.Annullata = "Sì";
    EXPECT_EQ(u.encode().substr(1229, 3), "\x02S\xEC");
    u.Annullata = "No";
    EXPECT_EQ(u.encode().substr(1229, 3), "\x02No");
    u.Annullata = "Sì";
    EXPECT_EQ(TTesserato::decode(u.encode()).Annullata, "Sì");
}

TEST(UserRecord, DamagedLengthBytesReadAsTheFieldWidth) {
    TTesserato u;
    u.Sesso = "F";
    std::string bytes = u.encode();
    bytes[214] = static_cast<char>(200); // one-character field claiming 200
    bytes[215] = 'M';
    EXPECT_EQ(TTesserato::decode(bytes).Sesso, "M");
}

TEST(SideFiles, PhotoAttachmentsAndLogoLiveInTheDataFolder) {
    const std::filesystem::path data = "/dati/biblioteca";
    EXPECT_EQ(sidefiles::photoFile(data, 3), data / "3.jpg");
    EXPECT_EQ(sidefiles::photoFile(data, 12), data / "12.jpg");
    EXPECT_EQ(sidefiles::attachmentsFolder(data), data / "Documenti_Allegati");
    EXPECT_EQ(sidefiles::logoFile(data), data / "Logo.jpg");
    EXPECT_EQ(sidefiles::cardSettingsFile(data), data / "Tesserini.ini");
}

TEST(SideFiles, PicturesAreNotWrittenIntoReadOnlyPlaces) {
    TempDir dir;
    EXPECT_TRUE(sidefiles::pictureWritable(dir / "1.jpg"));
    writeBytes(dir / "2.jpg", "IMG:vecchia");
    makeReadOnly(dir / "2.jpg");
    EXPECT_FALSE(sidefiles::pictureWritable(dir / "2.jpg"));
    makeReadOnly(dir.path());
    EXPECT_FALSE(sidefiles::pictureWritable(dir / "1.jpg"));
}

TEST(SideFiles, CardSettingsRoundTrip) {
    TempDir dir;
    // No file: empty texts and offsets "0", and nothing is created by reading.
    const auto empty = sidefiles::readDatiEnte(dir.path());
    EXPECT_EQ(empty.denominazione, "");
    EXPECT_EQ(empty.annotazioni, "");
    EXPECT_EQ(sidefiles::readMargine(dir.path(), sidefiles::Margine::Superiore), "0");
    EXPECT_EQ(sidefiles::readMargine(dir.path(), sidefiles::Margine::Sinistro), "0");
    EXPECT_FALSE(std::filesystem::exists(dir / "Tesserini.ini"));

    sidefiles::writeDatiEnte(dir.path(), {"  Biblioteca di Città ", "Via Roma 1", "", "Aperta il sabato"});
    EXPECT_EQ(readBytes(dir / "Tesserini.ini"), "[Dati Ente]\r\n"
                                                "Denominazione=Biblioteca di Citt\xE0\r\n"
                                                "Sottotitolo 1=Via Roma 1\r\n"
                                                "Sottotitolo 2=\r\n"
                                                "Annotazioni=Aperta il sabato\r\n");
    const auto dati = sidefiles::readDatiEnte(dir.path());
    EXPECT_EQ(dati.denominazione, "Biblioteca di Città");
    EXPECT_EQ(dati.sottotitolo1, "Via Roma 1");
    EXPECT_EQ(dati.sottotitolo2, "");
    EXPECT_EQ(dati.annotazioni, "Aperta il sabato");

    // Each offset is written alone; an empty one still shows as "0".
    sidefiles::writeMargine(dir.path(), sidefiles::Margine::Superiore, " -1,5 ");
    EXPECT_EQ(sidefiles::readMargine(dir.path(), sidefiles::Margine::Superiore), "-1,5");
    EXPECT_EQ(sidefiles::readMargine(dir.path(), sidefiles::Margine::Sinistro), "0");
    sidefiles::writeMargine(dir.path(), sidefiles::Margine::Sinistro, "");
    EXPECT_EQ(sidefiles::readMargine(dir.path(), sidefiles::Margine::Sinistro), "0");
    EXPECT_NE(readBytes(dir / "Tesserini.ini").find("[Margini Stampa]\r\nSuperiore=-1,5\r\nSinistro=\r\n"),
              std::string::npos);
    EXPECT_EQ(sidefiles::readDatiEnte(dir.path()).denominazione, "Biblioteca di Città");
}

TEST(SideFiles, ReadOnlyCardSettingsRefuseWritingAndStayAsTheyWere) {
    TempDir dir;
    writeBytes(dir / "Tesserini.ini", "[Dati Ente]\r\nDenominazione=Vecchia\r\n");
    makeReadOnly(dir / "Tesserini.ini");
    EXPECT_THROW(sidefiles::writeDatiEnte(dir.path(), {"Nuova", "", "", ""}), IoError);
    EXPECT_THROW(sidefiles::writeMargine(dir.path(), sidefiles::Margine::Sinistro, "2"), IoError);
    EXPECT_EQ(readBytes(dir / "Tesserini.ini"), "[Dati Ente]\r\nDenominazione=Vecchia\r\n");
}
