#include "pain001/document_writer.h"

#include <array>
#include <cstdio>
#include <string_view>

#include "payment_order/amount.h"

namespace xkdtazv::pain001 {
namespace {

using payment::PaymentOrder;
using payment::PostalAddress;

// The elements, their tags made once.
constexpr xml::Tag kAdrLine{"AdrLine"};
constexpr xml::Tag kAmt{"Amt"};
constexpr xml::Tag kBICFI{"BICFI"};
constexpr xml::Tag kCcy{"Ccy"};
constexpr xml::Tag kCcyOfTrf{"CcyOfTrf"};
constexpr xml::Tag kCd{"Cd"};
constexpr xml::Tag kCdtTrfTxInf{"CdtTrfTxInf"};
constexpr xml::Tag kCdtr{"Cdtr"};
constexpr xml::Tag kCdtrAcct{"CdtrAcct"};
constexpr xml::Tag kCdtrAgt{"CdtrAgt"};
constexpr xml::Tag kChrgBr{"ChrgBr"};
constexpr xml::Tag kChrgsAcct{"ChrgsAcct"};
constexpr xml::Tag kClrSysId{"ClrSysId"};
constexpr xml::Tag kClrSysMmbId{"ClrSysMmbId"};
constexpr xml::Tag kCreDtTm{"CreDtTm"};
constexpr xml::Tag kCstmrCdtTrfInitn{"CstmrCdtTrfInitn"};
constexpr xml::Tag kCtgyPurp{"CtgyPurp"};
constexpr xml::Tag kCtrlSum{"CtrlSum"};
constexpr xml::Tag kCtry{"Ctry"};
constexpr xml::Tag kDbtr{"Dbtr"};
constexpr xml::Tag kDbtrAcct{"DbtrAcct"};
constexpr xml::Tag kDbtrAgt{"DbtrAgt"};
constexpr xml::Tag kDocument{"Document"};
constexpr xml::Tag kDt{"Dt"};
constexpr xml::Tag kEndToEndId{"EndToEndId"};
constexpr xml::Tag kEqvtAmt{"EqvtAmt"};
constexpr xml::Tag kFinInstnId{"FinInstnId"};
constexpr xml::Tag kGrpHdr{"GrpHdr"};
constexpr xml::Tag kIBAN{"IBAN"};
constexpr xml::Tag kId{"Id"};
constexpr xml::Tag kInitgPty{"InitgPty"};
constexpr xml::Tag kInstdAmt{"InstdAmt"};
constexpr xml::Tag kInstrForCdtrAgt{"InstrForCdtrAgt"};
constexpr xml::Tag kInstrForDbtrAgt{"InstrForDbtrAgt"};
constexpr xml::Tag kInstrId{"InstrId"};
constexpr xml::Tag kInstrInf{"InstrInf"};
constexpr xml::Tag kMmbId{"MmbId"};
constexpr xml::Tag kMsgId{"MsgId"};
constexpr xml::Tag kNbOfTxs{"NbOfTxs"};
constexpr xml::Tag kNm{"Nm"};
constexpr xml::Tag kOthr{"Othr"};
constexpr xml::Tag kPmtId{"PmtId"};
constexpr xml::Tag kPmtInf{"PmtInf"};
constexpr xml::Tag kPmtInfId{"PmtInfId"};
constexpr xml::Tag kPmtMtd{"PmtMtd"};
constexpr xml::Tag kPmtTpInf{"PmtTpInf"};
constexpr xml::Tag kPstCd{"PstCd"};
constexpr xml::Tag kPstlAdr{"PstlAdr"};
constexpr xml::Tag kReqdExctnDt{"ReqdExctnDt"};
constexpr xml::Tag kRmtInf{"RmtInf"};
constexpr xml::Tag kSvcLvl{"SvcLvl"};
constexpr xml::Tag kTwnNm{"TwnNm"};
constexpr xml::Tag kUstrd{"Ustrd"};

// A structured address in the hybrid form banks take from November 2026:
// postal code, town and country in their own elements, the street as an
// address line. Empty elements are left out.
struct AddressElement {
  const xml::Tag* element;
  payment::Text PostalAddress::*text;
};
constexpr std::array<AddressElement, 4> kAddressElements{{
    {&kPstCd, &PostalAddress::postal_code},
    {&kTwnNm, &PostalAddress::town},
    {&kCtry, &PostalAddress::country},
    {&kAdrLine, &PostalAddress::street},
}};

constexpr std::array<std::string_view, 4> kCreditorAgentCodes{"CHQB", "HOLD", "PHOB", "TELB"};
constexpr std::array<std::string_view, 3> kChargeBearers{"SHAR", "DEBT", "CRED"};

std::string IsoDate(const std::chrono::year_month_day& date) {
  char text[16];
  std::snprintf(text, sizeof text, "%04d-%02u-%02u", static_cast<int>(date.year()),
                static_cast<unsigned>(date.month()), static_cast<unsigned>(date.day()));
  return text;
}

std::string_view ServiceLevel(const PaymentOrder& order) {
  switch (order.kind) {
    case payment::PaymentKind::kEuStandard:
      return "SEPA";
    case payment::PaymentKind::kUrgent:
    case payment::PaymentKind::kEuroSameDay:
      return "URGP";
    default:
      return "NURG";
  }
}

class DocumentWriter {
 public:
  DocumentWriter(const DocumentPlan& plan, const payment::Party& initiating_party,
                 xml::XmlWriter& xml)
      : plan_(plan), initiating_party_(initiating_party), xml_(xml) {}

  void Write(const DocumentIds& ids) {
    xml_.Start(kDocument);
    xml_.Attribute("xmlns", kNamespace);
    xml_.Start(kCstmrCdtTrfInitn);
    xml_.Start(kGrpHdr);
    xml_.Element(kMsgId, ids.message_id);
    xml_.Element(kCreDtTm, ids.creation_time);
    xml_.Element(kNbOfTxs, std::to_string(plan_.payments));
    xml_.Element(kCtrlSum, plan_.control_sum);
    xml_.Start(kInitgPty);
    xml_.Element(kNm, initiating_party_.name);
    xml_.End();
    xml_.End();
    std::size_t number = 0;
    for (const BlockPlan& block : plan_.blocks) {
      Block(block, ids.block_id_prefix + "-" + std::to_string(++number));
    }
    xml_.End();
    xml_.End();
  }

 private:
  void Optional(const xml::Tag& element, std::string_view text) {
    if (!text.empty()) xml_.Element(element, text);
  }

  void Address(const PostalAddress& address) {
    xml_.Start(kPstlAdr);
    for (const AddressElement& row : kAddressElements) Optional(*row.element, address.*row.text);
    xml_.End();
  }

  void Party(const xml::Tag& element, const payment::Party& party) {
    xml_.Start(element);
    xml_.Element(kNm, party.name);
    Address(party.address);
    xml_.End();
  }

  // The payee's account goes without its currency.
  void Account(const xml::Tag& element, const payment::Account& account,
               bool with_currency = true) {
    xml_.Start(element);
    xml_.Start(kId);
    if (!account.iban.empty()) {
      xml_.Element(kIBAN, account.iban);
    } else {
      xml_.Start(kOthr);
      xml_.Element(kId, account.other_id);
      xml_.End();
    }
    xml_.End();
    if (with_currency) Optional(kCcy, account.currency);
    xml_.End();
  }

  void PaymentType(const PaymentOrder& order) {
    xml_.Start(kPmtTpInf);
    xml_.Start(kSvcLvl);
    xml_.Element(kCd, ServiceLevel(order));
    xml_.End();
    if (!order.category_purpose.empty()) {
      xml_.Start(kCtgyPurp);
      xml_.Element(kCd, order.category_purpose);
      xml_.End();
    }
    xml_.End();
  }

  // A German bank without a known BIC: by its bank code, or for SEPA, where
  // only a BIC is allowed, as not provided.
  void DebtorAgent(const PaymentOrder& order) {
    xml_.Start(kDbtrAgt);
    xml_.Start(kFinInstnId);
    if (!order.debtor_agent_bic.empty()) {
      xml_.Element(kBICFI, order.debtor_agent_bic);
    } else if (plan_.type == OrderType::kAxz) {
      ClearingMember("DEBLZ", order.debtor_bank_code);
    } else {
      xml_.Start(kOthr);
      xml_.Element(kId, kNotProvided);
      xml_.End();
    }
    xml_.End();
    xml_.End();
  }

  void ClearingMember(std::string_view system, std::string_view member) {
    xml_.Start(kClrSysMmbId);
    xml_.Start(kClrSysId);
    xml_.Element(kCd, system);
    xml_.End();
    xml_.Element(kMmbId, member);
    xml_.End();
  }

  void Block(const BlockPlan& block, const std::string& id) {
    const PaymentOrder& first = *block.orders.front();
    xml_.Start(kPmtInf);
    xml_.Element(kPmtInfId, id);
    xml_.Element(kPmtMtd, "TRF");
    xml_.Element(kNbOfTxs, std::to_string(block.orders.size()));
    xml_.Element(kCtrlSum, block.control_sum);
    if (TypePerBlock(plan_.type)) PaymentType(first);
    xml_.Start(kReqdExctnDt);
    xml_.Element(kDt, IsoDate(first.execution_date));
    xml_.End();
    Party(kDbtr, initiating_party_);
    Account(kDbtrAcct, first.debtor_account);
    DebtorAgent(first);
    if (TypePerBlock(plan_.type)) xml_.Element(kChrgBr, "SLEV");
    if (!first.charges_account.empty()) Account(kChrgsAcct, first.charges_account);
    for (const PaymentOrder* order : block.orders) Transaction(*order);
    xml_.End();
  }

  void Amount(const PaymentOrder& order) {
    xml_.Start(kAmt);
    const bool equivalent =
        !order.transfer_currency.empty() && order.transfer_currency != order.amount.currency;
    if (equivalent) {
      xml_.Start(kEqvtAmt);
      xml_.Start(kAmt);
    } else {
      xml_.Start(kInstdAmt);
    }
    xml_.Attribute("Ccy", order.amount.currency);
    amount_text_.clear();
    payment::AppendAmountText(order.amount, amount_text_);
    xml_.Text(amount_text_);
    xml_.End();
    if (equivalent) {
      xml_.Element(kCcyOfTrf, order.transfer_currency);
      xml_.End();
    }
    xml_.End();
  }

  void CreditorAgent(const payment::Agent& agent) {
    if (agent.empty()) return;
    xml_.Start(kCdtrAgt);
    xml_.Start(kFinInstnId);
    Optional(kBICFI, agent.bic);
    if (!agent.member_id.empty()) ClearingMember(agent.clearing_system, agent.member_id);
    if (agent.bic.empty() && !agent.name.empty()) {
      xml_.Element(kNm, agent.name);
      Address(agent.address);
    }
    if (!agent.other_id.empty()) {
      xml_.Start(kOthr);
      xml_.Element(kId, agent.other_id);
      xml_.End();
    }
    xml_.End();
    xml_.End();
  }

  void Transaction(const PaymentOrder& order) {
    const bool foreign = plan_.type == OrderType::kAxz;
    xml_.Start(kCdtTrfTxInf);
    xml_.Start(kPmtId);
    Optional(kInstrId, order.instruction_id);
    xml_.Element(kEndToEndId, order.end_to_end_id.empty() ? kNotProvided
                                                          : std::string_view(order.end_to_end_id));
    xml_.End();
    if (foreign) PaymentType(order);
    Amount(order);
    if (foreign)
      xml_.Element(kChrgBr, kChargeBearers[static_cast<std::size_t>(order.charge_bearer)]);
    CreditorAgent(order.creditor_agent);
    Party(kCdtr, order.creditor);
    Account(kCdtrAcct, order.creditor_account, false);
    if (foreign) {
      for (const auto& instruction : order.creditor_agent_instructions) {
        xml_.Start(kInstrForCdtrAgt);
        xml_.Element(kCd, kCreditorAgentCodes[static_cast<std::size_t>(instruction.code)]);
        Optional(kInstrInf, instruction.text);
        xml_.End();
      }
      Optional(kInstrForDbtrAgt, order.debtor_agent_instruction);
    }
    if (!order.remittance.empty()) {
      xml_.Start(kRmtInf);
      xml_.Element(kUstrd, order.remittance);
      xml_.End();
    }
    xml_.End();
  }

  const DocumentPlan& plan_;
  const payment::Party& initiating_party_;  // the debtor of every block
  xml::XmlWriter& xml_;
  std::string amount_text_;  // each payment's amount, in one buffer for all
};

}  // namespace

void WriteDocument(const DocumentPlan& plan, const payment::Party& initiating_party,
                   const DocumentIds& ids, xml::XmlWriter& xml) {
  DocumentWriter(plan, initiating_party, xml).Write(ids);
}

}  // namespace xkdtazv::pain001
