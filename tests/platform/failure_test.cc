#include "xkdtazv/failure.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/failure_text.h"

namespace xkdtazv {
namespace {

struct SchemeCase {
  FailureCode code;
  int number;
  const char* description;
};

// The failure scheme as hosts see it: number and German description.
const SchemeCase kScheme[] = {
    {FailureCode::kInvalidArgument, 5, "Unzulässiger Prozeduraufruf oder ungültiges Argument"},
    {FailureCode::kOverflow, 6, "Überlauf"},
    {FailureCode::kOutOfMemory, 7, "Nicht genügend Speicher"},
    {FailureCode::kOutOfRange, 9, "Index außerhalb des gültigen Bereichs"},
    {FailureCode::kTypeMismatch, 13, "Typen unverträglich"},
    {FailureCode::kInternal, 51, "Interner Fehler"},
    {FailureCode::kBadFileName, 52, "Dateiname oder -nummer falsch"},
    {FailureCode::kFileNotFound, 53, "Datei nicht gefunden"},
    {FailureCode::kIoError, 57, "Fehler beim Lesen/Schreiben"},
    {FailureCode::kDiskFull, 61, "Datenträger voll"},
    {FailureCode::kPermissionDenied, 70, "Zugriff verweigert"},
    {FailureCode::kPathNotFound, 76, "Pfad nicht gefunden"},
    {FailureCode::kObjectNotSet, 91, "Objektverweis nicht festgelegt"},
    {FailureCode::kWrongThread, 92,
     "Aufruf aus einem anderen Thread als dem, der das Objekt erzeugt hat"},
};

TEST(Failure, EveryCodeCarriesItsNumberAndDescription) {
  for (const auto& c : kScheme) {
    SCOPED_TRACE(c.number);
    const Failure failure(c.code);
    EXPECT_EQ(failure.number(), c.number);
    EXPECT_EQ(failure.code(), c.code);
    EXPECT_EQ(failure.description(), c.description);
    EXPECT_STREQ(failure.what(), c.description);
    EXPECT_EQ(DescriptionOf(c.code), c.description);
  }
}

TEST(Failure, AnUnknownCodeHasADescriptionToo) {
  EXPECT_EQ(DescriptionOf(static_cast<FailureCode>(12345)), "Unbekannter Fehler");
}

TEST(Failure, ANamedDescriptionReplacesTheSchemeText) {
  const Failure failure(FailureCode::kIoError, "Schreiben abgebrochen");
  EXPECT_EQ(failure.number(), 57);
  EXPECT_EQ(failure.description(), "Schreiben abgebrochen");
}

TEST(FailureText, PutsHeadlineNumberAndDescriptionOnLinesEndingInCrLf) {
  EXPECT_EQ(detail::FailureText("FEHLER: Validierung fehlgeschlagen!",
                                Failure(FailureCode::kTypeMismatch)),
            "FEHLER: Validierung fehlgeschlagen!\r\n13\r\nTypen unverträglich\r\n");
}

TEST(Findings, EndEveryMessageWithCrLfOrReportSuccess) {
  detail::Findings findings;
  EXPECT_TRUE(findings.empty());
  EXPECT_EQ(findings.Result(), "SUCCESS");
  findings.Add("Fehler: A");
  findings.Add("Warnung: B");
  EXPECT_FALSE(findings.empty());
  EXPECT_EQ(findings.Result(), "Fehler: A\r\nWarnung: B\r\n");
}

}  // namespace
}  // namespace xkdtazv
