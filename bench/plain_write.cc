#include "plain_write.h"

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>

namespace xkdtazv::bench {

std::string BenchDirectory() {
  const char* configured = std::getenv("XKDTAZV_BENCH_DIR");
  const std::filesystem::path directory =
      configured ? configured : std::filesystem::temp_directory_path() / "xkdtazv-bench";
  std::filesystem::create_directories(directory);
  return directory.string();
}

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

PlainTimer::PlainTimer(const std::string& directory, std::size_t bytes)
    : path_(directory + "/PLAIN"), bytes_(bytes, 'X') {}

bool PlainTimer::Run() {
  const auto start = std::chrono::steady_clock::now();
  if (!PlainWrite(bytes_, path_)) return false;
  seconds_ += Seconds(std::chrono::steady_clock::now() - start);
  return true;
}

}  // namespace xkdtazv::bench
