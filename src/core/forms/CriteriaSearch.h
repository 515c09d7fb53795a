// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The criteria panel of the search windows: up to ten criteria, "Cerca" with its waiting label,
// the count of the lines found, and the switch to the result panel. `Base` is the list window
// that holds the result list and knows how to hand a chosen line back.

#include "core/Application.h"
#include "core/forms/Form.h"
#include "core/forms/Messages.h"
#include "core/forms/Platform.h"
#include "core/storage/RecordFile.h"
#include "core/text/Text.h"

#include <array>
#include <string>
#include <utility>
#include <vector>

namespace quaderna {

template <class Base> class CriteriaSearch : public Base {
public:
    template <class... Args> explicit CriteriaSearch(Args&&... args) : Base(std::forward<Args>(args)...) {
        lblConta.visible = false;
        lblMemory.visible = false;
        lblAttendere.visible = false;
        panContainer.visible = false;
        btnCerca.onMouseDown = [this] { btnCercaMouseDown(); };
        btnCerca.onClick = [this] { btnCercaClick(); };
        btnAnnulla.onClick = [this] { btnAnnullaClick(); };
    }

    Label lblConta{this, "lblConta"};   // how many criteria the last search used
    Label lblMemory{this, "lblMemory"}; // the caller's marker
    Label lblAttendere{this, "lblAttendere", "Ricerca schede in corso. Attendere..."};
    Label lblTrovate{this, "lblTrovate", "Il presente elenco contiene 0 schede."};
    Panel panAvvio{this, "panAvvio"};
    Panel panContainer{this, "panContainer"};
    Button btnAnnulla{this, "btnAnnulla"}, btnCerca{this, "btnCerca"};

    // The criteria boxes in the order of their Enter chain.
    virtual std::array<Edit*, 10> criteria() = 0;

    void FormCreate() override {
        Base::FormCreate();
        const auto b = criteria();
        this->setEnterChain({b[0], b[1], b[2], b[3], b[4], b[5], b[6], b[7], b[8], b[9]});
    }

    void FormShow() override {
        this->lastFindKey.clear();
        this->lstRecords.itemIndex = this->lstRecords.count() > 0 ? 0 : -1;
        this->txtTrova.text.clear();
        this->setFocus(*criteria()[0]);
    }

    void FormClose(CloseAction& action) override {
        Base::FormClose(action);
        lblAttendere.visible = false;
    }

    void btnCercaMouseDown() { lblAttendere.visible = true; }

    void btnCercaClick() {
        std::array<std::string, 10> typed;
        int inUse = 0;
        const auto boxes = criteria();
        for (std::size_t i = 0; i < boxes.size(); ++i) {
            typed[i] = boxes[i]->text;
            if (!text::trimView(typed[i]).empty())
                ++inUse;
        }
        lblConta.text = std::to_string(inUse);
        text::Lines lines = this->lstRecords.take();
        try {
            search(typed, lines);
            this->lstRecords.setItems(std::move(lines));
        } catch (const IoError&) {
            // The search stops where it was: the lines found so far stay, the panels stay.
            this->lstRecords.setItems(std::move(lines));
            lblAttendere.visible = false;
            this->ui().showMessage(msg::ArchivioNonAccessibile);
            return;
        }
        lblAttendere.visible = false;
        lblTrovate.text =
            "Il presente riepilogo contiene " + std::to_string(this->lstRecords.count()) + " schede.";
        panContainer.visible = true;
        panAvvio.visible = false;
        this->txtTrova.text.clear();
        this->setFocus(this->txtTrova);
    }

    void btnAnnullaClick() { this->app.close(*this); }

protected:
    // Adds the lines of the records that match the criteria as typed. Throws IoError, leaving the
    // lines found before the failure.
    virtual void search(const std::array<std::string, 10>& typed, text::Lines& lines) = 0;
};

} // namespace quaderna
