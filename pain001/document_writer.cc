#include "pain001/document_writer.h"

#include <array>
#include <cstdio>
#include <string_view>

#include "payment_order/amount.h"

namespace xkdtazv::pain001 {
namespace {

using payment::PaymentOrder;
using payment::PostalAddress;

// A structured address in the hybrid form banks take from November 2026:
// postal code, town and country in their own elements, the street as an
// address line. Empty elements are left out.
struct AddressElement {
  std::string_view element;
  std::string PostalAddress::*text;
};
constexpr std::array<AddressElement, 4> kAddressElements{{
    {"PstCd", &PostalAddress::postal_code},
    {"TwnNm", &PostalAddress::town},
    {"Ctry", &PostalAddress::country},
    {"AdrLine", &PostalAddress::street},
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
    xml_.Start("Document");
    xml_.Attribute("xmlns", kNamespace);
    xml_.Start("CstmrCdtTrfInitn");
    xml_.Start("GrpHdr");
    xml_.Element("MsgId", ids.message_id);
    xml_.Element("CreDtTm", ids.creation_time);
    xml_.Element("NbOfTxs", std::to_string(plan_.payments));
    xml_.Element("CtrlSum", plan_.control_sum);
    xml_.Start("InitgPty");
    xml_.Element("Nm", initiating_party_.name);
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
  void Optional(std::string_view element, const std::string& text) {
    if (!text.empty()) xml_.Element(element, text);
  }

  void Address(const PostalAddress& address) {
    xml_.Start("PstlAdr");
    for (const AddressElement& row : kAddressElements) Optional(row.element, address.*row.text);
    xml_.End();
  }

  void Party(std::string_view element, const payment::Party& party) {
    xml_.Start(element);
    xml_.Element("Nm", party.name);
    Address(party.address);
    xml_.End();
  }

  void Account(std::string_view element, const payment::Account& account) {
    xml_.Start(element);
    xml_.Start("Id");
    if (!account.iban.empty()) {
      xml_.Element("IBAN", account.iban);
    } else {
      xml_.Start("Othr");
      xml_.Element("Id", account.other_id);
      xml_.End();
    }
    xml_.End();
    Optional("Ccy", account.currency);
    xml_.End();
  }

  void PaymentType(const PaymentOrder& order) {
    xml_.Start("PmtTpInf");
    xml_.Start("SvcLvl");
    xml_.Element("Cd", ServiceLevel(order));
    xml_.End();
    if (!order.category_purpose.empty()) {
      xml_.Start("CtgyPurp");
      xml_.Element("Cd", order.category_purpose);
      xml_.End();
    }
    xml_.End();
  }

  // A German bank without a known BIC: by its bank code, or for SEPA, where
  // only a BIC is allowed, as not provided.
  void DebtorAgent(const PaymentOrder& order) {
    xml_.Start("DbtrAgt");
    xml_.Start("FinInstnId");
    if (!order.debtor_agent_bic.empty()) {
      xml_.Element("BICFI", order.debtor_agent_bic);
    } else if (plan_.type == OrderType::kAxz) {
      ClearingMember("DEBLZ", order.debtor_bank_code);
    } else {
      xml_.Start("Othr");
      xml_.Element("Id", kNotProvided);
      xml_.End();
    }
    xml_.End();
    xml_.End();
  }

  void ClearingMember(std::string_view system, const std::string& member) {
    xml_.Start("ClrSysMmbId");
    xml_.Start("ClrSysId");
    xml_.Element("Cd", system);
    xml_.End();
    xml_.Element("MmbId", member);
    xml_.End();
  }

  void Block(const BlockPlan& block, const std::string& id) {
    const PaymentOrder& first = *block.orders.front();
    xml_.Start("PmtInf");
    xml_.Element("PmtInfId", id);
    xml_.Element("PmtMtd", "TRF");
    xml_.Element("NbOfTxs", std::to_string(block.orders.size()));
    xml_.Element("CtrlSum", block.control_sum);
    if (TypePerBlock(plan_.type)) PaymentType(first);
    xml_.Start("ReqdExctnDt");
    xml_.Element("Dt", IsoDate(first.execution_date));
    xml_.End();
    Party("Dbtr", initiating_party_);
    Account("DbtrAcct", first.debtor_account);
    DebtorAgent(first);
    if (TypePerBlock(plan_.type)) xml_.Element("ChrgBr", "SLEV");
    if (!first.charges_account.empty()) Account("ChrgsAcct", first.charges_account);
    for (const PaymentOrder* order : block.orders) Transaction(*order);
    xml_.End();
  }

  void Amount(const PaymentOrder& order) {
    xml_.Start("Amt");
    const bool equivalent =
        !order.transfer_currency.empty() && order.transfer_currency != order.amount.currency;
    if (equivalent) {
      xml_.Start("EqvtAmt");
      xml_.Start("Amt");
    } else {
      xml_.Start("InstdAmt");
    }
    xml_.Attribute("Ccy", order.amount.currency);
    xml_.Text(payment::AmountText(order.amount));
    xml_.End();
    if (equivalent) {
      xml_.Element("CcyOfTrf", order.transfer_currency);
      xml_.End();
    }
    xml_.End();
  }

  void CreditorAgent(const payment::Agent& agent) {
    if (agent.empty()) return;
    xml_.Start("CdtrAgt");
    xml_.Start("FinInstnId");
    Optional("BICFI", agent.bic);
    if (!agent.member_id.empty()) ClearingMember(agent.clearing_system, agent.member_id);
    if (agent.bic.empty() && !agent.name.empty()) {
      xml_.Element("Nm", agent.name);
      Address(agent.address);
    }
    if (!agent.other_id.empty()) {
      xml_.Start("Othr");
      xml_.Element("Id", agent.other_id);
      xml_.End();
    }
    xml_.End();
    xml_.End();
  }

  void Transaction(const PaymentOrder& order) {
    const bool foreign = plan_.type == OrderType::kAxz;
    xml_.Start("CdtTrfTxInf");
    xml_.Start("PmtId");
    Optional("InstrId", order.instruction_id);
    xml_.Element("EndToEndId",
                 order.end_to_end_id.empty() ? std::string(kNotProvided) : order.end_to_end_id);
    xml_.End();
    if (foreign) PaymentType(order);
    Amount(order);
    if (foreign)
      xml_.Element("ChrgBr", kChargeBearers[static_cast<std::size_t>(order.charge_bearer)]);
    CreditorAgent(order.creditor_agent);
    Party("Cdtr", order.creditor);
    Account("CdtrAcct", {order.creditor_account.iban, order.creditor_account.other_id, ""});
    if (foreign) {
      for (const auto& instruction : order.creditor_agent_instructions) {
        xml_.Start("InstrForCdtrAgt");
        xml_.Element("Cd", kCreditorAgentCodes[static_cast<std::size_t>(instruction.code)]);
        Optional("InstrInf", instruction.text);
        xml_.End();
      }
      Optional("InstrForDbtrAgt", order.debtor_agent_instruction);
    }
    if (!order.remittance.empty()) {
      xml_.Start("RmtInf");
      xml_.Element("Ustrd", order.remittance);
      xml_.End();
    }
    xml_.End();
  }

  const DocumentPlan& plan_;
  const payment::Party& initiating_party_;  // the debtor of every block
  xml::XmlWriter& xml_;
};

}  // namespace

void WriteDocument(const DocumentPlan& plan, const payment::Party& initiating_party,
                   const DocumentIds& ids, xml::XmlWriter& xml) {
  DocumentWriter(plan, initiating_party, xml).Write(ids);
}

}  // namespace xkdtazv::pain001
