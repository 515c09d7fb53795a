// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/storage/Navigation.h"

#include "core/storage/RecordFile.h"
#include "core/text/Text.h"

#include <charconv>

namespace quaderna {

std::int64_t recordPosition(std::string_view label) {
    const std::string_view p = text::trimView(label);
    std::int64_t pos = 0;
    const auto parsed = std::from_chars(p.data(), p.data() + p.size(), pos);
    if (p.empty() || parsed.ec != std::errc() || parsed.ptr != p.data() + p.size() || pos < 1)
        throw IoError("the position is not a record number: " + std::string(p), 0);
    return pos;
}

StepResult readStep(const std::filesystem::path& archive, std::size_t recordSize, std::string_view position,
                    Step step) {
    RecordFile file(archive, recordSize, RecordFile::Access::Read);
    const std::int64_t n = file.count();
    StepResult r;
    if (n == 0) {
        r.kind = StepResult::EmptyArchive;
        return r;
    }
    const bool have = !text::trimView(position).empty();
    const std::int64_t pos = have ? recordPosition(position) : 0;
    std::int64_t target = 0;
    switch (step) {
    case Step::First:
        target = 1;
        break;
    case Step::Previous:
        target = !have ? 1 : (pos <= 1 ? 0 : pos - 1);
        break;
    case Step::Next:
        target = !have ? 1 : (pos < n ? pos + 1 : 0);
        break;
    case Step::Last:
        target = n;
        break;
    }
    if (target == 0)
        return r;
    file.seek(target - 1);
    file.read(r.bytes);
    r.position = file.position();
    r.kind = StepResult::Record;
    return r;
}

} // namespace quaderna
