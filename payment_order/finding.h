// What reading, checking or writing payment orders found, in German, in the
// component's manner: errors stop a document from being written, warnings
// say what was repaired, notes name what has no counterpart.
//
//   Findings findings;
//   findings.Error(3, "Die IBAN des Empfaengers ist ungueltig");
//   findings.list().front().Text();  // "Fehler: Zahlung 3: Die IBAN des Empfaengers ist
//   ungueltig!"
#ifndef XKDTAZV_PAYMENT_ORDER_FINDING_H_
#define XKDTAZV_PAYMENT_ORDER_FINDING_H_

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace xkdtazv::payment {

enum class Severity : std::int32_t { kError, kWarning, kNote };

struct Finding {
  Severity severity = Severity::kError;
  std::size_t payment = 0;  // 1-based number of the payment; 0 for the file as a whole
  std::string message;      // one sentence without its closing mark

  std::string Text() const {
    std::string text;
    AppendText(text);
    return text;
  }
  // The same text at the end of `out`: a report of many findings is built
  // without a string for each.
  void AppendText(std::string& out) const {
    static constexpr const char* kPrefixes[] = {"Fehler: ", "Warnung: ", "Hinweis: "};
    out += kPrefixes[static_cast<int>(severity)];
    if (payment != 0) {
      out += "Zahlung ";
      out += std::to_string(payment);
      out += ": ";
    }
    out += message;
    out += severity == Severity::kNote ? '.' : '!';
  }
};

class Findings {
 public:
  void Error(std::size_t payment, std::string message) {
    Add(Severity::kError, payment, std::move(message));
  }
  void Warning(std::size_t payment, std::string message) {
    Add(Severity::kWarning, payment, std::move(message));
  }
  void Note(std::size_t payment, std::string message) {
    Add(Severity::kNote, payment, std::move(message));
  }

  bool HasErrors() const noexcept {
    return std::any_of(list_.begin(), list_.end(),
                       [](const Finding& f) { return f.severity == Severity::kError; });
  }
  bool HasWarnings() const noexcept {
    return std::any_of(list_.begin(), list_.end(),
                       [](const Finding& f) { return f.severity == Severity::kWarning; });
  }
  const std::vector<Finding>& list() const noexcept { return list_; }
  std::vector<Finding>& list() noexcept { return list_; }

 private:
  void Add(Severity severity, std::size_t payment, std::string message) {
    list_.push_back({severity, payment, std::move(message)});
  }
  std::vector<Finding> list_;
};

}  // namespace xkdtazv::payment

#endif  // XKDTAZV_PAYMENT_ORDER_FINDING_H_
