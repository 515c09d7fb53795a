// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/users/Anagrafica.h"

#include "core/Application.h"
#include "core/catalogue/AllegaCartella.h"
#include "core/export/ExpAnagrafica.h"
#include "core/forms/KeyFilters.h"
#include "core/forms/Messages.h"
#include "core/forms/RecordStep.h"
#include "core/reports/Layouts.h"
#include "core/shell/Guida.h"
#include "core/storage/Files.h"
#include "core/storage/Prestito.h"
#include "core/storage/RecordFile.h"
#include "core/storage/SideFiles.h"
#include "core/storage/Suggestions.h"
#include "core/text/Date.h"
#include "core/text/Text.h"
#include "core/users/Carta.h"
#include "core/users/CodFisc.h"
#include "core/users/Iban.h"
#include "core/users/PartitaIva.h"
#include "core/users/Sospesi.h"
#include "core/users/TrovaAnagrafica.h"
#include "core/users/Zoom.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace quaderna {

namespace {

constexpr const char* kMancaNome =
    "Attenzione: per salvare la scheda è necessario indicare il nome delL'utente.";
constexpr const char* kMancaTessera =
    "Attenzione: per salvare la scheda è necessario indicare il numero di tessera delL'utente.";
constexpr const char* kMancaRilascio =
    "Attenzione: per salvare la scheda è necessario indicare la data di rilascio della tessera.";
constexpr const char* kMancaScadenza =
    "Attenzione: per salvare la scheda è necessario indicare la data di scadenza della tessera.";
constexpr const char* kDataValida = " non esiste.\n\r\n\rPer poter salvare la scheda è necessario "
                                    "indicare una data valida nel formato gg/mm/aaaa.";
constexpr const char* kMancaPreavviso =
    "Attenzione: per salvare la scheda è necessario indicare i giorni di preavviso.";
constexpr const char* kMancaEmail = "Attenzione: indicare l'indirizzo e-mail dell'utente.";
constexpr const char* kAvviso = "Attenzione: per inviare l'avviso è necessario indicare ";

constexpr const char* kTitoloFoto = "Selezionare un file di immagine in formato Jpeg o Bitmap.";

// The open loans of `card` in every year's loan file: the years, in order, with how many. A card
// is compared trimmed and exactly, as the loan and returns windows compare it. A file that cannot
// be read is passed over: the question it would bring is not worth refusing the save for.
std::vector<std::pair<std::string, int>> openLoansOf(const std::filesystem::path& dataDir,
                                                     const std::string& card) {
    std::vector<std::string> years;
    std::error_code ec;
    for (auto it = std::filesystem::directory_iterator(dataDir, ec);
         !ec && it != std::filesystem::directory_iterator(); it.increment(ec))
        if (loans::isYearFileName(it->path().filename().string()))
            years.push_back(it->path().filename().string());
    std::sort(years.begin(), years.end());
    std::vector<std::pair<std::string, int>> found;
    std::vector<char> chunk(4096 * TPrestito::Size);
    for (const std::string& year : years) {
        int fd = -1;
        try {
            fd = files::openRegular(dataDir / year, O_RDONLY);
        } catch (const IoError&) {
            continue;
        }
        if (fd < 0)
            continue;
        int open = 0;
        off_t at = 0;
        std::size_t held = 0;
        while (true) {
            const ssize_t n = ::pread(fd, chunk.data() + held, chunk.size() - held, at);
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0)
                break;
            at += n;
            held += static_cast<std::size_t>(n);
            const std::size_t whole = held / TPrestito::Size * TPrestito::Size;
            for (std::size_t k = 0; k < whole; k += TPrestito::Size) {
                const std::string_view rec(chunk.data() + k, TPrestito::Size);
                if (text::trimView(rawField(rec, TPrestito::F::DataRes)).empty() &&
                    text::fromCp1252(text::trimView(rawField(rec, TPrestito::F::NumTessera))) == card)
                    ++open;
            }
            std::memmove(chunk.data(), chunk.data() + whole, held - whole);
            held -= whole;
        }
        ::close(fd);
        if (open > 0)
            found.emplace_back(year.substr(0, 4), open);
    }
    return found;
}

// The question before a card number is changed while the old number has open loans.
std::string numberChangeQuestion(const std::string& before, const std::string& after,
                                 const std::vector<std::pair<std::string, int>>& loans) {
    int n = 0;
    std::string years;
    for (const auto& [year, count] : loans) {
        n += count;
        years += (years.empty() ? "" : ", ") + year;
    }
    const bool one = n == 1;
    return "Attenzione: la tessera n. " + before + " ha " +
           (one ? std::string("un prestito non ancora restituito")
                : std::to_string(n) + " prestiti non ancora restituiti") +
           " (" + (loans.size() == 1 ? "anno " : "anni ") + years + "). Con il nuovo numero " + after +
           (one ? " il prestito resta registrato" : " i prestiti restano registrati") +
           " con la tessera n. " + before + " e non " + (one ? "comparirà" : "compariranno") +
           " nella scheda prestiti della tessera n. " + after + ": " +
           (one ? "la restituzione va registrata" : "le restituzioni vanno registrate") +
           " prima di cambiare il numero.\n\r\n\rSi vuole salvare comunque la scheda?";
}

} // namespace

std::string mailCommand(std::string_view email) {
    return "\"mailto:" + text::trim(email) + "\"";
}

std::string renewalMailCommand(std::string_view email, std::string_view tesserato,
                               std::string_view numTessera, std::string_view dataRil,
                               std::string_view dataScade) {
    const std::string body =
        "Gentilissimo Utente " + text::trim(tesserato) +
        ", con la presente le ricordiamo che la sua tessera n. " + text::trim(numTessera) +
        ", rilasciata in data " + text::trim(dataRil) + " e con scadenza in data " + text::trim(dataScade) +
        ", ha bisogno di essere rinnovata. Pertanto, la preghiamo di recarsi con cortese sollecitudine "
        "presso "
        "i nostri uffici per provvedere al rinnovo. In attesa di un suo riscontro, le porgiamo cordiali "
        "saluti.";
    return "\"mailto:" + text::trim(email) + "?subject=Rinnovo tessera biblioteca&body=" + body + "\"";
}

TfrmAnagrafica::TfrmAnagrafica(Application& app)
    : Form(app, "TfrmAnagrafica", " Quaderna 3.0 - Archivio Utenti"),
      repScheda(reports::schedaInformativa()) {
    fields_ = {{&TTesserato::Tesserato, &txtTesserato},
               {&TTesserato::Carica, &txtCarica},
               {&TTesserato::NumTessera, &txtNumTessera},
               {&TTesserato::DataRil, &txtDataRil},
               {&TTesserato::DataScade, &txtDataScade},
               {&TTesserato::DataNasc, &txtDataNasc},
               {&TTesserato::ComuneNasc, &txtComuneNasc},
               {&TTesserato::ProvNasc, &txtProvNasc},
               {&TTesserato::Sesso, &txtSesso},
               {&TTesserato::ComuneRes, &txtComuneRes},
               {&TTesserato::ProvRes, &txtProvRes},
               {&TTesserato::CapRes, &txtCapRes},
               {&TTesserato::IndirizzoRes, &txtIndirizzoRes},
               {&TTesserato::Preavviso, &txtPreavviso},
               {&TTesserato::Titoli, &txtTitoli},
               {&TTesserato::TelCasa, &txtTelCasa},
               {&TTesserato::TelUff, &txtTelUff},
               {&TTesserato::TelCel, &txtTelCel},
               {&TTesserato::Recapito, &txtRecapito},
               {&TTesserato::Fax, &txtFax},
               {&TTesserato::Email, &txtEmail},
               {&TTesserato::CodFisc, &txtCodFisc},
               {&TTesserato::Carta, &txtCarta},
               {&TTesserato::ScadeCarta, &txtScadeCarta},
               {&TTesserato::PartitaIva, &txtPartitaIva},
               {&TTesserato::Iban, &txtIban},
               {&TTesserato::Intestatario, &txtIntestatario},
               {&TTesserato::Note, &txtNote}};
    txtPreavviso.text = "0";
    txtProvNasc.items = province();
    txtProvRes.items = province();
    for (Label* l : {&lblFile01, &lblFile02, &lblFile03, &lblDesc01, &lblDesc02, &lblDesc03})
        l->visible = false;
    imgBianco.visible = false;
    setEnterChain({&txtTesserato, &txtCarica,       &txtNumTessera,   &txtDataRil,    &txtDataScade,
                   &txtDataNasc,  &txtComuneNasc,   &txtProvNasc,     &txtSesso,      &txtComuneRes,
                   &txtProvRes,   &txtCapRes,       &txtIndirizzoRes, &txtPreavviso,  &txtTitoli,
                   &txtTelCasa,   &txtTelUff,       &txtTelCel,       &txtRecapito,   &txtFax,
                   &txtEmail,     &txtCodFisc,      &txtCarta,        &txtScadeCarta, &txtPartitaIva,
                   &txtIban,      &txtIntestatario, &txtNote});

    // Typing aids.
    for (Edit* e : {static_cast<Edit*>(&txtCodFisc), static_cast<Edit*>(&txtIban),
                    static_cast<Edit*>(&txtProvNasc), static_cast<Edit*>(&txtProvRes)})
        e->onChange = [e] {
            const std::string shown = text::upperAZ(text::trim(e->text));
            if (shown != e->text)
                e->text = shown;
        };
    txtEmail.onChange = [this] {
        const std::string shown = text::trim(txtEmail.text);
        if (shown != txtEmail.text)
            txtEmail.text = shown;
    };
    txtSesso.onKeyUp = [this](Key& k) { txtSessoKeyUp(k); };
    for (Edit* e : {&txtCarta, &txtPreavviso, &txtPartitaIva})
        e->onKeyDown = [](Key& k) { digitsOnly(k); };
    for (ComboEdit* c : {&txtProvNasc, &txtProvRes})
        c->onEnter = [c] { c->itemIndex = -1; };

    cmdNuovo.onClick = [this] { cmdNuovoClick(); };
    cmdSalva.onClick = [this] { cmdSalvaClick(); };
    cmdTrova.onClick = [this] { cmdTrovaClick(); };
    cmdAllega.onClick = [this] { cmdAllegaClick(); };
    cmdAnteprima.onClick = [this] { cmdAnteprimaClick(); };
    cmdStampa.onClick = [this] { cmdStampaClick(); };
    cmdScadute.onClick = [this] { cmdScaduteClick(); };
    cmdPrimo.onClick = [this] { cmdPrimoClick(); };
    cmdIndietro.onClick = [this] { cmdIndietroClick(); };
    cmdAvanti.onClick = [this] { cmdAvantiClick(); };
    cmdUltimo.onClick = [this] { cmdUltimoClick(); };
    cmdExcel.onClick = [this] { cmdExcelClick(); };
    cmdGuida.onClick = [this] { cmdGuidaClick(); };
    cmdEsci.onClick = [this] { cmdEsciClick(); };
    btnSfoglia.onClick = [this] { btnSfogliaClick(); };
    btnCancFoto.onClick = [this] { btnCancFotoClick(); };
    btnZoom.onClick = [this] { btnZoomClick(); };
    cmdEmail.onClick = [this] { cmdEmailClick(); };
    btnEmail.onClick = [this] { btnEmailClick(); };
    cmdCodFisc.onClick = [this] { cmdCodFiscClick(); };
    cmdPartitaIva.onClick = [this] { cmdPartitaIvaClick(); };
    cmdCarta.onClick = [this] { cmdCartaClick(); };
    cmdIban.onClick = [this] { cmdIbanClick(); };
    // Picture buttons do not take the focus from the field being typed.
    for (Button* b :
         {&cmdNuovo,    &cmdSalva,    &cmdTrova,  &cmdAllega,  &cmdAnteprima,  &cmdStampa, &cmdScadute,
          &cmdPrimo,    &cmdIndietro, &cmdAvanti, &cmdUltimo,  &cmdExcel,      &cmdGuida,  &cmdEsci,
          &btnCancFoto, &btnZoom,     &cmdEmail,  &cmdCodFisc, &cmdPartitaIva, &cmdCarta,  &cmdIban})
        b->tabStop = false;
}

std::filesystem::path TfrmAnagrafica::archive() const {
    return app.dataFile(TTesserato::FileName);
}

void TfrmAnagrafica::FormCreate() {
    imgFoto.image = placeholder();
}

void TfrmAnagrafica::FormShow() {
    // The window opens where a person starts typing: on the name, as after "Nuovo".
    clearScreen();
    setFocus(txtTesserato);
}

void TfrmAnagrafica::FormClose(CloseAction&) {
    app.show(app.frmAvvio);
}

void TfrmAnagrafica::cmdEsciClick() {
    app.close(*this);
}

// --- the record on screen ---------------------------------------------------------------------

ImageRef TfrmAnagrafica::placeholder() {
    if (!imgBianco.image)
        imgBianco.image = ui().builtinPicture("foto_bianco");
    return imgBianco.image;
}

void TfrmAnagrafica::clearScreen() {
    for (auto& [member, box] : fields_)
        box->text.clear();
    txtDataRil.text = app.today().format();
    txtPreavviso.text = "0";
    txtProvNasc.itemIndex = -1;
    txtProvRes.itemIndex = -1;
    chkAnnullata.checked = false;
    for (Label* l : {&lblFile01, &lblFile02, &lblFile03, &lblDesc01, &lblDesc02, &lblDesc03})
        l->text.clear();
    imgFoto.image = placeholder();
    lblPosizione.text.clear();
}

void TfrmAnagrafica::showUser(const TTesserato& user, std::int64_t position) {
    for (auto& [member, box] : fields_)
        box->text = text::trim(user.*member);
    showFlag(chkAnnullata.checked, user.Annullata);
    lblFile01.text = text::trim(user.File01);
    lblFile02.text = text::trim(user.File02);
    lblFile03.text = text::trim(user.File03);
    lblDesc01.text = text::trim(user.Desc01);
    lblDesc02.text = text::trim(user.Desc02);
    lblDesc03.text = text::trim(user.Desc03);
    lblPosizione.text = std::to_string(position);
    loadPhoto(position);
}

TTesserato TfrmAnagrafica::composeRecord() const {
    TTesserato user;
    for (const auto& [member, box] : fields_)
        user.*member = box->text;
    user.Annullata = flagText(chkAnnullata.checked);
    user.File01 = lblFile01.text;
    user.File02 = lblFile02.text;
    user.File03 = lblFile03.text;
    user.Desc01 = lblDesc01.text;
    user.Desc02 = lblDesc02.text;
    user.Desc03 = lblDesc03.text;
    return user;
}

// --- photo ---------------------------------------------------------------------------------------

void TfrmAnagrafica::loadPhoto(std::int64_t position) {
    const ImageRef photo = ui().loadPicture(sidefiles::photoFile(app.dataDir(), position));
    imgFoto.image = photo ? photo : placeholder();
}

void TfrmAnagrafica::savePhoto(std::int64_t position) {
    // Every saved record gets a photo file: the blank face when the user has no photo.
    const auto file = sidefiles::photoFile(app.dataDir(), position);
    const ImageRef photo = imgFoto.image ? imgFoto.image : placeholder();
    if (!sidefiles::pictureWritable(file) || !ui().savePictureJpeg(photo, file))
        imgFoto.image = placeholder();
}

void TfrmAnagrafica::btnSfogliaClick() {
    const auto chosen = ui().openFile(kTitoloFoto, {{"Immagine JPEG (*.jpg; *.jpeg)", "*.jpg;*.jpeg"},
                                                    {"Immagine Bitmap (*.bmp)", "*.bmp"}});
    if (!chosen)
        return;
    const ImageRef photo = ui().loadPicture(*chosen);
    imgFoto.image = photo ? photo : placeholder();
}

void TfrmAnagrafica::btnCancFotoClick() {
    imgFoto.image = placeholder();
}

void TfrmAnagrafica::btnZoomClick() {
    const ImageRef photo = imgFoto.image ? imgFoto.image : placeholder();
    app.runDialog<TfrmZoom>(*this, {}, [&](TfrmZoom& z) { z.imgFoto.image = photo; });
}

// --- new and save --------------------------------------------------------------------------------

void TfrmAnagrafica::cmdNuovoClick() {
    clearScreen();
    setFocus(txtTesserato);
}

void TfrmAnagrafica::cmdSalvaClick() {
    const std::string nome = text::trim(txtTesserato.text);
    const std::string tessera = text::trim(txtNumTessera.text);
    const std::string rilascio = text::trim(txtDataRil.text);
    const std::string scadenza = text::trim(txtDataScade.text);
    const auto warn = [this](const char* message, Edit& focus) {
        ui().messageBox(message, MsgKind::Warning);
        setFocus(focus);
    };
    if (nome.empty())
        return warn(kMancaNome, txtTesserato);
    if (tessera.empty())
        return warn(kMancaTessera, txtNumTessera);
    if (rilascio.empty())
        return warn(kMancaRilascio, txtDataRil);
    if (scadenza.empty())
        return warn(kMancaScadenza, txtDataScade);
    const auto dataRil = Date::parse(rilascio);
    if (!dataRil) {
        ui().showMessage("Attenzione: la data di rilascio della tessera " + rilascio + kDataValida);
        setFocus(txtDataRil);
        return;
    }
    const auto dataScade = Date::parse(scadenza);
    if (!dataScade) {
        ui().showMessage("Attenzione: la data di scadenza della tessera " + scadenza + kDataValida);
        setFocus(txtDataScade);
        return;
    }
    if (*dataRil > *dataScade) {
        ui().showMessage("Attenzione: la data di scadenza (" + scadenza +
                         ") non può essere anteriore a quella di rilascio della tessera (" + rilascio + ").");
        return;
    }
    if (text::trimView(txtPreavviso.text).empty())
        return warn(kMancaPreavviso, txtPreavviso);
    if (!changeOfNumberAgreed(tessera))
        return;

    try {
        RecordFile file(archive(), TTesserato::Size);
        const std::string bytes = composeRecord().encode();
        const std::string p = text::trim(lblPosizione.text);
        const bool update = !p.empty();
        RecordFile::Lock lock(file); // the day's copy shows the archive as no other desk is changing it
        app.backupBefore(*this, archive());
        std::int64_t written = 0;
        if (update) {
            file.seek(recordPosition(p) - 1);
            file.write(bytes);
            written = file.position();
        } else {
            written = file.append(bytes) + 1;
        }
        lblPosizione.text = std::to_string(written);
        file.close();
        savePhoto(written);
        ui().messageBox(update ? msg::ModificheSalvate : msg::SchedaInserita, MsgKind::Information);
    } catch (const ArchiveBusy&) {
        ui().messageBox(msg::ArchivioInUso, MsgKind::Error);
    } catch (const IoError&) {
        ui().messageBox(msg::ArchivioNonAccessibile, MsgKind::Error);
    }
}

bool TfrmAnagrafica::changeOfNumberAgreed(const std::string& tessera) {
    const std::string p = text::trim(lblPosizione.text);
    if (p.empty())
        return true;
    std::string before;
    try {
        RecordFile file(archive(), TTesserato::Size);
        std::vector<char> rec;
        const std::int64_t k = recordPosition(p) - 1;
        if (k < 0 || file.readAt(k, rec, 1) != 1)
            return true;
        before = text::trim(readField(std::string_view(rec.data(), rec.size()), TTesserato::F::NumTessera));
    } catch (const std::exception&) {
        return true; // the save itself says what is wrong with the archive
    }
    if (before.empty() || before == tessera)
        return true;
    const auto loans = openLoansOf(app.dataDir(), before);
    if (loans.empty())
        return true;
    if (ui().messageBox(numberChangeQuestion(before, tessera, loans), MsgKind::Confirmation) ==
        MsgButton::Yes)
        return true;
    setFocus(txtNumTessera);
    return false;
}

// --- navigation ----------------------------------------------------------------------------------

void TfrmAnagrafica::navigate(Step step) {
    stepRecords(*this, archive(), TTesserato::Size, lblPosizione, step,
                [this](std::string_view rec, std::int64_t pos) { showUser(TTesserato::decode(rec), pos); });
}

void TfrmAnagrafica::cmdPrimoClick() {
    navigate(Step::First);
}
void TfrmAnagrafica::cmdIndietroClick() {
    navigate(Step::Previous);
}
void TfrmAnagrafica::cmdAvantiClick() {
    navigate(Step::Next);
}
void TfrmAnagrafica::cmdUltimoClick() {
    navigate(Step::Last);
}

// --- other windows -------------------------------------------------------------------------------

void TfrmAnagrafica::cmdTrovaClick() {
    app.runDialog<TfrmTrovaAnagrafica>(*this, "anagrafica");
}

void TfrmAnagrafica::cmdScaduteClick() {
    app.runDialog<TfrmSospesi>(*this);
}

void TfrmAnagrafica::cmdAllegaClick() {
    runAttachments(*this, "anagrafica",
                   {&lblFile01, &lblDesc01, &lblFile02, &lblDesc02, &lblFile03, &lblDesc03});
}
void TfrmAnagrafica::fillScheda() {
    repScheda.setOrientation(Orientation::Portrait);
    repScheda.at("txtTitolo").setText("SCHEDA ANAGRAFICA UTENTE");
    const auto t = [](const Edit& e) { return text::trim(e.text); };
    const std::pair<const char*, std::string> rows[24] = {
        {"Cognome e nome:", t(txtTesserato)},
        {"Informazioni aggiuntive:", t(txtCarica)},
        {"Tessera n.", t(txtNumTessera)},
        {"Data rilascio:", t(txtDataRil)},
        {"Data scadenza:", t(txtDataScade)},
        {"Data di nascita:", t(txtDataNasc)},
        {"Comune di nascita:", t(txtComuneNasc) + " " + t(txtProvNasc)},
        {"Comune di residenza:", t(txtComuneRes) + "  " + t(txtProvRes)},
        {"CAP:", t(txtCapRes)},
        {"Via e numero civico:", t(txtIndirizzoRes)},
        {"Titoli posseduti:", t(txtTitoli)},
        {"Tel. casa:", t(txtTelCasa)},
        {"Tel. ufficio:", t(txtTelUff)},
        {"Tel. cellulare:", t(txtTelCel)},
        {"Recapito preferenziale:", t(txtRecapito)},
        {"Fax:", t(txtFax)},
        {"E-mail:", t(txtEmail)},
        {"Codice Fiscale:", t(txtCodFisc)},
        {"Carta di credito n.", t(txtCarta)},
        {"Scadenza carta di credito:", t(txtScadeCarta)},
        {"Partita IVA:", t(txtPartitaIva)},
        {"IBAN:", t(txtIban)},
        {"Intestatario C/C:", t(txtIntestatario)},
        {"Note:", t(txtNote)},
    };
    for (int k = 0; k < 24; ++k) {
        const std::string n = (k < 9 ? "0" : "") + std::to_string(k + 1);
        repScheda.at("titCampo" + n).setText(rows[k].first);
        repScheda.at("txtCampo" + n).setText(rows[k].second);
    }
    const DateTime now = ui().now();
    repScheda.at("txtCalce")
        .setText("Stampa eseguita in data " + now.date.format() + " alle ore " + now.time.format());
}

void TfrmAnagrafica::cmdAnteprimaClick() {
    fillScheda();
    ui().preview(repScheda);
}

void TfrmAnagrafica::cmdStampaClick() {
    fillScheda();
    ui().print(repScheda);
}
void TfrmAnagrafica::cmdExcelClick() {
    app.runDialog<TfrmExpAnagrafica>(*this);
}
void TfrmAnagrafica::cmdGuidaClick() {
    showHelp(*this, help::ArchivioUtenti);
}

void TfrmAnagrafica::cmdCodFiscClick() {
    const std::string value = text::trim(txtCodFisc.text);
    // A company's fiscal code is its eleven-digit VAT number.
    if (text::isDigits(value))
        app.runDialog<TfrmPartitaIva>(*this, {}, [&](TfrmPartitaIva& d) { d.txtPartitaIva.text = value; });
    else
        app.runDialog<TfrmCodFisc>(*this, {}, [&](TfrmCodFisc& d) { d.txtCodFisc.text = value; });
}

void TfrmAnagrafica::cmdPartitaIvaClick() {
    const std::string value = text::trim(txtPartitaIva.text);
    app.runDialog<TfrmPartitaIva>(*this, {}, [&](TfrmPartitaIva& d) { d.txtPartitaIva.text = value; });
}

void TfrmAnagrafica::cmdCartaClick() {
    const std::string value = text::trim(txtCarta.text);
    app.runDialog<TfrmCarta>(*this, {}, [&](TfrmCarta& d) { d.txtNumero.text = value; });
}

void TfrmAnagrafica::cmdIbanClick() {
    const std::string value = text::trim(txtIban.text);
    app.runDialog<TfrmIban>(*this, {}, [&](TfrmIban& d) { d.txtIban.text = value; });
}

// --- e-mail --------------------------------------------------------------------------------------

void TfrmAnagrafica::cmdEmailClick() {
    if (text::trimView(txtEmail.text).empty()) {
        ui().messageBox(kMancaEmail, MsgKind::Warning);
        setFocus(txtEmail);
        return;
    }
    if (!ui().shellOpen(mailCommand(txtEmail.text)))
        ui().messageBox(msg::PostaNonDisponibile, MsgKind::Warning);
}

void TfrmAnagrafica::btnEmailClick() {
    const struct {
        Edit& box;
        const char* what;
    } required[] = {
        {txtTesserato, "cognome e nome dell'utente."},
        {txtNumTessera, "il numero della tessera."},
        {txtDataRil, "la data di rilascio del tesserino."},
        {txtDataScade, "la data di scadenza del tesserino."},
        {txtEmail, "l'indirizzo e-mail dell'utente."},
    };
    for (const auto& r : required)
        if (text::trimView(r.box.text).empty()) {
            ui().messageBox(std::string(kAvviso) + r.what, MsgKind::Warning);
            setFocus(r.box);
            return;
        }
    if (!ui().shellOpen(renewalMailCommand(txtEmail.text, txtTesserato.text, txtNumTessera.text,
                                           txtDataRil.text, txtDataScade.text)))
        ui().messageBox(msg::PostaNonDisponibile, MsgKind::Warning);
}

void TfrmAnagrafica::txtSessoKeyUp(Key&) {
    const std::string shown = text::upperAZ(text::trim(txtSesso.text));
    if (shown != txtSesso.text)
        txtSesso.text = shown;
}

} // namespace quaderna
