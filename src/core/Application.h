// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The program: its standing windows, created once in a fixed order, and the navigation among them.

#include "core/cards/Tessera.h"
#include "core/catalogue/ConsultaLibri.h"
#include "core/catalogue/Libri.h"
#include "core/forms/Form.h"
#include "core/forms/Platform.h"
#include "core/history/MenuRiepilogoPrestiti.h"
#include "core/history/Statistiche.h"
#include "core/loans/Prestiti.h"
#include "core/loans/Restituzioni.h"
#include "core/shell/Avvio.h"
#include "core/shell/CambiaPassword.h"
#include "core/shell/MenuPrestiti.h"
#include "core/shell/MenuStorico.h"
#include "core/shell/Password.h"
#include "core/storage/Files.h"
#include "core/users/Anagrafica.h"

#include <filesystem>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

namespace quaderna {

class Application {
public:
    Application(Platform& ui, std::filesystem::path dataDir);
    ~Application();
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;

    Platform& ui;

    // The folder that holds every file of the program.
    const std::filesystem::path& dataDir() const { return dataDir_; }
    std::filesystem::path dataFile(std::string_view name) const { return dataDir_ / std::string(name); }

    // The standing windows, declared in the order in which they are created.
    TfrmPassword frmPassword;
    TfrmAvvio frmAvvio;
    TfrmCambiaPassword frmCambiaPassword;
    TfrmAnagrafica frmAnagrafica;
    TfrmTessera frmTessera;
    TfrmLibri frmLibri;
    TfrmConsultaLibri frmConsultaLibri;
    TfrmMenuPrestiti frmMenuPrestiti;
    TfrmPrestiti frmPrestiti;
    TfrmRestituzioni frmRestituzioni;
    TfrmMenuStorico frmMenuStorico;
    TfrmMenuRiepilogoPrestiti frmMenuRiepilogoPrestiti;
    TfrmStatistiche frmStatistiche;

    // The standing windows in creation order, and one of them by class name (null if absent).
    const std::vector<Form*>& standing() const { return standing_; }
    Form* standingWindow(std::string_view className) const;

    // Runs every create handler in order and shows the login window.
    void start();
    void show(Form& form);
    void hide(Form& form);
    // Runs the close handler; unless it refuses, the window is hidden (a dialog ends).
    bool close(Form& form);
    void terminate();
    bool terminated() const { return terminated_; }
    // A reader, not the librarian, is at the keyboard: the read-only catalogue is open, and
    // leaving it ends the program. Nothing then offered may change a file or hand anything to
    // another program.
    bool readerAtDesk() const { return frmConsultaLibri.visible(); }

    // Creates a dialog owned by `owner`, writes the marker into its lblMemory, lets `setup`
    // prepare it, shows it modally and destroys it when it closes.
    template <class D, class Setup> void runDialog(Form& owner, std::string_view marker, Setup&& setup) {
        D dialog(*this);
        dialog.owner_ = &owner;
        dialog.FormCreate();
        if constexpr (requires { dialog.lblMemory.text; })
            if (!marker.empty())
                dialog.lblMemory.text = std::string(marker);
        setup(dialog);
        showModal(dialog);
    }
    template <class D> void runDialog(Form& owner, std::string_view marker = {}) {
        runDialog<D>(owner, marker, [](D&) {});
    }

    Date today() { return ui.today(); }

    // Called by a handler about to write an archive or an INI file: the first write of the day
    // first copies the file into Backup/<yyyy-mm-dd>/ (core/storage/Backup.h). A copy that cannot
    // be made never stops the write: it is said once a day, on the status line of `saver`, the
    // window that writes (as a plain message when that window has no status line), and that file
    // is not tried again until the next day.
    void backupBefore(Form& saver, const std::filesystem::path& file);

    // What a few windows remember from one opening to the next during a run.
    struct Session {
        std::string deweyFindKey; // the Dewey table's last "Trova" text
    } session;

private:
    void showModal(Form& dialog);
    std::filesystem::path dataDir_;
    // Nothing is read or written through a link that leads out of the data folder.
    files::DataFolder confined_{dataDir_};
    std::vector<Form*> standing_;
    bool terminated_ = false;
    struct BackupState {
        Date day{0, 0, 0};
        bool said = false;
        std::vector<std::filesystem::path> done, failed; // today
    } backup_;
};

} // namespace quaderna
