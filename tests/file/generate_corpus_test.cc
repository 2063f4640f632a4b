// The differential test: 2,400 random batches run through Generate, each
// reduced to two digests (the result text with every property read back
// afterwards; the bytes written), compared with digests recorded earlier; the
// same batches through GeneratePain001 at a fixed time and run id (result
// text and list of documents; the documents' bytes); and one file of several
// blocks, record by record.
// Any change to what a run writes or says shows up as a differing line.
//
// To record anew (only when a change of output is intended):
//   XKDTAZV_RECORD_DIGESTS=$PWD/tests/file/generate_corpus.digests
//   XKDTAZV_RECORD_PAIN001_DIGESTS=$PWD/tests/file/generate_pain001_corpus.digests
//     build/tests/xkdtazv_tests --gtest_filter='Generate*Corpus*'
#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <sstream>
#include <string>

#include "file/random_batch.h"
#include "platform/encoding.h"
#include "platform/file_service.h"
#include "test_support.h"
#include "xkdtazv/failure.h"
#include "xkdtazv/xkdtazv.h"

namespace xkdtazv {
namespace {

using namespace std::chrono_literals;

constexpr int kBatches = 2400;
// The pain.001 corpus: every kPain001Every-th of the batches above, then
// kDocumentBatches that write documents, the last of them large.
constexpr int kPain001Every = 4;
constexpr int kDocumentBatches = 300;
constexpr std::size_t kLargeBatch = 1500;
constexpr std::uint64_t kSeed = 20261208;

// 64-bit FNV-1a, written as 16 hex digits.
std::string Digest(std::string_view bytes) {
  std::uint64_t hash = 14695981039346656037ull;
  for (char c : bytes) {
    hash ^= static_cast<unsigned char>(c);
    hash *= 1099511628211ull;
  }
  char hex[17];
  std::snprintf(hex, sizeof hex, "%016llx", static_cast<unsigned long long>(hash));
  return hex;
}

// Files held in memory: a file appears under its final name only when renamed.
class MemoryFileService : public detail::FileService {
 public:
  std::unique_ptr<detail::OutputFile> CreateTemporary(const std::string& final_path,
                                                      std::string& temporary_path) override {
    temporary_path = final_path + ".tmp";
    files_[temporary_path].clear();
    return std::make_unique<File>(files_[temporary_path]);
  }
  void Rename(const std::string& from, const std::string& to) override {
    files_[to] = std::move(files_[from]);
    files_.erase(from);
  }
  void Remove(const std::string& path) noexcept override { files_.erase(path); }
  const std::map<std::string, std::string>& files() const { return files_; }

 private:
  class File : public detail::OutputFile {
   public:
    explicit File(std::string& bytes) : bytes_(bytes) {}
    void Write(std::string_view bytes) override { bytes_.append(bytes); }
    void Flush() override {}
    void Close() override {}

   private:
    std::string& bytes_;
  };
  std::map<std::string, std::string> files_;
};

// Runs `write` and notes a failure it throws instead of its effect.
void Attempt(std::string& log, const std::function<void()>& write) {
  try {
    write();
  } catch (const Failure& failure) {
    log += "throws " + std::to_string(failure.number()) + "\n";
  }
}

void SetSender(MeineInfo& sender, const testing::TextWrite& write) {
  static const std::map<std::string_view, void (MeineInfo::*)(std::string_view)> kSetters{
      {"BLZ", &MeineInfo::setBLZ},
      {"Kontonummer", &MeineInfo::setKontonummer},
      {"Name", &MeineInfo::setName},
      {"Vorname", &MeineInfo::setVorname},
      {"Strasse", &MeineInfo::setStrasse},
      {"OrtPLZ", &MeineInfo::setOrtPLZ},
      {"ExecutionDate", &MeineInfo::setExecutionDate}};
  (sender.*kSetters.at(write.property))(write.value);
}

void SetText(GeldTransfer& payment, const testing::TextWrite& write) {
  static const std::map<std::string_view, void (GeldTransfer::*)(std::string_view)> kSetters{
      {"BIC", &GeldTransfer::setBIC},
      {"BankLaenderCode", &GeldTransfer::setBankLaenderCode},
      {"Name", &GeldTransfer::setName},
      {"Vorname", &GeldTransfer::setVorname},
      {"Strasse", &GeldTransfer::setStrasse},
      {"OrtPLZ", &GeldTransfer::setOrtPLZ},
      {"IBAN", &GeldTransfer::setIBAN},
      {"Betrag", &GeldTransfer::setBetrag},
      {"Verwendungszweck1", &GeldTransfer::setVerwendungszweck1},
      {"Verwendungszweck2", &GeldTransfer::setVerwendungszweck2},
      {"Verwendungszweck3", &GeldTransfer::setVerwendungszweck3},
      {"Verwendungszweck4", &GeldTransfer::setVerwendungszweck4},
      {"WeisungsschluesselZusatz", &GeldTransfer::setWeisungsschluesselZusatz},
      {"Entgeltregelung", &GeldTransfer::setEntgeltregelung},
      {"VariableText", &GeldTransfer::setVariableText},
      {"Ansprechpartner", &GeldTransfer::setAnsprechpartner}};
  (payment.*kSetters.at(write.property))(write.value);
}

void SetCode(GeldTransfer& payment, const testing::CodeWrite& write) {
  const std::int32_t v = write.value;
  if (write.property == "Zahlungsart") return payment.setZahlungsart(static_cast<Zahlungsart>(v));
  if (write.property == "LaenderCode") return payment.setLaenderCode(static_cast<LaenderCodes>(v));
  const auto code = static_cast<Weisungsschluessel>(v);
  if (write.property == "Weisungsschluessel1") return payment.setWeisungsschluessel1(code);
  if (write.property == "Weisungsschluessel2") return payment.setWeisungsschluessel2(code);
  if (write.property == "Weisungsschluessel3") return payment.setWeisungsschluessel3(code);
  payment.setWeisungsschluessel4(code);
}

// Every property of the payment as read back, a failure noted in its place.
void ReadBack(const GeldTransfer& p, std::string& log) {
  const std::function<std::string()> readers[] = {
      [&] { return p.BIC(); },
      [&] { return p.BankLaenderCode(); },
      [&] { return std::to_string(static_cast<std::int32_t>(p.LaenderCode())); },
      [&] { return p.Name(); },
      [&] { return p.Vorname(); },
      [&] { return p.Strasse(); },
      [&] { return p.OrtPLZ(); },
      [&] { return p.IBAN(); },
      [&] { return p.Betrag(); },
      [&] { return p.BetragVorkomma(); },
      [&] { return p.Verwendungszweck1(); },
      [&] { return p.Verwendungszweck2(); },
      [&] { return p.Verwendungszweck3(); },
      [&] { return p.Verwendungszweck4(); },
      [&] { return std::to_string(static_cast<std::int32_t>(p.Weisungsschluessel1())); },
      [&] { return std::to_string(static_cast<std::int32_t>(p.Weisungsschluessel2())); },
      [&] { return std::to_string(static_cast<std::int32_t>(p.Weisungsschluessel3())); },
      [&] { return std::to_string(static_cast<std::int32_t>(p.Weisungsschluessel4())); },
      [&] { return p.WeisungsschluesselZusatz(); },
      [&] { return p.Entgeltregelung(); },
      [&] { return std::to_string(static_cast<std::int32_t>(p.Zahlungsart())); },
      [&] { return p.VariableText(); },
      [&] { return p.Ansprechpartner(); },
      [&] { return p.GenerateRecord(); },
  };
  for (const auto& read : readers) Attempt(log, [&] { log += read() + "\n"; });
}

// The batch's file with its sender and payments set, and what the host was
// told while setting them.
struct LoadedBatch {
  std::shared_ptr<MemoryFileService> files = std::make_shared<MemoryFileService>();
  std::unique_ptr<DtAzvDatei> file;
  std::vector<std::shared_ptr<GeldTransfer>> payments;
  std::string log;
};

LoadedBatch Load(const testing::Batch& batch) {
  LoadedBatch loaded;
  loaded.file = std::make_unique<DtAzvDatei>(loaded.files, testing::FixedToday(2026y / 12 / 8));
  DtAzvDatei& file = *loaded.file;
  file.setPfad(batch.pfad);
  file.setDiffFileName(batch.diff_file_name);
  for (const testing::TextWrite& write : batch.sender) SetSender(*file.GetMeineInfo(), write);
  for (const testing::RandomPayment& random : batch.payments) {
    auto payment = std::make_shared<GeldTransfer>();
    for (const testing::TextWrite& write : random.texts) SetText(*payment, write);
    for (const testing::CodeWrite& write : random.codes) {
      Attempt(loaded.log, [&] { SetCode(*payment, write); });
    }
    loaded.log += file.AddGeldTransfer(payment) + "\n";
    loaded.payments.push_back(payment);
  }
  return loaded;
}

std::string Written(const MemoryFileService& files) {
  std::string written;
  for (const auto& [path, bytes] : files.files()) written += path + "\n" + bytes + "\n";
  return written;
}

// One batch through Generate: "<result digest> <file digest>".
std::string RunBatch(const testing::Batch& batch) {
  testing::ScopedLocale locale(batch.comma_locale ? testing::CommaLocale().name
                                                  : testing::PointLocale().name);
  LoadedBatch loaded = Load(batch);
  DtAzvDatei& file = *loaded.file;
  std::string& log = loaded.log;

  // The name as the host left it, then the run's result: the recorded digests
  // take them in this order, whatever order a compiler gives the operands of +.
  const std::string name_as_set = file.DiffFileName();
  log += file.Generate() + "\n" + name_as_set + "\n";
  const MeineInfo& sender = *file.GetMeineInfo();
  log += sender.BLZ() + "\n" + sender.Kontonummer() + "\n" + sender.Name() + "\n" +
         sender.ExecutionDate() + "\n" + sender.GenerateRecord() + "\n";
  for (const auto& payment : loaded.payments) ReadBack(*payment, log);
  return Digest(log) + " " + Digest(Written(*loaded.files));
}

// One batch through GeneratePain001 at a fixed time and run id: "<result
// digest> <documents digest>", the result with the list of documents.
std::string RunPain001Batch(const testing::Batch& batch) {
  testing::ScopedLocale locale(batch.comma_locale ? testing::CommaLocale().name
                                                  : testing::PointLocale().name);
  LoadedBatch loaded = Load(batch);
  DtAzvDatei& file = *loaded.file;
  file.setPain001Sources([] { return std::chrono::local_days{2026y / 12 / 8} + 10h + 15min + 7s; },
                         [] { return std::string("CORPUSRUN234"); });
  std::string log = loaded.log;
  log += file.GeneratePain001() + "\n";
  log += file.Pain001Dateien() + "\n";
  return Digest(log) + " " + Digest(Written(*loaded.files));
}

// Compares the digests of a run with those recorded in `file_name` beside
// this test, or records them where `record_variable` names a file.
void ExpectAsRecorded(const std::string& digests, const char* file_name,
                      const char* record_variable) {
  if (const char* record = std::getenv(record_variable)) {
    std::ofstream(record, std::ios::binary) << digests;
    GTEST_SKIP() << "recorded the digests in " << record;
  }
  const std::filesystem::path path = std::filesystem::path(__FILE__).parent_path() / file_name;
  std::ifstream in(path, std::ios::binary);
  ASSERT_TRUE(in) << "no recorded digests at " << path;
  std::istringstream actual(digests);
  std::string expected_line;
  std::string actual_line;
  int differing = 0;
  while (std::getline(actual, actual_line)) {
    std::getline(in, expected_line);
    if (actual_line != expected_line && ++differing <= 10) {
      ADD_FAILURE() << "batch differs: expected " << expected_line << ", got " << actual_line;
    }
  }
  EXPECT_EQ(differing, 0);
  EXPECT_FALSE(std::getline(in, expected_line)) << "more digests recorded than batches run";
}

TEST(GenerateCorpus, WritesAndSaysWhatItDidBefore) {
  if (!testing::LocaleInstalled(testing::CommaLocale().name)) {
    GTEST_FAIL() << testing::CommaLocale().name << " is not installed";
  }
  testing::BatchGenerator generator(kSeed);
  std::ostringstream digests;
  for (int i = 1; i <= kBatches; ++i) digests << i << ' ' << RunBatch(generator.Next()) << '\n';
  ExpectAsRecorded(digests.str(), "generate_corpus.digests", "XKDTAZV_RECORD_DIGESTS");
}

TEST(GeneratePain001Corpus, WritesAndSaysWhatItDidBefore) {
  if (!testing::LocaleInstalled(testing::CommaLocale().name)) {
    GTEST_FAIL() << testing::CommaLocale().name << " is not installed";
  }
  testing::BatchGenerator generator(kSeed);
  std::ostringstream digests;
  for (int i = 1; i <= kBatches; ++i) {
    const testing::Batch batch = generator.Next();
    if (i % kPain001Every == 0) digests << i << ' ' << RunPain001Batch(batch) << '\n';
  }
  testing::BatchGenerator documents(kSeed + 1);
  for (int i = 1; i <= kDocumentBatches; ++i) {
    const std::size_t payments = i == kDocumentBatches ? kLargeBatch : 1 + i % 8;
    digests << "d" << i << ' ' << RunPain001Batch(documents.Documents(payments)) << '\n';
  }
  ExpectAsRecorded(digests.str(), "generate_pain001_corpus.digests",
                   "XKDTAZV_RECORD_PAIN001_DIGESTS");
}

// A file of several blocks holds every record as the record renders it, and
// the check for "FEHLER" sees the records of later blocks too.
TEST(GenerateBlocks, EveryRecordOfEveryBlockIsWrittenAndChecked) {
  testing::ScopedLocale locale(testing::CommaLocale().name);
  auto files = std::make_shared<MemoryFileService>();
  DtAzvDatei file(files, testing::FixedToday(2026y / 12 / 8));
  file.setPfad("out");
  file.GetMeineInfo()->setBLZ("37040044");
  file.GetMeineInfo()->setKontonummer("532013000");
  file.GetMeineInfo()->setName("Muster Maschinenbau GmbH");
  std::vector<std::shared_ptr<GeldTransfer>> payments;
  for (int i = 0; i < 3000; ++i) {
    auto payment = std::make_shared<GeldTransfer>();
    payment->setZahlungsart(Zahlungsart::EU_STANDART);
    payment->setLaenderCode(LaenderCodes::FRANKREICH);
    payment->setBIC("BNPAFRPP123");
    payment->setIBAN("FR763000600001123456789018900000AB");
    payment->setName(i % 2 ? "Fromagerie Dupont" : "M\xC3\xBCller \xE2\x82\xAC \xE6\xBC\xA2");
    payment->setBetrag("1,50");
    if (i == 2500) payment->setVerwendungszweck1("FEHLER");
    file.AddGeldTransfer(payment);
    payments.push_back(payment);
  }
  const std::string result = file.Generate();
  EXPECT_TRUE(result.ends_with("Im Ergebnistext wurden Fehler entdeckt!\r\n")) << result;

  const std::string& bytes = files->files().at("out/DTAZV");
  ASSERT_EQ(bytes.size(), 512u + 768u * payments.size());
  EXPECT_EQ(bytes.substr(0, 256), detail::ToWindows1252(file.GetMeineInfo()->GenerateRecord()));
  for (std::size_t i = 0; i < payments.size(); ++i) {
    ASSERT_EQ(bytes.substr(256 + 768 * i, 768),
              detail::ToWindows1252(payments[i]->GenerateRecord()))
        << "payment " << i + 1;
  }
  EXPECT_EQ(bytes.substr(bytes.size() - 256, 35), "0256Z000000000003000000000000003000");
}

}  // namespace
}  // namespace xkdtazv
