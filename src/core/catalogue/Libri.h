// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The book archive window: books are entered, checked, saved, duplicated and browsed.

#include "core/catalogue/BookSheet.h"
#include "core/shell/HelpTexts.h"

namespace quaderna {

class TfrmLibri : public BookSheet {
public:
    explicit TfrmLibri(Application& app);

    Button cmdNuovo{this, "cmdNuovo"}, cmdDuplica{this, "cmdDuplica"}, cmdSalva{this, "cmdSalva"};
    Button cmdFile{this, "cmdFile"}, cmdEsporta{this, "cmdEsporta"};
    Button btnCodice{this, "btnCodice"}, btnDewey{this, "btnDewey"}, btnGoogle{this, "btnGoogle"};

    void FormShow() override;
    void FormClose(CloseAction& action) override;
    void cmdNuovoClick();
    void cmdSalvaClick();
    void cmdDuplicaClick();
    void btnCodiceClick();
    void btnDeweyClick();
    void btnGoogleClick();
    void cmdStampaClick();
    void cmdFileClick();
    void cmdEsportaClick();

protected:
    const char* marker() const override { return "libri"; }
    const char* helpTopic() const override { return help::ArchivioLibri; }
};

// The address of the web search for an ISBN, as handed to the desktop.
std::string isbnSearchCommand(std::string_view isbn);

} // namespace quaderna
