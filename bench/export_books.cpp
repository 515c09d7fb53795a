// SPDX-License-Identifier: GPL-3.0-or-later
// Exporting 100,000 books: filling the preview grid from Libri.pro against reading the file, and
// writing Libri.xls against writing the same number of bytes sequentially, with and without the
// flush to the disk that the export's safe replacement ends with.

#include "BookArchive.h"
#include "QuietPlatform.h"
#include "core/Application.h"
#include "core/export/ExpLibri.h"
#include "core/storage/Files.h"

#include <fcntl.h>
#include <unistd.h>

#include <benchmark/benchmark.h>

using namespace quaderna;

namespace {

using bench::QuietPlatform;

struct Setup {
    std::filesystem::path dir;
    QuietPlatform ui;
    std::unique_ptr<Application> app;
    explicit Setup(int books) : dir(bench::bookArchive(books)) {
        app = std::make_unique<Application>(ui, dir);
        app->start();
    }
};

void ReadLibriPro(benchmark::State& state) {
    const auto file = bench::bookArchive(static_cast<int>(state.range(0))) / TLibro::FileName;
    bench::readWholeFile(file);
    for (auto _ : state)
        benchmark::DoNotOptimize(bench::readWholeFile(file));
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(std::filesystem::file_size(file)));
}

void FillGrid(benchmark::State& state) {
    Setup s(static_cast<int>(state.range(0)));
    bench::readWholeFile(s.dir / TLibro::FileName);
    TfrmExpLibri w(*s.app);
    for (auto _ : state) {
        w.FormShow();
        benchmark::DoNotOptimize(w.grdRecords.rowCount());
    }
    state.SetBytesProcessed(state.iterations() *
                            static_cast<std::int64_t>(std::filesystem::file_size(s.dir / TLibro::FileName)));
}

// Libri.xls written from the filled grid, as "Esporta" does after its question.
void WriteLibriXls(benchmark::State& state) {
    Setup s(static_cast<int>(state.range(0)));
    TfrmExpLibri w(*s.app);
    w.FormShow();
    for (auto _ : state)
        w.cmdEsportaClick();
    const auto bytes = static_cast<std::int64_t>(std::filesystem::file_size(s.dir / "Libri.xls"));
    state.SetBytesProcessed(state.iterations() * bytes);
    state.counters["file_MB"] = static_cast<double>(bytes) / 1e6;
}

// As many bytes as Libri.xls holds, written in 1 MiB pieces: through the same safe replacement
// (flushed to the disk, renamed), or plainly into a file with no flush.
void WriteSameBytes(benchmark::State& state) {
    Setup s(static_cast<int>(state.range(0)));
    const bool safe = state.range(1) == 1;
    {
        TfrmExpLibri w(*s.app);
        w.FormShow();
        w.cmdEsportaClick();
    }
    const std::size_t size = std::filesystem::file_size(s.dir / "Libri.xls");
    const std::string piece(std::size_t{1} << 20, 'x');
    const auto target = s.dir / "Uguale.xls";
    for (auto _ : state) {
        if (safe) {
            files::AtomicFile out(target);
            for (std::size_t done = 0; done < size; done += piece.size())
                out.write(std::string_view(piece).substr(0, std::min(piece.size(), size - done)));
            out.commit();
        } else {
            const int fd = ::open(target.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
            for (std::size_t done = 0; done < size; done += piece.size())
                benchmark::DoNotOptimize(::write(fd, piece.data(), std::min(piece.size(), size - done)));
            ::close(fd);
        }
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(size));
}

} // namespace

BENCHMARK(ReadLibriPro)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(FillGrid)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(WriteLibriXls)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(WriteSameBytes)->Args({100000, 1})->Args({100000, 0})->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
