// Converting DTAZV files of 1, 1,000 and 32,766 payments into pain.001
// documents: the component writes one payment, the file repeats it.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "pain001/converter.h"
#include "payments.h"

namespace {

std::string BenchDirectory() {
  const char* configured = std::getenv("XKDTAZV_BENCH_DIR");
  const std::filesystem::path directory =
      configured ? configured : std::filesystem::temp_directory_path() / "xkdtazv-bench";
  std::filesystem::create_directories(directory / "pain001");
  return directory.string();
}

std::string Digits(unsigned long long value, std::size_t width) {
  const std::string digits = std::to_string(value);
  return std::string(width - digits.size(), '0') + digits;
}

std::string DtazvBytes(const std::string& directory, std::size_t payments) {
  auto file = xkdtazv::bench::MakeFile(directory);
  xkdtazv::bench::AddPayments(*file, 1);
  file->Generate();
  std::ifstream in(directory + "/DTAZV.BENCH", std::ios::binary);
  std::ostringstream read;
  read << in.rdbuf();
  const std::string one = read.str();
  const std::string payment = one.substr(256, 768);
  std::string bytes = one.substr(0, 256);
  for (std::size_t i = 0; i < payments; ++i) bytes += payment;
  const unsigned long long units = std::stoull(payment.substr(458, 14));
  return bytes + "0256Z" + Digits(units * payments, 15) + Digits(payments, 15) +
         std::string(221, ' ');
}

void BM_Convert(benchmark::State& state) {
  const auto payments = static_cast<std::size_t>(state.range(0));
  const std::string directory = BenchDirectory();
  const std::string bytes = DtazvBytes(directory, payments);
  const xkdtazv::pain001::ConversionServices services =
      xkdtazv::pain001::SystemConversionServices();
  const std::string out = directory + "/pain001";
  for (auto _ : state) {
    const auto conversion = xkdtazv::pain001::ConvertDtazv(bytes, {"DTAZV", out, {}, {}}, services);
    if (conversion.documents.empty()) {
      const std::string why = conversion.failure ? *conversion.failure
                              : conversion.findings.list().empty()
                                  ? std::string("nothing was written")
                                  : conversion.findings.list().front().Text();
      state.SkipWithError(why.c_str());
      break;
    }
    state.PauseTiming();
    for (const auto& document : conversion.documents) std::filesystem::remove(document.path);
    state.ResumeTiming();
  }
  state.counters["payments/s"] = benchmark::Counter(
      static_cast<double>(payments * state.iterations()), benchmark::Counter::kIsRate);
}

BENCHMARK(BM_Convert)->Arg(1)->Arg(1000)->Arg(32766)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
