// Holds `inspect` to every rule the DTAZV standard states: a file generated
// from the shipped example (transliterated, so that it is sound) is spoilt by
// one byte, one run of bytes or one record at a time, and each mutation must
// trigger the rule it is tagged with.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "command_runner.h"
#include "inspect/inspection.h"

namespace xkdtazv::cli {
namespace {

using testing::ExamplePath;
using testing::ReadFileOrEmpty;
using testing::RunXkdtazv;
using testing::Scratch;

// Records of the generated file: Q, five payments (France, Austria, the
// Netherlands as EUE, Poland as a general payment, Italy), Z.
constexpr std::size_t kHeader = 1;
constexpr std::size_t kEuStandard = 2;
constexpr std::size_t kEue = 4;
constexpr std::size_t kGeneral = 5;
constexpr std::size_t kTrailer = 7;

class Records {
 public:
  explicit Records(const std::string& bytes) {
    for (std::size_t at = 0; at < bytes.size();) {
      const std::size_t length = bytes[at + 4] == 'T' ? 768 : 256;
      records_.push_back(bytes.substr(at, length));
      at += length;
    }
  }
  // Overwrites bytes of record `record` (1-based) from `position` (1-based).
  void Put(std::size_t record, std::size_t position, std::string_view bytes) {
    records_.at(record - 1).replace(position - 1, bytes.size(), bytes);
  }
  std::vector<std::string>& list() { return records_; }
  std::string Bytes() const {
    std::string bytes;
    for (const std::string& record : records_) bytes += record;
    return bytes;
  }

 private:
  std::vector<std::string> records_;
};

class InspectMutationTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    Scratch dir;
    dir.Write("payments.json", ReadFileOrEmpty(ExamplePath("payments.json")));
    dir.MakeDirectory("out");
    RunXkdtazv({"generate", "payments.json", "--out", "out", "--transliterate"}, dir);
    generated_ = new std::string(dir.Read("out/DTAZV"));
  }
  static void TearDownTestSuite() { delete generated_; }

  static const std::string* generated_;
};
const std::string* InspectMutationTest::generated_ = nullptr;

struct Mutation {
  std::string rule;  // the field it must be reported at; "record" or "file" for structure
  std::function<void(Records&)> mutate;
};

Mutation Byte(std::string rule, std::size_t record, std::size_t position, std::string bytes) {
  return {std::move(rule), [=](Records& r) { r.Put(record, position, bytes); }};
}

bool Triggers(const std::vector<Finding>& findings, const std::string& rule) {
  for (const Finding& finding : findings) {
    if (rule == "file"     ? finding.record == 0
        : rule == "record" ? finding.record != 0 && finding.field_id.empty()
                           : finding.field_id == rule) {
      return true;
    }
  }
  return false;
}

TEST_F(InspectMutationTest, EveryMutationTriggersItsRule) {
  ASSERT_TRUE(Inspect(*generated_).sound()) << "the generated file must be sound to begin with";
  const std::vector<Mutation> mutations = {
      // One byte.
      Byte("Q1", kHeader, 4, "5"),               // record length
      Byte("Q3", kHeader, 13, "X"),              // digits only
      Byte("Q5.1", kHeader, 25, "c"),            // character set
      Byte("Q9", kHeader, 178, "X"),             // J or N
      Byte("Q12", kHeader, 200, "X"),            // reserve: blanks
      Byte("T3", kEuStandard, 6, "A"),           // digits only
      Byte("T4a", kEuStandard, 16, "1"),         // a currency: three letters
      Byte("T4a", kGeneral, 16, " "),            // a currency: three letters
      Byte("T7a", kGeneral, 42, "4"),            // a currency: three letters
      Byte("T7a", kEuStandard, 41, "E"),         // must be blank in EU standard payments
      Byte("T8", kEuStandard, 56, "1"),          // BIC form
      Byte("T9a", kGeneral, 67, "X"),            // country code, third position blank
      Byte("T10a", kEuStandard, 208, "1"),       // country code
      Byte("T10b.1", kEuStandard, 212, "\xC4"),  // character set (Windows-1252 Ä)
      Byte("T12", kEuStandard, 440, "9"),        // IBAN check digits
      Byte("T13", kEuStandard, 458, "1"),        // a currency: three letters
      Byte("T13", kGeneral, 456, "e"),           // a currency: three letters
      Byte("T14a", kEuStandard, 462, "9"),       // at most 50000 EUR
      Byte("T14b", kEuStandard, 474, "X"),       // digits only
      Byte("T16", kGeneral, 616, "98"),          // instruction code list
      Byte("T21", kGeneral, 650, "1"),           // EEA: only 00
      Byte("T21", kGeneral, 650, "5"),           // 00, 01 or 02
      Byte("T22", kEuStandard, 652, "9"),        // payment kinds
      Byte("T25", kEuStandard, 715, "2"),        // 0 or 1
      Byte("T26", kEuStandard, 740, "X"),        // reserve: blanks
      Byte("Z3", kTrailer, 20, "1"),             // sum of the amounts
      Byte("Z4", kTrailer, 35, "6"),             // number of payments
      Byte("Z5", kTrailer, 100, "X"),            // reserve: blanks
      Byte("record", kEue, 5, "X"),              // record type
      // One run of bytes.
      Byte("Q6", kHeader, 164, "241301"),                   // a real date
      Byte("Q8", kHeader, 172, "000000"),                   // a real date
      Byte("T5", kEuStandard, 27, "991231"),                // at most 15 days after Q6
      Byte("T8", kEue, 54, "           "),                  // EUE needs a BIC
      Byte("T10b.2", kEuStandard, 246, " ABC"),             // left-aligned
      Byte("T11", kEuStandard, 351, "ORDER"),               // only cheques
      Byte("T12", kEuStandard, 421, std::string(35, ' ')),  // EU standard needs the IBAN
      Byte("T14a", kEuStandard, 459, "00000000000000"),     // amount zero
      Byte("T24", kEuStandard, 680, "INVF12"),              // INVF, Bundesland, Firmennummer
      Byte("T8", kGeneral, 651, "20"),                      // a cheque names no bank
      // One record.
      {"file", [](Records& r) { r.list().pop_back(); }},                // no Z record
      {"record", [](Records& r) { r.list().push_back(r.list()[0]); }},  // Q after Z
      {"record", [](Records& r) { r.list()[2].pop_back(); }},           // short record
      {"record",
       [](Records& r) {
         r.list().insert(r.list().begin() + 2, 9, "0256W" + std::string(251, ' '));
       }},  // more than 8 V and W records
      {"Z4", [](Records& r) { r.list().erase(r.list().begin() + 2); }},  // a payment lost
  };
  for (const Mutation& mutation : mutations) {
    Records records(*generated_);
    mutation.mutate(records);
    const Inspection inspection = Inspect(records.Bytes());
    EXPECT_NE(records.Bytes(), *generated_);
    EXPECT_TRUE(Triggers(inspection.findings, mutation.rule))
        << "rule " << mutation.rule << " not reported; findings: " << inspection.findings.size();
  }
}

}  // namespace
}  // namespace xkdtazv::cli
