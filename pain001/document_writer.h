// Writes one pain.001.001.09 document for a planned set of payments, element
// by element in the order the ISO schema gives, streaming through XmlWriter.
//
//   DocumentIds ids{"K3F9Q2ZT7A1B-20261208101500-01", "K3F9Q2ZT7A1B-01", "2026-12-08T10:15:00"};
//   WriteDocument(plan, view.initiating_party, ids, xml);
#ifndef XKDTAZV_PAIN001_DOCUMENT_WRITER_H_
#define XKDTAZV_PAIN001_DOCUMENT_WRITER_H_

#include <string>

#include "pain001/document_plan.h"
#include "payment_order/payment_order.h"
#include "xml/xml_writer.h"

namespace xkdtazv::pain001 {

inline constexpr std::string_view kNamespace = "urn:iso:std:iso:20022:tech:xsd:pain.001.001.09";
inline constexpr std::string_view kNotProvided = "NOTPROVIDED";

struct DocumentIds {
  std::string message_id;       // unique per document, at most 35 characters
  std::string block_id_prefix;  // the blocks' ids are this, "-" and their number
  std::string creation_time;    // ISO date and time, such as "2026-12-08T10:15:00"
};

void WriteDocument(const DocumentPlan& plan, const payment::Party& initiating_party,
                   const DocumentIds& ids, xml::XmlWriter& xml);

}  // namespace xkdtazv::pain001

#endif  // XKDTAZV_PAIN001_DOCUMENT_WRITER_H_
