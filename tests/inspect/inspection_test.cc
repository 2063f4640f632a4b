#include "inspect/inspection.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "dtazv_sample.h"
#include "inspect/inspect_report.h"

namespace xkdtazv::cli {
namespace {

using testing::DtazvSample;

std::vector<std::string> FindingLines(const std::string& bytes) {
  std::vector<std::string> lines;
  for (const Finding& finding : Inspect(bytes).findings) lines.push_back(FindingLine(finding));
  return lines;
}

struct SpoiltField {
  std::string name;
  std::function<void(DtazvSample&)> spoil;
  std::vector<std::string> findings;
};

// Record 1 is the Q record, 2 an EU standard payment to France, 3 a general
// payment to Poland, 4 the Z record.
const std::vector<SpoiltField>& SpoiltFields() {
  static const std::vector<SpoiltField> cases = {
      {"SoundSample", [](DtazvSample&) {}, {}},
      {"BankCodeOnlyZeros",
       [](DtazvSample& s) { s.Put(1, 6, "00000000"); },
       {"record 1 (Q), Q3 BLZ, positions 6-13: mandatory field holds only zeros"}},
      {"SenderNameBlank",
       [](DtazvSample& s) { s.Put(1, 24, std::string(35, ' ')); },
       {"record 1 (Q), Q5.1 Name, positions 24-58: mandatory field is blank"}},
      {"LowerCaseLetter",
       [](DtazvSample& s) { s.Put(1, 25, "u"); },
       {"record 1 (Q), Q5.1 Name, positions 24-58: holds \"u\" at position 25: DTAZV allows A-Z, "
        "0-9, blank and . , & - / + * $ %"}},
      {"UmlautInWindows1252",
       [](DtazvSample& s) { s.Put(3, 212, "\xDC"); },
       {"record 3 (T, payment 2), T10b.1 Name, positions 211-245: holds \"\xC3\x9C\" at position "
        "212: DTAZV allows A-Z, 0-9, blank and . , & - / + * $ %"}},
      {"ControlByteShownEscaped",
       [](DtazvSample& s) { s.Put(3, 290, "\r"); },
       {"record 3 (T, payment 2), T10b.3 Strasse, positions 281-315: holds \"\\x0D\" at position "
        "290: DTAZV allows A-Z, 0-9, blank and . , & - / + * $ %"}},
      {"UndefinedByteShownEscaped",
       [](DtazvSample& s) { s.Put(3, 213, "\x81"); },
       {"record 3 (T, payment 2), T10b.1 Name, positions 211-245: holds \"\\x81\" at position "
        "213: DTAZV allows A-Z, 0-9, blank and . , & - / + * $ %"}},
      {"TextNotLeftAligned",
       [](DtazvSample& s) { s.Put(1, 94, " HAUPTSTR. 1"); },
       {"record 1 (Q), Q5.3 Strasse, positions 94-128: \" HAUPTSTR. 1\" is not left-aligned: the "
        "text begins with a blank"}},
      {"LetterInNumericField",
       [](DtazvSample& s) { s.Put(2, 20, "O"); },
       {"record 2 (T, payment 1), T4b Kontonummer, positions 17-26: holds \"053O013000\": a "
        "numeric "
        "field takes digits only"}},
      {"CreationDateNotReal",
       [](DtazvSample& s) { s.Put(1, 164, "240230"); },
       {"record 1 (Q), Q6 Erstellungsdatum, positions 164-169: \"240230\" is not a real date "
        "(JJMMTT)"}},
      {"ExecutionDateSixteenDaysAhead",
       [](DtazvSample& s) { s.Put(1, 172, "240131"); },
       {"record 1 (Q), Q8 ExecutionDate, positions 172-177: execution date 240131 lies 16 days "
        "after the creation date 240115 (Q6); at most 15 are allowed",
        // The payments keep the earlier date, which now lies before Q8.
        "record 2 (T, payment 1), T5 ExecutionDate, positions 27-32: execution date 240115 lies "
        "before the file's execution date 240131 (Q8)",
        "record 3 (T, payment 2), T5 ExecutionDate, positions 27-32: execution date 240115 lies "
        "before the file's execution date 240131 (Q8)"}},
      {"ExecutionDateBeforeCreation",
       [](DtazvSample& s) {
         s.Put(1, 172, "240114");
         s.Put(2, 27, "000000");
         s.Put(3, 27, "000000");
       },
       {"record 1 (Q), Q8 ExecutionDate, positions 172-177: execution date 240114 lies before the "
        "creation date 240115 (Q6)"}},
      {"PaymentDateFifteenDaysAheadPasses", [](DtazvSample& s) { s.Put(2, 27, "240130"); }, {}},
      {"PaymentDateSixteenDaysAhead",
       [](DtazvSample& s) { s.Put(2, 27, "240131"); },
       {"record 2 (T, payment 1), T5 ExecutionDate, positions 27-32: execution date 240131 lies 16 "
        "days after the creation date 240115 (Q6); at most 15 are allowed"}},
      {"ReportFlagNeitherJNorN",
       [](DtazvSample& s) { s.Put(1, 178, "X"); },
       {"record 1 (Q), Q9 Meldeweiterleitung, position 178: holds \"X\", allowed are J, N"}},
      {"EuStandardWithoutIban",
       [](DtazvSample& s) { s.Put(2, 421, std::string(35, ' ')); },
       {"record 2 (T, payment 1), T12 IBAN, positions 421-455: an EU standard payment (Zahlungsart "
        "13) needs the payee's IBAN"}},
      {"IbanCheckDigitsWrong",
       [](DtazvSample& s) { s.Put(3, 430, "62"); },
       {"record 3 (T, payment 2), T12 IBAN, positions 421-455: the check digits of IBAN "
        "PL62109010140000071219812874 do not hold"}},
      {"EuStandardIbanWithBlanks",
       [](DtazvSample& s) { s.Put(2, 421, "/FR76 3000 6000 0112 3456 7890 189 "); },
       {"record 2 (T, payment 1), T12 IBAN, positions 421-455: \"/FR76 3000 6000 0112 3456 7890 "
        "189\" is not an IBAN: two letters, two check digits, then up to 30 letters or digits "
        "without blanks"}},
      {"EuStandardBicMalformed",
       [](DtazvSample& s) { s.Put(2, 54, "BNP1FRPPXXX"); },
       {"record 2 (T, payment 1), T8 BIC, positions 54-64: \"BNP1FRPPXXX\" is not a BIC: 4 letters "
        "for the bank, 2 for the country, 2 letters or digits for the location, optionally 3 for "
        "the branch"}},
      {"EuStandardInDollars",
       [](DtazvSample& s) { s.Put(2, 456, "USD"); },
       {"record 2 (T, payment 1), T13 Auftragswaehrung, positions 456-458: an EU standard payment "
        "(Zahlungsart 13) is made in euro; the order currency is \"USD\""}},
      {"EuStandardAboveCeiling",
       [](DtazvSample& s) {
         s.Put(2, 459, "00000000050000");
         s.Put(2, 473, "010");
         s.Put(4, 6, "000000000052000");
       },
       {"record 2 (T, payment 1), T14a BetragVorkomma, positions 459-472: an EU standard payment "
        "(Zahlungsart 13) may carry at most 50000.00 EUR; this one carries 50000.01"}},
      {"EuStandardFeesByPayer",
       [](DtazvSample& s) { s.Put(2, 649, "01"); },
       {"record 2 (T, payment 1), T21 Entgeltregelung, positions 649-650: an EU standard payment "
        "(Zahlungsart 13) takes Entgeltregelung 00 only; the field holds \"01\""}},
      {"FeesCodeUnknown",
       [](DtazvSample& s) { s.Put(3, 649, "03"); },
       {"record 3 (T, payment 2), T21 Entgeltregelung, positions 649-650: holds \"03\", allowed "
        "are 00, 01, 02"}},
      {"ZeroAmount",
       [](DtazvSample& s) {
         s.Put(3, 459, "00000000000000");
         s.Put(3, 473, "000");
         s.Put(4, 6, "000000000001500");
       },
       {"record 3 (T, payment 2), T14a BetragVorkomma, positions 459-472: the amount is zero"}},
      {"GeneralPaymentWithShortBankCode",
       [](DtazvSample& s) { s.Put(3, 54, "///1234567 "); },
       {"record 3 (T, payment 2), T8 BIC, positions 54-64: \"///1234567\" is not three slashes "
        "followed by an 8-digit BLZ",
        "record 3 (T, payment 2), T9b.1 BankAnschrift1, positions 68-102: the address of the "
        "payee's bank is mandatory when T8 holds neither a BIC nor a BLZ (\"UNBEKANNT\" when it "
        "is not known)"}},
      {"GeneralPaymentWithoutBankAtAll",
       [](DtazvSample& s) { s.Put(3, 54, std::string(11, ' ')); },
       {"record 3 (T, payment 2), T9b.1 BankAnschrift1, positions 68-102: the address of the "
        "payee's bank is mandatory when T8 holds neither a BIC nor a BLZ (\"UNBEKANNT\" when it "
        "is not known)"}},
      {"OrderNoteOnTransfer",
       [](DtazvSample& s) { s.Put(3, 351, "AN DIE ORDER"); },
       {"record 3 (T, payment 2), T11 Ordervermerk, positions 351-420: only cheques (Zahlungsart "
        "20 to 23 and 30 to 33) carry an Ordervermerk; the field holds \"AN DIE ORDER\""}},
      {"ChequeWithBankAndInstruction",
       [](DtazvSample& s) {
         s.Put(3, 651, "20");
         s.Put(3, 616, "04");
       },
       {"record 3 (T, payment 2), T8 BIC, positions 54-64: a cheque (Zahlungsart 20) names no "
        "bank of the payee; the field holds \"BREXPLPWXXX\"",
        "record 3 (T, payment 2), T16 Weisungsschluessel1, positions 616-617: a cheque "
        "(Zahlungsart 20) carries no instruction code here; the field holds \"04\""}},
      {"UnknownPaymentKindAndInstructionCodes",
       [](DtazvSample& s) {
         s.Put(3, 651, "14");
         s.Put(3, 616, "03");
         s.Put(3, 622, "91");
         s.Put(3, 620, "91");
       },
       {"record 3 (T, payment 2), T16 Weisungsschluessel1, positions 616-617: holds \"03\", "
        "allowed are 00, 01, 02, 04, 06, 07, 09, 10, 11, 12",
        "record 3 (T, payment 2), T18 Weisungsschluessel3, positions 620-621: holds \"91\", "
        "allowed are 00, 01, 02, 04, 06, 07, 09, 10, 11, 12",
        "record 3 (T, payment 2), T22 Zahlungsart, positions 651-652: holds \"14\", allowed are "
        "00, 10, 11, 13, 15, 20, 21, 22, 23, 30, 31, 32, 33"}},
      {"CountryCodeOfThreeLetters",
       [](DtazvSample& s) { s.Put(3, 208, "POL"); },
       {"record 3 (T, payment 2), T10a LaenderCode, positions 208-210: \"POL\" is not a two-letter "
        "ISO country code followed by a blank"}},
      {"ReportingPartyIncomplete",
       [](DtazvSample& s) { s.Put(3, 680, "INVF0912345"); },
       {"record 3 (T, payment 2), T24 Ansprechpartner, positions 680-714: \"INVF0912345\" begins "
        "with INVF, so the Bundesland number (2 digits) and the Firmennummer or BLZ (8 digits) of "
        "the party obliged to report must follow, and nothing else"}},
      {"ControlTotalsWrong",
       [](DtazvSample& s) { s.records()[3] = DtazvSample::Trailer("3501", "3"); },
       {"record 4 (Z), Z3 TotalBetrag, positions 6-20: holds 3501, but the T14a fields of the 2 T "
        "records add up to 3500",
        "record 4 (Z), Z4 TotalTransactions, positions 21-35: holds 3, but the file has 2 T "
        "records"}},
      {"TrailerReserveFilled",
       [](DtazvSample& s) { s.Put(4, 200, "X"); },
       {"record 4 (Z), Z5 Reserve, positions 36-256: must not be filled, but holds \"" +
        std::string(164, ' ') + "X\""}},
      {"RecordLengthFieldWrong",
       [](DtazvSample& s) { s.Put(2, 1, "0767"); },
       {"record 2 (T, payment 1), T1 Satzlaenge, positions 1-4: holds \"0767\", a T record states "
        "its length as 0768"}},
  };
  return cases;
}

TEST(InspectionTest, ReportsEachSpoiltFieldWithRecordFieldAndPositions) {
  for (const SpoiltField& spoilt : SpoiltFields()) {
    SCOPED_TRACE(spoilt.name);
    DtazvSample sample;
    spoilt.spoil(sample);
    EXPECT_EQ(FindingLines(sample.Bytes()), spoilt.findings);
  }
}

struct BrokenFile {
  std::string name;
  std::function<std::string(DtazvSample&)> bytes;
  std::vector<std::string> findings;
};

TEST(InspectionTest, ReportsBrokenStructure) {
  const std::vector<BrokenFile> cases = {
      {"Truncated",
       [](DtazvSample& s) { return s.Bytes().substr(0, 1500); },
       {"record 3 (T, payment 2): the record is 476 bytes long, a T record has 768: the file ends "
        "inside it; its fields are not checked",
        "file: the file has no Z record at its end: it may be truncated"}},
      {"OneByteLost",
       [](DtazvSample& s) {
         const std::string bytes = s.Bytes();
         return bytes.substr(0, 600) + bytes.substr(601);
       },
       {"record 2 (T, payment 1): the record is 767 bytes long, a T record has 768; its fields are "
        "not checked"}},
      {"LineBreaksBetweenRecords",
       [](DtazvSample& s) {
         std::string bytes;
         for (const std::string& record : s.records()) bytes += record + "\r\n";
         return bytes;
       },
       {"record 1 (Q): the record is 258 bytes long, a Q record has 256; its fields are not "
        "checked",
        "record 2 (T, payment 1): the record is 770 bytes long, a T record has 768; its fields are "
        "not checked",
        "record 3 (T, payment 2): the record is 770 bytes long, a T record has 768; its fields are "
        "not checked",
        "record 4 (Z): the record is 258 bytes long, a Z record has 256; its fields are not "
        "checked"}},
      {"HeaderAfterPayment",
       [](DtazvSample& s) {
         std::swap(s.records()[0], s.records()[1]);
         return s.Bytes();
       },
       {"record 1 (T, payment 1): the file must begin with a Q record",
        "record 2 (Q): a Q record may stand only at the beginning"}},
      {"RecordAfterTrailer",
       [](DtazvSample& s) { return s.Bytes() + s.records()[2]; },
       {"record 5 (T, payment 3): the record stands after the Z record, which must close the "
        "file"}},
      {"ReportRecordAfterHeader",
       [](DtazvSample& s) {
         s.records().insert(s.records().begin() + 1, "0256V" + std::string(251, ' '));
         return s.Bytes();
       },
       {"record 2 (V): a V record may stand only after a T record or its V and W records"}},
      {"NineReportsAfterOnePayment",
       [](DtazvSample& s) {
         for (int i = 0; i < 9; ++i) {
           s.records().insert(s.records().begin() + 2, "0256W" + std::string(251, ' '));
         }
         return s.Bytes();
       },
       {"record 11 (W): more than 8 V and W records follow payment 1"}},
      {"UnknownRecordType",
       [](DtazvSample& s) {
         s.Put(3, 5, "X");
         return s.Bytes();
       },
       {"record 3 (X): record type \"X\" is unknown: DTAZV has Q, T, V, W and Z records"}},
      {"NoPayment",
       [](DtazvSample& s) { return s.records()[0] + DtazvSample::Trailer("0", "0"); },
       {"file: the file holds no payment: it has no T record"}},
      {"MorePaymentsThanXkdtazvWrites",
       [](DtazvSample& s) {
         std::string bytes = s.records()[0];
         for (int i = 0; i < 32767; ++i) bytes += s.records()[1];
         return bytes + DtazvSample::Trailer("49150500", "32767");
       },
       {"file: the file holds 32767 payments: DTAZV allows that many, but XKDTAZV writes at most "
        "32766 in one file, so it did not write this one"}},
      {"TrailingBytes",
       [](DtazvSample& s) { return s.Bytes() + "\x1A"; },
       {"record 4 (Z): the record is 257 bytes long, a Z record has 256; its fields are not "
        "checked"}},
  };
  for (const BrokenFile& broken : cases) {
    SCOPED_TRACE(broken.name);
    DtazvSample sample;
    EXPECT_EQ(FindingLines(broken.bytes(sample)), broken.findings);
  }
}

TEST(InspectionTest, SaysWhyBytesAreNoDtazvFile) {
  EXPECT_EQ(ReadDtazv("").unreadable_reason, "the file is empty");
  EXPECT_EQ(ReadDtazv("PK\x03\x04 zipped").unreadable_reason,
            "not a DTAZV file: it does not begin with a record length of four digits and a record "
            "type Q, T, V, W or Z (it begins with \"PK\\x03\\x04 zipped\")");
  EXPECT_FALSE(ReadDtazv("0256").readable);
  EXPECT_FALSE(ReadDtazv("0256q").readable);
  EXPECT_TRUE(ReadDtazv("0256Q").readable);
}

// Every cut and every lost byte of a sound file still reads, with findings.
TEST(InspectionTest, EveryPrefixAndEveryLostByteIsReadWithFindings) {
  const std::string bytes = DtazvSample().Bytes();
  for (std::size_t length = 5; length < bytes.size(); ++length) {
    const Inspection inspection = Inspect(bytes.substr(0, length));
    ASSERT_TRUE(inspection.file.readable) << length;
    ASSERT_FALSE(inspection.findings.empty()) << length;
  }
  for (std::size_t lost = 0; lost < bytes.size(); lost += 7) {
    const Inspection inspection = Inspect(bytes.substr(0, lost) + bytes.substr(lost + 1));
    ASSERT_FALSE(inspection.sound()) << lost;
  }
}

// Record starts that never line up must not make the search start over.
TEST(InspectionTest, ReadsLongRunsOfDamagedRecords) {
  std::string bytes = "0256Q";
  for (int i = 0; i < 100000; ++i) bytes += "0005a";
  const Inspection inspection = Inspect(bytes);
  EXPECT_TRUE(inspection.file.readable);
  EXPECT_FALSE(inspection.findings.empty());
}

}  // namespace
}  // namespace xkdtazv::cli
