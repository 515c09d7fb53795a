// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/forms/ListWindow.h"

#include "core/Application.h"
#include "core/forms/ListFind.h"
#include "core/reports/Layouts.h"

namespace quaderna {

ListWindow::ListWindow(Application& app, std::string className, std::string caption, std::string title,
                       bool sorted)
    : Form(app, std::move(className), std::move(caption)), lstRecords(this, "lstRecords", sorted),
      printTitle(std::move(title)) {
    btnTrova.onClick = [this] { btnTrovaClick(); };
    txtTrova.onKeyDown = [this](Key& k) { txtTrovaKeyDown(k); };
    btnStampa.onClick = [this] { btnStampaClick(); };
    btnChiudi.onClick = [this] { btnChiudiClick(); };
}

void ListWindow::FormClose(CloseAction&) {
    lstRecords.clear();
}

void ListWindow::btnTrovaClick() {
    findInList(lstRecords, txtTrova.text, findKey(), ui());
}

void ListWindow::txtTrovaKeyDown(Key& key) {
    // Enter moves to "Trova" without pressing it.
    if (key.code == VK::Return) {
        key.swallow();
        setFocus(btnTrova);
    }
}

void ListWindow::btnStampaClick() {
    Report report = reports::riepilogoDati();
    reports::fillList(report, printTitle, lstRecords.items());
    ui().print(report);
}

void ListWindow::btnChiudiClick() {
    app.close(*this);
}

} // namespace quaderna
