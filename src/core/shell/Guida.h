// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The help window: a topic's title and text, and the link to the whole user guide Guida.pdf.

#include "core/shell/HelpTexts.h"
#include "core/shell/LinkWindow.h"

#include <filesystem>
#include <string_view>

namespace quaderna {

class TfrmGuida : public LinkWindow {
public:
    explicit TfrmGuida(Application& app);

    Label lblTitolo{this, "lblTitolo", "Argomento della guida."};
    Label txtGuida{this, "txtGuida"}; // the help text, read-only, paragraphs on their own lines
    Button imgPDF{this, "imgPDF"};

    // Shows the topic of this title: its title and its paragraphs.
    void setTopic(std::string_view title);
    // Over the readers' catalogue the window offers no link: a PDF viewer is another program,
    // with its own ways to the files.
    void FormShow() override;

protected:
    void followLink() override;
};

// Runs the help window over `owner` with the topic of this title (help::ArchivioLibri, ...): the
// one call every window's help command makes.
void showHelp(Form& owner, std::string_view title);

// The user guide: beside the program, or for a copy installed on the system in its shared files.
std::filesystem::path guideFile(Application& app);
inline constexpr const char* kGuidaPdf = "Guida.pdf";

} // namespace quaderna
