// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The book sheet shared by the book archive window and the read-only catalogue: the fields of a
// book record, the position label, navigation through Libri.pro and the keyboard aids.

#include "core/forms/Form.h"
#include "core/storage/Libro.h"
#include "core/storage/Navigation.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

namespace quaderna {

class BookSheet : public Form {
public:
    BookSheet(Application& app, std::string className, std::string caption);

    Edit txtTitolo{this, "txtTitolo", 250};
    Edit txtCodice{this, "txtCodice", 24};
    Edit txtScaffale{this, "txtScaffale", 50};
    Edit txtAutore{this, "txtAutore", 50};
    Edit txtNazione{this, "txtNazione", 50};
    Edit txtCuratore{this, "txtCuratore", 50};
    Edit txtDewey{this, "txtDewey", 3};
    Edit txtPagine{this, "txtPagine", 12};
    ComboEdit txtGenere{this, "txtGenere", 50};
    Edit txtGiudizio{this, "txtGiudizio", 50};
    Edit txtEditore{this, "txtEditore", 50};
    Edit txtIsbn{this, "txtIsbn", 50};
    Edit txtCitta{this, "txtCitta", 50};
    Edit txtAnno{this, "txtAnno", 30};
    Edit txtVolumi{this, "txtVolumi", 30};
    Edit txtPrezzo{this, "txtPrezzo", 30};
    Edit txtCollana{this, "txtCollana", 50};
    Edit txtFormato{this, "txtFormato", 50};
    Edit txtOriginale{this, "txtOriginale", 250};
    ComboEdit txtLingua{this, "txtLingua", 30};
    Edit txtPrima{this, "txtPrima", 30};
    Edit txtTraduttore{this, "txtTraduttore", 50};
    Edit txtVersione{this, "txtVersione", 30};
    Edit txtNote{this, "txtNote", 250};
    Edit txtPrestato{this, "txtPrestato", 120};
    Edit txtScadenza{this, "txtScadenza", 10};
    CheckBox chkAnnullata{this, "chkAnnullata", "Annullata"};
    Label txtConvalida{this, "txtConvalida", "No"};
    Label lblPosizione{this, "lblPosizione"};
    Label lblFile01{this, "lblFile01"}, lblFile02{this, "lblFile02"}, lblFile03{this, "lblFile03"};
    Label lblDesc01{this, "lblDesc01"}, lblDesc02{this, "lblDesc02"}, lblDesc03{this, "lblDesc03"};

    Button cmdPrimo{this, "cmdPrimo"}, cmdIndietro{this, "cmdIndietro"}, cmdAvanti{this, "cmdAvanti"},
        cmdUltimo{this, "cmdUltimo"};
    Button cmdTrova{this, "cmdTrova"}, cmdDisponibili{this, "cmdDisponibili"}, cmdStampa{this, "cmdStampa"};
    Button cmdGuida{this, "cmdGuida"}, cmdEsci{this, "cmdEsci"};

    void cmdPrimoClick();
    void cmdIndietroClick();
    void cmdAvantiClick();
    void cmdUltimoClick();
    void cmdTrovaClick();
    void cmdDisponibiliClick();
    void cmdEsciClick();
    void cmdGuidaClick();
    void txtCodiceKeyDown(Key& key);
    // The code of a stored book takes no typing: only Enter and the arrows.
    bool codeLocked() const;
    void txtIsbnKeyUp(Key& key);

    // Puts a stored book on screen: every field trimmed, the flag rule for "Annullata", the
    // position label set to the record's 1-based position.
    void showRecord(const TLibro& book, std::int64_t position);
    // The record as the screen holds it.
    TLibro composeRecord() const;
    std::filesystem::path archive() const;
    // The edit boxes with their record fields, in layout order.
    const std::vector<std::pair<std::string TLibro::*, Edit*>>& fieldBoxes() const { return fields_; }

protected:
    // The marker that the search windows receive from this window.
    virtual const char* marker() const = 0;
    // The title of the window's help topic.
    virtual const char* helpTopic() const = 0;
    // Empties the screen for a book not yet stored; the loan box shows `prestato`.
    void clearScreen(std::string_view prestato);
    void navigate(Step step);

private:
    std::vector<std::pair<std::string TLibro::*, Edit*>> fields_;
};

} // namespace quaderna
