#include "xkdtazv/dtazv_datei.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>

#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <random>

#include "file/faulty_file_service.h"
#include "test_support.h"

namespace xkdtazv {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using testing::FaultyFileService;
using testing::FixedToday;

constexpr std::chrono::year_month_day kToday = 2026y / 12 / 8;

class TempDirectory {
 public:
  TempDirectory() {
    path_ = fs::temp_directory_path() / ("xkdtazv-file-test-" + std::to_string(::getpid()) + "-" +
                                         std::to_string(std::random_device{}()));
    fs::create_directories(path_);
  }
  ~TempDirectory() { fs::remove_all(path_); }
  const fs::path& path() const { return path_; }
  std::string str() const { return path_.string(); }
  std::vector<std::string> Names() const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(path_)) {
      names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
  }

 private:
  fs::path path_;
};

std::string ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

void WriteFile(const fs::path& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

void FillSender(MeineInfo& sender) {
  sender.setBLZ("37040044");
  sender.setKontonummer("532013000");
  sender.setName("Muster Maschinenbau GmbH");
  sender.setOrtPLZ("50667 Koeln");
}

// A valid EU standard payment to France.
std::shared_ptr<GeldTransfer> Payment(const std::string& amount) {
  auto payment = std::make_shared<GeldTransfer>();
  payment->setZahlungsart(Zahlungsart::EU_STANDART);
  payment->setLaenderCode(LaenderCodes::FRANKREICH);
  payment->setBIC("BNPAFRPP123");
  payment->setIBAN("FR763000600001123456789018900000AB");
  payment->setName("Fromagerie Dupont");
  payment->setBetrag(amount);
  return payment;
}

class DtAzvDateiTest : public ::testing::Test {
 protected:
  void SetUp() override { locale_.emplace("C.UTF-8"); }

  std::unique_ptr<DtAzvDatei> MakeFile(std::shared_ptr<detail::FileService> files = nullptr) {
    auto file = std::make_unique<DtAzvDatei>(std::move(files), FixedToday(kToday));
    file->setPfad(directory_.str());
    FillSender(*file->GetMeineInfo());
    return file;
  }
  fs::path Written(const std::string& name = "DTAZV") const { return directory_.path() / name; }

  TempDirectory directory_;
  std::optional<testing::ScopedLocale> locale_;
};

TEST_F(DtAzvDateiTest, WholeRoadWritesRecordsWhoseTotalsAgree) {
  auto file = MakeFile();
  file->AddGeldTransfer(Payment("100.5"));
  file->AddGeldTransfer(Payment("200.75"));
  file->AddGeldTransfer(Payment("0.99"));

  EXPECT_EQ(file->Generate(), "SUCCESS");
  const std::string bytes = ReadFile(Written());
  ASSERT_EQ(bytes.size(), 512u + 768u * 3);
  EXPECT_EQ(bytes.substr(0, 5), "0256Q");
  for (int i = 0; i < 3; ++i) EXPECT_EQ(bytes.substr(256 + 768 * i, 5), "0768T");
  const std::string z = bytes.substr(256 + 768 * 3);
  // The integer parts as the T records carry them: 100 + 200 + 0.
  EXPECT_EQ(z, "0256Z" + std::string(12, '0') + "300" + std::string(14, '0') + "3" +
                   std::string(221, ' '));
  EXPECT_EQ(bytes.substr(256 + 458, 17), "00000000000100500");
  EXPECT_EQ(directory_.Names(), std::vector<std::string>{"DTAZV"});
}

TEST_F(DtAzvDateiTest, FileWithoutPaymentsReportsTheTrailerAndIsWritten) {
  auto file = MakeFile();
  EXPECT_EQ(file->Generate(),
            "Bei der Validierung vom Footer wurde ein Fehler entdeckt!\r\n"
            "Fehler: Gesamtbetrag ist kleiner/gleich Null!\r\n"
            "Fehler: Gesamtanzahl der Transaktionen ist kleiner/gleich Null!\r\n");
  EXPECT_EQ(ReadFile(Written()).size(), 512u);
}

TEST_F(DtAzvDateiTest, AmountsBelowOneGiveAZeroTotal) {
  auto file = MakeFile();
  file->AddGeldTransfer(Payment("0.40"));
  file->AddGeldTransfer(Payment("0.50"));
  EXPECT_EQ(file->Generate(),
            "Bei der Validierung vom Footer wurde ein Fehler entdeckt!\r\n"
            "Fehler: Gesamtbetrag ist kleiner/gleich Null!\r\n");
  EXPECT_EQ(ReadFile(Written()).size(), 512u + 768u * 2);
}

TEST_F(DtAzvDateiTest, MessagesComeInBlocksInRunOrder) {
  auto file = MakeFile();
  file->setPfad("");
  file->GetMeineInfo()->setBLZ("123");
  auto faulty = Payment("10");
  faulty->setBankLaenderCode("FR");
  file->AddGeldTransfer(Payment("10"));
  file->AddGeldTransfer(faulty);
  file->AddGeldTransfer(faulty);  // the same object twice counts twice
  EXPECT_EQ(file->Generate(),
            "Bitte vorher den Pfad festlegen.\r\n"
            "Bei der Validierung von MeineInfo wurde ein Fehler entdeckt!\r\n"
            "Fehler: BLZ muss 8-stellig sein.\r\n"
            "Bei der Validierung vom GeldTransfer 2 wurde ein Fehler entdeckt!\r\n"
            "Warnung: Bei einer EU-Stanadardueberweisung darf das Feld BankLaenderCode nicht "
            "belegt werden!\r\n");
  // The warning emptied the field: the second appearance of the payment passes.
}

TEST_F(DtAzvDateiTest, EmptyPfadIsReportedAndNothingIsWritten) {
  auto service = std::make_shared<FaultyFileService>();
  auto file = MakeFile(service);
  file->setPfad("");
  file->AddGeldTransfer(Payment("10"));
  EXPECT_EQ(file->Generate(), "Bitte vorher den Pfad festlegen.\r\n");
  EXPECT_TRUE(service->calls().empty());
}

TEST_F(DtAzvDateiTest, PathJoinsPfadAndFileNameWithASlash) {
  auto service = std::make_shared<FaultyFileService>();
  auto file = MakeFile(service);
  file->setPfad(directory_.str() + "/");
  file->setDiffFileName("  OUT ");
  file->AddGeldTransfer(Payment("10"));
  EXPECT_EQ(file->Generate(), "SUCCESS");
  ASSERT_FALSE(service->calls().empty());
  EXPECT_EQ(service->calls().front(), "create " + directory_.str() + "//  OUT ");
  EXPECT_EQ(file->DiffFileName(), "  OUT ");
  EXPECT_TRUE(fs::exists(Written("  OUT ")));
}

TEST_F(DtAzvDateiTest, BlankFileNameBecomesDtazv) {
  auto file = MakeFile();
  file->setDiffFileName("   ");
  file->AddGeldTransfer(Payment("10"));
  EXPECT_EQ(file->Generate(), "SUCCESS");
  EXPECT_EQ(file->DiffFileName(), "DTAZV");
  EXPECT_TRUE(fs::exists(Written()));
}

TEST_F(DtAzvDateiTest, SharedObjectsAreTheOnesWritten) {
  auto file = MakeFile();
  EXPECT_EQ(file->GetMeineInfo(), file->GetMeineInfo());
  auto payment = Payment("10");
  EXPECT_EQ(file->AddGeldTransfer(payment), "SUCCESS");
  EXPECT_EQ(file->Generate(), "SUCCESS");
  payment->setBetrag("20");  // after adding: the next run sees it
  file->GetMeineInfo()->setBLZ("50010517");
  EXPECT_EQ(file->Generate(), "SUCCESS");
  const std::string bytes = ReadFile(Written());
  EXPECT_EQ(bytes.substr(256 + 458, 14), "00000000000020");
  EXPECT_EQ(bytes.substr(256 + 5, 8), "50010517");  // the sender's BLZ, taken over again
  EXPECT_EQ(bytes.substr(256 + 768 + 5, 15), "000000000000020");
}

TEST_F(DtAzvDateiTest, UpperCaseFehlerInTheFileTextIsReported) {
  auto file = MakeFile();
  auto payment = Payment("10");
  payment->setVerwendungszweck1("Fehler 17");  // upper-cased to FEHLER
  file->AddGeldTransfer(payment);
  EXPECT_EQ(file->Generate(), "Im Ergebnistext wurden Fehler entdeckt!\r\n");
  EXPECT_TRUE(fs::exists(Written()));
}

// A record that cannot be rendered (a text beyond 32767 characters) is
// reported as today, but its failure text never replaces an earlier file.
TEST_F(DtAzvDateiTest, ARecordThatCannotBeRenderedWritesNoFile) {
  const std::string too_long(40000, 'A');
  const std::string kOverflow = "FEHLER: Validierung fehlgeschlagen!\r\n6\r\nÜberlauf\r\n";
  struct Case {
    std::string_view name;
    std::function<void(DtAzvDatei&, GeldTransfer&)> spoil;
    std::string result;
  };
  const Case cases[] = {
      {"sender", [&](DtAzvDatei& f, GeldTransfer&) { f.GetMeineInfo()->setName(too_long); },
       "Bei der Validierung von MeineInfo wurde ein Fehler entdeckt!\r\n" + kOverflow +
           "Im Ergebnistext wurden Fehler entdeckt!\r\n"},
      {"payment", [&](DtAzvDatei&, GeldTransfer& p) { p.setName(too_long); },
       "Bei der Validierung vom GeldTransfer 1 wurde ein Fehler entdeckt!\r\n" + kOverflow +
           "Im Ergebnistext wurden Fehler entdeckt!\r\n"},
      {"sender BLZ",
       [&](DtAzvDatei& f, GeldTransfer&) { f.GetMeineInfo()->setBLZ(std::string(40000, '1')); },
       "Bei der Validierung von MeineInfo wurde ein Fehler entdeckt!\r\n"
       "Fehler: BLZ muss 8-stellig sein.\r\n"
       "Im Ergebnistext wurden Fehler entdeckt!\r\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    WriteFile(Written(), "EARLIER");
    auto file = MakeFile();
    auto payment = Payment("10");
    file->AddGeldTransfer(payment);
    c.spoil(*file, *payment);
    EXPECT_EQ(file->Generate(), c.result);
    EXPECT_EQ(ReadFile(Written()), "EARLIER");
    EXPECT_EQ(directory_.Names(), std::vector<std::string>{"DTAZV"});
  }
}

TEST_F(DtAzvDateiTest, FileHoldsOneWindows1252BytePerCharacter) {
  auto file = MakeFile();
  auto payment = Payment("10");
  payment->setAnsprechpartner("Ä€中");
  file->AddGeldTransfer(payment);
  file->Generate();
  const std::string bytes = ReadFile(Written());
  ASSERT_EQ(bytes.size(), 512u + 768u);
  EXPECT_EQ(bytes.substr(256 + 679, 4), "\xC4\x80? ");
}

TEST_F(DtAzvDateiTest, RunFailuresReplaceEveryMessage) {
  WriteFile(Written(), "EARLIER");
  auto file = MakeFile();
  file->setPfad(directory_.str());
  file->GetMeineInfo()->setBLZ("1");
  file->AddGeldTransfer(Payment("10"));
  file->AddGeldTransfer(std::make_shared<GeldTransfer>());  // amount never set
  EXPECT_EQ(file->Generate(), "Sonstiger Fehler:Typen unverträglich");
  EXPECT_EQ(ReadFile(Written()), "EARLIER");
}

TEST_F(DtAzvDateiTest, NullPaymentFailsTheRunCleanly) {
  auto file = MakeFile();
  file->AddGeldTransfer(Payment("10"));
  EXPECT_EQ(file->AddGeldTransfer(nullptr), "SUCCESS");
  EXPECT_EQ(file->Generate(), "Sonstiger Fehler:GeldTransfer 2 ist kein Objekt");
  EXPECT_FALSE(fs::exists(Written()));
}

// Found by fuzzing: a fifteen-digit integer part was cut to fourteen digits in
// the T record while the trailer counted all fifteen.
TEST_F(DtAzvDateiTest, AnAmountBeyondTheFieldIsReportedAndTheTotalsAgree) {
  auto file = MakeFile();
  file->AddGeldTransfer(Payment("200060115678900.75"));
  file->AddGeldTransfer(Payment("5"));
  EXPECT_EQ(file->Generate(),
            "Bei der Validierung vom GeldTransfer 1 wurde ein Fehler entdeckt!\r\n"
            "Fehler: Betrag muss groesser als Null sein!\r\n");
  const std::string bytes = ReadFile(Written());
  EXPECT_EQ(bytes.substr(256 + 458, 17), std::string(17, '0'));
  EXPECT_EQ(bytes.substr(256 + 768 * 2 + 5, 15), "000000000000005");
}

TEST_F(DtAzvDateiTest, TotalBeyondFifteenDigitsIsAnOverflow) {
  auto file = MakeFile();
  for (int i = 0; i < 11; ++i) file->AddGeldTransfer(Payment("99999999999999"));
  EXPECT_EQ(file->Generate(), "Sonstiger Fehler:Überlauf");
}

struct DirectoryCase {
  const char* name;
  std::string (*pfad)(const TempDirectory&);
  std::string expected;
};

TEST_F(DtAzvDateiTest, UnusableDirectoriesFailWithTheirReason) {
  WriteFile(directory_.path() / "regular", "x");
  const DirectoryCase cases[] = {
      {"missing", [](const TempDirectory& d) { return d.str() + "/missing"; },
       "Sonstiger Fehler:Pfad nicht gefunden"},
      {"under a file", [](const TempDirectory& d) { return d.str() + "/regular"; },
       "Sonstiger Fehler:Pfad nicht gefunden"},
      {"only spaces", [](const TempDirectory&) { return std::string("   "); },
       "Sonstiger Fehler:Pfad nicht gefunden"},
  };
  for (const DirectoryCase& c : cases) {
    SCOPED_TRACE(c.name);
    auto file = MakeFile();
    file->setPfad(c.pfad(directory_));
    file->AddGeldTransfer(Payment("10"));
    EXPECT_EQ(file->Generate(), c.expected);
  }
  auto file = MakeFile();
  file->setDiffFileName("regular");
  fs::remove(directory_.path() / "regular");
  fs::create_directory(directory_.path() / "regular");
  file->AddGeldTransfer(Payment("10"));
  EXPECT_EQ(file->Generate(), "Sonstiger Fehler:Dateiname oder -nummer falsch");
}

TEST_F(DtAzvDateiTest, FullDiskKeepsTheEarlierFile) {
  WriteFile(Written(), "EARLIER");
  auto service = std::make_shared<FaultyFileService>(2, FailureCode::kDiskFull);
  auto file = MakeFile(service);
  file->AddGeldTransfer(Payment("10"));
  EXPECT_EQ(file->Generate(), "Sonstiger Fehler:Datenträger voll");
  EXPECT_EQ(service->calls().at(1), "write 1280");
  EXPECT_EQ(ReadFile(Written()), "EARLIER");
  EXPECT_EQ(directory_.Names(), std::vector<std::string>{"DTAZV"});
}

// Writes half of the file through the system's service, then ends the
// process as kill -9 would.
class DyingFileService final : public detail::FileService {
 public:
  std::unique_ptr<detail::OutputFile> CreateTemporary(const std::string& final_path,
                                                      std::string& temporary_path) override {
    return std::make_unique<DyingFile>(system_->CreateTemporary(final_path, temporary_path));
  }
  void Rename(const std::string& from, const std::string& to) override {
    system_->Rename(from, to);
  }
  void Remove(const std::string& path) noexcept override { system_->Remove(path); }

 private:
  class DyingFile final : public detail::OutputFile {
   public:
    explicit DyingFile(std::unique_ptr<detail::OutputFile> file) : file_(std::move(file)) {}
    void Write(std::string_view bytes) override {
      file_->Write(bytes.substr(0, bytes.size() / 2));
      std::raise(SIGKILL);
    }
    void Flush() override { file_->Flush(); }
    void Close() override { file_->Close(); }

   private:
    std::unique_ptr<detail::OutputFile> file_;
  };
  std::shared_ptr<detail::FileService> system_ = detail::SystemFileService();
};

TEST_F(DtAzvDateiTest, AProcessKilledWhileWritingLeavesNoTemporaryFile) {
  WriteFile(Written(), "EARLIER");
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    auto file = MakeFile(std::make_shared<DyingFileService>());
    file->AddGeldTransfer(Payment("10"));
    file->Generate();
    ::_exit(0);
  }
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL);
  EXPECT_EQ(directory_.Names(), std::vector<std::string>{"DTAZV"});
  EXPECT_EQ(ReadFile(Written()), "EARLIER");
}

// A replacement keeps the mode and group of the file it replaces; a new file
// takes its mode from the umask.
TEST_F(DtAzvDateiTest, ReplacingKeepsTheModeAndGroupOfTheEarlierFile) {
  struct Case {
    const char* name;
    std::optional<mode_t> earlier_mode;
    mode_t umask;
    mode_t expected;
  };
  const Case cases[] = {
      {"private file", 0600, 022, 0600},
      {"group may read", 0640, 077, 0640},
      {"read only", 0444, 022, 0444},
      {"new under 022", std::nullopt, 022, 0644},
      {"new under 027", std::nullopt, 027, 0640},
  };
  // Another group for the earlier file, where this process may give it one.
  const gid_t group = ::geteuid() == 0 ? 65534 : ::getegid();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    fs::remove(Written());
    if (c.earlier_mode) {
      WriteFile(Written(), "EARLIER");
      ASSERT_EQ(::chmod(Written().c_str(), *c.earlier_mode), 0);
      ASSERT_EQ(::chown(Written().c_str(), static_cast<uid_t>(-1), group), 0);
    }
    const mode_t saved = ::umask(c.umask);
    auto file = MakeFile();
    file->AddGeldTransfer(Payment("10"));
    EXPECT_EQ(file->Generate(), "SUCCESS");
    ::umask(saved);
    struct stat written {};
    ASSERT_EQ(::stat(Written().c_str(), &written), 0);
    EXPECT_EQ(written.st_mode & 07777, c.expected);
    if (c.earlier_mode) {
      EXPECT_EQ(written.st_gid, group);
    }
    EXPECT_EQ(ReadFile(Written()).size(), 512u + 768u);
  }
}

// Fails each call of the file service in turn until a run meets no fault.
TEST_F(DtAzvDateiTest, FaultSweepNeverLosesTheEarlierFileNorLeavesDebris) {
  auto reference = MakeFile();
  reference->AddGeldTransfer(Payment("10"));
  ASSERT_EQ(reference->Generate(), "SUCCESS");
  const std::string expected = ReadFile(Written());

  for (int fail_at = 1;; ++fail_at) {
    SCOPED_TRACE("failing call " + std::to_string(fail_at));
    WriteFile(Written(), "EARLIER");
    auto service = std::make_shared<FaultyFileService>(fail_at, FailureCode::kIoError);
    auto file = MakeFile(service);
    file->AddGeldTransfer(Payment("10"));
    const std::string result = file->Generate();
    EXPECT_EQ(directory_.Names(), std::vector<std::string>{"DTAZV"});
    if (static_cast<int>(service->calls().size()) < fail_at) {
      EXPECT_EQ(result, "SUCCESS");
      EXPECT_EQ(ReadFile(Written()), expected);
      EXPECT_EQ(fail_at, 6);  // create, write, flush, close, rename, then no fault
      break;
    }
    EXPECT_EQ(result, "Sonstiger Fehler:Fehler beim Lesen/Schreiben");
    EXPECT_EQ(ReadFile(Written()), "EARLIER");
  }
}

TEST_F(DtAzvDateiTest, AtMost32766PaymentsPerRun) {
  auto file = MakeFile();
  auto payment = Payment("1");
  for (int i = 0; i < 32766; ++i) file->AddGeldTransfer(payment);
  EXPECT_EQ(file->Generate(), "SUCCESS");
  EXPECT_EQ(fs::file_size(Written()), 512u + 768u * 32766);
  const std::string bytes = ReadFile(Written());
  EXPECT_EQ(bytes.substr(bytes.size() - 251, 30), "000000000032766000000000032766");

  file->AddGeldTransfer(payment);
  EXPECT_EQ(file->Generate(), "Sonstiger Fehler:Überlauf");
  EXPECT_EQ(fs::file_size(Written()), 512u + 768u * 32766);  // the earlier file stays
}

class DtAzvDateiLocaleTest : public testing::LocaleTest {};

TEST_P(DtAzvDateiLocaleTest, EitherMarkGivesTheSameFile) {
  TempDirectory directory;
  for (const char* amount : {"12,05", "12.05"}) {
    SCOPED_TRACE(amount);
    DtAzvDatei file(nullptr, FixedToday(kToday));
    file.setPfad(directory.str());
    FillSender(*file.GetMeineInfo());
    file.AddGeldTransfer(Payment(amount));
    file.AddGeldTransfer(Payment("7"));
    EXPECT_EQ(file.Generate(), "SUCCESS");
    const std::string bytes = ReadFile(directory.path() / "DTAZV");
    EXPECT_EQ(bytes.substr(256 + 458, 17), "00000000000012050");
    EXPECT_EQ(bytes.substr(256 + 768 * 2 + 5, 15), "000000000000019");
  }
}

INSTANTIATE_TEST_SUITE_P(BothLocales, DtAzvDateiLocaleTest,
                         ::testing::ValuesIn(testing::BothLocales()), testing::LocaleCaseName);

}  // namespace
}  // namespace xkdtazv
