// SPDX-License-Identifier: GPL-3.0-or-later
// Saving one record, and what the archive's lock adds to it.
//
// - SaveBookThroughTheWindow: the book window's "Salva" as the librarian presses it (a new book
//   appended, or the book on screen rewritten in place), lock and daily-copy check included.
// - AppendRecord / UpdateRecord: the archive's part of it (open, count, write, close), with the
//   lock as the program takes it and, for comparison, the same system calls without the lock.
// - LockAndUnlock: the lock alone.

#include "BookArchive.h"
#include "QuietPlatform.h"
#include "core/Application.h"
#include "core/storage/Files.h"
#include "core/storage/RecordFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <benchmark/benchmark.h>

using namespace quaderna;

namespace {

using bench::QuietPlatform;

// A fresh folder with a small Libri.pro; appends empty it again now and then, outside the timing,
// so that the file never grows large.
std::filesystem::path freshFolder(const char* name) {
    const auto dir = bench::benchFolder() / name;
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    std::mt19937 rng(7);
    std::string bytes;
    for (int i = 0; i < 100; ++i)
        bytes += bench::sampleBook(i, rng).encode();
    std::ofstream(dir / TLibro::FileName, std::ios::binary) << bytes;
    return dir;
}

constexpr std::int64_t kRecordsKept = 100;
constexpr std::int64_t kRestartEvery = 5000;

void shrinkNowAndThen(benchmark::State& state, const std::filesystem::path& file, std::int64_t& done) {
    if (++done % kRestartEvery != 0)
        return;
    state.PauseTiming();
    ::truncate(file.c_str(), static_cast<off_t>(kRecordsKept * TLibro::Size));
    state.ResumeTiming();
}

void SaveBookThroughTheWindow(benchmark::State& state) {
    const bool append = state.range(0) == 1;
    const auto dir = freshFolder("save-window");
    QuietPlatform ui;
    Application app(ui, dir);
    app.start();
    TfrmLibri& w = app.frmLibri;
    app.show(w);
    std::mt19937 rng(11);
    const TLibro b = bench::sampleBook(1, rng);
    w.txtTitolo.text = b.Titolo;
    w.txtCodice.text = b.Codice;
    w.txtAutore.text = b.Autore;
    w.txtConvalida.text = b.Convalida;
    std::int64_t done = 0;
    for (auto _ : state) {
        w.lblPosizione.text = append ? "" : "50";
        w.cmdSalvaClick();
        if (append)
            shrinkNowAndThen(state, dir / TLibro::FileName, done);
    }
    state.SetLabel(append ? "new book appended" : "book 50 rewritten");
}

void AppendRecord(benchmark::State& state) {
    const bool locked = state.range(0) == 1;
    const auto file = freshFolder(locked ? "append-locked" : "append-unlocked") / TLibro::FileName;
    std::mt19937 rng(3);
    const std::string rec = bench::sampleBook(1, rng).encode();
    std::int64_t done = 0;
    for (auto _ : state) {
        if (locked) {
            RecordFile f(file, TLibro::Size);
            benchmark::DoNotOptimize(f.append(rec));
        } else {
            // What RecordFile does for an append, without the lock.
            const int fd = files::openRegular(file, O_RDWR);
            struct stat st {};
            ::fstat(fd, &st); // the read-only check
            ::fstat(fd, &st); // the count
            const off_t at = st.st_size / static_cast<off_t>(TLibro::Size) * static_cast<off_t>(TLibro::Size);
            benchmark::DoNotOptimize(::pwrite(fd, rec.data(), rec.size(), at));
            ::close(fd);
        }
        shrinkNowAndThen(state, file, done);
    }
    state.SetLabel(locked ? "with the lock" : "without the lock");
}

void UpdateRecord(benchmark::State& state) {
    const bool locked = state.range(0) == 1;
    const auto file = freshFolder(locked ? "update-locked" : "update-unlocked") / TLibro::FileName;
    std::mt19937 rng(5);
    const std::string rec = bench::sampleBook(1, rng).encode();
    for (auto _ : state) {
        if (locked) {
            RecordFile f(file, TLibro::Size);
            f.seek(49);
            f.write(rec);
        } else {
            const int fd = files::openRegular(file, O_RDWR);
            struct stat st {};
            ::fstat(fd, &st);
            ::fstat(fd, &st);
            ::fstat(fd, &st);
            benchmark::DoNotOptimize(
                ::pwrite(fd, rec.data(), rec.size(), 49 * static_cast<off_t>(TLibro::Size)));
            ::close(fd);
        }
    }
    state.SetLabel(locked ? "with the lock" : "without the lock");
}

void LockAndUnlock(benchmark::State& state) {
    const auto file = freshFolder("lock") / TLibro::FileName;
    RecordFile f(file, TLibro::Size);
    for (auto _ : state) {
        RecordFile::Lock lock(f);
        benchmark::ClobberMemory();
    }
}

} // namespace

BENCHMARK(SaveBookThroughTheWindow)->Arg(1)->Arg(0)->MinTime(2.0);
BENCHMARK(AppendRecord)->Arg(0)->Arg(1)->MinTime(2.0);
BENCHMARK(UpdateRecord)->Arg(0)->Arg(1)->MinTime(2.0);
BENCHMARK(LockAndUnlock)->MinTime(1.0);

BENCHMARK_MAIN();
