// Generate through the automation surface: the file lands where Pfad and
// DiffFileName say, or the run fails and no file appears anywhere.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "automation_test_support.h"

namespace xkdtazv::testing {
namespace {

namespace fs = std::filesystem;

class GenerateTest : public AutomationTest {
 protected:
  void SetUp() override {
    std::string pattern = (fs::temp_directory_path() / "xkdtazv-generate-XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    directory_ = pattern;
  }
  void TearDown() override {
    fs::remove_all(directory_);
    AutomationTest::TearDown();
  }

  std::vector<std::string> Entries() const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(directory_)) {
      names.push_back(entry.path().filename().string());
    }
    return names;
  }

  fs::path directory_;
};

// A NUL ends the system's copy of a path: the rest of the name would be lost
// and the file written under another name, or as a file where the host named
// a directory.
TEST_F(GenerateTest, RefusesPathsWithANulInsteadOfWritingElsewhere) {
  const std::u16string dir = fs::path(directory_).u16string();
  struct Case {
    const char* label;
    std::u16string pfad;
    std::u16string file_name;
  };
  const std::vector<Case> cases = {
      {"file name", dir, std::u16string(u"a\0b", 3)},
      {"file name ending in NUL", dir, std::u16string(u"DTAZV\0", 6)},
      {"directory", dir + std::u16string(u"/sub\0/x", 7), u"DTAZV"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    Com<XkDtAzvDatei> file = NewFile();
    ASSERT_EQ(file->lpVtbl->put_Pfad(file.get(), Bstr(c.pfad).get()), XK_S_OK);
    ASSERT_EQ(file->lpVtbl->put_DiffFileName(file.get(), Bstr(c.file_name).get()), XK_S_OK);
    Bstr result;
    ASSERT_EQ(file->lpVtbl->Generate(file.get(), result.out()), XK_S_OK);
    EXPECT_EQ(result.utf8(), "Sonstiger Fehler:Dateiname oder -nummer falsch");
    EXPECT_EQ(Entries(), std::vector<std::string>{});
  }
}

}  // namespace
}  // namespace xkdtazv::testing
