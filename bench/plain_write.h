// The floor the writers are measured against: the same number of bytes
// written to the same directory with one plain write, fsync and rename.
//
//   PlainTimer plain(BenchDirectory(), bytes);
//   for (auto _ : state) { ...; state.PauseTiming(); plain.Run(); state.ResumeTiming(); }
//   ReportAgainstPlain(state, payments, plain, writer_seconds);
#ifndef XKDTAZV_BENCH_PLAIN_WRITE_H_
#define XKDTAZV_BENCH_PLAIN_WRITE_H_

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstddef>
#include <string>

namespace xkdtazv::bench {

// XKDTAZV_BENCH_DIR, else xkdtazv-bench in the temporary directory; made if missing.
std::string BenchDirectory();

// The bytes, one write, fsync and rename into `path`. False when that failed.
bool PlainWrite(const std::string& bytes, const std::string& path);

double Seconds(std::chrono::steady_clock::duration duration);

// Plain writes of one size, timed and summed, to set beside a writer's runs
// made under the same load and on the same disk.
class PlainTimer {
 public:
  PlainTimer(const std::string& directory, std::size_t bytes);
  void Resize(std::size_t bytes) { bytes_.assign(bytes, 'X'); }
  std::size_t size() const { return bytes_.size(); }
  // False when the write failed.
  bool Run();
  // The writer's seconds over the plain writes' seconds; 0 before any run.
  double Ratio(double writer_seconds) const { return seconds_ > 0 ? writer_seconds / seconds_ : 0; }

 private:
  std::string path_;
  std::string bytes_;
  double seconds_ = 0;
};

// What each writer's benchmark reports: payments and bytes (as many as the
// plain writes') per second, and its time over the plain writes' (x_plain).
inline void ReportAgainstPlain(benchmark::State& state, std::size_t payments,
                               const PlainTimer& plain, double writer_seconds) {
  const auto runs = static_cast<std::size_t>(state.iterations());
  state.counters["payments/s"] =
      benchmark::Counter(static_cast<double>(payments * runs), benchmark::Counter::kIsRate);
  state.counters["x_plain"] = plain.Ratio(writer_seconds);
  state.SetBytesProcessed(static_cast<std::int64_t>(plain.size() * runs));
}

}  // namespace xkdtazv::bench

#endif  // XKDTAZV_BENCH_PLAIN_WRITE_H_
