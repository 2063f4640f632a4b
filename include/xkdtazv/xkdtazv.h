// XKDTAZV writes DTAZV files: the fixed-width format in which German companies
// hand foreign and cross-border credit transfers to their bank.
//
//   #include <xkdtazv/xkdtazv.h>
//
//   xkdtazv::DtAzvDatei file;
//   file.setPfad("/tmp");
//   auto sender = file.GetMeineInfo();
//   sender->setBLZ("12345678");
//   sender->setKontonummer("1234567890");
//   auto payment = std::make_shared<xkdtazv::GeldTransfer>();
//   payment->setBetrag("99,90");
//   file.AddGeldTransfer(payment);
//   std::cout << file.Generate();
#ifndef XKDTAZV_XKDTAZV_H_
#define XKDTAZV_XKDTAZV_H_

#include "xkdtazv/codes.h"
#include "xkdtazv/dtazv_datei.h"
#include "xkdtazv/failure.h"
#include "xkdtazv/geld_transfer.h"
#include "xkdtazv/meine_info.h"
#include "xkdtazv/version.h"

#endif  // XKDTAZV_XKDTAZV_H_
