// Writes, through the C++ interface, the same file as the C host example and
// the Python host test, so that the three can be compared byte for byte.
//
//   xkdtazv_reference_writer OUTPUT_DIRECTORY
#include <iostream>
#include <memory>

#include "xkdtazv/xkdtazv.h"

namespace {

using xkdtazv::GeldTransfer;

std::shared_ptr<GeldTransfer> FirstPayment() {
  auto payment = std::make_shared<GeldTransfer>();
  payment->setZahlungsart(xkdtazv::Zahlungsart::EU_STANDART);
  payment->setLaenderCode(xkdtazv::LaenderCodes::FRANKREICH);
  payment->setBIC("BNPAFRPPXXX");
  payment->setIBAN("0000000FR7630006000011234567890189");
  payment->setName("Societe Generale");
  payment->setOrtPLZ("75009 Paris");
  payment->setBetrag("1250,50");
  payment->setVerwendungszweck1("Rechnung 4711");
  payment->setEntgeltregelung("00");
  return payment;
}

std::shared_ptr<GeldTransfer> SecondPayment() {
  auto payment = std::make_shared<GeldTransfer>();
  payment->setZahlungsart(xkdtazv::Zahlungsart::STANDARD);
  payment->setLaenderCode(xkdtazv::LaenderCodes::OESTERREICH);
  payment->setWeisungsschluessel1(xkdtazv::Weisungsschluessel::PHON);
  payment->setBIC("BKAUATWWXXX");
  payment->setIBAN("AT611904300234573201");
  payment->setName("Jörg Müller");
  payment->setStrasse("Ringstraße 1");
  payment->setOrtPLZ("1010 Wien");
  payment->setBetrag("99,90");
  payment->setVerwendungszweck1("Miete März");
  payment->setVerwendungszweck2("Zeichen: € ☃");
  payment->setAnsprechpartner("Frau Weiß");
  return payment;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: " << argv[0] << " OUTPUT_DIRECTORY\n";
    return 2;
  }
  xkdtazv::DtAzvDatei file;
  file.setPfad(argv[1]);
  file.setDiffFileName("DTAZV");
  auto sender = file.GetMeineInfo();
  sender->setBLZ("37040044");
  sender->setKontonummer("0532013000");
  sender->setName("Muster Export GmbH");
  sender->setStrasse("Hauptstrasse 5");
  sender->setOrtPLZ("50667 Koeln");
  file.AddGeldTransfer(FirstPayment());
  file.AddGeldTransfer(SecondPayment());
  std::cout << file.Generate() << '\n';
  return 0;
}
