// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/forms/RecordStep.h"

#include "core/forms/Form.h"
#include "core/forms/Messages.h"
#include "core/forms/Platform.h"
#include "core/storage/RecordFile.h"

namespace quaderna {

void stepRecords(Form& window, const std::filesystem::path& archive, std::size_t recordSize, Label& position,
                 Step step, const std::function<void(std::string_view, std::int64_t)>& show) {
    try {
        const StepResult r = readStep(archive, recordSize, position.text, step);
        if (r.kind == StepResult::EmptyArchive) {
            if (step == Step::Next)
                position.text.clear();
            window.ui().messageBox(msg::ArchivioVuoto, MsgKind::Information);
        } else if (r.kind == StepResult::Record) {
            show(r.bytes, r.position);
        }
    } catch (const IoError&) {
        window.ui().messageBox(msg::ArchivioNonAccessibile, MsgKind::Error);
    }
}

} // namespace quaderna
