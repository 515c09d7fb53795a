// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/catalogue/BookSheet.h"

#include "core/Application.h"
#include "core/catalogue/TrovaDisponibili.h"
#include "core/catalogue/TrovaLibri.h"
#include "core/forms/Messages.h"
#include "core/forms/RecordStep.h"
#include "core/shell/Guida.h"
#include "core/storage/RecordFile.h"
#include "core/storage/Suggestions.h"
#include "core/text/Text.h"

namespace quaderna {

BookSheet::BookSheet(Application& app, std::string className, std::string caption)
    : Form(app, std::move(className), std::move(caption)) {
    fields_ = {{&TLibro::Titolo, &txtTitolo},       {&TLibro::Codice, &txtCodice},
               {&TLibro::Scaffale, &txtScaffale},   {&TLibro::Autore, &txtAutore},
               {&TLibro::Nazione, &txtNazione},     {&TLibro::Curatore, &txtCuratore},
               {&TLibro::Dewey, &txtDewey},         {&TLibro::Pagine, &txtPagine},
               {&TLibro::Genere, &txtGenere},       {&TLibro::Giudizio, &txtGiudizio},
               {&TLibro::Editore, &txtEditore},     {&TLibro::Isbn, &txtIsbn},
               {&TLibro::Citta, &txtCitta},         {&TLibro::Anno, &txtAnno},
               {&TLibro::Volumi, &txtVolumi},       {&TLibro::Prezzo, &txtPrezzo},
               {&TLibro::Collana, &txtCollana},     {&TLibro::Formato, &txtFormato},
               {&TLibro::Originale, &txtOriginale}, {&TLibro::Lingua, &txtLingua},
               {&TLibro::Prima, &txtPrima},         {&TLibro::Traduttore, &txtTraduttore},
               {&TLibro::Versione, &txtVersione},   {&TLibro::Note, &txtNote},
               {&TLibro::Prestato, &txtPrestato},   {&TLibro::Scadenza, &txtScadenza}};
    txtGenere.items = generi();
    txtLingua.items = lingue();
    txtPrestato.readOnly = true;
    txtScadenza.readOnly = true;
    setEnterChain({&txtTitolo,    &txtCodice,  &txtScaffale, &txtAutore,     &txtNazione,  &txtCuratore,
                   &txtDewey,     &txtPagine,  &txtGenere,   &txtGiudizio,   &txtEditore,  &txtIsbn,
                   &txtCitta,     &txtAnno,    &txtVolumi,   &txtPrezzo,     &txtCollana,  &txtFormato,
                   &txtOriginale, &txtLingua,  &txtPrima,    &txtTraduttore, &txtVersione, &txtNote,
                   &txtPrestato,  &txtScadenza});
    for (ComboEdit* c : {&txtGenere, &txtLingua})
        c->onEnter = [c] { c->itemIndex = -1; };
    txtCodice.onKeyDown = [this](Key& k) { txtCodiceKeyDown(k); };
    txtIsbn.onKeyUp = [this](Key& k) { txtIsbnKeyUp(k); };
    cmdPrimo.onClick = [this] { cmdPrimoClick(); };
    cmdIndietro.onClick = [this] { cmdIndietroClick(); };
    cmdAvanti.onClick = [this] { cmdAvantiClick(); };
    cmdUltimo.onClick = [this] { cmdUltimoClick(); };
    cmdTrova.onClick = [this] { cmdTrovaClick(); };
    cmdDisponibili.onClick = [this] { cmdDisponibiliClick(); };
    cmdEsci.onClick = [this] { cmdEsciClick(); };
    cmdGuida.onClick = [this] { cmdGuidaClick(); };
    for (Button* b : {&cmdPrimo, &cmdIndietro, &cmdAvanti, &cmdUltimo, &cmdTrova, &cmdDisponibili, &cmdStampa,
                      &cmdGuida, &cmdEsci})
        b->tabStop = false;
}

std::filesystem::path BookSheet::archive() const {
    return app.dataFile(TLibro::FileName);
}

void BookSheet::clearScreen(std::string_view prestato) {
    for (auto& [member, box] : fields_)
        box->text.clear();
    txtConvalida.text = "No";
    txtPrestato.text = std::string(prestato);
    chkAnnullata.checked = false;
    for (Label* l : {&lblFile01, &lblFile02, &lblFile03, &lblDesc01, &lblDesc02, &lblDesc03})
        l->text.clear();
    txtGenere.itemIndex = -1;
    txtLingua.itemIndex = -1;
    lblPosizione.text.clear();
    setFocus(txtTitolo);
}

void BookSheet::showRecord(const TLibro& book, std::int64_t position) {
    for (auto& [member, box] : fields_)
        box->text = text::trim(book.*member);
    txtConvalida.text = text::trim(book.Convalida);
    showFlag(chkAnnullata.checked, book.Annullata);
    lblFile01.text = text::trim(book.File01);
    lblFile02.text = text::trim(book.File02);
    lblFile03.text = text::trim(book.File03);
    lblDesc01.text = text::trim(book.Desc01);
    lblDesc02.text = text::trim(book.Desc02);
    lblDesc03.text = text::trim(book.Desc03);
    lblPosizione.text = std::to_string(position);
}

TLibro BookSheet::composeRecord() const {
    TLibro book;
    for (const auto& [member, box] : fields_)
        book.*member = box->text;
    book.Convalida = txtConvalida.text;
    book.Annullata = flagText(chkAnnullata.checked);
    book.File01 = lblFile01.text;
    book.File02 = lblFile02.text;
    book.File03 = lblFile03.text;
    book.Desc01 = lblDesc01.text;
    book.Desc02 = lblDesc02.text;
    book.Desc03 = lblDesc03.text;
    return book;
}

void BookSheet::navigate(Step step) {
    stepRecords(*this, archive(), TLibro::Size, lblPosizione, step,
                [this](std::string_view rec, std::int64_t pos) { showRecord(TLibro::decode(rec), pos); });
}

void BookSheet::cmdPrimoClick() {
    navigate(Step::First);
}
void BookSheet::cmdIndietroClick() {
    navigate(Step::Previous);
}
void BookSheet::cmdAvantiClick() {
    navigate(Step::Next);
}
void BookSheet::cmdUltimoClick() {
    navigate(Step::Last);
}

void BookSheet::cmdTrovaClick() {
    app.runDialog<TfrmTrovaLibri>(*this, marker());
}
void BookSheet::cmdDisponibiliClick() {
    app.runDialog<TfrmTrovaDisponibili>(*this, marker());
}

void BookSheet::cmdEsciClick() {
    app.close(*this);
}

void BookSheet::cmdGuidaClick() {
    showHelp(*this, helpTopic());
}

bool BookSheet::codeLocked() const {
    return !text::trimView(lblPosizione.text).empty();
}

void BookSheet::txtCodiceKeyDown(Key& key) {
    if (key.code == VK::Return)
        return; // the Enter chain moves on to the shelf
    // The code of a stored book cannot change: only the arrows move the caret.
    if (codeLocked() && key.code != VK::Left && key.code != VK::Right)
        key.swallow();
}

void BookSheet::txtIsbnKeyUp(Key&) {
    txtIsbn.text = text::upperAZ(text::trim(txtIsbn.text));
}

} // namespace quaderna
