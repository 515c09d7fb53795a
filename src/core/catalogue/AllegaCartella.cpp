// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/catalogue/AllegaCartella.h"

#include "core/Application.h"
#include "core/storage/Attachments.h"
#include "core/storage/Files.h"
#include "core/storage/Libro.h"
#include "core/storage/RecordFile.h"
#include "core/storage/SideFiles.h"
#include "core/storage/Tesserato.h"
#include "core/text/Text.h"

#include <cstdint>
#include <system_error>
#include <vector>

namespace quaderna {

namespace {

constexpr const char* kTitoloDialogo = "Selezionare il file da allegare:";
constexpr const char* kStessoNome =
    "Attenzione: nella cartella dei documenti allegati è presente un file con lo stesso nome.";
constexpr const char* kSovrascrivere = "Si vuole sovrascrivere il file esistente?";
// How many of the other records that use the file the question names, one a line.
constexpr std::size_t kNamedRecords = 8;
constexpr const char* kCopiaNonRiuscita =
    "Attenzione: il sistema non permette di copiare il file nella cartella dei documenti allegati.\n\r\n\r"
    "Accertarsi di possedere i privilegi di scrittura nella cartella di installazione del programma e "
    "che sul disco ci sia spazio sufficiente.";
constexpr const char* kNomeNonConservabile =
    "Attenzione: il nome del file scelto non può essere conservato nella scheda.\n\r\n\rRinominare il "
    "file usando lettere, cifre e segni comuni, con al massimo 250 caratteri, e selezionarlo di nuovo.";

std::string fileMissing(const std::string& name) {
    return "Attenzione: il file " + name + " non è presente nella cartella dei documenti allegati.";
}
std::string noProgram(const std::string& name) {
    return "Attenzione: il sistema non permette di aprire il file " + name +
           ".\n\r\n\rAccertarsi che sul computer sia installato un programma in grado di aprire questo tipo "
           "di file.";
}

// The records of one archive, other than the one at the 0-based index `own`, that name `cp1252Name`
// in one of their three attachment fields; each is described by `describe`. An archive that is
// missing names nobody and is not created; one that cannot be read names nobody either: the
// question is then asked without names.
template <class Describe>
void recordsNaming(const std::filesystem::path& archive, std::size_t recordSize, const FieldSpec (&fields)[3],
                   std::string_view cp1252Name, std::int64_t own, std::vector<std::string>& names,
                   std::size_t& more, Describe&& describe) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(archive, ec))
        return;
    try {
        RecordFile file(archive, recordSize);
        file.scanEach([&](std::string_view rec, std::int64_t index) {
            if (index == own)
                return true;
            for (const FieldSpec& f : fields)
                if (text::trimView(rawField(rec, f)) == cp1252Name) {
                    if (names.size() < kNamedRecords)
                        names.push_back(describe(rec));
                    else
                        ++more;
                    break;
                }
            return true;
        });
    } catch (const IoError&) {
    }
}

// The position label of the window the attachments go to, as a 0-based record index; -1 when it
// shows no stored record.
std::int64_t ownIndex(const Label& position) {
    const std::string p = text::trim(position.text);
    if (p.empty() || p.size() > 12 || p.find_first_not_of("0123456789") != std::string::npos)
        return -1;
    return std::stoll(p) - 1;
}

} // namespace

// The overwrite question, naming the other books and users whose attachments use a file of that
// name, since they will open the new file too.
std::string TfrmAllegaCartella::overwriteQuestion(const std::string& name) const {
    const std::string wanted = text::toCp1252(name);
    const std::string marker = text::trim(lblMemory.text);
    std::vector<std::string> names;
    std::size_t more = 0;
    const FieldSpec bookFiles[3] = {TLibro::F::File01, TLibro::F::File02, TLibro::F::File03};
    recordsNaming(app.dataFile(TLibro::FileName), TLibro::Size, bookFiles, wanted,
                  marker == "libri" ? ownIndex(app.frmLibri.lblPosizione) : -1, names, more,
                  [](std::string_view rec) {
                      return "libro \"" + text::trim(readField(rec, TLibro::F::Titolo)) + "\" (codice " +
                             text::trim(readField(rec, TLibro::F::Codice)) + ")";
                  });
    const FieldSpec userFiles[3] = {TTesserato::F::File01, TTesserato::F::File02, TTesserato::F::File03};
    recordsNaming(app.dataFile(TTesserato::FileName), TTesserato::Size, userFiles, wanted,
                  marker == "anagrafica" ? ownIndex(app.frmAnagrafica.lblPosizione) : -1, names, more,
                  [](std::string_view rec) {
                      return "utente " + text::trim(readField(rec, TTesserato::F::Tesserato)) +
                             " (tessera n. " + text::trim(readField(rec, TTesserato::F::NumTessera)) + ")";
                  });
    std::string q = kStessoNome;
    q += "\r\n\r\n";
    if (!names.empty()) {
        q += names.size() + more == 1 ? "Il file è allegato anche a un'altra scheda:"
                                      : "Il file è allegato anche ad altre schede:";
        for (const std::string& n : names)
            q += "\r\n- " + n;
        if (more == 1)
            q += "\r\n- e un'altra scheda";
        else if (more > 1)
            q += "\r\n- e altre " + std::to_string(more) + " schede";
        q += "\r\n\r\n";
    }
    return q + kSovrascrivere;
}

TfrmAllegaCartella::TfrmAllegaCartella(Application& app)
    : Form(app, "TfrmAllegaCartella", " Allega file"),
      slots_{{{txtFile01, btnSfoglia01, btnApri01, imgCancella01, txtDesc01},
              {txtFile02, btnSfoglia02, btnApri02, imgCancella02, txtDesc02},
              {txtFile03, btnSfoglia03, btnApri03, imgCancella03, txtDesc03}}} {
    lblMemory.visible = false;
    for (std::size_t i = 0; i < slots_.size(); ++i) {
        Slot& s = slots_[i];
        s.file.readOnly = true;
        s.apri.enabled = false;
        s.cancella.tabStop = false;
        s.sfoglia.onClick = [this, i] { browse(i); };
        s.apri.onClick = [this, i] { openSlot(i); };
        s.cancella.onClick = [this, i] { forgetSlot(i); };
        s.file.onChange = [this, i] { nameChanged(i); };
    }
    btnApplica.onClick = [this] { btnApplicaClick(); };
    btnAnnulla.onClick = [this] { btnAnnullaClick(); };
}

void TfrmAllegaCartella::fill(const Labels& caller) {
    for (std::size_t i = 0; i < slots_.size(); ++i) {
        setName(i, text::trim(caller[2 * i]->text));
        slots_[i].desc.text = text::trim(caller[2 * i + 1]->text);
    }
}

void TfrmAllegaCartella::FormShow() {
    // The names the caller put in have enabled their "Apri" already; this holds for names set in
    // any other way too.
    for (std::size_t i = 0; i < slots_.size(); ++i)
        nameChanged(i);
    setFocus(btnSfoglia01);
}

void TfrmAllegaCartella::setName(std::size_t slot, std::string name) {
    Edit& box = slots_[slot].file;
    if (box.text == name)
        return;
    box.text = std::move(name);
    if (box.onChange)
        box.onChange();
}

void TfrmAllegaCartella::nameChanged(std::size_t slot) {
    Slot& s = slots_[slot];
    s.apri.enabled = !text::trimView(s.file.text).empty();
}

void TfrmAllegaCartella::browse(std::size_t slot) {
    // A dialog closed without a choice leaves the slot and the folder as they were.
    const auto picked = ui().openFile(kTitoloDialogo, {{"Tutti i file (*.*)", "*"}});
    if (!picked)
        return;
    const std::string name = picked->filename().string();
    // The record keeps the bare name in its code page: a name it could not keep whole would name
    // another file, or none, once saved.
    if (!attachments::storableName(text::trim(name))) {
        ui().messageBox(kNomeNonConservabile, MsgKind::Warning);
        return;
    }
    const std::string before = slots_[slot].file.text;
    setName(slot, name);
    const std::filesystem::path folder = sidefiles::attachmentsFolder(app.dataDir());
    const std::filesystem::path target = folder / text::trim(name);
    try {
        files::makeFolders(folder); // never where a link in place of the folder points
    } catch (const IoError&) {
        setName(slot, before);
        ui().messageBox(kCopiaNonRiuscita, MsgKind::Warning);
        return;
    }
    std::error_code ec;
    if (std::filesystem::exists(std::filesystem::symlink_status(target, ec))) {
        // The file chosen from the folder itself is attached as it is.
        if (std::filesystem::equivalent(*picked, target, ec))
            return;
        // No: the slot keeps the name, which now refers to the file already in the folder.
        if (ui().messageBox(overwriteQuestion(text::trim(name)), MsgKind::Confirmation) == MsgButton::No)
            return;
    }
    try {
        attachments::copy(*picked, target);
    } catch (const IoError&) {
        // Nothing was copied: the slot keeps the name it had, so that the record never names a
        // file that is not in the folder.
        setName(slot, before);
        ui().messageBox(kCopiaNonRiuscita, MsgKind::Warning);
    }
}

void TfrmAllegaCartella::openSlot(std::size_t slot) {
    const std::string name = text::trim(slots_[slot].file.text);
    if (name.empty())
        return;
    const std::filesystem::path file = sidefiles::attachmentsFolder(app.dataDir()) / name;
    std::error_code ec;
    if (!std::filesystem::is_regular_file(file, ec)) {
        ui().messageBox(fileMissing(name), MsgKind::Warning);
        return;
    }
    if (!ui().shellOpen("\"" + file.string() + "\""))
        ui().messageBox(noProgram(name), MsgKind::Warning);
}

void TfrmAllegaCartella::forgetSlot(std::size_t slot) {
    // The slot keeps its description text, and the folder keeps the file.
    setName(slot, {});
}

void TfrmAllegaCartella::btnApplicaClick() {
    const std::string marker = text::trim(lblMemory.text);
    Labels to{};
    if (marker == "anagrafica") {
        TfrmAnagrafica& w = app.frmAnagrafica;
        to = {&w.lblFile01, &w.lblDesc01, &w.lblFile02, &w.lblDesc02, &w.lblFile03, &w.lblDesc03};
    } else if (marker == "libri") {
        TfrmLibri& w = app.frmLibri;
        to = {&w.lblFile01, &w.lblDesc01, &w.lblFile02, &w.lblDesc02, &w.lblFile03, &w.lblDesc03};
    } else {
        return;
    }
    for (std::size_t i = 0; i < slots_.size(); ++i) {
        to[2 * i]->text = text::trim(slots_[i].file.text);
        to[2 * i + 1]->text = text::trim(slots_[i].desc.text);
    }
    app.close(*this);
}

void TfrmAllegaCartella::btnAnnullaClick() {
    app.close(*this);
}

void runAttachments(Form& caller, const char* marker, const TfrmAllegaCartella::Labels& labels) {
    caller.app.runDialog<TfrmAllegaCartella>(caller, marker,
                                             [&labels](TfrmAllegaCartella& d) { d.fill(labels); });
}

} // namespace quaderna
