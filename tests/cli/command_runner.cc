#include "command_runner.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

extern char** environ;

namespace xkdtazv::cli::testing {
namespace {

std::string TemporaryRoot() {
  const char* root = std::getenv("TMPDIR");
  return root != nullptr && *root != '\0' ? root : "/tmp";
}

std::vector<std::string> Environment(const RunOptions& options) {
  std::vector<std::string> environment;
  for (char** entry = environ; *entry != nullptr; ++entry) {
    const std::string_view text(*entry);
    if (text.starts_with("LC_") || text.starts_with("LANG=") || text.starts_with("LANGUAGE=") ||
        (!options.temporary_directory.empty() && text.starts_with("TMPDIR="))) {
      continue;
    }
    environment.emplace_back(text);
  }
  environment.push_back("LC_ALL=" + options.locale);
  if (!options.temporary_directory.empty()) {
    environment.push_back("TMPDIR=" + options.temporary_directory);
  }
  return environment;
}

std::vector<char*> Pointers(std::vector<std::string>& texts) {
  std::vector<char*> pointers;
  for (std::string& text : texts) pointers.push_back(text.data());
  pointers.push_back(nullptr);
  return pointers;
}

}  // namespace

Scratch::Scratch() {
  std::string pattern = TemporaryRoot() + "/xkdtazv-test-XXXXXX";
  const char* made = mkdtemp(pattern.data());
  EXPECT_NE(made, nullptr);
  path_ = pattern;
  // The unprivileged runs must reach their files.
  chmod(path_.c_str(), 0777);
}

Scratch::~Scratch() {
  std::error_code ignored;
  std::filesystem::permissions(path_, std::filesystem::perms::all, ignored);
  std::filesystem::remove_all(path_, ignored);
}

void Scratch::Write(const std::string& name, const std::string& bytes) const {
  std::ofstream file(PathOf(name), std::ios::binary);
  file << bytes;
  ASSERT_TRUE(file.good()) << name;
  chmod(PathOf(name).c_str(), 0644);
}

std::string Scratch::Read(const std::string& name) const { return ReadFileOrEmpty(PathOf(name)); }

void Scratch::MakeDirectory(const std::string& name) const {
  ASSERT_EQ(mkdir(PathOf(name).c_str(), 0777), 0) << name;
  chmod(PathOf(name).c_str(), 0777);
}

std::vector<std::string> Scratch::List(const std::string& name) const {
  std::vector<std::string> names;
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(PathOf(name), error)) {
    names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

// AddressSanitizer reserves terabytes of shadow address space at start, so
// no address-space limit lets a sanitized command run; there the limit is left
// out and the ordinary build holds the command to it.
#if defined(__SANITIZE_ADDRESS__)
constexpr bool kAddressSpaceLimitsHold = false;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool kAddressSpaceLimitsHold = false;
#else
constexpr bool kAddressSpaceLimitsHold = true;
#endif
#else
constexpr bool kAddressSpaceLimitsHold = true;
#endif

CommandRun RunXkdtazv(const std::vector<std::string>& arguments, const Scratch& directory,
                      const RunOptions& options) {
  std::vector<std::string> argv;
  if (options.as_unprivileged_user && geteuid() == 0) {
    for (const char* part : {"setpriv", "--reuid=65534", "--regid=65534", "--clear-groups"}) {
      argv.emplace_back(part);
    }
  }
  if (options.memory_limit != 0 && kAddressSpaceLimitsHold) {
    argv.emplace_back("prlimit");
    argv.push_back("--as=" + std::to_string(options.memory_limit));
  }
  argv.emplace_back(XKDTAZV_COMMAND);
  argv.insert(argv.end(), arguments.begin(), arguments.end());
  std::vector<std::string> environment = Environment(options);

  const std::string out_path = directory.PathOf(".stdout");
  const std::string err_path = directory.PathOf(".stderr");
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, out_path.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                   0666);
  posix_spawn_file_actions_addopen(&actions, 2, err_path.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                   0666);
  posix_spawn_file_actions_addchdir_np(&actions, directory.path().c_str());

  CommandRun run;
  pid_t pid = 0;
  auto argv_pointers = Pointers(argv);
  auto environment_pointers = Pointers(environment);
  const int spawned = posix_spawnp(&pid, argv_pointers[0], &actions, nullptr, argv_pointers.data(),
                                   environment_pointers.data());
  posix_spawn_file_actions_destroy(&actions);
  EXPECT_EQ(spawned, 0) << "cannot start " << argv[0];
  if (spawned != 0) return run;
  if (options.while_running) options.while_running(pid);
  int wait_status = 0;
  waitpid(pid, &wait_status, 0);
  if (WIFEXITED(wait_status)) run.status = WEXITSTATUS(wait_status);
  if (WIFSIGNALED(wait_status)) run.signal = WTERMSIG(wait_status);
  run.out = ReadFileOrEmpty(out_path);
  run.err = ReadFileOrEmpty(err_path);
  std::filesystem::remove(out_path);
  std::filesystem::remove(err_path);
  return run;
}

std::string GoldenPath(const std::string& name) {
  return std::string(XKDTAZV_TEST_SOURCE_DIR) + "/golden/" + name;
}

std::string ExamplePath(const std::string& name) {
  return std::string(XKDTAZV_EXAMPLES_DIR) + "/" + name;
}

std::string ReadFileOrEmpty(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

void ExpectMatchesGolden(const std::string& actual, const std::string& golden_name) {
  const std::string path = GoldenPath(golden_name);
  const char* update = std::getenv("XKDTAZV_UPDATE_GOLDEN");
  if (update != nullptr && std::string(update) == "1") {
    std::ofstream(path, std::ios::binary) << actual;
    return;
  }
  EXPECT_EQ(actual, ReadFileOrEmpty(path))
      << "golden file " << path << " (XKDTAZV_UPDATE_GOLDEN=1 rewrites it)";
}

}  // namespace xkdtazv::cli::testing
