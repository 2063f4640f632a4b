// Converting DTAZV files of 1, 1,000 and 32,766 payments into pain.001
// documents: the component writes one payment, the file repeats it. Each run
// is followed (untimed) by a plain write of as many bytes as its documents
// have together; "x_plain" is their ratio.
#include <benchmark/benchmark.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "pain001/converter.h"
#include "payments.h"
#include "plain_write.h"

namespace {

using xkdtazv::bench::PlainTimer;
using xkdtazv::bench::ReportAgainstPlain;
using xkdtazv::bench::Seconds;

std::string BenchDirectory() {
  const std::string directory = xkdtazv::bench::BenchDirectory();
  std::filesystem::create_directories(directory + "/pain001");
  return directory;
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
  PlainTimer plain(directory, 0);
  double convert_seconds = 0;
  for (auto _ : state) {
    const auto start = std::chrono::steady_clock::now();
    const auto conversion = xkdtazv::pain001::ConvertDtazv(bytes, {"DTAZV", out, {}, {}}, services);
    convert_seconds += Seconds(std::chrono::steady_clock::now() - start);
    if (conversion.documents.empty()) {
      const std::string why = conversion.failure ? *conversion.failure
                              : conversion.findings.list().empty()
                                  ? std::string("nothing was written")
                                  : conversion.findings.list().front().Text();
      state.SkipWithError(why.c_str());
      break;
    }
    state.PauseTiming();
    std::size_t written = 0;
    for (const auto& document : conversion.documents) {
      written += std::filesystem::file_size(document.path);
      std::filesystem::remove(document.path);
    }
    plain.Resize(written);
    if (!plain.Run()) {
      state.SkipWithError("plain write failed");
      break;
    }
    state.ResumeTiming();
  }
  ReportAgainstPlain(state, payments, plain, convert_seconds);
}

BENCHMARK(BM_Convert)->Arg(1)->Arg(1000)->Arg(32766)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
