// Checks a whole batch against the component's type information before any
// object is touched: every key must be a published member that can be
// written, every value must have that member's type, and enumeration values
// are resolved from their published member names. All faults are gathered,
// each with its place and, for a misspelt name, the closest published one.
//
//   PlanResult planned = PlanBatch(batch);
//   if (!planned.errors.empty()) ...;  // nothing may be generated
#ifndef XKDTAZV_CLI_BATCH_PLAN_H_
#define XKDTAZV_CLI_BATCH_PLAN_H_

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "batch/batch.h"

namespace xkdtazv::cli {

// One property write, ready for dispatch by name.
struct PlannedValue {
  std::string member;
  bool is_text = true;
  std::string text;
  std::int32_t integer = 0;
  std::string place;
};

struct PlannedObject {
  std::string place;
  std::vector<PlannedValue> values;
};

struct BatchPlan {
  std::vector<PlannedValue> file;  // DtAzvDatei
  PlannedObject sender;            // MeineInfo
  std::vector<PlannedObject> transfers;
};

struct PlanResult {
  std::optional<BatchPlan> plan;
  std::vector<std::string> errors;  // "GeldTransfer 3: unknown member ..."
};

// The most payments one run of the component takes.
inline constexpr std::size_t kMostPayments = 32766;

// Takes the batch, so that each payment's settings go once planned: a batch
// of many payments is then never held twice.
PlanResult PlanBatch(Batch batch);

// The names a batch may use at its top level, for hints.
std::vector<std::string> TopLevelNames();

}  // namespace xkdtazv::cli

#endif  // XKDTAZV_CLI_BATCH_PLAN_H_
