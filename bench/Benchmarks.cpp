#include "Benchmarks.h"

#include "BenchFiles.h"
#include "RawFileIo.h"

namespace Benchmarks {

namespace {

constexpr int kChannelCounts[] = {384, 768, 1536, 3072};

} // namespace

benchmark::internal::Benchmark* Register(const std::string& name,
                                         std::function<void(benchmark::State&)> run)
{
    auto* registered = benchmark::RegisterBenchmark(name.c_str(), std::move(run));
    for (const int channels : kChannelCounts)
        registered->Arg(channels);
    return registered->UseRealTime()->Unit(benchmark::kMicrosecond);
}

void RegisterReadBaseline(const std::string& operation, std::function<QString(int)> fileOf)
{
    Register(operation + ":baseline", [fileOf](benchmark::State& state) {
        const std::string path = BenchFiles::local(fileOf(int(state.range(0))));
        std::vector<char> buffer;
        long long bytes = 0;
        for (auto _ : state) {
            bytes = RawFileIo::Read(path, buffer);
            if (bytes < 0) {
                state.SkipWithError("raw read failed");
                break;
            }
            benchmark::DoNotOptimize(buffer.data());
        }
        state.SetBytesProcessed(state.iterations() * bytes);
    });
}

void RegisterWriteBaseline(const std::string& operation, std::function<QString(int)> savedFileOf)
{
    Register(operation + ":baseline", [savedFileOf](benchmark::State& state) {
        const QString saved = savedFileOf(int(state.range(0)));
        const std::vector<char> bytes = BenchFiles::contents(saved);
        const std::string target = BenchFiles::local(saved + QStringLiteral(".raw"));
        for (auto _ : state) {
            if (!RawFileIo::WriteAndReplace(target, bytes)) {
                state.SkipWithError("raw write failed");
                break;
            }
        }
        state.SetBytesProcessed(state.iterations() * static_cast<long long>(bytes.size()));
    });
}

} // namespace Benchmarks
