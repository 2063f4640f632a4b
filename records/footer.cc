#include "records/footer.h"

#include <array>

#include "platform/failure_text.h"
#include "platform/number.h"
#include "records/record_layout.h"
#include "xkdtazv/failure.h"

namespace xkdtazv::detail {
namespace {

enum Z : std::size_t { kSatzlaenge, kSatzart, kTotalBetrag, kTotalTransactions, kReserve };

constexpr std::array<FieldSpec, 5> kLayout{{
    {"Satzlaenge", 4, kFillZeros, Align::kRight, "0256"},
    {"Satzart", 1, kFillSpaces, Align::kLeft, "Z"},
    {"TotalBetrag", 15, kFillZeros, Align::kRight, ""},
    {"TotalTransactions", 15, kFillZeros, Align::kRight, ""},
    {"Reserve", 221, kFillSpaces, Align::kLeft, ""},
}};
static_assert(RecordLength(kLayout) == 256);

}  // namespace

Footer::Footer() : fields_(kLayout) {}

std::string Footer::TotalBetrag() const { return std::string(fields_.Get(kTotalBetrag)); }
void Footer::setTotalBetrag(std::string_view value) { fields_.Set(kTotalBetrag, value); }
std::string Footer::TotalTransactions() const {
  return std::string(fields_.Get(kTotalTransactions));
}
void Footer::setTotalTransactions(std::string_view value) {
  fields_.Set(kTotalTransactions, value);
}

void Footer::AppendRecord(std::string& out, const Windows1252Encoder& encoder) const {
  detail::AppendRecord(kLayout, fields_, encoder, out);
}

std::string Footer::GenerateRecord() const {
  try {
    return RenderRecord(kLayout, fields_);
  } catch (const Failure& failure) {
    return FailureText("FEHLER: Generierung vom Footer fehlgeschlagen!", failure);
  }
}

std::string Footer::Validate() const {
  try {
    Findings findings;
    if (ToNumber(TotalBetrag()) <= 0) findings.Add("Fehler: Gesamtbetrag ist kleiner/gleich Null!");
    if (ToInt16(TotalTransactions()) <= 0) {
      findings.Add("Fehler: Gesamtanzahl der Transaktionen ist kleiner/gleich Null!");
    }
    return findings.Result();
  } catch (const Failure& failure) {
    return FailureText("FEHLER: Validierung fehlgeschlagen!", failure);
  }
}

}  // namespace xkdtazv::detail
