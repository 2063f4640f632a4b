// A batch as read from JSON or CSV, before anything is checked against the
// component: the file's own settings, the sender and the payments, each value
// with the place it came from so that every message can point at it.
//
//   Batch batch = ReadJsonBatch(text, "batch.json").batch;
//   for (const BatchObject& payment : batch.transfers) ...;
#ifndef XKDTAZV_BATCH_BATCH_H_
#define XKDTAZV_BATCH_BATCH_H_

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace xkdtazv::cli {

// A value as the batch wrote it. CSV yields text only; JSON any of its kinds.
struct BatchValue {
  enum class Kind { kText, kInteger, kNumber, kBoolean, kNull, kArray, kObject };
  Kind kind = Kind::kText;
  std::string text;          // kText: the text; other kinds: the value as JSON
  std::int64_t integer = 0;  // kInteger
};

// One member set to one value.
struct BatchSetting {
  std::string member;  // as written in the batch, UTF-8
  BatchValue value;
  std::string place;  // "line 4, column 12" or "GeldTransfer 3"
};

struct BatchObject {
  std::string place;  // "MeineInfo", "GeldTransfer 3", "line 4"
  std::vector<BatchSetting> settings;
};

// A member named by a CSV header, checked once however many lines use it.
struct BatchColumn {
  std::string member;
  std::string place;
};

struct Batch {
  std::vector<BatchSetting> file;      // members of DtAzvDatei: Pfad, DiffFileName
  std::optional<BatchObject> sender;   // MeineInfo
  std::vector<BatchObject> transfers;  // GeldTransfer, in order
  bool has_transfers = false;          // the batch names its payments (even none)
  std::vector<BatchColumn> columns;    // CSV only: the header, in order
};

// A batch, or the reason it could not be read: one message with its place.
struct BatchReadResult {
  std::optional<Batch> batch;
  std::string error;
};

}  // namespace xkdtazv::cli

#endif  // XKDTAZV_BATCH_BATCH_H_
