#include "payments.h"

#include <array>

namespace xkdtazv::bench {
namespace {

struct Supplier {
  const char* name;
  const char* city;
  LaenderCodes country;
  const char* bic;
  const char* iban;
  Zahlungsart kind;
};

constexpr std::array<Supplier, 4> kSuppliers{{
    {"Fromagerie Dupont SA", "75001 Paris", LaenderCodes::FRANKREICH, "BNPAFRPP123",
     "FR7630006000011234567890189", Zahlungsart::EU_STANDART},
    {"Holzbau Oehlinger GmbH", "4020 Linz", LaenderCodes::OESTERREICH, "RZOOAT2L123",
     "AT611904300234573201", Zahlungsart::EUE},
    {"Van der Berg Logistiek BV", "3011 Rotterdam", LaenderCodes::NIEDERLANDE, "ABNANL2A123",
     "NL91ABNA0417164300", Zahlungsart::EU_STANDART},
    {"Ceramiche Rossi Srl", "41042 Fiorano", LaenderCodes::ITALIEN, "BCITITMM123",
     "IT60X0542811101000000123456", Zahlungsart::STANDARD},
}};

}  // namespace

std::unique_ptr<DtAzvDatei> MakeFile(const std::string& directory) {
  auto file = std::make_unique<DtAzvDatei>();
  file->setPfad(directory);
  file->setDiffFileName("DTAZV.BENCH");
  auto sender = file->GetMeineInfo();
  sender->setBLZ("37040044");
  sender->setKontonummer("0532013000");
  sender->setName("Muster Maschinenbau GmbH");
  sender->setStrasse("Industriestrasse 12");
  sender->setOrtPLZ("50667 Koeln");
  return file;
}

void AddPayments(DtAzvDatei& file, std::size_t count) {
  for (std::size_t i = 0; i < count; ++i) {
    const Supplier& supplier = kSuppliers[i % kSuppliers.size()];
    auto payment = std::make_shared<GeldTransfer>();
    payment->setZahlungsart(supplier.kind);
    payment->setLaenderCode(supplier.country);
    payment->setBIC(supplier.bic);
    // Zeros before the IBAN fill the 34 places the record has for it.
    const std::string iban = supplier.iban;
    payment->setIBAN(std::string(34 - iban.size(), '0') + iban);
    payment->setName(supplier.name);
    payment->setOrtPLZ(supplier.city);
    payment->setBetrag(std::to_string(100 + i % 9000) + ",5" + std::to_string(i % 10));
    payment->setVerwendungszweck1("Rechnung " + std::to_string(20260000 + i));
    payment->setVerwendungszweck2("Kunde 4711");
    file.AddGeldTransfer(std::move(payment));
  }
}

}  // namespace xkdtazv::bench
