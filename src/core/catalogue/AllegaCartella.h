// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The attachments window: up to three files, each with a description, for the book or the user
// on screen in the window that opened it. Browsing copies a file into the attachments folder at
// once; "Applica e chiudi" hands the names and descriptions back to that window, whose Save
// stores them.

#include "core/forms/Form.h"

#include <array>
#include <cstddef>
#include <string>

namespace quaderna {

class TfrmAllegaCartella : public Form {
public:
    explicit TfrmAllegaCartella(Application& app);

    Label lblMemory{this, "lblMemory"}; // "libri" or "anagrafica": the window the result goes to
    Edit txtFile01{this, "txtFile01"};
    Button btnSfoglia01{this, "btnSfoglia01", "Sfoglia..."};
    Button btnApri01{this, "btnApri01", "Apri"};
    Button imgCancella01{this, "imgCancella01"};
    Edit txtDesc01{this, "txtDesc01"};
    Edit txtFile02{this, "txtFile02"};
    Button btnSfoglia02{this, "btnSfoglia02", "Sfoglia..."};
    Button btnApri02{this, "btnApri02", "Apri"};
    Button imgCancella02{this, "imgCancella02"};
    Edit txtDesc02{this, "txtDesc02"};
    Edit txtFile03{this, "txtFile03"};
    Button btnSfoglia03{this, "btnSfoglia03", "Sfoglia..."};
    Button btnApri03{this, "btnApri03", "Apri"};
    Button imgCancella03{this, "imgCancella03"};
    Edit txtDesc03{this, "txtDesc03"};
    Button btnApplica{this, "btnApplica", "Applica e chiudi"};
    Button btnAnnulla{this, "btnAnnulla", "Annulla"};

    // The caller's six hidden labels, in the order File01, Desc01, File02, Desc02, File03, Desc03.
    using Labels = std::array<Label*, 6>;
    // Copies the caller's labels, trimmed, into the six boxes.
    void fill(const Labels& caller);

    void FormShow() override;
    void btnSfoglia01Click() { browse(0); }
    void btnSfoglia02Click() { browse(1); }
    void btnSfoglia03Click() { browse(2); }
    void btnApri01Click() { openSlot(0); }
    void btnApri02Click() { openSlot(1); }
    void btnApri03Click() { openSlot(2); }
    void imgCancella01Click() { forgetSlot(0); }
    void imgCancella02Click() { forgetSlot(1); }
    void imgCancella03Click() { forgetSlot(2); }
    void txtFile01Change() { nameChanged(0); }
    void txtFile02Change() { nameChanged(1); }
    void txtFile03Change() { nameChanged(2); }
    void btnApplicaClick();
    void btnAnnullaClick();

private:
    struct Slot {
        Edit& file;
        Button& sfoglia;
        Button& apri;
        Button& cancella;
        Edit& desc;
    };
    std::array<Slot, 3> slots_;
    void browse(std::size_t slot);
    void openSlot(std::size_t slot);
    void forgetSlot(std::size_t slot);
    void nameChanged(std::size_t slot);
    std::string overwriteQuestion(const std::string& name) const;
    // Sets a slot's name as the window's own change does.
    void setName(std::size_t slot, std::string name);
};

// Opens the attachments window over a book or user window: `marker` names it, `labels` are its
// six hidden attachment labels.
void runAttachments(Form& caller, const char* marker, const TfrmAllegaCartella::Labels& labels);

} // namespace quaderna
