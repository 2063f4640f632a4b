#include "batch/batch_json.h"

#include <nlohmann/json.hpp>

#include <set>
#include <vector>

#include "reader/text_encoding.h"

namespace xkdtazv::cli {
namespace {

using Json = nlohmann::ordered_json;

BatchValue ValueOf(const Json& json) {
  BatchValue value;
  // Lists and objects are never dumped: deep nesting must not cost stack.
  value.text = json.is_string()                      ? json.get<std::string>()
               : json.is_array() || json.is_object() ? std::string(json.type_name())
                                                     : json.dump();
  switch (json.type()) {
    case Json::value_t::string:
      value.kind = BatchValue::Kind::kText;
      break;
    case Json::value_t::number_integer:
      value.kind = BatchValue::Kind::kInteger;
      value.integer = json.get<std::int64_t>();
      break;
    case Json::value_t::number_unsigned:
      if (json.get<std::uint64_t>() <= static_cast<std::uint64_t>(INT64_MAX)) {
        value.kind = BatchValue::Kind::kInteger;
        value.integer = static_cast<std::int64_t>(json.get<std::uint64_t>());
      } else {
        value.kind = BatchValue::Kind::kNumber;
      }
      break;
    case Json::value_t::number_float:
      value.kind = BatchValue::Kind::kNumber;
      break;
    case Json::value_t::boolean:
      value.kind = BatchValue::Kind::kBoolean;
      break;
    case Json::value_t::array:
      value.kind = BatchValue::Kind::kArray;
      break;
    case Json::value_t::object:
      value.kind = BatchValue::Kind::kObject;
      break;
    default:
      value.kind = BatchValue::Kind::kNull;
      break;
  }
  return value;
}

// The object's members as settings, or an error when it is no object.
std::optional<BatchObject> ObjectOf(const Json& json, const std::string& place) {
  if (!json.is_object()) return std::nullopt;
  BatchObject object{place, {}};
  for (const auto& [key, value] : json.items()) {
    object.settings.push_back({key, ValueOf(value), place});
  }
  return object;
}

// Finds the first member given twice in one object, which JSON parsers
// otherwise settle silently by keeping one of the two values.
class DuplicateMembers {
 public:
  bool Notice(Json::parse_event_t event, const Json& parsed) {
    using Event = Json::parse_event_t;
    switch (event) {
      case Event::object_start:
      case Event::array_start:
        frames_.push_back({event == Event::array_start, PlaceOfNextValue(), {}, {}, 0});
        break;
      case Event::object_end:
      case Event::array_end:
        if (!frames_.empty()) frames_.pop_back();
        break;
      case Event::key:
        if (!frames_.empty()) {
          Frame& frame = frames_.back();
          frame.key = parsed.get<std::string>();
          if (!frame.keys.insert(frame.key).second && error_.empty()) {
            error_ = frame.place + ": the member " + QuoteShort(frame.key) + " is given twice";
          }
        }
        break;
      case Event::value:
        PlaceOfNextValue();
        break;
    }
    return true;
  }

  const std::string& error() const noexcept { return error_; }

 private:
  struct Frame {
    bool array;
    std::string place;
    std::string key;  // the latest key of an object
    std::set<std::string> keys;
    std::size_t elements;  // of an array
  };

  // Names the value that begins now, the way the batch's messages name it:
  // "GeldTransfer 3" for the third object in the list under "GeldTransfer".
  // A list's own name is the key it stands under, so names never grow with
  // the depth of nesting.
  std::string PlaceOfNextValue() {
    if (frames_.empty()) return "top level";
    Frame& parent = frames_.back();
    if (!parent.array) return parent.key;
    const std::string number = std::to_string(++parent.elements);
    return frames_.size() > 1 && !frames_[frames_.size() - 2].array
               ? frames_[frames_.size() - 2].key + " " + number
               : "list element " + number;
  }

  std::vector<Frame> frames_;
  std::string error_;
};

// nlohmann's messages begin with an identifier meant for programs.
std::string WithoutExceptionId(const std::string& what) {
  const std::size_t end = what.find("] ");
  return what.rfind("[json.exception.", 0) == 0 && end != std::string::npos ? what.substr(end + 2)
                                                                            : what;
}

// nlohmann's messages end with the token last read, which may be a whole
// unterminated string of any size: a long one is cut to its beginning.
std::string ShortLastRead(const std::string& what) {
  constexpr std::string_view kLastRead = "; last read: '";
  const std::size_t start = what.find(kLastRead);
  if (start == std::string::npos || what.back() != '\'') return what;
  const std::size_t token = start + kLastRead.size();
  const std::string_view read(what.data() + token, what.size() - token - 1);
  const std::string quoted = QuoteShort(read);
  if (quoted.size() == read.size() + 2) return what;
  return what.substr(0, start) + "; last read: " + quoted;
}

BatchReadResult Failed(std::string error) {
  return BatchReadResult{std::nullopt, std::move(error)};
}

BatchReadResult Read(std::string_view text) {
  Json json;
  DuplicateMembers duplicates;
  try {
    json = Json::parse(text.begin(), text.end(),
                       [&duplicates](int, Json::parse_event_t event, Json& parsed) {
                         return duplicates.Notice(event, parsed);
                       });
  } catch (const Json::parse_error& error) {
    return Failed(EscapeInvalidUtf8(ShortLastRead(WithoutExceptionId(error.what()))));
  }
  if (!duplicates.error().empty()) return Failed(duplicates.error());
  if (!json.is_object()) {
    return Failed("the batch must be a JSON object with Pfad, DiffFileName, " +
                  std::string(kSenderKey) + " and " + std::string(kTransfersKey) + ", not " +
                  std::string(json.type_name() == std::string("array") ? "an " : "a ") +
                  json.type_name());
  }
  Batch batch;
  for (const auto& [key, value] : json.items()) {
    if (key == kSenderKey) {
      batch.sender = ObjectOf(value, std::string(kSenderKey));
      if (!batch.sender) {
        return Failed(std::string(kSenderKey) +
                      " must be an object of member names and values, not " + value.type_name());
      }
    } else if (key == kTransfersKey) {
      if (!value.is_array()) {
        return Failed(std::string(kTransfersKey) + " must be a list of objects, not " +
                      value.type_name());
      }
      batch.has_transfers = true;
      for (std::size_t i = 0; i < value.size(); ++i) {
        const std::string place = std::string(kTransfersKey) + " " + std::to_string(i + 1);
        auto transfer = ObjectOf(value[i], place);
        if (!transfer) {
          return Failed(place + " must be an object of member names and values, not " +
                        value[i].type_name());
        }
        batch.transfers.push_back(std::move(*transfer));
      }
    } else {
      batch.file.push_back({key, ValueOf(value), "top level"});
    }
  }
  return BatchReadResult{std::move(batch), {}};
}

}  // namespace

BatchReadResult ReadJsonBatch(std::string_view text) noexcept {
  try {
    return Read(text);
  } catch (const std::exception& error) {  // only memory can run out here
    return Failed(error.what());
  }
}

}  // namespace xkdtazv::cli
