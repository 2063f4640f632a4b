// What every test of written pain.001 documents needs: a scratch folder, a
// fixed clock and run id, golden files, the acceptance schema, and each
// document's payments read back as lines comparable with the view's.
#ifndef XKDTAZV_TESTS_PAIN001_DOCUMENT_CHECKS_H_
#define XKDTAZV_TESTS_PAIN001_DOCUMENT_CHECKS_H_

#include <libxml/tree.h>

#include <string>
#include <vector>

#include "pain001/converter.h"
#include "payment_order/payment_order.h"

namespace xkdtazv::pain001::checks {

// A fresh folder, removed with everything in it at the end of the scope.
class Scratch {
 public:
  Scratch();
  ~Scratch();
  const std::string& path() const { return path_; }

 private:
  std::string path_;
};

// 2026-12-08 10:15:00 and run id "TESTRUN00001".
ConversionServices FixedServices();

std::string ReadAll(const std::string& path);
// The golden text of a run: findings, then each document under its name.
std::string RunText(const Conversion& conversion, const std::string& dir);
// XKDTAZV_UPDATE_GOLDEN=1 rewrites the golden file instead.
void ExpectMatchesGolden(const std::string& actual, const std::string& name);
bool ValidAgainstSchema(xmlDoc* document);
// One payment as a line of what a bank acts on.
std::string PaymentLine(const payment::PaymentOrder& o);
// The same lines for every payment of a written document, which must pass the schema.
std::vector<std::string> PaymentLines(const std::string& path);

}  // namespace xkdtazv::pain001::checks

#endif  // XKDTAZV_TESTS_PAIN001_DOCUMENT_CHECKS_H_
