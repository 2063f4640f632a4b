// What one run with the largest file a run can write (32,766 payments) costs,
// in figures that do not depend on the machine's load: memory held per filled
// payment, allocations and instructions per payment, and the peak resident
// memory against the size of what was written; of Generate, or of
// GeneratePain001 when asked for "pain001" (one writer a process, since the
// peak only grows). It also says where it wrote: on tmpfs an fsync costs
// nothing, so timings against a plain write mean little there.
#include <linux/magic.h>
#include <linux/perf_event.h>
#include <malloc.h>
#include <sys/ioctl.h>
#include <sys/resource.h>
#include <sys/statfs.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <new>
#include <sstream>
#include <string>
#include <string_view>

#include "payments.h"

namespace {

constexpr std::size_t kLargestRun = 32766;

// Every allocation of this program passes through the operator new below.
std::uint64_t allocations = 0;

// Instructions of this process in user space, where the kernel lets us count them.
class InstructionCounter {
 public:
  InstructionCounter() {
    perf_event_attr attr{};
    attr.type = PERF_TYPE_HARDWARE;
    attr.size = sizeof attr;
    attr.config = PERF_COUNT_HW_INSTRUCTIONS;
    attr.disabled = 1;
    attr.exclude_kernel = 1;
    attr.exclude_hv = 1;
    descriptor_ = static_cast<int>(::syscall(SYS_perf_event_open, &attr, 0, -1, -1, 0));
    if (descriptor_ < 0) error_ = errno;
  }
  ~InstructionCounter() {
    if (descriptor_ >= 0) ::close(descriptor_);
  }
  bool available() const { return descriptor_ >= 0; }
  const char* why_not() const { return std::strerror(error_); }
  void Start() {
    if (!available()) return;
    ::ioctl(descriptor_, PERF_EVENT_IOC_RESET, 0);
    ::ioctl(descriptor_, PERF_EVENT_IOC_ENABLE, 0);
  }
  std::uint64_t Stop() {
    if (!available()) return 0;
    ::ioctl(descriptor_, PERF_EVENT_IOC_DISABLE, 0);
    std::uint64_t count = 0;
    if (::read(descriptor_, &count, sizeof count) != sizeof count) return 0;
    return count;
  }

 private:
  int descriptor_ = -1;
  int error_ = 0;
};

const char* FileSystemKind(const std::string& directory) {
  struct statfs info {};
  if (::statfs(directory.c_str(), &info) != 0) return "unknown";
  return info.f_type == TMPFS_MAGIC ? "tmpfs" : "disk";
}

long PeakKiB() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss;
}

}  // namespace

void* operator new(std::size_t size) {
  ++allocations;
  if (void* memory = std::malloc(size == 0 ? 1 : size)) return memory;
  throw std::bad_alloc();
}
void operator delete(void* memory) noexcept { std::free(memory); }
void operator delete(void* memory, std::size_t) noexcept { std::free(memory); }

namespace {

// One run of the writer: its result and the bytes it wrote.
struct Run {
  std::string result;
  double bytes = 0;
};

Run RunGenerate(xkdtazv::DtAzvDatei& file, std::size_t payments) {
  return {file.Generate(), 512.0 + 768.0 * payments};
}

// The documents are removed afterwards: each run writes new names.
Run RunGeneratePain001(xkdtazv::DtAzvDatei& file, std::size_t) {
  Run run{file.GeneratePain001(), 0};
  std::istringstream paths(file.Pain001Dateien());
  for (std::string path; std::getline(paths, path);) {
    run.bytes += static_cast<double>(std::filesystem::file_size(path));
    std::filesystem::remove(path);
  }
  return run;
}

}  // namespace

// peak_memory [DIRECTORY [PAYMENTS [generate|pain001]]]; fewer payments suit a
// run under callgrind.
int main(int argc, char** argv) {
  const std::string directory =
      argc > 1 ? argv[1] : (std::filesystem::temp_directory_path() / "xkdtazv-bench").string();
  const std::size_t payments = argc > 2 ? std::strtoul(argv[2], nullptr, 10) : kLargestRun;
  const bool pain001 = argc > 3 && std::string_view(argv[3]) == "pain001";
  const char* writer = pain001 ? "GeneratePain001" : "Generate";
  std::filesystem::create_directories(directory);

  auto file = xkdtazv::bench::MakeFile(directory);
  const std::size_t held_before = mallinfo2().uordblks;
  const std::uint64_t allocations_before_fill = allocations;
  xkdtazv::bench::AddPayments(*file, payments);
  const double held_per_payment =
      static_cast<double>(mallinfo2().uordblks - held_before) / payments;
  const double fill_allocations =
      static_cast<double>(allocations - allocations_before_fill) / payments;

  const long peak_before = PeakKiB();
  InstructionCounter instructions;
  const std::uint64_t allocations_before_run = allocations;
  instructions.Start();
  const Run run = pain001 ? RunGeneratePain001(*file, payments) : RunGenerate(*file, payments);
  const std::uint64_t run_instructions = instructions.Stop();
  const double run_allocations =
      static_cast<double>(allocations - allocations_before_run) / payments;
  const long peak_after = PeakKiB();

  std::printf("%s, payments: %zu, written %.0f bytes to %s (%s)\n", writer, payments, run.bytes,
              directory.c_str(), FileSystemKind(directory));
  std::printf("result: %zu lines, the first: %.60s\n",
              static_cast<std::size_t>(std::count(run.result.begin(), run.result.end(), '\n')),
              run.result.c_str());
  std::printf("memory held per filled GeldTransfer: %.0f bytes\n", held_per_payment);
  std::printf("allocations per payment: filling %.1f, %s %.1f\n", fill_allocations, writer,
              run_allocations);
  if (instructions.available()) {
    std::printf("instructions per payment in %s: %.0f\n", writer,
                static_cast<double>(run_instructions) / payments);
  } else {
    std::printf("instructions per payment in %s: not counted (perf_event_open: %s)\n", writer,
                instructions.why_not());
  }
  std::printf("peak resident set after filling: %ld KiB (%.2fx the output)\n", peak_before,
              peak_before * 1024.0 / run.bytes);
  std::printf("peak resident set after %s: %ld KiB (%.2fx the output; %.2fx for the run alone)\n",
              writer, peak_after, peak_after * 1024.0 / run.bytes,
              (peak_after - peak_before) * 1024.0 / run.bytes);
  return 0;
}
