#include "cli/batch_plan.h"

#include <algorithm>
#include <charconv>
#include <limits>
#include <set>

#include "batch/batch_json.h"
#include "batch/closest_name.h"
#include "cli/automation_client.h"
#include "reader/text_encoding.h"

namespace xkdtazv::cli {
namespace {

// The classes whose members a batch sets, by the roles they play in it.
constexpr std::string_view kFileClass = "DtAzvDatei";
constexpr std::string_view kSenderClass = "MeineInfo";
constexpr std::string_view kTransferClass = "GeldTransfer";
constexpr std::string_view kAmount = "Betrag";

std::string Quoted(std::string_view text) { return QuoteShort(text); }

std::string KindText(BatchValue::Kind kind) {
  switch (kind) {
    case BatchValue::Kind::kText:
      return "text";
    case BatchValue::Kind::kInteger:
    case BatchValue::Kind::kNumber:
      return "a number";
    case BatchValue::Kind::kBoolean:
      return "a boolean";
    case BatchValue::Kind::kNull:
      return "null";
    case BatchValue::Kind::kArray:
      return "a list";
    case BatchValue::Kind::kObject:
      return "an object";
  }
  return "a value";
}

// Stands in for an interface the library does not publish: it has no members.
constexpr XkInterfaceInfo kNoInterface{"(missing interface)", {}, 0, 0, nullptr};

const XkInterfaceInfo& InterfaceOf(std::string_view class_name) {
  const XkClassInfo* info = FindClass(class_name);
  return info != nullptr && info->default_interface != nullptr ? *info->default_interface
                                                               : kNoInterface;
}

std::vector<std::string> WritableNames(const XkInterfaceInfo& interface) {
  std::vector<std::string> names;
  for (std::uint32_t i = 0; i < interface.member_count; ++i) {
    if (interface.members[i].kind == XK_MEMBER_PROPERTY_READ_WRITE) {
      names.emplace_back(interface.members[i].name);
    }
  }
  return names;
}

std::vector<std::string> EnumNames(const XkEnumInfo& info) {
  std::vector<std::string> names;
  for (std::uint32_t i = 0; i < info.member_count; ++i) names.emplace_back(info.members[i].name);
  return names;
}

std::optional<std::int32_t> EnumValue(const XkEnumInfo& info, std::string_view name) {
  for (std::uint32_t i = 0; i < info.member_count; ++i) {
    if (name == info.members[i].name) return info.members[i].value;
  }
  return std::nullopt;
}

// A decimal integer, optionally signed, as the whole text.
std::optional<std::int64_t> IntegerIn(std::string_view text) {
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  std::int64_t value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size() || text.empty()) return std::nullopt;
  return value;
}

class Planner {
 public:
  explicit Planner(std::vector<std::string>& errors) : errors_(errors) {}

  // Checks the member names of a CSV header once, at the header's places.
  void CheckColumns(const std::vector<BatchColumn>& columns, const XkInterfaceInfo& interface) {
    for (const BatchColumn& column : columns) {
      const XkMemberInfo* member = FindMember(interface, column.member);
      if (member == nullptr || member->kind != XK_MEMBER_PROPERTY_READ_WRITE) {
        ReportMember(column.place, column.member, interface, member, WritableNames(interface));
      }
    }
  }

  // Takes the texts of the settings it plans, which are not needed after.
  std::vector<PlannedValue> Plan(std::vector<BatchSetting>& settings,
                                 const XkInterfaceInfo& interface,
                                 const std::vector<std::string>& hints) {
    std::vector<PlannedValue> values;
    values.reserve(settings.size());
    for (BatchSetting& setting : settings) {
      const XkMemberInfo* member = FindMember(interface, setting.member);
      if (member == nullptr || member->kind != XK_MEMBER_PROPERTY_READ_WRITE) {
        ReportMember(setting.place, setting.member, interface, member, hints);
        continue;
      }
      if (auto value = PlanValue(setting, *member)) values.push_back(std::move(*value));
    }
    return values;
  }

 private:
  void ReportMember(const std::string& place, const std::string& name,
                    const XkInterfaceInfo& interface, const XkMemberInfo* member,
                    const std::vector<std::string>& hints) {
    if (!reported_.insert(std::string(interface.name) + "." + name).second) return;
    if (member != nullptr) {
      errors_.push_back(place + ": " + Quoted(name) + " is " +
                        (member->kind == XK_MEMBER_METHOD ? "a method" : "a read-only property") +
                        " of " + PublishedInterfaceName(interface) +
                        ", not a property a batch can set");
      return;
    }
    std::string error = place + ": unknown member " + Quoted(name) + " (" +
                        PublishedInterfaceName(interface) + " has no such member)";
    const std::string closest = ClosestName(name, hints);
    if (!closest.empty()) error += "; did you mean " + Quoted(closest) + "?";
    errors_.push_back(std::move(error));
  }

  void Report(const BatchSetting& setting, const std::string& problem) {
    errors_.push_back(setting.place + ", " + setting.member + ": " + problem);
  }

  // A value planned takes the setting's member name, place and text.
  static PlannedValue Planned(BatchSetting& setting) {
    return {std::move(setting.member), true, {}, 0, std::move(setting.place)};
  }

  std::optional<PlannedValue> PlanValue(BatchSetting& setting, const XkMemberInfo& member) {
    BatchValue& value = setting.value;
    if (member.vt == XK_VT_BSTR) {
      if (value.kind == BatchValue::Kind::kText) {
        PlannedValue planned = Planned(setting);
        planned.text = std::move(value.text);
        return planned;
      }
      std::string problem = "expects text, not " + KindText(value.kind);
      if (value.kind == BatchValue::Kind::kInteger || value.kind == BatchValue::Kind::kNumber) {
        problem += "; write it in quotes: " + Quoted(value.text);
      }
      Report(setting, problem);
      return std::nullopt;
    }
    const XkEnumInfo* enumeration = member.vt == XK_VT_I4 ? FindEnum(member.type_name) : nullptr;
    if (enumeration == nullptr || enumeration->member_count == 0) {
      Report(setting,
             std::string("has the type ") + member.type_name + ", which a batch cannot give");
      return std::nullopt;
    }
    std::optional<std::int64_t> number;
    if (value.kind == BatchValue::Kind::kInteger) {
      number = value.integer;
    } else if (value.kind == BatchValue::Kind::kText) {
      if (const auto named = EnumValue(*enumeration, value.text)) {
        PlannedValue planned = Planned(setting);
        planned.is_text = false;
        planned.integer = *named;
        return planned;
      }
      number = IntegerIn(value.text);
      if (!number) {
        Report(setting, Quoted(value.text) + " is no member of the enumeration " +
                            enumeration->name + "; did you mean " +
                            Quoted(ClosestName(value.text, EnumNames(*enumeration))) + "?");
        return std::nullopt;
      }
    } else {
      Report(setting, std::string("expects a member name of the enumeration ") + enumeration->name +
                          ", such as " +
                          Quoted(enumeration->members[enumeration->member_count - 1].name) +
                          ", or its number, not " + KindText(value.kind));
      return std::nullopt;
    }
    if (*number < std::numeric_limits<std::int32_t>::min() ||
        *number > std::numeric_limits<std::int32_t>::max()) {
      Report(setting, std::to_string(*number) + " is out of range for an enumeration value");
      return std::nullopt;
    }
    PlannedValue planned = Planned(setting);
    planned.is_text = false;
    planned.integer = static_cast<std::int32_t>(*number);
    return planned;
  }

  std::vector<std::string>& errors_;
  std::set<std::string> reported_;  // each unknown name once, however often it appears
};

}  // namespace

std::vector<std::string> TopLevelNames() {
  std::vector<std::string> names = WritableNames(InterfaceOf(kFileClass));
  names.emplace_back(kSenderKey);
  names.emplace_back(kTransfersKey);
  return names;
}

PlanResult PlanBatch(Batch batch) {
  PlanResult result;
  // A run counts its payments in 16 bits: the 32767th would fail it at the end.
  if (batch.transfers.size() > kMostPayments) {
    result.errors.push_back("the batch has " + std::to_string(batch.transfers.size()) +
                            " payments; one DTAZV file of this component holds at most " +
                            std::to_string(kMostPayments));
    return result;
  }
  Planner planner(result.errors);
  const XkInterfaceInfo& file = InterfaceOf(kFileClass);
  const XkInterfaceInfo& sender = InterfaceOf(kSenderClass);
  const XkInterfaceInfo& transfer = InterfaceOf(kTransferClass);
  planner.CheckColumns(batch.columns, transfer);
  BatchPlan plan;
  plan.file = planner.Plan(batch.file, file, TopLevelNames());
  if (batch.sender) {
    plan.sender.place = batch.sender->place;
    plan.sender.values = planner.Plan(batch.sender->settings, sender, WritableNames(sender));
  }
  // A payment without an amount would end the whole run, naming neither.
  const bool csv = !batch.columns.empty();
  const bool amount_column =
      std::any_of(batch.columns.begin(), batch.columns.end(),
                  [](const BatchColumn& column) { return column.member == kAmount; });
  if (csv && !amount_column) {
    result.errors.push_back("the header names no " + std::string(kAmount) +
                            " column; every payment needs an amount");
  }
  const std::vector<std::string> transfer_names = WritableNames(transfer);
  plan.transfers.reserve(batch.transfers.size());
  for (BatchObject& object : batch.transfers) {
    const bool has_amount =
        std::any_of(object.settings.begin(), object.settings.end(),
                    [](const BatchSetting& setting) { return setting.member == kAmount; });
    plan.transfers.push_back(
        {object.place, planner.Plan(object.settings, transfer, transfer_names)});
    if (!has_amount && (!csv || amount_column)) {
      result.errors.push_back(object.place + ", " + std::string(kAmount) +
                              ": missing; every payment needs an amount");
    }
    std::vector<BatchSetting>().swap(object.settings);
  }
  if (result.errors.empty()) result.plan = std::move(plan);
  return result;
}

}  // namespace xkdtazv::cli
