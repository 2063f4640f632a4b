// A program outside the project: writes one payment through the installed library.
#include <xkdtazv/xkdtazv.h>

#include <filesystem>
#include <iostream>

int main(int argc, char** argv) {
  if (argc < 2) return 2;
  xkdtazv::DtAzvDatei file;
  file.setPfad(argv[1]);
  auto sender = file.GetMeineInfo();
  sender->setBLZ("37040044");
  sender->setKontonummer("532013000");
  sender->setName("Muster GmbH");
  auto payment = std::make_shared<xkdtazv::GeldTransfer>();
  payment->setZahlungsart(xkdtazv::Zahlungsart::EU_STANDART);
  payment->setLaenderCode(xkdtazv::ToLaenderCode(xkdtazv::AllowedEULaenderCodes::FRANKREICH));
  payment->setBIC("BNPAFRPP123");
  payment->setIBAN("FR763000600001123456789018900000AB");
  payment->setBetrag("99.90");
  file.AddGeldTransfer(payment);
  const std::string result = file.Generate();
  std::cout << result << " " << XKDTAZV_VERSION_STRING << "\n";
  const auto size = std::filesystem::file_size(std::filesystem::path(argv[1]) / "DTAZV");
  return result == "SUCCESS" && size == 512 + 768 ? 0 : 1;
}
