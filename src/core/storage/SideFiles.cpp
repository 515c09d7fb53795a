// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/storage/SideFiles.h"

#include "core/storage/Ini.h"
#include "core/storage/RecordFile.h"
#include "core/text/Text.h"

namespace quaderna::sidefiles {

namespace {

constexpr const char* kDatiEnte = "Dati Ente";
constexpr const char* kMargini = "Margini Stampa";

const char* key(Margine which) {
    return which == Margine::Superiore ? "Superiore" : "Sinistro";
}

} // namespace

std::filesystem::path photoFile(const std::filesystem::path& dataDir, std::int64_t position) {
    return dataDir / (std::to_string(position) + ".jpg");
}

std::filesystem::path attachmentsFolder(const std::filesystem::path& dataDir) {
    return dataDir / kAttachmentsFolder;
}

std::filesystem::path logoFile(const std::filesystem::path& dataDir) {
    return dataDir / kLogo;
}

std::filesystem::path cardSettingsFile(const std::filesystem::path& dataDir) {
    return dataDir / kCardSettings;
}

bool pictureWritable(const std::filesystem::path& file) {
    const auto folder = file.parent_path().empty() ? std::filesystem::path(".") : file.parent_path();
    if (!writableFolder(folder))
        return false;
    std::error_code ec;
    return !std::filesystem::exists(file, ec) || writableFile(file);
}

DatiEnte readDatiEnte(const std::filesystem::path& dataDir) {
    const auto file = cardSettingsFile(dataDir);
    return {
        ini::readString(file, kDatiEnte, "Denominazione"), ini::readString(file, kDatiEnte, "Sottotitolo 1"),
        ini::readString(file, kDatiEnte, "Sottotitolo 2"), ini::readString(file, kDatiEnte, "Annotazioni")};
}

namespace {

void writeDati(const std::filesystem::path& dataDir, const DatiEnte& dati, const DatiEnte* stored) {
    const auto file = cardSettingsFile(dataDir);
    const auto write = [&](const char* key, const std::string& value, const std::string* before) {
        const std::string v = text::trim(value);
        if (!before || v != text::trim(*before))
            ini::writeString(file, kDatiEnte, key, v);
    };
    write("Denominazione", dati.denominazione, stored ? &stored->denominazione : nullptr);
    write("Sottotitolo 1", dati.sottotitolo1, stored ? &stored->sottotitolo1 : nullptr);
    write("Sottotitolo 2", dati.sottotitolo2, stored ? &stored->sottotitolo2 : nullptr);
    write("Annotazioni", dati.annotazioni, stored ? &stored->annotazioni : nullptr);
}

} // namespace

void writeDatiEnte(const std::filesystem::path& dataDir, const DatiEnte& dati) {
    writeDati(dataDir, dati, nullptr);
}

void writeDatiEnte(const std::filesystem::path& dataDir, const DatiEnte& dati, const DatiEnte& stored) {
    writeDati(dataDir, dati, &stored);
}

std::string readMargine(const std::filesystem::path& dataDir, Margine which) {
    std::string value = text::trim(ini::readString(cardSettingsFile(dataDir), kMargini, key(which)));
    return value.empty() ? "0" : value;
}

void writeMargine(const std::filesystem::path& dataDir, Margine which, std::string_view value) {
    ini::writeString(cardSettingsFile(dataDir), kMargini, key(which), text::trim(value));
}

} // namespace quaderna::sidefiles
