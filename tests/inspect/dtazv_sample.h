// A sound DTAZV file written out by hand, position by position, for tests to
// spoil one field at a time: a Q record created and executed on 15 January
// 2024, an EU standard payment to France, a general payment to Poland and the
// Z record.
//
//   DtazvSample sample;
//   sample.Put(2, 421, "/FR00");        // record 2 (the first T), position 421
//   Inspect(sample.Bytes());
#ifndef XKDTAZV_TESTS_TOOLS_DTAZV_SAMPLE_H_
#define XKDTAZV_TESTS_TOOLS_DTAZV_SAMPLE_H_

#include <string>
#include <string_view>
#include <vector>

namespace xkdtazv::cli::testing {

class DtazvSample {
 public:
  DtazvSample();

  // Overwrites bytes of record `record` (1-based) from `position` (1-based).
  void Put(std::size_t record, std::size_t position, std::string_view bytes);
  std::vector<std::string>& records() { return records_; }
  std::string Bytes() const;

  // A payment record as the sample writes them; `kind` is the Zahlungsart.
  static std::string Payment(std::string_view name, std::string_view country, std::string_view bic,
                             std::string_view iban, std::string_view whole, std::string_view kind);
  static std::string Trailer(std::string_view total, std::string_view count);

 private:
  std::vector<std::string> records_;
};

}  // namespace xkdtazv::cli::testing

#endif  // XKDTAZV_TESTS_TOOLS_DTAZV_SAMPLE_H_
