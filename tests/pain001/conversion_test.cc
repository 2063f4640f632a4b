// DTAZV files of every shape the format can express, converted with a fixed
// clock and run id and compared byte for byte with golden documents; each
// document is then read back, held against the acceptance schema, and its
// payments compared with the view they came from.
#include <gtest/gtest.h>
#include <libxml/parser.h>
#include <libxml/xmlschemas.h>
#include <libxml/xpath.h>
#include <libxml/xpathInternals.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <sstream>

#include "document_checks.h"
#include "dtazv_sample.h"
#include "file/faulty_file_service.h"
#include "pain001/converter.h"
#include "pain001/document_writer.h"
#include "pain001/order_type.h"
#include "pain001/swift_latin.h"
#include "pain001/validation.h"
#include "payment_order/amount.h"
#include "reader/payment_orders.h"
#include "reader/record_tables.h"
#include "xkdtazv/failure.h"

namespace xkdtazv::pain001 {
namespace {

using cli::testing::DtazvSample;
using namespace checks;  // NOLINT: the helpers of every document test

// Writes `value` into field `id` of record `record`, filled as DTAZV fills it.
void Set(DtazvSample& sample, std::size_t record, std::string_view id, std::string_view value) {
  const char type = sample.records().at(record - 1)[4];
  const cli::FieldSpec& field = *cli::FindField(*cli::FindRecordSpec(type), id);
  std::string text(value.substr(0, field.length));
  if (field.format == cli::FieldFormat::kNumeric) {
    text = std::string(field.length - text.size(), '0') + text;
  } else {
    text += std::string(field.length - text.size(), ' ');
  }
  sample.Put(record, field.first, text);
}

// Adds a payment (a copy of the sample's second) before the trailer and keeps
// the trailer's totals right.
std::size_t AddPayment(DtazvSample& sample) {
  auto& records = sample.records();
  records.insert(records.end() - 1, records.at(2));
  return records.size() - 1;
}

void FixTrailer(DtazvSample& sample) {
  if (sample.records().back()[4] != 'Z') return;
  std::size_t count = 0;
  unsigned long long total = 0;
  for (const std::string& record : sample.records()) {
    if (record[4] != 'T') continue;
    ++count;
    total += std::stoull(record.substr(458, 14));
  }
  sample.records().back() = DtazvSample::Trailer(std::to_string(total), std::to_string(count));
}

// The sample with towns that carry postal codes: the base of every case.
DtazvSample Base() {
  DtazvSample sample;
  Set(sample, 2, "T10b.4", "69002 LYON");
  Set(sample, 3, "T10b.4", "00-514 WARSZAWA");
  Set(sample, 3, "T10b.3", "UL. MARSZALKOWSKA 1");
  return sample;
}

struct ConversionCase {
  std::string name;
  std::function<void(DtazvSample&)> shape;
};

const ConversionCase kCases[] = {
    {"sepa_and_foreign", [](DtazvSample&) {}},
    {"several_debit_accounts",
     [](DtazvSample& s) {
       const std::size_t second = AddPayment(s);
       Set(s, second, "T3", "50010517");
       Set(s, second, "T4b", "123456789");
       const std::size_t later = AddPayment(s);
       Set(s, later, "T5", "240119");
       Set(s, later, "T23", "EIGENE REF 7");
     }},
    {"currencies_without_cents_and_with_mils",
     [](DtazvSample& s) {
       Set(s, 3, "T13", "JPY");
       Set(s, 3, "T14a", "150000");
       Set(s, 3, "T14b", "000");
       Set(s, 3, "T10a", "JP");
       Set(s, 3, "T10b.4", "TOKYO 104-0061");
       Set(s, 3, "T8", "BOTKJPJTXXX");
       Set(s, 3, "T12", "/1234567");
       Set(s, 3, "T21", "01");
       const std::size_t kwd = AddPayment(s);
       Set(s, kwd, "T13", "KWD");
       Set(s, kwd, "T14a", "12");
       Set(s, kwd, "T14b", "125");
       Set(s, kwd, "T10a", "KW");
       Set(s, kwd, "T10b.4", "KUWAIT CITY");
       Set(s, kwd, "T8", "NBOKKWKWXXX");
       Set(s, kwd, "T12", "KW81CBKU0000000000001234560101");
       const std::size_t equivalent = AddPayment(s);
       Set(s, equivalent, "T13", "USD");
       Set(s, equivalent, "T19", "91");
       Set(s, equivalent, "T10a", "US");
       Set(s, equivalent, "T10b.4", "NEW YORK NY 10001");
       Set(s, equivalent, "T8", "CHASUS33XXX");
       Set(s, equivalent, "T12", "/000123456789");
       Set(s, equivalent, "T21", "02");
     }},
    {"account_numbers_and_bank_addresses",
     [](DtazvSample& s) {
       Set(s, 3, "T8", "");
       Set(s, 3, "T9a", "US");
       Set(s, 3, "T9b.1", "FIRST EXAMPLE BANK");
       Set(s, 3, "T9b.3", "1 MAIN STREET");
       Set(s, 3, "T9b.4", "SPRINGFIELD IL 62701");
       Set(s, 3, "T10a", "US");
       Set(s, 3, "T10b.4", "SPRINGFIELD IL 62704");
       Set(s, 3, "T12", "/987654321");
       Set(s, 3, "T13", "USD");
       const std::size_t german = AddPayment(s);
       Set(s, german, "T8", "///50010517");
       Set(s, german, "T10a", "DE");
       Set(s, german, "T10b.4", "60311 FRANKFURT AM MAIN");
       Set(s, german, "T12", "/000000000000DE41500105170123456789");
       Set(s, german, "T13", "USD");
     }},
    {"charges_account_and_instructions",
     [](DtazvSample& s) {
       Set(s, 3, "T6", "37040044");
       Set(s, 3, "T7a", "EUR");
       Set(s, 3, "T7b", "532013001");
       Set(s, 3, "T10a", "CH");
       Set(s, 3, "T10b.4", "8001 ZUERICH");
       Set(s, 3, "T8", "UBSWCHZH80A");
       Set(s, 3, "T12", "CH9300762011623852957");
       Set(s, 3, "T13", "CHF");
       Set(s, 3, "T16", "04");
       Set(s, 3, "T17", "11");
       Set(s, 3, "T18", "06");
       Set(s, 3, "T20", "TEL 0041 44 5550100");
       Set(s, 3, "T21", "01");
       Set(s, 3, "T22", "10");
     }},
    {"reports_and_unknown_bank",
     [](DtazvSample& s) {
       auto& records = s.records();
       records.insert(records.begin() + 3, "0256V" + std::string(251, ' '));
       records.insert(records.begin() + 4, "0256W" + std::string(251, ' '));
       Set(s, 3, "T8", "");
       Set(s, 3, "T9b.1", "UNBEKANNT");
       Set(s, 3, "T10b.4", "WARSZAWA");
     }},
    {"urgent_euro_and_transliteration",
     [](DtazvSample& s) {
       Set(s, 2, "T22", "11");
       Set(s, 2, "T10b.1", "M\xDCLLER & S\xD6HNE GMBH");
       Set(s, 2, "T10a", "AT");
       Set(s, 2, "T10b.4", "A-6300 W\xD6RGL");
       Set(s, 2, "T12", "/00000000000000AT611904300234573201");
       Set(s, 2, "T15.1", "RECHNUNG 4711 VOM 12.01.");
       Set(s, 2, "T15.2", "UND 4712");
     }},
    {"incomplete_file_is_refused", [](DtazvSample& s) { s.records().pop_back(); }},
    {"cheques_are_refused", [](DtazvSample& s) { Set(s, 3, "T22", "20"); }},
    {"errors_are_all_reported",
     [](DtazvSample& s) {
       Set(s, 2, "T12", "/FR7630006000011234567890180");
       Set(s, 2, "T13", "USD");
       Set(s, 3, "T14a", "0");
       Set(s, 3, "T14b", "000");
       Set(s, 3, "T10b.4", "");
       Set(s, 3, "T10b.1", "KOWALSKI @ SYN");
       Set(s, 3, "T21", "01");
       const std::size_t jpy = AddPayment(s);
       Set(s, jpy, "T13", "JPY");
       Set(s, jpy, "T14b", "500");
       Set(s, jpy, "T10a", "JP");
       Set(s, jpy, "T10b.4", "TOKYO");
     }},
};

class ConversionTest : public ::testing::TestWithParam<ConversionCase> {};

TEST_P(ConversionTest, MatchesGoldenAndReadsBackAsItsView) {
  DtazvSample sample = Base();
  GetParam().shape(sample);
  FixTrailer(sample);
  const std::string bytes = sample.Bytes();
  Scratch dir;
  const Conversion conversion = ConvertDtazv(bytes, {"DTAZV", dir.path(), {}, {}}, FixedServices());
  ASSERT_FALSE(conversion.failure) << *conversion.failure;
  ExpectMatchesGolden(RunText(conversion, dir.path()), GetParam().name + ".txt");
  // The input too, for the command's end-to-end run over the same shapes.
  ExpectMatchesGolden(bytes, GetParam().name + ".dtazv");

  // Nothing is written when an error remains; otherwise exactly the listed files.
  std::vector<std::string> listed;
  for (const auto& document : conversion.documents) listed.push_back(document.path);
  std::vector<std::string> present;
  for (const auto& entry : std::filesystem::directory_iterator(dir.path()))
    present.push_back(entry.path().string());
  std::sort(present.begin(), present.end());
  EXPECT_EQ(present, listed);
  EXPECT_EQ(conversion.findings.HasErrors(), listed.empty());

  // The view the documents came from, prepared the same way.
  payment::Findings findings;
  payment::PaymentFile view = cli::ReadPaymentOrders(cli::ReadDtazv(bytes), findings);
  const SwiftLatin latin;
  PrepareAndValidate(view, latin, findings);
  for (const WrittenDocument& document : conversion.documents) {
    SCOPED_TRACE(document.path);
    std::vector<std::string> expected;
    for (const auto& order : view.orders) {
      if (OrderTypeOf(order.kind) == document.type) expected.push_back(PaymentLine(order));
    }
    std::vector<std::string> written = PaymentLines(document.path);
    std::sort(expected.begin(), expected.end());
    std::sort(written.begin(), written.end());
    EXPECT_EQ(written, expected);
    EXPECT_EQ(written.size(), document.payments);
  }
}

INSTANTIATE_TEST_SUITE_P(Shapes, ConversionTest, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return info.param.name; });

// Every file operation of a run fails in turn: each run ends in success or
// in the failure, and a failed run leaves no document and no temporary file.
TEST(ConversionOutputTest, AFailedRunLeavesNoFileBehind) {
  DtazvSample sample = Base();
  for (int fail_at = 1;; ++fail_at) {
    SCOPED_TRACE(fail_at);
    Scratch dir;
    ConversionServices services = FixedServices();
    auto files = std::make_shared<testing::FaultyFileService>(fail_at, FailureCode::kDiskFull);
    services.files = files;
    const Conversion conversion =
        ConvertDtazv(sample.Bytes(), {"DTAZV", dir.path(), {}, {}}, services);
    if (!conversion.failure) {
      EXPECT_EQ(conversion.documents.size(), 2u);
      EXPECT_GT(fail_at, 2);
      break;
    }
    EXPECT_EQ(*conversion.failure, DescriptionOf(FailureCode::kDiskFull));
    EXPECT_TRUE(conversion.documents.empty());
    EXPECT_TRUE(std::filesystem::is_empty(dir.path()));
  }
}

}  // namespace
}  // namespace xkdtazv::pain001
