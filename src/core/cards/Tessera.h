// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The card window: a mock-up of the membership card with the library's own data and logo, kept in
// Tesserini.ini and Logo.jpg, and the data of one user read from Tesserati.pro (browsed, or
// chosen in the user search). The card is previewed or printed from here. Closing the window keeps
// what the librarian changed of the library's data and logo, and writes nothing else: a text or a
// logo that could not be read stays in its file as it is.

#include "core/forms/Form.h"
#include "core/storage/Navigation.h"
#include "core/storage/SideFiles.h"
#include "core/storage/Tesserato.h"

#include <cstdint>
#include <filesystem>

namespace quaderna {

class Report;

class TfrmTessera : public Form {
public:
    explicit TfrmTessera(Application& app);

    // The library's texts, on the card's header and footer bands; a click edits them.
    Label titAssociazione{this, "titAssociazione", "Denominazione biblioteca"};
    Label titSottotitolo01{this, "titSottotitolo01", "Indirizzo e città"};
    Label titSottotitolo02{this, "titSottotitolo02", "Telefono e altri recapiti"};
    Label titAnnotazioni{this, "titAnnotazioni", "Annotazioni"};
    // The library logo; a click loads another one.
    Picture imgLogo{this, "imgLogo"};

    // The user shown, read-only.
    Label txtTesserato{this, "txtTesserato", "Cognome e nome"};
    Label txtCarica{this, "txtCarica", "Informazioni aggiuntive"};
    Label txtNumTessera{this, "txtNumTessera", "Tessera n."};
    Label txtDataRil{this, "txtDataRil", "GG/MM/AAAA"};
    Label txtDataScade{this, "txtDataScade", "GG/MM/AAAA"};
    Picture imgFoto{this, "imgFoto"};
    Label lblPosizione{this, "lblPosizione"};

    // Fill-ins: the face of a user with no photo, the default logo, and the blank dot that the
    // delete buttons put in place of the photo or the logo.
    Picture imgBianco{this, "imgBianco"};
    Picture imgBlank{this, "imgBlank"};
    Picture imgPuntino{this, "imgPuntino"};

    Button cmdNuovo{this, "cmdNuovo"}, cmdTrova{this, "cmdTrova"};
    Button cmdAnteprima{this, "cmdAnteprima"}, cmdStampa{this, "cmdStampa"};
    Button cmdPrimo{this, "cmdPrimo"}, cmdIndietro{this, "cmdIndietro"}, cmdAvanti{this, "cmdAvanti"},
        cmdUltimo{this, "cmdUltimo"};
    Button btnCancFoto{this, "btnCancFoto"}, btnCancLogo{this, "btnCancLogo"};
    Button imgGuida{this, "imgGuida"}, imgEsci{this, "imgEsci"};

    void FormShow() override;
    void FormClose(CloseAction& action) override;
    void cmdNuovoClick();
    void cmdTrovaClick();
    void cmdAnteprimaClick();
    void cmdStampaClick();
    void cmdPrimoClick();
    void cmdIndietroClick();
    void cmdAvantiClick();
    void cmdUltimoClick();
    void titAssociazioneClick();
    void imgLogoClick();
    void btnCancLogoClick();
    void btnCancFotoClick();
    void imgGuidaClick();
    void imgEsciClick();

    // Puts a stored user on the card: the five card fields trimmed, the position label set to
    // `position`, and that position's photo (the blank face when there is none).
    void showUser(const TTesserato& user, std::int64_t position);
    // Fills the card report from what the window shows.
    void fillCard(Report& card) const;

private:
    void clearUser();
    void navigate(Step step);
    const ImageRef& placeholder();
    const ImageRef& defaultLogo();
    const ImageRef& blank();

    // The library's texts as Tesserini.ini held them when the window was shown (empty when the file
    // could not be read): closing writes only the texts that differ from them.
    sidefiles::DatiEnte storedDati_;
    // True once the librarian has loaded or deleted the logo since the window was shown: only then
    // does closing write Logo.jpg.
    bool logoChanged_ = false;
};

} // namespace quaderna
