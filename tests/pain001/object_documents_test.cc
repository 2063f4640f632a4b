// DtAzvDatei's own pain.001 documents: the new properties, whole runs against
// golden documents with a fixed clock and run id, and the two roads to the
// same documents (GeneratePain001 of the objects, and the converter on the
// file Generate writes of them).
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <memory>
#include <sstream>

#include "document_checks.h"
#include "xkdtazv/xkdtazv.h"

namespace xkdtazv::pain001 {
namespace {

using namespace checks;  // NOLINT: the helpers of every document test

std::unique_ptr<DtAzvDatei> NewFile(const std::string& dir) {
  auto file = std::make_unique<DtAzvDatei>(
      nullptr, [] { return std::chrono::year_month_day{std::chrono::year(2026) / 12 / 8}; });
  file->setPfad(dir);
  file->setPain001Sources(
      [] {
        return std::chrono::local_days{std::chrono::year(2026) / 12 / 8} + std::chrono::hours(10) +
               std::chrono::minutes(15);
      },
      [] { return std::string("TESTRUN00001"); });
  auto sender = file->GetMeineInfo();
  sender->setBLZ("37040044");
  sender->setKontonummer("0532013000");
  sender->setName("Schmidt Maschinenbau GmbH");
  sender->setStrasse("Industriestrasse 12");
  sender->setOrtPLZ("50667 Koeln");
  sender->setExecutionDate("261210");
  return file;
}

std::shared_ptr<GeldTransfer> Add(DtAzvDatei& file, Zahlungsart kind, std::string_view name,
                                  std::string_view betrag) {
  auto payment = std::make_shared<GeldTransfer>();
  payment->setZahlungsart(kind);
  payment->setName(name);
  payment->setBetrag(betrag);
  file.AddGeldTransfer(payment);
  return payment;
}

// The payments DTAZV can say: euro within the EU, urgent euro, a foreign
// payment with its charges code and instructions.
void DtazvPayments(DtAzvDatei& file) {
  auto sepa = Add(file, Zahlungsart::EU_STANDART, "Dupont et Fils SARL", "4250,00");
  sepa->setLaenderCode(LaenderCodes::FRANKREICH);
  sepa->setStrasse("12 Rue Victor Hugo");
  sepa->setOrtPLZ("69002 Lyon");
  sepa->setBIC("BNPAFRPPXXX");
  sepa->setIBAN("0000000FR7630006000011234567890189");
  sepa->setVerwendungszweck1("Rechnung FR-2024-0815");
  sepa->setVerwendungszweck2("Kunden-Nr. 40711");

  auto urgent = Add(file, Zahlungsart::EUE, "Van der Berg Logistiek B.V.", "980.25");
  urgent->setLaenderCode(LaenderCodes::NIEDERLANDE);
  urgent->setStrasse("Keizersgracht 100");
  urgent->setOrtPLZ("1015 CX Amsterdam");
  urgent->setBIC("ABNANL2AXXX");
  urgent->setIBAN("0000000000000000NL91ABNA0417164300");
  urgent->setVerwendungszweck1("Eilfracht Auftrag 5521");

  auto foreign = Add(file, Zahlungsart::STANDARD, "Kowalski Sp. z o.o.", "2310");
  foreign->setLaenderCode(LaenderCodes::POLEN);
  foreign->setStrasse("ul. Dluga 5");
  foreign->setOrtPLZ("00-238 Warszawa");
  foreign->setBIC("BREXPLPWXXX");
  foreign->setBankLaenderCode("PL");
  foreign->setIBAN("000000PL61109010140000071219812874");
  foreign->setWeisungsschluessel1(Weisungsschluessel::PHOB);
  foreign->setWeisungsschluessel2(Weisungsschluessel::INTC);
  foreign->setWeisungsschluesselZusatz("0048 22 5550123");
  foreign->setVerwendungszweck1("Rechnung PL/2024/0042");
}

// What only the new properties can say.
void ForeignCurrencies(DtAzvDatei& file) {
  auto sender = file.GetMeineInfo();
  sender->setIBAN("DE89370400440532013000");
  sender->setBIC("COBADEFFXXX");
  sender->setPLZ("50667");
  sender->setOrt("Köln");

  auto usd = Add(file, Zahlungsart::STANDARD, "Acme Tools Inc.", "12500,75");
  usd->setAuftragswaehrung("USD");
  usd->setLaenderISO("US");
  usd->setStrasse("350 Fifth Avenue");
  usd->setPLZ("10118");
  usd->setOrt("New York");
  usd->setEmpfaengerKonto("4567890123");
  usd->setClearingcode("USABA021000021");
  usd->setBankName("JPMorgan Chase Bank");
  usd->setBankOrtPLZ("New York");
  usd->setBankLaenderCode("US");
  usd->setEndToEndId("INV-2026-0042");
  usd->setVerwendungszweck1("Invoice 2026-0042");

  auto chf = Add(file, Zahlungsart::STANDARD, "Huber Präzision AG", "8400");
  chf->setAuftragswaehrung("CHF");
  chf->setLaenderISO("CH");
  chf->setStrasse("Bahnhofstrasse 45");
  chf->setOrtPLZ("8001 Zürich");
  chf->setIBAN("CH9300762011623852957");
  chf->setBIC("UBSWCHZH80A");
  chf->setVerwendungszweck1("Rechnung 7781");

  auto gbp = Add(file, Zahlungsart::STANDARD, "Smith & Sons Ltd", "1999,99");
  gbp->setAuftragswaehrung("GBP");
  gbp->setLaenderCode(LaenderCodes::GROSSBRITANIEN);
  gbp->setStrasse("1 Broad Street");
  gbp->setOrtPLZ("Bristol BS1 2EZ");
  gbp->setEmpfaengerKonto("31926819");
  gbp->setClearingcode("GBDSC 200415");
  gbp->setBankName("Barclays Bank");
  gbp->setBankOrtPLZ("London");
  gbp->setEntgeltregelung("0");
  gbp->setVerwendungszweck1("Order 55-12");

  auto jpy = Add(file, Zahlungsart::GRENZUEBERSCHREITEND, "Sato Shoji KK", "150000");
  jpy->setAuftragswaehrung("JPY");
  jpy->setLaenderISO("JP");
  jpy->setOrt("Tokyo");
  jpy->setIBAN("0012345678");
  jpy->setBIC("MHCBJPJT");
  jpy->setVerwendungszweck1("Lieferung 12");

  auto euro = Add(file, Zahlungsart::EU_STANDART, "Rossi Componenti S.r.l.", "6420,90");
  euro->setLaenderCode(LaenderCodes::ITALIEN);
  euro->setOrtPLZ("20121 Milano");
  euro->setIBAN("IT60X0542811101000000123456");
  euro->setEndToEndId("RE-7781");
}

// Every error at once: nothing is written.
void Errors(DtAzvDatei& file) {
  auto none = Add(file, Zahlungsart::EU_STANDART, "Ohne Konto", "10");
  none->setLaenderCode(LaenderCodes::FRANKREICH);
  none->setOrtPLZ("Paris");
  auto bad = Add(file, Zahlungsart::STANDARD, "Falsche Werte", "0");
  bad->setLaenderISO("USA");
  bad->setEmpfaengerKonto("1234");
  bad->setClearingcode("021000021");
  bad->setEndToEndId("/A//B");
  auto mils = Add(file, Zahlungsart::STANDARD, "Yen mit Cent", "12,50");
  mils->setAuftragswaehrung("JPY");
  mils->setLaenderISO("JP");
  mils->setOrt("Osaka");
  mils->setEmpfaengerKonto("778899");
  mils->setBIC("MHCBJPJT");
}

struct ObjectCase {
  std::string name;
  std::function<void(DtAzvDatei&)> fill;
};

const ObjectCase kObjectCases[] = {
    {"objects_dtazv_payments", DtazvPayments},
    {"objects_foreign_currencies", ForeignCurrencies},
    {"objects_errors", Errors},
};

std::string WithoutCr(std::string text) {
  text.erase(std::remove(text.begin(), text.end(), '\r'), text.end());
  return text;
}

class ObjectDocumentTest : public ::testing::TestWithParam<ObjectCase> {};

TEST_P(ObjectDocumentTest, MatchesGoldenAndPassesTheSchema) {
  Scratch dir;
  auto file = NewFile(dir.path());
  GetParam().fill(*file);
  std::string text = WithoutCr(file->GeneratePain001());
  std::istringstream listed(file->Pain001Dateien());
  std::vector<std::string> paths;
  for (std::string path; std::getline(listed, path);) paths.push_back(path);
  for (const std::string& path : paths) {
    text += "=== " + path.substr(dir.path().size() + 1) + "\n" + ReadAll(path);
    EXPECT_FALSE(PaymentLines(path).empty()) << path;
  }
  ExpectMatchesGolden(text, GetParam().name + ".txt");

  std::vector<std::string> present;
  for (const auto& entry : std::filesystem::directory_iterator(dir.path()))
    present.push_back(entry.path().string());
  std::sort(present.begin(), present.end());
  EXPECT_EQ(present, paths);
}

INSTANTIATE_TEST_SUITE_P(Runs, ObjectDocumentTest, ::testing::ValuesIn(kObjectCases),
                         [](const auto& info) { return info.param.name; });

// The documents' bytes, in the order written.
std::vector<std::string> Documents(const std::string& listing) {
  std::istringstream lines(listing);
  std::vector<std::string> documents;
  for (std::string path; std::getline(lines, path);) documents.push_back(ReadAll(path));
  return documents;
}

// GeneratePain001 of the objects and the converter on Generate's file of the
// same objects give the same documents, byte for byte, whichever runs first;
// and neither changes what the other writes.
TEST(ObjectDocumentTest, BothRoadsGiveTheSameDocuments) {
  Scratch dir;
  auto file = NewFile(dir.path());
  DtazvPayments(*file);
  const std::string first = file->GeneratePain001();
  const std::vector<std::string> before = Documents(file->Pain001Dateien());
  ASSERT_EQ(before.size(), 3u) << first;

  ASSERT_EQ(file->Generate(), "SUCCESS");
  const std::string dtazv = ReadAll(dir.path() + "/DTAZV");
  std::filesystem::remove(dir.path() + "/DTAZV");
  EXPECT_EQ(file->GeneratePain001(), first);
  EXPECT_EQ(Documents(file->Pain001Dateien()), before);

  Scratch converted;
  const Conversion conversion =
      ConvertDtazv(dtazv, {"DTAZV", converted.path(), {}, {}}, FixedServices());
  ASSERT_FALSE(conversion.failure);
  std::vector<std::string> after;
  for (const WrittenDocument& document : conversion.documents)
    after.push_back(ReadAll(document.path));
  EXPECT_EQ(after, before);
}

// Each new property: empty until written, then what was written, invalid
// bytes made U+FFFD; none of them changes the DTAZV record.
struct TextProperty {
  std::string name;
  std::function<std::string(const GeldTransfer&, const MeineInfo&)> get;
  std::function<void(GeldTransfer&, MeineInfo&, std::string_view)> set;
};

#define XKDTAZV_GT(Name)                                                                         \
  {                                                                                              \
#Name, [](const GeldTransfer& t,                                                             \
              const MeineInfo&) { return t.Name(); }, [](GeldTransfer & t, MeineInfo&,           \
                                                         std::string_view v) { t.set##Name(v); } \
  }
#define XKDTAZV_MI(Name)                                                                  \
  {                                                                                       \
    "MeineInfo." #Name, [](const GeldTransfer&, const MeineInfo& m) { return m.Name(); }, \
        [](GeldTransfer&, MeineInfo& m, std::string_view v) { m.set##Name(v); }           \
  }

const TextProperty kProperties[] = {
    XKDTAZV_GT(Auftragswaehrung),
    XKDTAZV_GT(LaenderISO),
    XKDTAZV_GT(EmpfaengerKonto),
    XKDTAZV_GT(Clearingcode),
    XKDTAZV_GT(BankName),
    XKDTAZV_GT(BankOrtPLZ),
    XKDTAZV_GT(PLZ),
    XKDTAZV_GT(Ort),
    XKDTAZV_GT(EndToEndId),
    XKDTAZV_MI(IBAN),
    XKDTAZV_MI(BIC),
    XKDTAZV_MI(Waehrung),
    XKDTAZV_MI(PLZ),
    XKDTAZV_MI(Ort),
    XKDTAZV_MI(LaenderISO),
};

#undef XKDTAZV_GT
#undef XKDTAZV_MI

TEST(DocumentPropertyTest, EmptyUntilWrittenThenKeptApartFromTheRecord) {
  for (const TextProperty& property : kProperties) {
    SCOPED_TRACE(property.name);
    GeldTransfer transfer;
    MeineInfo sender([] { return std::chrono::year_month_day{std::chrono::year(2026) / 12 / 8}; });
    const std::string record = transfer.GenerateRecord() + sender.GenerateRecord();
    EXPECT_EQ(property.get(transfer, sender), "");
    property.set(transfer, sender, "Zürich 8001");
    EXPECT_EQ(property.get(transfer, sender), "Zürich 8001");
    property.set(transfer, sender, "A\xff");
    EXPECT_EQ(property.get(transfer, sender), "A\xEF\xBF\xBD");
    EXPECT_EQ(transfer.GenerateRecord() + sender.GenerateRecord(), record);
  }
}

}  // namespace
}  // namespace xkdtazv::pain001
