// Generate and GeneratePain001 for 1, 1,000 and 32,766 payments, beside a
// baseline that writes the same number of bytes to the same directory with
// one plain write; each writer also reports its ratio to plain writes made
// between its runs.
#include <benchmark/benchmark.h>

#include <chrono>
#include <filesystem>
#include <sstream>
#include <string>

#include "payments.h"
#include "plain_write.h"

namespace {

using xkdtazv::bench::BenchDirectory;
using xkdtazv::bench::PlainTimer;
using xkdtazv::bench::ReportAgainstPlain;
using xkdtazv::bench::Seconds;

std::size_t FileSize(std::size_t payments) { return 512 + 768 * payments; }

// Each run of Generate is followed (untimed) by a plain write of as many
// bytes, so that both meet the same load and disk: "x_plain" is their ratio.
void BM_Generate(benchmark::State& state) {
  const auto payments = static_cast<std::size_t>(state.range(0));
  auto file = xkdtazv::bench::MakeFile(BenchDirectory());
  xkdtazv::bench::AddPayments(*file, payments);
  PlainTimer plain(BenchDirectory(), FileSize(payments));
  double generate_seconds = 0;
  for (auto _ : state) {
    const auto start = std::chrono::steady_clock::now();
    std::string result = file->Generate();
    benchmark::DoNotOptimize(result);
    generate_seconds += Seconds(std::chrono::steady_clock::now() - start);
    state.PauseTiming();
    if (!plain.Run()) {
      state.SkipWithError("plain write failed");
      break;
    }
    state.ResumeTiming();
  }
  ReportAgainstPlain(state, payments, plain, generate_seconds);
}

// Removes the documents a run wrote; their size in bytes.
std::size_t RemoveDocuments(const std::string& list) {
  std::size_t bytes = 0;
  std::istringstream paths(list);
  for (std::string path; std::getline(paths, path);) {
    bytes += std::filesystem::file_size(path);
    std::filesystem::remove(path);
  }
  return bytes;
}

// The same, for the pain.001 documents: the plain writes have as many bytes
// as the documents of a run together.
void BM_GeneratePain001(benchmark::State& state) {
  const auto payments = static_cast<std::size_t>(state.range(0));
  auto file = xkdtazv::bench::MakeFile(BenchDirectory());
  xkdtazv::bench::AddPayments(*file, payments);
  PlainTimer plain(BenchDirectory(), 0);
  double generate_seconds = 0;
  for (auto _ : state) {
    const auto start = std::chrono::steady_clock::now();
    std::string result = file->GeneratePain001();
    benchmark::DoNotOptimize(result);
    generate_seconds += Seconds(std::chrono::steady_clock::now() - start);
    state.PauseTiming();
    const std::string documents = file->Pain001Dateien();
    if (documents.empty()) {
      state.SkipWithError(result.c_str());
      break;
    }
    plain.Resize(RemoveDocuments(documents));
    if (!plain.Run()) {
      state.SkipWithError("plain write failed");
      break;
    }
    state.ResumeTiming();
  }
  ReportAgainstPlain(state, payments, plain, generate_seconds);
}

void BM_PlainWrite(benchmark::State& state) {
  const auto payments = static_cast<std::size_t>(state.range(0));
  PlainTimer plain(BenchDirectory(), FileSize(payments));
  for (auto _ : state) {
    if (!plain.Run()) {
      state.SkipWithError("plain write failed");
      break;
    }
  }
  state.counters["payments/s"] = benchmark::Counter(
      static_cast<double>(payments * state.iterations()), benchmark::Counter::kIsRate);
  state.SetBytesProcessed(static_cast<std::int64_t>(plain.size() * state.iterations()));
}

BENCHMARK(BM_Generate)->Arg(1)->Arg(1000)->Arg(32766)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GeneratePain001)->Arg(1)->Arg(1000)->Arg(32766)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PlainWrite)->Arg(1)->Arg(1000)->Arg(32766)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
