// The Z record that closes every DTAZV file: the control totals, the sum of
// the payments' integer amounts and the number of payments. Internal to the
// file object.
#ifndef XKDTAZV_RECORDS_FOOTER_H_
#define XKDTAZV_RECORDS_FOOTER_H_

#include <string>
#include <string_view>
#include <vector>

#include "field/dtazv_field.h"

namespace xkdtazv::detail {

class Footer {
 public:
  Footer();

  std::string TotalBetrag() const;
  void setTotalBetrag(std::string_view value);
  std::string TotalTransactions() const;
  void setTotalTransactions(std::string_view value);

  // The 256-character Z record, or a text beginning "FEHLER:".
  std::string GenerateRecord() const;
  // "SUCCESS", the findings (each ending in CR LF), or a text beginning "FEHLER:".
  std::string Validate() const;

 private:
  std::vector<DtAzvField> fields_;
};

}  // namespace xkdtazv::detail

#endif  // XKDTAZV_RECORDS_FOOTER_H_
