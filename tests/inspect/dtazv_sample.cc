#include "dtazv_sample.h"

#include <gtest/gtest.h>

#include <initializer_list>

namespace xkdtazv::cli::testing {
namespace {

std::string Text(std::string_view value, std::size_t width) {
  std::string text(value.substr(0, width));
  return text.append(width - text.size(), ' ');
}

std::string Number(std::string_view value, std::size_t width) {
  return std::string(width - value.size(), '0').append(value);
}

// The parts one after the other, as a record's fields follow each other.
std::string Joined(std::initializer_list<std::string_view> parts) {
  std::string joined;
  for (const std::string_view part : parts) joined += part;
  return joined;
}

}  // namespace

DtazvSample::DtazvSample() {
  records_.push_back(
      Joined({"0256Q", Number("37040044", 8), Number("532013000", 10), Text("MUSTER GMBH", 35),
              Text("", 35), Text("HAUPTSTR. 1", 35), Text("50667 KOELN", 35), "240115", "01",
              "240115", "N", "00", "00000000", Text("", 68)}));
  records_.push_back(Payment("DUPONT SARL", "FR", "BNPAFRPPXXX",
                             "0000000FR7630006000011234567890189", "1500", "13"));
  records_.push_back(Payment("KOWALSKI SP. Z O.O.", "PL", "BREXPLPWXXX",
                             "000000PL61109010140000071219812874", "2000", "00"));
  records_.push_back(Trailer("3500", "2"));
  EXPECT_EQ(Bytes().size(), 256u + 2 * 768 + 256);
}

std::string DtazvSample::Payment(std::string_view name, std::string_view country,
                                 std::string_view bic, std::string_view iban,
                                 std::string_view whole, std::string_view kind) {
  std::string record = Joined({"0768T",
                               Number("37040044", 8),
                               "EUR",
                               Number("532013000", 10),
                               "240115",
                               Number("", 8),
                               "   ",
                               Number("", 10),
                               Text(bic, 11),
                               Text("", 3),
                               Text("", 140),
                               Text(country, 3),
                               Text(name, 35),
                               Text("", 35),
                               Text("RUE 1", 35),
                               Text("CITY", 35),
                               Text("", 70),
                               Text(Joined({"/", iban}), 35),
                               "EUR",
                               Number(whole, 14),
                               "500",
                               Text("RECHNUNG 4711", 35),
                               Text("", 105),
                               "00000000",
                               Text("", 25),
                               "00",
                               kind,
                               Text("", 27),
                               Text("", 35),
                               "0",
                               Text("", 51),
                               "00"});
  EXPECT_EQ(record.size(), 768u);
  return record;
}

std::string DtazvSample::Trailer(std::string_view total, std::string_view count) {
  return Joined({"0256Z", Number(total, 15), Number(count, 15), Text("", 221)});
}

void DtazvSample::Put(std::size_t record, std::size_t position, std::string_view bytes) {
  records_.at(record - 1).replace(position - 1, bytes.size(), bytes);
}

std::string DtazvSample::Bytes() const {
  std::string bytes;
  for (const std::string& record : records_) bytes += record;
  return bytes;
}

}  // namespace xkdtazv::cli::testing
