// SPDX-License-Identifier: GPL-3.0-or-later
// Scanning Libri.pro and decoding two fields of every record, against reading the same file.

#include "BookArchive.h"
#include "core/storage/RecordFile.h"
#include "core/text/Text.h"

#include <benchmark/benchmark.h>

using namespace quaderna;

static void ReadFileInOneMiBChunks(benchmark::State& state) {
    const auto file = bench::bookArchive(static_cast<int>(state.range(0))) / TLibro::FileName;
    bench::readWholeFile(file); // page cache
    for (auto _ : state)
        benchmark::DoNotOptimize(bench::readWholeFile(file));
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(std::filesystem::file_size(file)));
}

static void ScanDecodingTwoFields(benchmark::State& state) {
    const auto file = bench::bookArchive(static_cast<int>(state.range(0))) / TLibro::FileName;
    bench::readWholeFile(file);
    for (auto _ : state) {
        RecordFile f(file, TLibro::Size);
        std::size_t chars = 0;
        f.scan([&](std::string_view rec, std::int64_t) {
            chars += readField(rec, TLibro::F::Titolo).size() + readField(rec, TLibro::F::Codice).size();
            return true;
        });
        benchmark::DoNotOptimize(chars);
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(std::filesystem::file_size(file)));
}

static void ScanDecodingTwoFieldsIntoBuffers(benchmark::State& state) {
    const auto file = bench::bookArchive(static_cast<int>(state.range(0))) / TLibro::FileName;
    bench::readWholeFile(file);
    std::string titolo, codice;
    for (auto _ : state) {
        RecordFile f(file, TLibro::Size);
        std::size_t chars = 0;
        f.scan([&](std::string_view rec, std::int64_t) {
            titolo.clear();
            codice.clear();
            text::appendFromCp1252(titolo, rawField(rec, TLibro::F::Titolo));
            text::appendFromCp1252(codice, rawField(rec, TLibro::F::Codice));
            chars += titolo.size() + codice.size();
            return true;
        });
        benchmark::DoNotOptimize(chars);
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(std::filesystem::file_size(file)));
}

BENCHMARK(ReadFileInOneMiBChunks)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(ScanDecodingTwoFields)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(ScanDecodingTwoFieldsIntoBuffers)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
