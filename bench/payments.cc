#include "payments.h"

#include <nlohmann/json.hpp>

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
  const char* kind_name;  // the names a batch uses
  const char* country_name;
};

constexpr std::array<Supplier, 4> kSuppliers{{
    {"Fromagerie Dupont SA", "75001 Paris", LaenderCodes::FRANKREICH, "BNPAFRPP123",
     "FR7630006000011234567890189", Zahlungsart::EU_STANDART, "EU_STANDART", "FRANKREICH"},
    {"Holzbau Oehlinger GmbH", "4020 Linz", LaenderCodes::OESTERREICH, "RZOOAT2L123",
     "AT611904300234573201", Zahlungsart::EUE, "EUE", "OESTERREICH"},
    {"Van der Berg Logistiek BV", "3011 Rotterdam", LaenderCodes::NIEDERLANDE, "ABNANL2A123",
     "NL91ABNA0417164300", Zahlungsart::EU_STANDART, "EU_STANDART", "NIEDERLANDE"},
    {"Ceramiche Rossi Srl", "41042 Fiorano", LaenderCodes::ITALIEN, "BCITITMM123",
     "IT60X0542811101000000123456", Zahlungsart::STANDARD, "STANDARD", "ITALIEN"},
}};

std::string Amount(std::size_t i) {
  return std::to_string(100 + i % 9000) + ",5" + std::to_string(i % 10);
}

std::string Purpose(std::size_t i) { return "Rechnung " + std::to_string(20260000 + i); }

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
    payment->setBetrag(Amount(i));
    payment->setVerwendungszweck1(Purpose(i));
    payment->setVerwendungszweck2("Kunde 4711");
    file.AddGeldTransfer(std::move(payment));
  }
}

std::string BatchJson(const std::string& directory, const std::string& name, std::size_t count) {
  nlohmann::ordered_json batch = {{"Pfad", directory},
                                  {"DiffFileName", name},
                                  {"MeineInfo",
                                   {{"BLZ", "37040044"},
                                    {"Kontonummer", "0532013000"},
                                    {"Name", "Muster Maschinenbau GmbH"},
                                    {"Strasse", "Industriestrasse 12"},
                                    {"OrtPLZ", "50667 Koeln"}}}};
  nlohmann::ordered_json& transfers = batch["GeldTransfer"] = nlohmann::ordered_json::array();
  for (std::size_t i = 0; i < count; ++i) {
    const Supplier& supplier = kSuppliers[i % kSuppliers.size()];
    transfers.push_back({{"Zahlungsart", supplier.kind_name},
                         {"LaenderCode", supplier.country_name},
                         {"BIC", supplier.bic},
                         {"IBAN", supplier.iban},
                         {"Name", supplier.name},
                         {"OrtPLZ", supplier.city},
                         {"Betrag", Amount(i)},
                         {"Verwendungszweck1", Purpose(i)},
                         {"Verwendungszweck2", "Kunde 4711"}});
  }
  return batch.dump(2) + "\n";
}

}  // namespace xkdtazv::bench
