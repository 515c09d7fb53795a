// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/shell/MenuPrestiti.h"

#include "core/Application.h"

namespace quaderna {

TfrmMenuPrestiti::TfrmMenuPrestiti(Application& app)
    : SubMenu(app, "TfrmMenuPrestiti", " Quaderna 3.0 - Prestiti e Restituzioni",
              {"prestiti", "TfrmPrestiti"}, {"restituzioni", "TfrmRestituzioni"}) {
    btnApriPrestito.onClick = [this] { btnApriPrestitoClick(); };
    btnApriRestituzione.onClick = [this] { btnApriRestituzioneClick(); };
}

void TfrmMenuPrestiti::btnApriPrestitoClick() {
    const int year = app.today().year;
    choose(first_, " Quaderna 3.0 - Prestiti libri anno " + std::to_string(year));
}

void TfrmMenuPrestiti::btnApriRestituzioneClick() {
    choose(second_, " Quaderna 3.0 - Restituzioni libri");
}

} // namespace quaderna
