// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/Application.h"

#include "core/forms/Messages.h"
#include "core/loans/Intent.h"
#include "core/storage/Backup.h"

#include <algorithm>

namespace quaderna {

Application::Application(Platform& ui, std::filesystem::path dataDir)
    : ui(ui), frmPassword(*this), frmAvvio(*this), frmCambiaPassword(*this), frmAnagrafica(*this),
      frmTessera(*this), frmLibri(*this), frmConsultaLibri(*this), frmMenuPrestiti(*this), frmPrestiti(*this),
      frmRestituzioni(*this), frmMenuStorico(*this), frmMenuRiepilogoPrestiti(*this), frmStatistiche(*this),
      dataDir_(std::move(dataDir)) {
    standing_ = {&frmPassword,   &frmAvvio,        &frmCambiaPassword, &frmAnagrafica,
                 &frmTessera,    &frmLibri,        &frmConsultaLibri,  &frmMenuPrestiti,
                 &frmPrestiti,   &frmRestituzioni, &frmMenuStorico,    &frmMenuRiepilogoPrestiti,
                 &frmStatistiche};
}

Application::~Application() = default;

Form* Application::standingWindow(std::string_view className) const {
    for (Form* f : standing_)
        if (f->className() == className)
            return f;
    return nullptr;
}

void Application::start() {
    for (Form* f : standing_)
        f->FormCreate();
    show(frmPassword);
    // A loan or a return that a program left half done (killed between its two writes) is
    // completed or undone before anything else reads the archives.
    loans::mendAtStart(*this, frmPassword);
}

void Application::show(Form& form) {
    form.visible_ = true;
    form.FormShow();
    ui.show(form);
}

void Application::hide(Form& form) {
    if (!form.visible_)
        return;
    form.visible_ = false;
    ui.hide(form);
}

bool Application::close(Form& form) {
    CloseAction action = CloseAction::Hide;
    form.FormClose(action);
    if (action == CloseAction::None)
        return false;
    hide(form);
    return true;
}

void Application::terminate() {
    if (terminated_)
        return;
    terminated_ = true;
    ui.terminate();
}

void Application::backupBefore(Form& saver, const std::filesystem::path& file) {
    const Date day = ui.today();
    if (day != backup_.day)
        backup_ = {day, false, {}, {}};
    const auto seen = [&](const std::vector<std::filesystem::path>& files) {
        return std::find(files.begin(), files.end(), file) != files.end();
    };
    if (seen(backup_.done) || seen(backup_.failed))
        return; // today's copy is made, or was tried once
    try {
        backup::beforeWrite(dataDir_, file, day);
        backup_.done.push_back(file);
    } catch (const std::exception&) {
        backup_.failed.push_back(file);
        if (backup_.said)
            return;
        backup_.said = true;
        if (!ui.showStatus(saver, msg::CopiaNonRiuscita))
            ui.showMessage(msg::CopiaNonRiuscita);
    }
}

void Application::showModal(Form& dialog) {
    dialog.modal_ = true;
    dialog.visible_ = true;
    dialog.FormShow();
    ui.showModal(dialog);
    dialog.visible_ = false;
}

// A window reaches the desktop through the program that holds it.
Platform& Form::ui() const {
    return app.ui;
}

} // namespace quaderna
