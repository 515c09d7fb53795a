// SPDX-License-Identifier: GPL-3.0-or-later
// Copying an attached file into the attachments folder, as "Sfoglia..." does: in blocks of 1 MiB
// through a temporary file that is flushed to the disk and renamed over the name. For comparison,
// the system's own copy of the same file, in place and without the flush.

#include "core/storage/Attachments.h"

#include <benchmark/benchmark.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

using namespace quaderna;

namespace {

struct Folder {
    std::filesystem::path path;
    Folder() {
        path = std::filesystem::temp_directory_path() / ("quaderna-bench-" + std::to_string(::getpid()));
        std::filesystem::create_directories(path / "Documenti_Allegati");
    }
    ~Folder() {
        std::error_code ec;
        std::filesystem::remove_all(path, ec);
    }
};

std::filesystem::path source(const Folder& f, std::size_t bytes) {
    const auto file = f.path / ("sorgente-" + std::to_string(bytes) + ".bin");
    if (!std::filesystem::exists(file)) {
        std::ofstream out(file, std::ios::binary);
        std::string block(std::size_t{1} << 16, '\0');
        for (std::size_t i = 0; i < block.size(); ++i)
            block[i] = static_cast<char>(i * 31 + 7);
        for (std::size_t done = 0; done < bytes; done += block.size())
            out.write(block.data(), static_cast<std::streamsize>(std::min(block.size(), bytes - done)));
    }
    return file;
}

void CopyIntoAttachments(benchmark::State& state) {
    Folder folder;
    const std::size_t bytes = static_cast<std::size_t>(state.range(0)) << 20;
    const auto from = source(folder, bytes);
    const auto to = folder.path / "Documenti_Allegati" / "allegato.bin";
    for (auto _ : state)
        attachments::copy(from, to);
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(bytes));
}

void SystemCopyInPlace(benchmark::State& state) {
    Folder folder;
    const std::size_t bytes = static_cast<std::size_t>(state.range(0)) << 20;
    const auto from = source(folder, bytes);
    const auto to = folder.path / "Documenti_Allegati" / "allegato.bin";
    for (auto _ : state)
        std::filesystem::copy_file(from, to, std::filesystem::copy_options::overwrite_existing);
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(bytes));
}

} // namespace

BENCHMARK(CopyIntoAttachments)->Arg(1)->Arg(64)->Unit(benchmark::kMillisecond);
BENCHMARK(SystemCopyInPlace)->Arg(1)->Arg(64)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
