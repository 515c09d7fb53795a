// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The files that live beside the archives: user photos, the attachments folder, the library logo
// and the card settings Tesserini.ini.

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

namespace quaderna::sidefiles {

inline constexpr const char* kAttachmentsFolder = "Documenti_Allegati";
inline constexpr const char* kLogo = "Logo.jpg";
inline constexpr const char* kCardSettings = "Tesserini.ini";

// The photo of the user whose record has the 1-based position `position` in Tesserati.pro:
// "12.jpg" for the twelfth record, whatever the user's card number.
std::filesystem::path photoFile(const std::filesystem::path& dataDir, std::int64_t position);
// The one folder that holds the attached files of books and users alike.
std::filesystem::path attachmentsFolder(const std::filesystem::path& dataDir);
// The library logo printed on the cards.
std::filesystem::path logoFile(const std::filesystem::path& dataDir);
std::filesystem::path cardSettingsFile(const std::filesystem::path& dataDir);

// True when a picture may be written to `file`: its folder takes new files and the file, if it
// is there, is not read-only.
bool pictureWritable(const std::filesystem::path& file);

// The library's own texts printed on the cards, section "Dati Ente" of Tesserini.ini.
struct DatiEnte {
    std::string denominazione; // "Denominazione"
    std::string sottotitolo1;  // "Sottotitolo 1"
    std::string sottotitolo2;  // "Sottotitolo 2"
    std::string annotazioni;   // "Annotazioni"
    bool operator==(const DatiEnte&) const = default;
};
// A missing file or key reads as the empty text. Throws IoError when the file cannot be read.
DatiEnte readDatiEnte(const std::filesystem::path& dataDir);
// Writes the four keys, one at a time, each value trimmed. Throws IoError.
void writeDatiEnte(const std::filesystem::path& dataDir, const DatiEnte& dati);
// Writes only the keys whose trimmed value differs from `stored` (what the file held when it was
// read): the others stay as the file has them now, whatever another desk wrote meanwhile.
void writeDatiEnte(const std::filesystem::path& dataDir, const DatiEnte& dati, const DatiEnte& stored);

// The print offsets of the cards in millimetres, section "Margini Stampa".
enum class Margine { Superiore, Sinistro };
// The stored text, or "0" when there is none. Throws IoError when the file cannot be read.
std::string readMargine(const std::filesystem::path& dataDir, Margine which);
// Writes the one key, the value trimmed. Throws IoError.
void writeMargine(const std::filesystem::path& dataDir, Margine which, std::string_view value);

} // namespace quaderna::sidefiles
