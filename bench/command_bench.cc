// The xkdtazv command as users run it: `inspect FILE`, `inspect FILE --json`
// and `generate BATCH` for 1,000 and 32,766 payments, each run as its own
// process with its report sent to /dev/null. Each reports its ratio to
// Generate alone on the same payments ("x_generate", Generate run in this
// process between the command's runs) and the command's peak resident memory
// against the size of the DTAZV file ("peak_x_file"). XKDTAZV_COMMAND names
// another build of the command to measure, such as an earlier one.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "payments.h"
#include "plain_write.h"

extern char** environ;

namespace {

using xkdtazv::bench::BenchDirectory;

double FileBytes(std::size_t payments) { return 512.0 + 768.0 * payments; }

double Seconds(std::chrono::steady_clock::duration duration) {
  return std::chrono::duration<double>(duration).count();
}

// A filled file object per count of payments, made once: Generate on it is
// the yardstick, and its file is what `inspect` reads.
xkdtazv::DtAzvDatei& FilledFile(std::size_t payments) {
  static std::map<std::size_t, std::unique_ptr<xkdtazv::DtAzvDatei>> files;
  auto& file = files[payments];
  if (!file) {
    file = xkdtazv::bench::MakeFile(BenchDirectory());
    file->setDiffFileName("INSPECT." + std::to_string(payments));
    xkdtazv::bench::AddPayments(*file, payments);
    file->Generate();
  }
  return *file;
}

// Written anew by every benchmark that uses it, so that it always holds
// the payments of this build.
std::string BatchPath(std::size_t payments) {
  const std::string directory = BenchDirectory();
  const std::string path = directory + "/batch-" + std::to_string(payments) + ".json";
  std::ofstream(path) << xkdtazv::bench::BatchJson(
      directory, "GENERATED." + std::to_string(payments), payments);
  return path;
}

struct ProcessRun {
  int status = -1;    // exit status; -1 when it did not exit normally
  long peak_kib = 0;  // peak resident set
};

// Starts the command's runs from a small process forked before this one grows:
// a process inherits the peak resident set of the one it was forked from, so
// the runs' peaks would otherwise begin at this benchmark's own.
class Launcher {
 public:
  Launcher() {
    int requests[2];
    int replies[2];
    if (::pipe(requests) != 0 || ::pipe(replies) != 0) return;
    const pid_t pid = ::fork();
    if (pid == 0) {
      ::close(requests[1]);
      ::close(replies[0]);
      Serve(requests[0], replies[1]);
      ::_exit(0);
    }
    ::close(requests[0]);
    ::close(replies[1]);
    if (pid < 0) return;
    pid_ = pid;
    requests_ = requests[1];
    replies_ = replies[0];
  }
  ~Launcher() {
    if (pid_ <= 0) return;
    ::close(requests_);
    ::close(replies_);
    ::waitpid(pid_, nullptr, 0);
  }

  // The arguments go as one block: NUL-terminated, the first the program.
  ProcessRun Run(const std::vector<std::string>& argv) const {
    std::string block;
    for (const std::string& argument : argv) block += argument + '\0';
    const std::size_t size = block.size();
    ProcessRun run;
    if (pid_ <= 0 || ::write(requests_, &size, sizeof size) != sizeof size ||
        ::write(requests_, block.data(), size) != static_cast<ssize_t>(size) ||
        ::read(replies_, &run, sizeof run) != sizeof run) {
      return ProcessRun{};
    }
    return run;
  }

 private:
  static void Serve(int requests, int replies) {
    std::size_t size = 0;
    while (::read(requests, &size, sizeof size) == sizeof size) {
      std::string block(size, '\0');
      std::size_t got = 0;
      while (got < size) {
        const ssize_t n = ::read(requests, block.data() + got, size - got);
        if (n <= 0) return;
        got += static_cast<std::size_t>(n);
      }
      std::vector<char*> argv;
      for (std::size_t at = 0; at < size; at = block.find('\0', at) + 1) {
        argv.push_back(block.data() + at);
      }
      argv.push_back(nullptr);
      const ProcessRun run = Spawn(argv);
      if (::write(replies, &run, sizeof run) != sizeof run) return;
    }
  }

  static ProcessRun Spawn(std::vector<char*>& argv) {
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    pid_t pid = 0;
    ProcessRun run;
    if (posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ) == 0) {
      int status = 0;
      rusage usage{};
      if (wait4(pid, &status, 0, &usage) == pid && WIFEXITED(status)) {
        run.status = WEXITSTATUS(status);
        run.peak_kib = usage.ru_maxrss;
      }
    }
    posix_spawn_file_actions_destroy(&actions);
    return run;
  }

  pid_t pid_ = -1;
  int requests_ = -1;
  int replies_ = -1;
};

const Launcher* launcher = nullptr;

// Runs the command with standard output and error on /dev/null.
ProcessRun RunCommand(const std::vector<std::string>& arguments) {
  const char* configured = std::getenv("XKDTAZV_COMMAND");
  std::vector<std::string> argv{configured ? configured : XKDTAZV_COMMAND};
  argv.insert(argv.end(), arguments.begin(), arguments.end());
  return launcher->Run(argv);
}

// Each run of the command is followed (untimed) by Generate on the same
// payments, so that both meet the same load.
void RunAgainstGenerate(benchmark::State& state, const std::vector<std::string>& arguments) {
  const auto payments = static_cast<std::size_t>(state.range(0));
  xkdtazv::DtAzvDatei& file = FilledFile(payments);
  double command_seconds = 0;
  double generate_seconds = 0;
  long peak_kib = 0;
  for (auto _ : state) {
    const auto start = std::chrono::steady_clock::now();
    const ProcessRun run = RunCommand(arguments);
    const auto finished = std::chrono::steady_clock::now();
    state.PauseTiming();
    if (run.status != 0 && run.status != 1) {
      state.SkipWithError("the command failed");
      break;
    }
    peak_kib = std::max(peak_kib, run.peak_kib);
    command_seconds += Seconds(finished - start);
    const auto generate_start = std::chrono::steady_clock::now();
    benchmark::DoNotOptimize(file.Generate());
    generate_seconds += Seconds(std::chrono::steady_clock::now() - generate_start);
    state.ResumeTiming();
  }
  state.counters["x_generate"] = generate_seconds > 0 ? command_seconds / generate_seconds : 0;
  state.counters["peak_MiB"] = static_cast<double>(peak_kib) / 1024;
  state.counters["peak_x_file"] = static_cast<double>(peak_kib) * 1024 / FileBytes(payments);
}

std::string InspectedFile(std::size_t payments) {
  FilledFile(payments);
  return BenchDirectory() + "/INSPECT." + std::to_string(payments);
}

void BM_Inspect(benchmark::State& state) {
  RunAgainstGenerate(state, {"inspect", InspectedFile(static_cast<std::size_t>(state.range(0)))});
}

void BM_InspectJson(benchmark::State& state) {
  RunAgainstGenerate(
      state, {"inspect", InspectedFile(static_cast<std::size_t>(state.range(0))), "--json"});
}

void BM_GenerateCommand(benchmark::State& state) {
  RunAgainstGenerate(state, {"generate", BatchPath(static_cast<std::size_t>(state.range(0)))});
}

BENCHMARK(BM_Inspect)->Arg(1000)->Arg(32766)->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_InspectJson)->Arg(1000)->Arg(32766)->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GenerateCommand)->Arg(1000)->Arg(32766)->UseRealTime()->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  const Launcher started;  // first, while this process is small
  launcher = &started;
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
