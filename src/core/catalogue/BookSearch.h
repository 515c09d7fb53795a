// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The two book search windows: up to ten criteria, a sorted list of the matching books, "Trova"
// inside the list, the list printed, and the chosen book loaded into the window that asked.

#include "core/forms/CriteriaSearch.h"
#include "core/forms/ListWindow.h"

#include <array>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace quaderna {

// "Cod. " + code (24) + title (50) + author (30) + city, publisher and year.
std::string bookLine(std::string_view record);
// "Cod. " + code (24) + title (50): the line of the code check.
std::string codeCheckLine(std::string_view record);

// The books of `archive` that pass the skip test (not cancelled; and not lent when
// `onlyAvailable`) and match every criterion in use, as result lines in file order.
// A criterion is in use when it is not blank; it matches when its text as typed occurs in the
// record's field, a-z and A-Z alike. The criteria are, in order: title, code, author, editor,
// genre, publisher, ISBN, language, Dewey class, notes. Throws IoError; the lines found before a
// failure stay in `lines`.
void searchBooks(const std::filesystem::path& archive, const std::array<std::string, 10>& criteria,
                 bool onlyAvailable, text::Lines& lines);
text::Lines searchBooks(const std::filesystem::path& archive, const std::array<std::string, 10>& criteria,
                        bool onlyAvailable);

class BookSearch : public CriteriaSearch<ListWindow> {
public:
    BookSearch(Application& app, std::string className, std::string caption, bool onlyAvailable,
               std::string printTitle);

    Edit txtTitolo{this, "txtTitolo"}, txtCodice{this, "txtCodice"}, txtAutore{this, "txtAutore"},
        txtCuratore{this, "txtCuratore"}, txtGenere{this, "txtGenere"}, txtEditore{this, "txtEditore"},
        txtIsbn{this, "txtIsbn"}, txtLingua{this, "txtLingua"}, txtDewey{this, "txtDewey"},
        txtNote{this, "txtNote"};

    void lstRecordsDblClick();

    std::array<Edit*, 10> criteria() override {
        return {&txtTitolo,  &txtCodice, &txtAutore, &txtCuratore, &txtGenere,
                &txtEditore, &txtIsbn,   &txtLingua, &txtDewey,    &txtNote};
    }

protected:
    void search(const std::array<std::string, 10>& typed, text::Lines& lines) override;

private:
    const bool onlyAvailable_;
};

} // namespace quaderna
