#include "batch/batch_json.h"

#include <nlohmann/json.hpp>

#include <vector>

#include "batch/names_seen.h"
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

// Finds the first member given twice in one object, which JSON parsers
// otherwise settle silently by keeping one of the two values.
class DuplicateMembers {
 public:
  // `key` is the key read, for a key event.
  void Notice(Json::parse_event_t event, std::string_view key = {}) {
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
          frame.key = key;
          if (!frame.keys.Insert(frame.key) && error_.empty()) {
            error_ = frame.place + ": the member " + QuoteShort(frame.key) + " is given twice";
          }
        }
        break;
      case Event::value:  // only counted: a scalar opens no frame that needs its name
        if (!frames_.empty() && frames_.back().array) ++frames_.back().elements;
        break;
    }
  }

  const std::string& error() const noexcept { return error_; }

 private:
  struct Frame {
    bool array;
    std::string place;
    std::string key;  // the latest key of an object
    NamesSeen keys;
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

// Builds the batch while the parser reads, without a document tree: a batch
// of tens of thousands of payments would otherwise be held twice. Keeps
// reading after the first fault in the batch's shape, since a syntax error or
// a member given twice anywhere is reported first.
class BatchBuilder {
 public:
  // The parser's events, as nlohmann::json's SAX interface names them.
  bool null() { return Value(ValueOf(Json(nullptr))); }
  bool boolean(bool value) { return Value(ValueOf(Json(value))); }
  bool number_integer(Json::number_integer_t value) { return Value(ValueOf(Json(value))); }
  bool number_unsigned(Json::number_unsigned_t value) { return Value(ValueOf(Json(value))); }
  bool number_float(Json::number_float_t value, const std::string&) {
    return Value(ValueOf(Json(value)));
  }
  bool string(std::string& text) {
    BatchValue value;
    value.text = std::move(text);
    return Value(std::move(value));
  }
  bool binary(Json::binary_t&) { return Value(ValueOf(Json())); }  // not in JSON text
  bool start_object(std::size_t) {
    duplicates_.Notice(Json::parse_event_t::object_start);
    return Open(Json::value_t::object);
  }
  bool key(std::string& text) {
    duplicates_.Notice(Json::parse_event_t::key, text);
    if (frames_.back().role != Role::kIgnored) frames_.back().key = std::move(text);
    return true;
  }
  bool end_object() {
    duplicates_.Notice(Json::parse_event_t::object_end);
    // A payment's settings are kept for the whole run: no spare room.
    if (frames_.back().role == Role::kTransfer) batch_.transfers.back().settings.shrink_to_fit();
    frames_.pop_back();
    return true;
  }
  bool start_array(std::size_t) {
    duplicates_.Notice(Json::parse_event_t::array_start);
    return Open(Json::value_t::array);
  }
  bool end_array() {
    duplicates_.Notice(Json::parse_event_t::array_end);
    frames_.pop_back();
    return true;
  }
  bool parse_error(std::size_t, const std::string&, const nlohmann::detail::exception& error) {
    syntax_error_ = EscapeInvalidUtf8(ShortLastRead(WithoutExceptionId(error.what())));
    return false;
  }

  BatchReadResult Result() && {
    if (syntax_error_) return Failed(std::move(*syntax_error_));
    if (!duplicates_.error().empty()) return Failed(duplicates_.error());
    if (root_type_ != "object") {
      return Failed("the batch must be a JSON object with Pfad, DiffFileName, " +
                    std::string(kSenderKey) + " and " + std::string(kTransfersKey) + ", not " +
                    (root_type_ == "array" ? "an " : "a ") + root_type_);
    }
    if (shape_error_) return Failed(std::move(*shape_error_));
    return BatchReadResult{std::move(batch_), {}};
  }

 private:
  // What an open object or list is to the batch.
  enum class Role { kTop, kSender, kTransfers, kTransfer, kIgnored };
  struct Frame {
    Role role;
    std::string key;  // the latest key of an object that is read
  };

  bool Value(BatchValue value) {
    duplicates_.Notice(Json::parse_event_t::value);
    Place(std::move(value));
    return true;
  }

  bool Open(Json::value_t type) {
    frames_.push_back({Place(ValueOf(Json(type))), {}});
    return true;
  }

  // Files `value` where the batch keeps it; for an object or a list, the
  // role it plays from now on.
  Role Place(BatchValue value) {
    const bool object = value.kind == BatchValue::Kind::kObject;
    const bool list = value.kind == BatchValue::Kind::kArray;
    if (frames_.empty()) {
      root_type_ = TypeName(value);
      return object ? Role::kTop : Role::kIgnored;
    }
    Frame& parent = frames_.back();
    if (shape_error_) return Role::kIgnored;
    switch (parent.role) {
      case Role::kTop:
        if (parent.key == kSenderKey) {
          if (object) {
            batch_.sender = BatchObject{std::string(kSenderKey), {}};
            return Role::kSender;
          }
          shape_error_ = std::string(kSenderKey) +
                         " must be an object of member names and values, not " + TypeName(value);
        } else if (parent.key == kTransfersKey) {
          if (list) {
            batch_.has_transfers = true;
            return Role::kTransfers;
          }
          shape_error_ =
              std::string(kTransfersKey) + " must be a list of objects, not " + TypeName(value);
        } else {
          batch_.file.push_back({parent.key, std::move(value), "top level"});
        }
        return Role::kIgnored;
      case Role::kSender:
        batch_.sender->settings.push_back(
            {std::move(parent.key), std::move(value), batch_.sender->place});
        return Role::kIgnored;
      case Role::kTransfers: {
        std::string place =
            std::string(kTransfersKey) + " " + std::to_string(batch_.transfers.size() + 1);
        if (!object) {
          shape_error_ =
              place + " must be an object of member names and values, not " + TypeName(value);
          return Role::kIgnored;
        }
        batch_.transfers.push_back({std::move(place), {}});
        return Role::kTransfer;
      }
      case Role::kTransfer: {
        BatchObject& transfer = batch_.transfers.back();
        // The key has served once its value is filed.
        transfer.settings.push_back({std::move(parent.key), std::move(value), transfer.place});
        return Role::kIgnored;
      }
      case Role::kIgnored:
        return Role::kIgnored;
    }
    return Role::kIgnored;
  }

  // The JSON type of a value, as nlohmann::json names it.
  static std::string TypeName(const BatchValue& value) {
    switch (value.kind) {
      case BatchValue::Kind::kText:
        return "string";
      case BatchValue::Kind::kInteger:
      case BatchValue::Kind::kNumber:
        return "number";
      case BatchValue::Kind::kBoolean:
        return "boolean";
      case BatchValue::Kind::kNull:
        return "null";
      case BatchValue::Kind::kArray:
      case BatchValue::Kind::kObject:
        break;
    }
    return value.text;  // "array", "object" or "binary"
  }

  DuplicateMembers duplicates_;
  std::vector<Frame> frames_;
  Batch batch_;
  std::string root_type_;
  std::optional<std::string> syntax_error_;
  std::optional<std::string> shape_error_;
};

BatchReadResult Read(std::string_view text) {
  BatchBuilder builder;
  Json::sax_parse(text.begin(), text.end(), &builder);
  return std::move(builder).Result();
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
