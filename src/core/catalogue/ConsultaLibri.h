// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The read-only catalogue for readers: the book sheet without any command that changes data.
// Closing it ends the program, so that a reader cannot reach the other windows.

#include "core/catalogue/BookSheet.h"
#include "core/shell/HelpTexts.h"

namespace quaderna {

class TfrmConsultaLibri : public BookSheet {
public:
    explicit TfrmConsultaLibri(Application& app);

    void FormShow() override;
    void FormClose(CloseAction& action) override;
    void cmdStampaClick();

protected:
    const char* marker() const override { return "consulta_libri"; }
    const char* helpTopic() const override { return help::ConsultazioneCatalogo; }
};

} // namespace quaderna
