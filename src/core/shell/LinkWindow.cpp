// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/shell/LinkWindow.h"

#include "core/Application.h"

namespace quaderna {

LinkWindow::LinkWindow(Application& app, std::string className, std::string caption, std::string linkText)
    : Form(app, std::move(className), std::move(caption)),
      lnkWeb(this, "lnkWeb", std::move(linkText), colours::DarkBlue) {
    linkIcon(lnkWeb);
    lnkWeb.tabStop = true; // Tab reaches the link, Enter follows it
    btnChiudi.onClick = [this] { btnChiudiClick(); };
}

std::filesystem::path programDocument(Application& app, const char* name, const char* installed) {
    std::filesystem::path folder = app.ui.programFolder();
    if (folder.empty())
        folder = app.dataDir();
    const std::filesystem::path beside = folder / name;
    const std::filesystem::path shared = (folder / ".." / "share" / installed / name).lexically_normal();
    std::error_code ec;
    if (!std::filesystem::exists(beside, ec) && std::filesystem::exists(shared, ec))
        return shared;
    return beside;
}

std::string quotedPath(const std::filesystem::path& file) {
    return "\"" + file.string() + "\"";
}

void LinkWindow::linkIcon(Button& icon) {
    icon.tabStop = false;
    icon.onMouseDown = [this] { lnkWebMouseDown(); };
    icon.onMouseUp = [this] { lnkWebMouseUp(); };
    icon.onClick = [this] { lnkWebClick(); };
}

void LinkWindow::FormShow() {
    setFocus(btnChiudi);
}

void LinkWindow::lnkWebMouseDown() {
    lnkWeb.colour = colours::Orange;
}

void LinkWindow::lnkWebMouseUp() {
    lnkWeb.colour = colours::DarkBlue;
}

void LinkWindow::lnkWebClick() {
    lnkWeb.colour = colours::DarkBlue;
    followLink();
}

void LinkWindow::btnChiudiClick() {
    app.close(*this);
}

} // namespace quaderna
