// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The launcher: six entries to the work windows, and the small icons around them.

#include "core/forms/Form.h"

namespace quaderna {

class TfrmAvvio : public Form {
public:
    explicit TfrmAvvio(Application& app);

    Button imgAnagrafica{this, "imgAnagrafica"}, btnAnagrafica{this, "btnAnagrafica"};
    Button imgLibri{this, "imgLibri"}, btnLibri{this, "btnLibri"};
    Button imgTessere{this, "imgTessere"}, btnTessere{this, "btnTessere"};
    Button imgPrestiti{this, "imgPrestiti"}, btnPrestiti{this, "btnPrestiti"};
    Button imgStorico{this, "imgStorico"}, btnStorico{this, "btnStorico"};
    Button imgCatalogo{this, "imgCatalogo"}, btnCatalogo{this, "btnCatalogo"};
    Button imgInfo{this, "imgInfo"};
    Button imgGuida{this, "imgGuida"};
    Button icoSito{this, "icoSito"};
    Button imgCopyright{this, "imgCopyright"};
    Button imgEsci{this, "imgEsci"};

    void FormShow() override;
    void FormClose(CloseAction& action) override;
    // Shows the work window of an entry and hides the launcher; an entry whose window the
    // program does not have does nothing.
    void openEntry(const char* className);
    void icoSitoClick();
    void imgInfoClick();
    void imgGuidaClick();
    void imgCopyrightClick();
    void imgEsciClick();
};

} // namespace quaderna
