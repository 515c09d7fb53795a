// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The user archive window: users are entered, edited and browsed one record at a time, each with
// a photo kept in a picture file named after the record's position.

#include "core/forms/Form.h"
#include "core/reports/Report.h"
#include "core/storage/Navigation.h"
#include "core/storage/Tesserato.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace quaderna {

class TfrmAnagrafica : public Form {
public:
    explicit TfrmAnagrafica(Application& app);

    Edit txtTesserato{this, "txtTesserato", 50};
    Edit txtCarica{this, "txtCarica", 50};
    Edit txtNumTessera{this, "txtNumTessera", 24};
    Edit txtDataRil{this, "txtDataRil", 10};
    Edit txtDataScade{this, "txtDataScade", 10};
    Edit txtDataNasc{this, "txtDataNasc", 10};
    Edit txtComuneNasc{this, "txtComuneNasc", 50};
    ComboEdit txtProvNasc{this, "txtProvNasc", 2};
    Edit txtSesso{this, "txtSesso", 1};
    Edit txtComuneRes{this, "txtComuneRes", 50};
    ComboEdit txtProvRes{this, "txtProvRes", 2};
    Edit txtCapRes{this, "txtCapRes", 5};
    Edit txtIndirizzoRes{this, "txtIndirizzoRes", 50};
    Edit txtPreavviso{this, "txtPreavviso", 3};
    Edit txtTitoli{this, "txtTitoli", 250};
    Edit txtTelCasa{this, "txtTelCasa", 30};
    Edit txtTelUff{this, "txtTelUff", 30};
    Edit txtTelCel{this, "txtTelCel", 30};
    Edit txtRecapito{this, "txtRecapito", 50};
    Edit txtFax{this, "txtFax", 30};
    Edit txtEmail{this, "txtEmail", 50};
    Edit txtCodFisc{this, "txtCodFisc", 16};
    Edit txtCarta{this, "txtCarta", 30};
    Edit txtScadeCarta{this, "txtScadeCarta", 30};
    Edit txtPartitaIva{this, "txtPartitaIva", 11};
    Edit txtIban{this, "txtIban", 27};
    Edit txtIntestatario{this, "txtIntestatario", 50};
    Edit txtNote{this, "txtNote", 250};
    CheckBox chkAnnullata{this, "chkAnnullata", "Tessera annullata"};
    Label lblPosizione{this, "lblPosizione"};
    Label lblFile01{this, "lblFile01"}, lblFile02{this, "lblFile02"}, lblFile03{this, "lblFile03"};
    Label lblDesc01{this, "lblDesc01"}, lblDesc02{this, "lblDesc02"}, lblDesc03{this, "lblDesc03"};
    // The user's photo, and the face that stands in when there is none.
    Picture imgFoto{this, "imgFoto"};
    Picture imgBianco{this, "imgBianco"};

    Button cmdNuovo{this, "cmdNuovo"}, cmdSalva{this, "cmdSalva"}, cmdTrova{this, "cmdTrova"};
    Button cmdAllega{this, "cmdAllega"};
    Button cmdAnteprima{this, "cmdAnteprima"}, cmdStampa{this, "cmdStampa"};
    Button cmdScadute{this, "cmdScadute"};
    Button cmdPrimo{this, "cmdPrimo"}, cmdIndietro{this, "cmdIndietro"}, cmdAvanti{this, "cmdAvanti"},
        cmdUltimo{this, "cmdUltimo"};
    Button cmdExcel{this, "cmdExcel"}, cmdGuida{this, "cmdGuida"}, cmdEsci{this, "cmdEsci"};
    Button btnSfoglia{this, "btnSfoglia"}, btnCancFoto{this, "btnCancFoto"}, btnZoom{this, "btnZoom"};
    Button cmdEmail{this, "cmdEmail"}, btnEmail{this, "btnEmail"};
    Button cmdCodFisc{this, "cmdCodFisc"}, cmdPartitaIva{this, "cmdPartitaIva"}, cmdCarta{this, "cmdCarta"},
        cmdIban{this, "cmdIban"};

    void FormCreate() override;
    void FormShow() override;
    void FormClose(CloseAction& action) override;
    void cmdNuovoClick();
    void cmdSalvaClick();
    void cmdTrovaClick();
    void cmdScaduteClick();
    void cmdAllegaClick();
    void cmdAnteprimaClick();
    void cmdStampaClick();
    // The user sheet "Scheda informativa" filled with what is on screen.
    void fillScheda();
    Report repScheda;
    void cmdExcelClick();
    void cmdGuidaClick();
    void cmdEsciClick();
    void cmdPrimoClick();
    void cmdIndietroClick();
    void cmdAvantiClick();
    void cmdUltimoClick();
    void btnSfogliaClick();
    void btnCancFotoClick();
    void btnZoomClick();
    void cmdEmailClick();
    void btnEmailClick();
    void cmdCodFiscClick();
    void cmdPartitaIvaClick();
    void cmdCartaClick();
    void cmdIbanClick();
    void txtSessoKeyUp(Key& key);

    // Puts a stored user on screen: every field trimmed, the flag rule for "Tessera annullata",
    // the attachments, the position label set to `position`, and that position's photo.
    void showUser(const TTesserato& user, std::int64_t position);
    // The record as the screen holds it.
    TTesserato composeRecord() const;
    std::filesystem::path archive() const;
    // The edit boxes with their record fields, in layout order.
    const std::vector<std::pair<std::string TTesserato::*, Edit*>>& fieldBoxes() const { return fields_; }

private:
    // Before a record's card number is changed while the old number has open loans: the question
    // that those loans stay with the old number. False when the librarian answers No.
    bool changeOfNumberAgreed(const std::string& tessera);
    void clearScreen();
    void navigate(Step step);
    ImageRef placeholder();
    void loadPhoto(std::int64_t position);
    void savePhoto(std::int64_t position);
    std::vector<std::pair<std::string TTesserato::*, Edit*>> fields_;
};

// The text handed to the desktop for a blank message to `email`.
std::string mailCommand(std::string_view email);
// The text handed to the desktop for the renewal reminder of a user; the values are used trimmed.
std::string renewalMailCommand(std::string_view email, std::string_view tesserato,
                               std::string_view numTessera, std::string_view dataRil,
                               std::string_view dataScade);

} // namespace quaderna
