// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/shell/MenuStorico.h"

#include "core/Application.h"

namespace quaderna {

TfrmMenuStorico::TfrmMenuStorico(Application& app)
    : SubMenu(app, "TfrmMenuStorico", " Quaderna 3.0 - Storico e Statistiche",
              {"storico", "TfrmMenuRiepilogoPrestiti"}, {"statistiche", "TfrmStatistiche"}) {
    btnApriStorico.onClick = [this] { btnApriStoricoClick(); };
    btnApriStatistiche.onClick = [this] { btnApriStatisticheClick(); };
}

void TfrmMenuStorico::btnApriStoricoClick() {
    choose(first_, {});
}
void TfrmMenuStorico::btnApriStatisticheClick() {
    choose(second_, {});
}

} // namespace quaderna
