// One thing a bank would reject in a DTAZV file, located as precisely as the
// file allows: the record, the field, its positions.
#ifndef XKDTAZV_INSPECT_FINDING_H_
#define XKDTAZV_INSPECT_FINDING_H_

#include <cstddef>
#include <string>

namespace xkdtazv::cli {

struct Finding {
  std::size_t record = 0;   // 1-based index of the record in the file; 0: the file as a whole
  char record_type = '\0';  // the byte at position 5 of that record
  std::size_t payment = 0;  // the record's number among the T records; 0 for other records
  std::string field_id;     // handbook number such as "T12"; empty: the record as a whole
  std::string field_name;
  std::size_t first = 0;  // positions of the field within the record
  std::size_t last = 0;
  std::string message;  // what is wrong, in one sentence, UTF-8
};

}  // namespace xkdtazv::cli

#endif  // XKDTAZV_INSPECT_FINDING_H_
