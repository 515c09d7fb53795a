// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/cards/Tessera.h"

#include "core/Application.h"
#include "core/cards/AnteprimaTessera.h"
#include "core/cards/DatiEnte.h"
#include "core/cards/StampaTessera.h"
#include "core/forms/Messages.h"
#include "core/forms/RecordStep.h"
#include "core/reports/Report.h"
#include "core/shell/Guida.h"
#include "core/storage/RecordFile.h"
#include "core/storage/SideFiles.h"
#include "core/text/Text.h"
#include "core/users/TrovaAnagrafica.h"

namespace quaderna {

namespace {

constexpr const char* kTitoloLogo = "Selezionare un file di immagine in formato Jpeg o Bitmap.";

} // namespace

TfrmTessera::TfrmTessera(Application& app) : Form(app, "TfrmTessera", " Quaderna 3.0 - Stampa Tessere") {
    for (Picture* p : {&imgBianco, &imgBlank, &imgPuntino})
        p->visible = false;
    cmdNuovo.onClick = [this] { cmdNuovoClick(); };
    cmdTrova.onClick = [this] { cmdTrovaClick(); };
    cmdAnteprima.onClick = [this] { cmdAnteprimaClick(); };
    cmdStampa.onClick = [this] { cmdStampaClick(); };
    cmdPrimo.onClick = [this] { cmdPrimoClick(); };
    cmdIndietro.onClick = [this] { cmdIndietroClick(); };
    cmdAvanti.onClick = [this] { cmdAvantiClick(); };
    cmdUltimo.onClick = [this] { cmdUltimoClick(); };
    for (Label* l : {&titAssociazione, &titSottotitolo01, &titSottotitolo02, &titAnnotazioni})
        l->onClick = [this] { titAssociazioneClick(); };
    imgLogo.onClick = [this] { imgLogoClick(); };
    btnCancLogo.onClick = [this] { btnCancLogoClick(); };
    btnCancFoto.onClick = [this] { btnCancFotoClick(); };
    imgGuida.onClick = [this] { imgGuidaClick(); };
    imgEsci.onClick = [this] { imgEsciClick(); };
    // Picture buttons: a click does not move the focus.
    for (Button* b : {&cmdNuovo, &cmdTrova, &cmdAnteprima, &cmdStampa, &cmdPrimo, &cmdIndietro, &cmdAvanti,
                      &cmdUltimo, &btnCancFoto, &btnCancLogo, &imgGuida, &imgEsci})
        b->tabStop = false;
}

// --- pictures that come with the program, asked for when first needed --------------------------

const ImageRef& TfrmTessera::placeholder() {
    if (!imgBianco.image)
        imgBianco.image = ui().builtinPicture("foto_bianco");
    return imgBianco.image;
}

const ImageRef& TfrmTessera::defaultLogo() {
    if (!imgBlank.image)
        imgBlank.image = ui().builtinPicture("tessera_logo");
    return imgBlank.image;
}

const ImageRef& TfrmTessera::blank() {
    if (!imgPuntino.image)
        imgPuntino.image = ui().builtinPicture("puntino");
    return imgPuntino.image;
}

// --- showing and closing -----------------------------------------------------------------------

void TfrmTessera::FormShow() {
    clearUser();
    try {
        storedDati_ = sidefiles::readDatiEnte(app.dataDir());
    } catch (const IoError&) {
        // A settings file that cannot be read shows no library data, and says so; closing will
        // write only the texts the librarian then types, never these empty ones.
        storedDati_ = {};
        ui().messageBox(msg::ArchivioNonAccessibile, MsgKind::Warning);
    }
    titAssociazione.text = storedDati_.denominazione;
    titSottotitolo01.text = storedDati_.sottotitolo1;
    titSottotitolo02.text = storedDati_.sottotitolo2;
    titAnnotazioni.text = storedDati_.annotazioni;
    const ImageRef logo = ui().loadPicture(sidefiles::logoFile(app.dataDir()));
    imgLogo.image = logo ? logo : defaultLogo();
    logoChanged_ = false;
    // The window has no box to type in: it opens on "Trova", which brings a user's card.
    setFocus(cmdTrova);
}

void TfrmTessera::FormClose(CloseAction&) {
    const sidefiles::DatiEnte shown{text::trim(titAssociazione.text), text::trim(titSottotitolo01.text),
                                    text::trim(titSottotitolo02.text), text::trim(titAnnotazioni.text)};
    if (shown != storedDati_) {
        try {
            app.backupBefore(*this, sidefiles::cardSettingsFile(app.dataDir()));
            sidefiles::writeDatiEnte(app.dataDir(), shown, storedDati_);
            storedDati_ = shown;
        } catch (const IoError&) {
            // The window closes all the same; the librarian is told the texts were not kept.
            ui().messageBox(msg::ArchivioNonAccessibile, MsgKind::Warning);
        }
    }
    if (logoChanged_) {
        // Encoded once, when the librarian chose or deleted it; the day's first change keeps the
        // logo it replaces among the daily copies.
        const auto file = sidefiles::logoFile(app.dataDir());
        const ImageRef logo = imgLogo.image ? imgLogo.image : defaultLogo();
        app.backupBefore(*this, file);
        if (!sidefiles::pictureWritable(file) || !ui().savePictureJpeg(logo, file))
            imgLogo.image = defaultLogo();
        logoChanged_ = false;
    }
    app.show(app.frmAvvio);
}

void TfrmTessera::imgEsciClick() {
    app.close(*this);
}

void TfrmTessera::imgGuidaClick() {
    showHelp(*this, help::StampaTessere);
}

// --- the user on the card ------------------------------------------------------------------------

void TfrmTessera::clearUser() {
    txtTesserato.text = "Cognome e nome";
    txtCarica.text = "Informazioni aggiuntive";
    txtNumTessera.text = "Tessera n.";
    txtDataRil.text = "GG/MM/AAAA";
    txtDataScade.text = "GG/MM/AAAA";
    imgFoto.image = placeholder();
    lblPosizione.text.clear();
}

void TfrmTessera::cmdNuovoClick() {
    clearUser();
}

void TfrmTessera::showUser(const TTesserato& user, std::int64_t position) {
    txtTesserato.text = text::trim(user.Tesserato);
    txtCarica.text = text::trim(user.Carica);
    txtNumTessera.text = text::trim(user.NumTessera);
    txtDataRil.text = text::trim(user.DataRil);
    txtDataScade.text = text::trim(user.DataScade);
    lblPosizione.text = std::to_string(position);
    const ImageRef photo = ui().loadPicture(sidefiles::photoFile(app.dataDir(), position));
    imgFoto.image = photo ? photo : placeholder();
}

void TfrmTessera::navigate(Step step) {
    stepRecords(*this, app.dataFile(TTesserato::FileName), TTesserato::Size, lblPosizione, step,
                [this](std::string_view rec, std::int64_t pos) { showUser(TTesserato::decode(rec), pos); });
}

void TfrmTessera::cmdPrimoClick() {
    navigate(Step::First);
}
void TfrmTessera::cmdIndietroClick() {
    navigate(Step::Previous);
}
void TfrmTessera::cmdAvantiClick() {
    navigate(Step::Next);
}
void TfrmTessera::cmdUltimoClick() {
    navigate(Step::Last);
}

void TfrmTessera::cmdTrovaClick() {
    app.runDialog<TfrmTrovaAnagrafica>(*this, "tessera");
}

void TfrmTessera::btnCancFotoClick() {
    // Only the card loses the photo: the user's photo file stays as it is.
    imgFoto.image = blank();
}

// --- the library's data and logo ------------------------------------------------------------------

void TfrmTessera::titAssociazioneClick() {
    app.runDialog<TfrmDatiEnte>(*this, "tessera", [this](TfrmDatiEnte& d) {
        d.txtAssociazione.text = titAssociazione.text;
        d.txtSottotitolo01.text = titSottotitolo01.text;
        d.txtSottotitolo02.text = titSottotitolo02.text;
        d.txtAnnotazioni.text = titAnnotazioni.text;
    });
}

void TfrmTessera::imgLogoClick() {
    const auto chosen = ui().openFile(kTitoloLogo, {{"Immagine JPEG (*.jpg; *.jpeg)", "*.jpg;*.jpeg"},
                                                    {"Immagine Bitmap (*.bmp)", "*.bmp"}});
    if (!chosen)
        return;
    const ImageRef logo = ui().loadPicture(*chosen);
    imgLogo.image = logo ? logo : defaultLogo();
    // A file that is not a picture shows the default logo, and Logo.jpg keeps what it holds.
    logoChanged_ = static_cast<bool>(logo);
}

void TfrmTessera::btnCancLogoClick() {
    imgLogo.image = blank();
    logoChanged_ = true;
}

// --- printing --------------------------------------------------------------------------------------

void TfrmTessera::fillCard(Report& card) const {
    const auto set = [&card](const char* object, const Label& source) {
        card.at(object).setText(text::trim(source.text));
    };
    set("txtAssociazione", titAssociazione);
    set("txtSottotitolo01", titSottotitolo01);
    set("txtSottotitolo02", titSottotitolo02);
    set("txtAnnotazioni", titAnnotazioni);
    set("txtTesserato", txtTesserato);
    set("txtCarica", txtCarica);
    set("txtNumTessera", txtNumTessera);
    set("txtDataRil", txtDataRil);
    set("txtDataScade", txtDataScade);
    card.at("imgLogo").image = imgLogo.image;
    card.at("imgFoto").image = imgFoto.image;
}

void TfrmTessera::cmdAnteprimaClick() {
    app.runDialog<TfrmAnteprimaTessera>(*this);
}

void TfrmTessera::cmdStampaClick() {
    app.runDialog<TfrmStampaTessera>(*this);
}

} // namespace quaderna
