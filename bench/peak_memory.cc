// What one run with the largest file a run can write (32,766 payments) costs,
// in figures that do not depend on the machine's load: memory held per filled
// payment, allocations and instructions per payment, and the peak resident
// memory against the file's size. It also says where it wrote: on tmpfs an
// fsync costs nothing, so timings against a plain write mean little there.
#include <linux/magic.h>
#include <linux/perf_event.h>
#include <malloc.h>
#include <sys/ioctl.h>
#include <sys/resource.h>
#include <sys/statfs.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <new>
#include <string>

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

// peak_memory [DIRECTORY [PAYMENTS]]; fewer payments suit a run under callgrind.
int main(int argc, char** argv) {
  const std::string directory =
      argc > 1 ? argv[1] : (std::filesystem::temp_directory_path() / "xkdtazv-bench").string();
  const std::size_t payments = argc > 2 ? std::strtoul(argv[2], nullptr, 10) : kLargestRun;
  std::filesystem::create_directories(directory);
  const double file_bytes = 512.0 + 768.0 * payments;

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
  const std::string result = file->Generate();
  const std::uint64_t run_instructions = instructions.Stop();
  const double run_allocations =
      static_cast<double>(allocations - allocations_before_run) / payments;
  const long peak_after = PeakKiB();

  std::printf("payments: %zu, file %.0f bytes, written to %s (%s)\n", payments, file_bytes,
              directory.c_str(), FileSystemKind(directory));
  std::printf("result: %.60s\n", result.c_str());
  std::printf("memory held per filled GeldTransfer: %.0f bytes\n", held_per_payment);
  std::printf("allocations per payment: filling %.1f, Generate %.1f\n", fill_allocations,
              run_allocations);
  if (instructions.available()) {
    std::printf("instructions per payment in Generate: %.0f\n",
                static_cast<double>(run_instructions) / payments);
  } else {
    std::printf("instructions per payment in Generate: not counted (perf_event_open: %s)\n",
                instructions.why_not());
  }
  std::printf("peak resident set after filling: %ld KiB (%.2fx the file)\n", peak_before,
              peak_before * 1024.0 / file_bytes);
  std::printf("peak resident set after Generate: %ld KiB (%.2fx the file)\n", peak_after,
              peak_after * 1024.0 / file_bytes);
  return 0;
}
