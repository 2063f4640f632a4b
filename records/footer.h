// The Z record that closes every DTAZV file: the control totals, the sum of
// the payments' integer amounts and the number of payments. Internal to the
// file object.
#ifndef XKDTAZV_RECORDS_FOOTER_H_
#define XKDTAZV_RECORDS_FOOTER_H_

#include <string>
#include <string_view>

#include "records/record_values.h"

namespace xkdtazv::detail {

class Windows1252Encoder;

class Footer {
 public:
  Footer();

  std::string TotalBetrag() const;
  void setTotalBetrag(std::string_view value);
  std::string TotalTransactions() const;
  void setTotalTransactions(std::string_view value);

  // The 256-character Z record, or a text beginning "FEHLER:".
  std::string GenerateRecord() const;
  // False when a value is too long to be rendered.
  bool Renderable() const { return fields_.Renderable(); }
  // Appends the Z record in Windows-1252; throws its rendering failure.
  void AppendRecord(std::string& out, const Windows1252Encoder& encoder) const;
  // "SUCCESS", the findings (each ending in CR LF), or a text beginning "FEHLER:".
  std::string Validate() const;

 private:
  RecordValues fields_;
};

}  // namespace xkdtazv::detail

#endif  // XKDTAZV_RECORDS_FOOTER_H_
