// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/catalogue/Convalida.h"

#include "core/Application.h"
#include "core/catalogue/BookSearch.h"
#include "core/storage/RecordFile.h"
#include "core/text/Text.h"

namespace quaderna {

namespace {
constexpr const char* kValido = "CODICE LIBRO VALIDO";
constexpr const char* kNonValido = "CODICE LIBRO NON VALIDO";
constexpr const char* kNonUnivoco =
    "Il codice non è univoco e non può quindi essere assegnato al libro corrente.";

bool sameCode(std::string_view stored, std::string_view key) {
    stored = text::trimView(stored);
    if (stored.size() != key.size())
        return false;
    for (std::size_t i = 0; i < key.size(); ++i)
        if (text::upperAZ(stored[i]) != key[i])
            return false;
    return true;
}

} // namespace

std::vector<std::string> booksCarryingCode(const std::filesystem::path& archive, std::string_view code) {
    std::vector<std::string> lines;
    const std::string trimmed = text::trim(code);
    // A character the code page cannot hold never occurs in a stored code.
    if (!text::fitsCp1252(trimmed))
        return lines;
    const std::string key = text::upperAZ(text::toCp1252(trimmed));
    try {
        RecordFile file(archive, TLibro::Size, RecordFile::Access::Read);
        file.scanEach([&](std::string_view rec, std::int64_t) {
            if (sameCode(rawField(rec, TLibro::F::Codice), key))
                lines.push_back(codeCheckLine(rec));
            return true;
        });
    } catch (const IoError&) {
        // The verdict rests on the records read so far.
    }
    return lines;
}

TfrmConvalida::TfrmConvalida(Application& app) : Form(app, "TfrmConvalida", " Convalida codice libro") {
    btnOK.onClick = [this] { btnOKClick(); };
    btnAnnulla.onClick = [this] { btnAnnullaClick(); };
}

void TfrmConvalida::FormCreate() {
    lstRecords.clear();
    lstRecords.setItems(booksCarryingCode(app.dataFile(TLibro::FileName), app.frmLibri.txtCodice.text));
    if (lstRecords.count() > 0) {
        txtResponso.text = kNonValido;
        txtIndicazioni.text = kNonUnivoco;
    }
    setFocus(btnOK);
}

void TfrmConvalida::btnOKClick() {
    app.frmLibri.txtConvalida.text = txtResponso.text == kValido ? std::string(kSi) : std::string(kNo);
    app.close(*this);
}

void TfrmConvalida::btnAnnullaClick() {
    app.close(*this);
}

void TfrmConvalida::FormClose(CloseAction&) {
    lstRecords.clear();
}

} // namespace quaderna
