#pragma once

#include <QString>

#include <benchmark/benchmark.h>

#include <functional>
#include <string>

// Every operation runs at 384, 768, 1536 and 3072 channels (the channel count is the
// benchmark's argument), timed by the wall clock: a save's flush to the disk is part of it.
namespace Benchmarks {

benchmark::internal::Benchmark* Register(const std::string& name,
                                         std::function<void(benchmark::State&)> run);

// The baselines beside an operation, named after it with ":baseline": reading the file the
// operation reads, or writing and replacing as many bytes as the operation writes.
void RegisterReadBaseline(const std::string& operation, std::function<QString(int)> fileOf);
void RegisterWriteBaseline(const std::string& operation, std::function<QString(int)> savedFileOf);

void RegisterDocumentBenchmarks();
void RegisterCorvaneBenchmarks();
void RegisterLabelBenchmarks();
void RegisterCheckBenchmarks();
void RegisterPrintBenchmarks();
// The fingerprint, the alteration record and zr415-convert --self-test.
void RegisterRecordBenchmarks();

} // namespace Benchmarks
