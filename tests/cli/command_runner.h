// Runs the built xkdtazv command in a directory of its own and captures what
// it prints and how it ends, for end-to-end tests.
//
//   Scratch dir;
//   dir.Write("batch.json", "{...}");
//   CommandRun run = RunXkdtazv({"generate", "batch.json", "--out", "out"}, dir);
//   EXPECT_EQ(run.status, 2);
#ifndef XKDTAZV_TESTS_TOOLS_COMMAND_RUNNER_H_
#define XKDTAZV_TESTS_TOOLS_COMMAND_RUNNER_H_

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

namespace xkdtazv::cli::testing {

// A fresh directory under the system's temporary directory, removed at the end.
class Scratch {
 public:
  Scratch();
  ~Scratch();
  Scratch(const Scratch&) = delete;
  Scratch& operator=(const Scratch&) = delete;

  const std::string& path() const { return path_; }
  std::string PathOf(const std::string& name) const { return path_ + "/" + name; }
  void Write(const std::string& name, const std::string& bytes) const;
  std::string Read(const std::string& name) const;
  void MakeDirectory(const std::string& name) const;
  // The names in a subdirectory, sorted; empty when there is none.
  std::vector<std::string> List(const std::string& name) const;

 private:
  std::string path_;
};

struct CommandRun {
  int status = -1;  // the exit status; -1 when the command did not exit normally
  int signal = 0;   // the signal that ended it, if one did
  std::string out;
  std::string err;
};

struct RunOptions {
  std::string locale = "C.UTF-8";        // LC_ALL of the command
  bool as_unprivileged_user = false;     // drop root rights, so that permissions bite
  std::size_t memory_limit = 0;          // bytes of address space (prlimit --as); 0: none
  std::string temporary_directory = {};  // TMPDIR of the command; empty: as the tests have it
  std::function<void(int pid)> while_running = {};  // called once the command has started
};

// Runs the command with `arguments` in `directory`.
CommandRun RunXkdtazv(const std::vector<std::string>& arguments, const Scratch& directory,
                      const RunOptions& options = {});

// The bytes of a file in the source tree's tests/cli/golden or examples.
std::string GoldenPath(const std::string& name);
std::string ExamplePath(const std::string& name);
std::string ReadFileOrEmpty(const std::string& path);

// Compares with a golden file byte for byte; with XKDTAZV_UPDATE_GOLDEN=1 in
// the environment it rewrites the golden file instead.
void ExpectMatchesGolden(const std::string& actual, const std::string& golden_name);

}  // namespace xkdtazv::cli::testing

#endif  // XKDTAZV_TESTS_TOOLS_COMMAND_RUNNER_H_
