// Converts a DTAZV file into the pain.001.001.09 documents banks take instead:
// reads the payments into the neutral view, prepares and checks every one,
// and only when no error remains writes one document per order type. Each
// document appears complete or not at all, under a name no earlier run can
// have used:
//
//   <source>-<yyyymmdd>-<hhmmss>-<run id>-<nn>-<order type>.xml
//
//   ConversionServices services = SystemConversionServices();
//   Conversion result = ConvertDtazv(bytes, {"DTAZV", "/srv/out"}, services);
//   for (const WrittenDocument& d : result.documents) std::cout << d.path;
#ifndef XKDTAZV_PAIN001_CONVERTER_H_
#define XKDTAZV_PAIN001_CONVERTER_H_

#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "pain001/order_type.h"
#include "payment_order/finding.h"
#include "payment_order/payment_order.h"
#include "platform/file_service.h"

namespace xkdtazv::pain001 {

struct ConversionOptions {
  std::string source_name;  // the DTAZV file's name; the documents' names begin with it
  std::string out_dir;
  // The real account and bank of a file with one debit account, where the
  // standard German IBAN rule does not give it or no BIC is known.
  std::optional<std::string> debtor_iban;
  std::optional<std::string> debtor_bic;
};

struct LocalDateTime {
  std::chrono::year_month_day date;
  int hour = 0;
  int minute = 0;
  int second = 0;
};

struct ConversionServices {
  std::shared_ptr<detail::FileService> files;
  std::function<LocalDateTime()> now;
  // Twelve capitals and digits, different in every run of every process.
  std::function<std::string()> new_run_id;
};

// The local clock, random run ids and the POSIX file service.
ConversionServices SystemConversionServices();

struct WrittenDocument {
  std::string path;
  OrderType type = OrderType::kAxz;
  std::size_t payments = 0;
  std::string control_sum;
};

struct Conversion {
  payment::Findings findings;
  std::vector<WrittenDocument> documents;  // exactly the files this run wrote
  std::optional<std::string> failure;      // the run failed: nothing was written
};

// Prepares, checks and writes the documents of payments already in the
// neutral view, after the findings of building it; `options.debtor_iban` and
// `options.debtor_bic` are not used here.
Conversion WritePaymentFile(payment::PaymentFile& view, payment::Findings findings,
                            const ConversionOptions& options, const ConversionServices& services);

Conversion ConvertDtazv(std::string_view bytes, const ConversionOptions& options,
                        const ConversionServices& services);

}  // namespace xkdtazv::pain001

#endif  // XKDTAZV_PAIN001_CONVERTER_H_
