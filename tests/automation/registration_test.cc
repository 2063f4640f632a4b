// DllRegisterServer and DllUnregisterServer against a registry file in a
// temporary XDG_DATA_HOME.
#include <dlfcn.h>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <vector>

#include "automation_test_support.h"

namespace xkdtazv::testing {
namespace {

namespace fs = std::filesystem;
using nlohmann::json;

// Points XDG_DATA_HOME (and HOME) at a fresh directory for one test.
class RegistrationTest : public AutomationTest {
 protected:
  void SetUp() override {
    std::string pattern = (fs::temp_directory_path() / "xkdtazv-registry-XXXXXX").string();
    root_ = mkdtemp(pattern.data());
    Remember("XDG_DATA_HOME", saved_data_home_);
    Remember("HOME", saved_home_);
    setenv("XDG_DATA_HOME", (root_ / "data").c_str(), 1);
    setenv("HOME", (root_ / "home").c_str(), 1);
  }
  void TearDown() override {
    Restore("XDG_DATA_HOME", saved_data_home_);
    Restore("HOME", saved_home_);
    fs::remove_all(root_);
    AutomationTest::TearDown();
  }

  fs::path RegistryFile() const { return root_ / "data" / "xkdtazv" / "registry.json"; }

  static std::string Read(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
  }
  static void Write(const fs::path& file, const std::string& text) {
    fs::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary) << text;
  }

  fs::path root_;

 private:
  static void Remember(const char* name, std::optional<std::string>& saved) {
    if (const char* value = std::getenv(name)) saved = value;
  }
  static void Restore(const char* name, const std::optional<std::string>& saved) {
    if (saved) {
      setenv(name, saved->c_str(), 1);
    } else {
      unsetenv(name);
    }
  }
  std::optional<std::string> saved_data_home_;
  std::optional<std::string> saved_home_;
};

std::string LibraryPath() {
  Dl_info info{};
  dladdr(reinterpret_cast<void*>(&DllRegisterServer), &info);
  return fs::canonical(info.dli_fname).string();
}

// Entries of a component that is not this one, in every section.
const json kOtherEntries = json::parse(R"({
  "CLSID": {"{11111111-2222-3333-4444-555555555555}": {"ProgID": "Other.Thing"}},
  "ProgID": {"Other.Thing": {"CLSID": "{11111111-2222-3333-4444-555555555555}"}},
  "Interface": {"{11111111-2222-3333-4444-666666666666}": {"Name": "_Thing"}},
  "TypeLib": {"{11111111-2222-3333-4444-777777777777}": {"2.0": {"Name": "Other"}}},
  "Comment": "kept as it is"
})");

TEST_F(RegistrationTest, RecordsClassesIdentifiersPathAndThreadingModel) {
  ASSERT_EQ(DllRegisterServer(), XK_S_OK);
  const json registry = json::parse(Read(RegistryFile()));
  const std::string path = LibraryPath();
  const std::string libid = "{5FBFE321-6E0A-48CF-ABDD-5E7C2C2E4546}";

  const json expected_classes = {
      {"{1564F465-CBC5-4D6F-9ABB-570DDA9604BC}",
       {{"Name", "DtAzvDatei"},
        {"ProgID", "XKDTAZV.DtAzvDatei"},
        {"InprocServer32", path},
        {"ThreadingModel", "Apartment"},
        {"TypeLib", libid},
        {"Version", "1.0"},
        {"DefaultInterface", "{0710D1D3-BCA2-48A1-A708-260D1F42D309}"},
        {"Creatable", true}}},
      {"{2CA4C845-460A-4067-8392-742F23F38C8B}",
       {{"Name", "GeldTransfer"},
        {"ProgID", "XKDTAZV.GeldTransfer"},
        {"InprocServer32", path},
        {"ThreadingModel", "Apartment"},
        {"TypeLib", libid},
        {"Version", "1.0"},
        {"DefaultInterface", "{66B25BA7-EE98-4580-9CF7-8B966CE8D666}"},
        {"Creatable", true}}},
      {"{4EB0BF8E-FCB1-4491-9341-641739F4CDB4}",
       {{"Name", "MeineInfo"},
        {"ProgID", "XKDTAZV.MeineInfo"},
        {"InprocServer32", path},
        {"ThreadingModel", "Apartment"},
        {"TypeLib", libid},
        {"Version", "1.0"},
        {"DefaultInterface", "{16994494-7563-4E39-99CC-9B5C0C6EBA49}"},
        {"Creatable", false}}},
  };
  EXPECT_EQ(registry["CLSID"], expected_classes);
  EXPECT_EQ(registry["ProgID"],
            json({{"XKDTAZV.DtAzvDatei", {{"CLSID", "{1564F465-CBC5-4D6F-9ABB-570DDA9604BC}"}}},
                  {"XKDTAZV.GeldTransfer", {{"CLSID", "{2CA4C845-460A-4067-8392-742F23F38C8B}"}}},
                  {"XKDTAZV.MeineInfo", {{"CLSID", "{4EB0BF8E-FCB1-4491-9341-641739F4CDB4}"}}}}));
  EXPECT_EQ(registry["Interface"]["{66B25BA7-EE98-4580-9CF7-8B966CE8D666}"],
            json({{"Name", "_GeldTransfer"}, {"TypeLib", libid}, {"Version", "1.0"}}));
  EXPECT_EQ(registry["Interface"].size(), 3u);
  EXPECT_EQ(registry["TypeLib"], json({{libid,
                                        {{"1.0",
                                          {{"Name", "XKDTAZV"},
                                           {"LCID", 0x409},
                                           {"Path", path},
                                           {"FileVersion", "1.0.0.0"}}}}}}));
  // Written through a temporary file that is gone afterwards; the lock file stays.
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(RegistryFile().parent_path())) {
    names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{"registry.json", "registry.json.lock"}));
}

TEST_F(RegistrationTest, RegistersUnregistersAndRegistersAgainBesideOtherEntries) {
  Write(RegistryFile(), kOtherEntries.dump());
  ASSERT_EQ(DllRegisterServer(), XK_S_OK);
  const std::string registered = Read(RegistryFile());
  ASSERT_EQ(DllRegisterServer(), XK_S_OK);
  EXPECT_EQ(Read(RegistryFile()), registered);
  EXPECT_EQ(json::parse(registered)["Comment"], "kept as it is");

  ASSERT_EQ(DllUnregisterServer(), XK_S_OK);
  EXPECT_EQ(json::parse(Read(RegistryFile())), kOtherEntries);
  ASSERT_EQ(DllUnregisterServer(), XK_S_OK);
  EXPECT_EQ(json::parse(Read(RegistryFile())), kOtherEntries);

  ASSERT_EQ(DllRegisterServer(), XK_S_OK);
  EXPECT_EQ(Read(RegistryFile()), registered);
}

TEST_F(RegistrationTest, LeavesAProgrammaticIdentifierThatNowNamesAnotherClass) {
  ASSERT_EQ(DllRegisterServer(), XK_S_OK);
  json registry = json::parse(Read(RegistryFile()));
  registry["ProgID"]["XKDTAZV.GeldTransfer"]["CLSID"] = "{11111111-2222-3333-4444-555555555555}";
  Write(RegistryFile(), registry.dump());
  ASSERT_EQ(DllUnregisterServer(), XK_S_OK);
  EXPECT_EQ(
      json::parse(Read(RegistryFile())),
      json({{"ProgID",
             {{"XKDTAZV.GeldTransfer", {{"CLSID", "{11111111-2222-3333-4444-555555555555}"}}}}}}));
}

TEST_F(RegistrationTest, UnregisteringWithoutARegistryCreatesNone) {
  EXPECT_EQ(DllUnregisterServer(), XK_S_OK);
  EXPECT_FALSE(fs::exists(RegistryFile()));
}

TEST_F(RegistrationTest, NeverOverwritesADamagedRegistry) {
  for (const std::string damaged :
       {"{\"CLSID\": {", "", "[]", "{\"CLSID\": []}", "{\"TypeLib\": 3}", "\xFF\xFE{}"}) {
    SCOPED_TRACE(damaged);
    Write(RegistryFile(), damaged);
    EXPECT_EQ(DllRegisterServer(), XK_REGDB_E_DAMAGED);
    EXPECT_EQ(DllUnregisterServer(), XK_REGDB_E_DAMAGED);
    EXPECT_EQ(Read(RegistryFile()), damaged);
  }
}

// Another program that writes the registry by the documented protocol: under
// the lock, read, add one entry, write a temporary file, rename it.
void AddOtherEntry(const fs::path& registry, const std::string& key) {
  const int lock = ::open((registry.string() + ".lock").c_str(), O_RDWR | O_CREAT, 0644);
  ASSERT_GE(lock, 0);
  ASSERT_EQ(::flock(lock, LOCK_EX), 0);
  json entries = json::object();
  if (std::ifstream in(registry); in) entries = json::parse(in);
  entries["CLSID"][key] = {{"Name", "Other"}};
  const fs::path temporary = registry.string() + ".other";
  std::ofstream(temporary) << entries.dump();
  fs::rename(temporary, registry);
  ::close(lock);
}

// Processes that register and unregister this library while others add their
// own entries: every entry of the others survives.
TEST_F(RegistrationTest, ConcurrentWritersLoseNoEntry) {
  fs::create_directories(RegistryFile().parent_path());
  constexpr int kOthers = 3, kEntriesEach = 40, kRegistrars = 5, kRoundsEach = 20;
  std::vector<pid_t> children;
  for (int i = 0; i < kOthers + kRegistrars; ++i) {
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      for (int j = 0; j < (i < kOthers ? kEntriesEach : kRoundsEach); ++j) {
        if (i < kOthers) {
          AddOtherEntry(RegistryFile(),
                        "{OTHER-" + std::to_string(i) + "-" + std::to_string(j) + "}");
        } else if ((j % 2 == 0 ? DllRegisterServer() : DllUnregisterServer()) != XK_S_OK) {
          ::_exit(1);
        }
      }
      ::_exit(::testing::Test::HasFailure() ? 1 : 0);
    }
    children.push_back(child);
  }
  for (const pid_t child : children) {
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  }
  const json registry = json::parse(Read(RegistryFile()));
  for (int i = 0; i < kOthers; ++i) {
    for (int j = 0; j < kEntriesEach; ++j) {
      const std::string key = "{OTHER-" + std::to_string(i) + "-" + std::to_string(j) + "}";
      EXPECT_TRUE(registry["CLSID"].contains(key)) << key;
    }
  }
}

TEST_F(RegistrationTest, ReportsARegistryItCannotWriteOrRead) {
  Write(root_ / "data" / "xkdtazv", "a file where the directory belongs");
  EXPECT_EQ(DllRegisterServer(), XK_REGDB_E_WRITEREGDB);
  fs::remove(root_ / "data" / "xkdtazv");
  fs::create_directories(RegistryFile());  // a directory where the file belongs
  EXPECT_EQ(DllRegisterServer(), XK_REGDB_E_READREGDB);
}

TEST_F(RegistrationTest, FallsBackToTheHomeDirectory) {
  for (const char* data_home : {static_cast<const char*>(nullptr), "", "relative/path"}) {
    SCOPED_TRACE(data_home ? data_home : "unset");
    if (data_home != nullptr) {
      setenv("XDG_DATA_HOME", data_home, 1);
    } else {
      unsetenv("XDG_DATA_HOME");
    }
    const fs::path expected = root_ / "home" / ".local" / "share" / "xkdtazv" / "registry.json";
    ASSERT_EQ(DllRegisterServer(), XK_S_OK);
    EXPECT_TRUE(fs::exists(expected));
    ASSERT_EQ(DllUnregisterServer(), XK_S_OK);
    fs::remove(expected);
  }
}

}  // namespace
}  // namespace xkdtazv::testing
