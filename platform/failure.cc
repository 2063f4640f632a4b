#include "xkdtazv/failure.h"

#include <array>
#include <utility>

namespace xkdtazv {
namespace {

struct FailureEntry {
  FailureCode code;
  std::string_view description;
};

// The whole scheme in one table: every failure the component can report.
constexpr std::array kFailures{
    FailureEntry{FailureCode::kInvalidArgument,
                 "Unzulässiger Prozeduraufruf oder ungültiges Argument"},
    FailureEntry{FailureCode::kOverflow, "Überlauf"},
    FailureEntry{FailureCode::kOutOfMemory, "Nicht genügend Speicher"},
    FailureEntry{FailureCode::kOutOfRange, "Index außerhalb des gültigen Bereichs"},
    FailureEntry{FailureCode::kTypeMismatch, "Typen unverträglich"},
    FailureEntry{FailureCode::kInternal, "Interner Fehler"},
    FailureEntry{FailureCode::kBadFileName, "Dateiname oder -nummer falsch"},
    FailureEntry{FailureCode::kFileNotFound, "Datei nicht gefunden"},
    FailureEntry{FailureCode::kIoError, "Fehler beim Lesen/Schreiben"},
    FailureEntry{FailureCode::kDiskFull, "Datenträger voll"},
    FailureEntry{FailureCode::kPermissionDenied, "Zugriff verweigert"},
    FailureEntry{FailureCode::kPathNotFound, "Pfad nicht gefunden"},
    FailureEntry{FailureCode::kObjectNotSet, "Objektverweis nicht festgelegt"},
    FailureEntry{FailureCode::kWrongThread,
                 "Aufruf aus einem anderen Thread als dem, der das Objekt erzeugt hat"},
};

}  // namespace

std::string_view DescriptionOf(FailureCode code) noexcept {
  for (const auto& entry : kFailures) {
    if (entry.code == code) return entry.description;
  }
  return "Unbekannter Fehler";
}

Failure::Failure(FailureCode code) : Failure(code, std::string(DescriptionOf(code))) {}

Failure::Failure(FailureCode code, std::string description)
    : code_(code), description_(std::move(description)) {}

}  // namespace xkdtazv
