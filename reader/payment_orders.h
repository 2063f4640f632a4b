// Builds the neutral view of the payment orders in a DTAZV file: one
// PaymentOrder per T record, read by the Bundesbank's meaning of each field.
// What cannot be read, and what has no counterpart outside DTAZV (reports for
// the Bundesbank, unknown bank addresses), goes into the findings. The view
// refers to the bytes the file was read from: keep them while it is used.
//
//   DtazvFile file = ReadDtazv(bytes);
//   Findings findings;
//   payment::PaymentFile view = ReadPaymentOrders(file, findings);
#ifndef XKDTAZV_READER_PAYMENT_ORDERS_H_
#define XKDTAZV_READER_PAYMENT_ORDERS_H_

#include "payment_order/finding.h"
#include "payment_order/payment_order.h"
#include "reader/dtazv_reader.h"

namespace xkdtazv::cli {

// Never throws for any file the reader returns.
payment::PaymentFile ReadPaymentOrders(const DtazvFile& file, payment::Findings& findings);

}  // namespace xkdtazv::cli

#endif  // XKDTAZV_READER_PAYMENT_ORDERS_H_
