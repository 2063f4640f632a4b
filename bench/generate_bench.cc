// Generate for 1, 1,000 and 32,766 payments, beside a baseline that writes the
// same number of bytes to the same directory with one plain write; each
// Generate also reports its ratio to plain writes made between its runs.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "payments.h"

namespace {

std::string BenchDirectory() {
  const char* configured = std::getenv("XKDTAZV_BENCH_DIR");
  const std::filesystem::path directory =
      configured ? configured : std::filesystem::temp_directory_path() / "xkdtazv-bench";
  std::filesystem::create_directories(directory);
  return directory.string();
}

std::size_t FileSize(std::size_t payments) { return 512 + 768 * payments; }

// The floor: the same bytes, one write, fsync and rename, as Generate does.
// False when the write failed.
bool PlainWrite(const std::string& bytes, const std::string& path) {
  const std::string temporary = path + ".tmp";
  const int descriptor = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  return descriptor >= 0 && ::write(descriptor, bytes.data(), bytes.size()) >= 0 &&
         ::fsync(descriptor) == 0 && ::close(descriptor) == 0 &&
         std::rename(temporary.c_str(), path.c_str()) == 0;
}

double Seconds(std::chrono::steady_clock::duration duration) {
  return std::chrono::duration<double>(duration).count();
}

// Each run of Generate is followed (untimed) by a plain write of as many
// bytes, so that both meet the same load and disk: "x_plain" is their ratio.
void BM_Generate(benchmark::State& state) {
  const auto payments = static_cast<std::size_t>(state.range(0));
  auto file = xkdtazv::bench::MakeFile(BenchDirectory());
  xkdtazv::bench::AddPayments(*file, payments);
  const std::string bytes(FileSize(payments), 'X');
  const std::string plain_path = BenchDirectory() + "/PLAIN";
  double generate_seconds = 0;
  double plain_seconds = 0;
  for (auto _ : state) {
    const auto start = std::chrono::steady_clock::now();
    std::string result = file->Generate();
    benchmark::DoNotOptimize(result);
    const auto generated = std::chrono::steady_clock::now();
    state.PauseTiming();
    if (!PlainWrite(bytes, plain_path)) {
      state.SkipWithError("plain write failed");
      break;
    }
    plain_seconds += Seconds(std::chrono::steady_clock::now() - generated);
    generate_seconds += Seconds(generated - start);
    state.ResumeTiming();
  }
  state.counters["payments/s"] = benchmark::Counter(
      static_cast<double>(payments * state.iterations()), benchmark::Counter::kIsRate);
  state.counters["x_plain"] = plain_seconds > 0 ? generate_seconds / plain_seconds : 0;
  state.SetBytesProcessed(static_cast<std::int64_t>(FileSize(payments) * state.iterations()));
}

void BM_PlainWrite(benchmark::State& state) {
  const auto payments = static_cast<std::size_t>(state.range(0));
  const std::string bytes(FileSize(payments), 'X');
  const std::string path = BenchDirectory() + "/PLAIN";
  for (auto _ : state) {
    if (!PlainWrite(bytes, path)) {
      state.SkipWithError("plain write failed");
      break;
    }
  }
  state.counters["payments/s"] = benchmark::Counter(
      static_cast<double>(payments * state.iterations()), benchmark::Counter::kIsRate);
  state.SetBytesProcessed(static_cast<std::int64_t>(bytes.size() * state.iterations()));
}

BENCHMARK(BM_Generate)->Arg(1)->Arg(1000)->Arg(32766)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PlainWrite)->Arg(1)->Arg(1000)->Arg(32766)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
