// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The login window, the program's main window.

#include "core/forms/Form.h"

#include <filesystem>
#include <optional>
#include <string>

namespace quaderna {

class TfrmPassword : public Form {
public:
    explicit TfrmPassword(Application& app);

    Picture imgLogo{this, "imgLogo"};
    // The line of the picture that gives the first-access password: shown only while that is
    // still the password in use.
    Label lblPrimoAccesso{this, "lblPrimoAccesso"};
    Edit txtPassword{this, "txtPassword"};
    Button cmdOK{this, "cmdOK"};
    Button cmdEsci{this, "cmdEsci"};
    Button btnCambiaPassword{this, "btnCambiaPassword"};

    void FormShow() override;
    void FormClose(CloseAction& action) override;
    void txtPasswordChange();
    void txtPasswordKeyDown(Key& key);
    void cmdOKClick();
    void cmdEsciClick();
    void btnCambiaPasswordClick();
};

namespace password {

inline constexpr const char* FileName = "unins000.dll";
inline constexpr const char* Section = "Accesso";
inline constexpr const char* KeyName = "Valore";

// The normal form of a typed password: a-z to A-Z, then trimmed.
std::string normalForm(std::string_view typed);
// The stored password, unscrambled and trimmed. Throws when the file cannot be read or the
// stored value is not hexadecimal.
std::string readStored(const std::filesystem::path& dataDir);
// Writes the password's scramble; throws IoError when the file cannot be written.
void writeStored(const std::filesystem::path& dataDir, std::string_view password);
// Writes the first-access password when the folder has no password file yet.
// Returns true when it wrote one.
bool installFirstAccess(const std::filesystem::path& dataDir);

// The password the program is installed with.
inline constexpr const char* FirstAccess = "QUADERNA";

} // namespace password

} // namespace quaderna
