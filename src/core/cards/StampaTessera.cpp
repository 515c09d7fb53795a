// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/cards/StampaTessera.h"

#include "core/Application.h"
#include "core/forms/Messages.h"
#include "core/reports/Layouts.h"
#include "core/storage/RecordFile.h"
#include "core/storage/SideFiles.h"
#include "core/text/Text.h"

#include <charconv>
#include <limits>

namespace quaderna {

namespace {

// The offset a box holds; a text that is not a whole number counts as 0.
int valueOf(const Edit& box) {
    return offsetMm(box.text).value_or(0);
}

void step(Edit& box, int by) {
    const int v = valueOf(box);
    // At the ends of the range the value stays where it is.
    if ((by > 0 && v == std::numeric_limits<int>::max()) || (by < 0 && v == std::numeric_limits<int>::min()))
        return;
    box.text = std::to_string(v + by);
}

} // namespace

std::optional<int> offsetMm(std::string_view text) {
    std::string_view t = text::trimView(text);
    if (!t.empty() && t.front() == '+')
        t.remove_prefix(1);
    int value = 0;
    const auto r = std::from_chars(t.data(), t.data() + t.size(), value);
    if (t.empty() || r.ec != std::errc() || r.ptr != t.data() + t.size())
        return std::nullopt;
    return value;
}

TfrmStampaTessera::TfrmStampaTessera(Application& app)
    : Form(app, "TfrmStampaTessera", " Stampa tessera biblioteca"), repTesserino(reports::tesserino()) {
    txtTop.readOnly = true;
    txtLeft.readOnly = true;
    lblAttendere.visible = false;
    btnTopMinus.onClick = [this] { btnTopMinusClick(); };
    btnTopPlus.onClick = [this] { btnTopPlusClick(); };
    btnLeftMinus.onClick = [this] { btnLeftMinusClick(); };
    btnLeftPlus.onClick = [this] { btnLeftPlusClick(); };
    btnApplicaTop.onClick = [this] { btnApplicaTopClick(); };
    btnApplicaLeft.onClick = [this] { btnApplicaLeftClick(); };
    btnStampa.onMouseDown = [this] { btnStampaMouseDown(); };
    btnStampa.onClick = [this] { btnStampaClick(); };
    btnAnnulla.onClick = [this] { btnAnnullaClick(); };
}

void TfrmStampaTessera::FormShow() {
    // A stored offset that is not a whole number (the file edited by hand) shows as 0; the file
    // keeps it until an "Applica" writes the value on screen.
    const auto read = [this](sidefiles::Margine which) {
        return std::to_string(offsetMm(sidefiles::readMargine(app.dataDir(), which)).value_or(0));
    };
    try {
        txtTop.text = read(sidefiles::Margine::Superiore);
        txtLeft.text = read(sidefiles::Margine::Sinistro);
    } catch (const IoError&) {
        txtTop.text = "0";
        txtLeft.text = "0";
        ui().messageBox(msg::ArchivioNonAccessibile, MsgKind::Warning);
    }
}

void TfrmStampaTessera::btnTopMinusClick() {
    step(txtTop, -1);
}
void TfrmStampaTessera::btnTopPlusClick() {
    step(txtTop, +1);
}
void TfrmStampaTessera::btnLeftMinusClick() {
    step(txtLeft, -1);
}
void TfrmStampaTessera::btnLeftPlusClick() {
    step(txtLeft, +1);
}

void TfrmStampaTessera::btnApplicaTopClick() {
    try {
        app.backupBefore(*this, sidefiles::cardSettingsFile(app.dataDir()));
        sidefiles::writeMargine(app.dataDir(), sidefiles::Margine::Superiore, txtTop.text);
    } catch (const IoError&) {
        ui().messageBox(msg::ArchivioNonAccessibile, MsgKind::Warning);
    }
}

void TfrmStampaTessera::btnApplicaLeftClick() {
    try {
        app.backupBefore(*this, sidefiles::cardSettingsFile(app.dataDir()));
        sidefiles::writeMargine(app.dataDir(), sidefiles::Margine::Sinistro, txtLeft.text);
    } catch (const IoError&) {
        ui().messageBox(msg::ArchivioNonAccessibile, MsgKind::Warning);
    }
}

void TfrmStampaTessera::btnStampaMouseDown() {
    lblAttendere.visible = true;
}

void TfrmStampaTessera::btnStampaClick() {
    lblAttendere.visible = true;
    // The offsets on screen, applied or not, are the page's top and left margins: the card's
    // corner lands 10 mm + offset from the paper's edges.
    repTesserino.setOrientation(Orientation::Portrait);
    repTesserino.setMargins(
        {static_cast<double>(valueOf(txtLeft)), static_cast<double>(valueOf(txtTop)), 0, 0});
    app.frmTessera.fillCard(repTesserino);
    ui().print(repTesserino);
    lblAttendere.visible = false;
    app.close(*this);
}

void TfrmStampaTessera::btnAnnullaClick() {
    app.close(*this);
}

} // namespace quaderna
