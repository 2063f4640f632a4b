// Peak memory of one run with the largest file a run can write: 32,766 payments.
#include <sys/resource.h>

#include <cstdio>
#include <filesystem>

#include "payments.h"

int main(int argc, char** argv) {
  const std::string directory =
      argc > 1 ? argv[1] : (std::filesystem::temp_directory_path() / "xkdtazv-bench").string();
  std::filesystem::create_directories(directory);
  auto file = xkdtazv::bench::MakeFile(directory);
  xkdtazv::bench::AddPayments(*file, 32766);

  rusage before{};
  getrusage(RUSAGE_SELF, &before);
  const std::string result = file->Generate();
  rusage after{};
  getrusage(RUSAGE_SELF, &after);

  std::printf("payments: 32766\nresult: %.60s\n", result.c_str());
  std::printf("peak resident set before Generate: %ld KiB\n", before.ru_maxrss);
  std::printf("peak resident set after Generate:  %ld KiB\n", after.ru_maxrss);
  return 0;
}
