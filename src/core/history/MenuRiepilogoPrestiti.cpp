// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/history/MenuRiepilogoPrestiti.h"

#include "core/Application.h"
#include "core/export/ExpPrestiti.h"
#include "core/export/ExpPrestitiSca.h"
#include "core/forms/KeyFilters.h"
#include "core/forms/Messages.h"
#include "core/history/Months.h"
#include "core/history/RiepilogoPrestiti.h"
#include "core/storage/Prestito.h"
#include "core/text/Date.h"
#include "core/text/Text.h"

#include <algorithm>
#include <cstdio>
#include <exception>

namespace quaderna {

namespace {

constexpr const char* kGiornoInizio =
    "Attenzione: indicare il giorno di inizio intervallo selezionandolo dall'elenco a cascata.";
constexpr const char* kMeseInizio =
    "Attenzione: indicare il mese di inizio intervallo selezionandolo dall'elenco a cascata.";
constexpr const char* kGiornoFine =
    "Attenzione: indicare il giorno di fine intervallo selezionandolo dall'elenco a cascata.";
constexpr const char* kMeseFine =
    "Attenzione: indicare il mese di fine intervallo selezionandolo dall'elenco a cascata.";
constexpr const char* kDataValida =
    "Per poter visualizzare il riepilogo è necessario indicare una data valida.";
constexpr const char* kIntervalloValido =
    "Per poter visualizzare il riepilogo è necessario indicare un intervallo di tempo valido.";

std::vector<std::string> dayItems() {
    std::vector<std::string> days;
    for (int d = 1; d <= 31; ++d) {
        char buf[4];
        std::snprintf(buf, sizeof buf, "%02d", d);
        days.emplace_back(buf);
    }
    return days;
}

// "dd/mm/yyyy" from a day's text, a month's name and a year.
std::string composeDate(std::string_view day, std::string_view month, std::string_view year) {
    char mm[8];
    std::snprintf(mm, sizeof mm, "/%02d/", history::monthNumber(month));
    return text::trim(day) + mm + text::trim(year);
}

} // namespace

TfrmMenuRiepilogoPrestiti::TfrmMenuRiepilogoPrestiti(Application& app)
    : Form(app, "TfrmMenuRiepilogoPrestiti", " Quaderna 3.0 - Storico Prestiti") {
    for (Label* l : {&lblDataInizio, &lblDataFine, &lblFile, &lblAttendere})
        l->visible = false;
    const auto days = dayItems();
    txtGiornoInizio.items = days;
    txtGiornoFine.items = days;
    for (ComboEdit* m : {&txtMeseInizio, &txtMeseFine})
        m->items.assign(history::kMesi.begin(), history::kMesi.end());

    txtAnno.onKeyDown = [this](Key& k) { txtAnnoKeyDown(k); };
    txtAnno.onKeyUp = [this](Key& k) { txtAnnoKeyUp(k); };
    txtAnno.onChange = [this] { showYear(); };
    txtAnno.onExit = [this] { txtAnnoExit(); };
    txtTipologia.onKeyDown = [this](Key& k) { txtTipologiaKeyDown(k); };
    for (ComboEdit* c : {&txtGiornoInizio, &txtMeseInizio, &txtGiornoFine, &txtMeseFine})
        c->onKeyDown = [this](Key& k) { listKeyDown(k); };
    txtGiornoInizio.onExit = [this] { txtGiornoExit(txtGiornoInizio); };
    txtGiornoFine.onExit = [this] { txtGiornoExit(txtGiornoFine); };
    txtMeseInizio.onExit = [this] { txtMeseExit(txtMeseInizio); };
    txtMeseFine.onExit = [this] { txtMeseExit(txtMeseFine); };
    btnVisualizza.onMouseDown = [this] { btnVisualizzaMouseDown(); };
    btnVisualizza.onClick = [this] { btnVisualizzaClick(); };
    cmdEsporta.onClick = [this] { cmdEsportaClick(); };
    lnkEsporta.onClick = [this] { lnkEsportaClick(); };
    cmdScaduti.onClick = [this] { cmdScadutiClick(); };
    lnkScaduti.onClick = [this] { lnkScadutiClick(); };
    btnEsci.onClick = [this] { btnEsciClick(); };
    for (Button* b : {&cmdEsporta, &lnkEsporta, &cmdScaduti, &lnkScaduti})
        b->tabStop = false;
    // Enter moves along the interval to "Visualizza riepilogo" (the year and the code move by
    // their own key handlers).
    setEnterChain({&txtGiornoInizio, &txtMeseInizio, &txtGiornoFine, &txtMeseFine, &btnVisualizza});
}

void TfrmMenuRiepilogoPrestiti::FormCreate() {
    txtAnno.maxLength = 4;
    txtTipologia.maxLength = 30;
    txtGiornoInizio.maxLength = txtGiornoFine.maxLength = 2;
    txtMeseInizio.maxLength = txtMeseFine.maxLength = 9;
}

void TfrmMenuRiepilogoPrestiti::FormShow() {
    for (ComboEdit* c : {&txtGiornoInizio, &txtMeseInizio, &txtGiornoFine, &txtMeseFine}) {
        c->text.clear();
        c->itemIndex = -1;
    }
    txtTipologia.text.clear();
    txtAnno.text = std::to_string(app.today().year);
    showYear();
    lblAttendere.visible = false;
    setFocus(txtTipologia);
}

void TfrmMenuRiepilogoPrestiti::FormClose(CloseAction&) {
    app.show(app.frmAvvio);
}

void TfrmMenuRiepilogoPrestiti::showYear() {
    lblAnnoInizio.text = text::trim(txtAnno.text);
    lblAnnoFine.text = lblAnnoInizio.text;
}

void TfrmMenuRiepilogoPrestiti::txtAnnoKeyDown(Key& key) {
    if (key.code == VK::Return) {
        key.swallow();
        setFocus(txtTipologia);
        return;
    }
    digitsOnly(key);
}

void TfrmMenuRiepilogoPrestiti::txtAnnoKeyUp(Key&) {
    showYear();
}

void TfrmMenuRiepilogoPrestiti::txtAnnoExit() {
    showYear();
}

void TfrmMenuRiepilogoPrestiti::txtTipologiaKeyDown(Key& key) {
    if (key.code == VK::Return) {
        key.swallow();
        setFocus(txtGiornoInizio);
    }
}

void TfrmMenuRiepilogoPrestiti::listKeyDown(Key& key) {
    // Values come only from the lists. Enter moves on (the chain); Up and Down step through the
    // list, and Alt+Down opens it, so the lists work from the keyboard too.
    if (key.code == VK::Return || key.code == VK::Up || key.code == VK::Down)
        return;
    key.swallow();
}

void TfrmMenuRiepilogoPrestiti::txtGiornoExit(ComboEdit& day) {
    const std::string t = text::trim(day.text);
    const auto& items = day.items;
    if (std::find(items.begin(), items.end(), t) == items.end()) {
        day.text.clear();
        day.itemIndex = -1;
    }
}

void TfrmMenuRiepilogoPrestiti::txtMeseExit(ComboEdit& month) {
    if (history::monthNumber(month.text) == 0) {
        month.text.clear();
        month.itemIndex = -1;
    }
}

void TfrmMenuRiepilogoPrestiti::btnVisualizzaMouseDown() {
    lblAttendere.visible = true;
}

void TfrmMenuRiepilogoPrestiti::btnVisualizzaClick() {
    lblDataInizio.text.clear();
    lblDataFine.text.clear();
    const auto stop = [this](Control* focus) {
        if (focus)
            setFocus(*focus);
        lblAttendere.visible = false;
    };
    const auto file = loans::typedYearFile(app.dataDir(), txtAnno.text);
    if (!file) {
        ui().messageBox(msg::AnnoQuattroCifre, MsgKind::Warning);
        return stop(&txtAnno);
    }
    const struct {
        ComboEdit& box;
        const char* message;
    } required[] = {{txtGiornoInizio, kGiornoInizio},
                    {txtMeseInizio, kMeseInizio},
                    {txtGiornoFine, kGiornoFine},
                    {txtMeseFine, kMeseFine}};
    for (const auto& r : required)
        if (text::trimView(r.box.text).empty()) {
            ui().messageBox(r.message, MsgKind::Warning);
            return stop(&r.box);
        }
    lblDataInizio.text = composeDate(txtGiornoInizio.text, txtMeseInizio.text, lblAnnoInizio.text);
    const auto from = Date::parse(lblDataInizio.text);
    if (!from) {
        ui().showMessage("Attenzione: la data " + lblDataInizio.text +
                         " di inizio intervallo non esiste.\n\r\n\r" + kDataValida);
        return stop(&txtGiornoInizio);
    }
    lblDataFine.text = composeDate(txtGiornoFine.text, txtMeseFine.text, lblAnnoFine.text);
    const auto to = Date::parse(lblDataFine.text);
    if (!to) {
        ui().showMessage("Attenzione: la data " + lblDataFine.text +
                         " di fine intervallo non esiste.\n\r\n\r" + kDataValida);
        return stop(&txtGiornoFine);
    }
    if (*from > *to) {
        ui().showMessage("Attenzione: la data di fine intervallo (" + lblDataFine.text +
                         ") non può essere anteriore a quella di inizio intervallo (" + lblDataInizio.text +
                         ").\n\r\n\r" + kIntervalloValido);
        return stop(nullptr);
    }
    try {
        lblFile.text = file->string();
        // The waiting label stays on until the list closes.
        app.runDialog<TfrmRiepilogoPrestiti>(*this);
    } catch (const std::exception&) {
        ui().showMessage(history::kFileNonAccessibile);
        lblAttendere.visible = false;
    }
}

bool TfrmMenuRiepilogoPrestiti::exportYear() {
    const auto file = loans::typedYearFile(app.dataDir(), txtAnno.text);
    if (!file) {
        ui().messageBox(msg::AnnoQuattroCifre, MsgKind::Warning);
        setFocus(txtAnno);
        lblAttendere.visible = false;
        return false;
    }
    lblFile.text = file->string();
    return true;
}

void TfrmMenuRiepilogoPrestiti::cmdEsportaClick() {
    if (exportYear())
        app.runDialog<TfrmExpPrestiti>(*this);
}

void TfrmMenuRiepilogoPrestiti::cmdScadutiClick() {
    if (exportYear())
        app.runDialog<TfrmExpPrestitiSca>(*this);
}

void TfrmMenuRiepilogoPrestiti::btnEsciClick() {
    app.close(*this);
}

} // namespace quaderna
