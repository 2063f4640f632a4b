// What the fields of a DTAZV payment mean in the neutral view of a payment
// order, by the Bundesbank's meaning of each: payment kinds, charges,
// instruction codes, the payee's account and bank identifier. Shared by the
// reader of DTAZV files and by the component's own objects when they write
// pain.001, so that both roads map a payment alike. The texts they are given
// as `payment::Text` must live as long as the view; what they build goes into
// the view's store.
//
//   ApplyPaymentKind("13", order, view.texts, findings);  // kEuStandard
//   ApplyInstructionCodes({"02", "", "", ""}, "CALL", order, view.texts, findings);
#ifndef XKDTAZV_READER_FIELD_MEANING_H_
#define XKDTAZV_READER_FIELD_MEANING_H_

#include <array>
#include <chrono>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "payment_order/finding.h"
#include "payment_order/payment_order.h"
#include "payment_order/town_line.h"

namespace xkdtazv::cli {

// The bank address DTAZV writes where none is known.
inline constexpr std::string_view kUnknownBank = "UNBEKANNT";

// The kind of the payment from its code; an unknown code makes a general
// payment, with a warning.
void ApplyPaymentKind(std::string_view code, payment::PaymentOrder& order,
                      payment::TextStore& texts, payment::Findings& findings);

// The charge bearer from the charges code; `shown` is the code as messages quote it.
void ApplyChargesCode(std::string_view code, std::string_view shown, payment::PaymentOrder& order,
                      payment::TextStore& texts, payment::Findings& findings);

// Up to four instruction codes ("" or "00" for none) and their additional text.
void ApplyInstructionCodes(const std::array<std::string_view, 4>& codes, payment::Text extra,
                           payment::PaymentOrder& order, payment::TextStore& texts,
                           payment::Findings& findings);

// The payee's account as DTAZV holds it: an IBAN, possibly behind a "/" and
// padded with zeros, or any other account number.
payment::Account CreditorAccountOf(payment::Text account);

// The payee bank's identifier: "///" and a German bank code, a BIC, or
// another identification.
void ApplyBankIdentifier(payment::Text id, payment::Agent& agent);

// A street and a town line as a structured address: the postal code split
// off the line by the rule of the country; where no rule finds one, the whole
// line becomes the town, with a warning. `whose` names the party in it.
payment::PostalAddress AddressOf(payment::Text street, payment::Text town_line,
                                 payment::Text country, std::size_t payment, std::string_view whose,
                                 payment::TownLineSplitter& splitter, payment::Findings& findings);

// Dates as DTAZV writes them, JJMMTT; years 00 to 79 are 2000 to 2079.
std::optional<std::chrono::year_month_day> ShortDate(std::string_view text);

// Lines that continue each other: a full line of 35 characters runs on into
// the next without a blank, as a cut word does. A single line is its own join.
payment::Text JoinLines(std::initializer_list<payment::Text> lines, payment::TextStore& texts);

}  // namespace xkdtazv::cli

#endif  // XKDTAZV_READER_FIELD_MEANING_H_
