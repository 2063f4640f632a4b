#include "inspect/inspect_json.h"

#include <array>
#include <cstring>
#include <span>
#include <sstream>
#include <utility>

#include "inspect/inspect_report.h"
#include "inspect/report_stream.h"
#include "reader/text_encoding.h"

namespace xkdtazv::cli {
namespace {

// The report is laid out as nlohmann's dump(2) lays out the same document:
// members one per line, indented two blanks per level, "[]" for an empty list.
constexpr std::string_view kRecordMember = ",\n      \"";
constexpr std::string_view kFieldMember = ",\n          \"";

// Printable ASCII other than the two characters JSON escapes: such bytes
// stand in a JSON string as they are.
constexpr auto kPlainAscii = [] {
  std::array<bool, 256> plain{};
  for (int c = 0x20; c <= 0x7E; ++c) plain[static_cast<std::size_t>(c)] = c != '"' && c != '\\';
  return plain;
}();

// Four bytes at a time: field contents are mostly plain, often long.
bool IsPlainAscii(std::string_view bytes) noexcept {
  const auto plain = [bytes](std::size_t at) {
    return static_cast<unsigned>(kPlainAscii[static_cast<unsigned char>(bytes[at])]);
  };
  std::size_t i = 0;
  for (; i + 4 <= bytes.size(); i += 4) {
    if ((plain(i) & plain(i + 1) & plain(i + 2) & plain(i + 3)) == 0) return false;
  }
  for (; i < bytes.size(); ++i) {
    if (plain(i) == 0) return false;
  }
  return true;
}

// Field bytes as UTF-8 in a JSON string: Windows-1252, undefined bytes as U+FFFD.
void WriteContent(std::string_view bytes, const Windows1252Table& table, ReportStream& out) {
  if (IsPlainAscii(bytes)) {
    out << '"' << bytes << '"';
    return;
  }
  std::string utf8;
  for (const char byte : bytes) utf8 += table[static_cast<unsigned char>(byte)];
  out.JsonString(utf8);
}

// Writes a record's list of fields. What stands before a field's content is
// the same in every record of a type: made once per field of a layout. The
// list is made in a scratch buffer sized once for the longest record.
class FieldsWriter {
 public:
  explicit FieldsWriter(const Windows1252Table& table) : table_(table) {}

  void Write(const Record& record, ReportStream& out) {
    std::size_t count = 0;
    if (record.layout != nullptr) {
      const std::span<const FieldSpec> fields = record.layout->fields;
      while (count < fields.size() && fields[count].first <= record.bytes.size()) ++count;
    }
    if (count == 0) {
      out << "[]";
      return;
    }
    const std::span<const FieldSpec> fields = record.layout->fields;
    const Prefixes& prefixes = Of(*record.layout);
    const std::size_t room = prefixes.bytes + count * (kOpen.size() + 2 + kClose.size()) +
                             prefixes.content_bytes + kEnd.size();
    if (scratch_.size() < room) scratch_.resize(room);
    char* const begin = scratch_.data();
    char* at = begin;
    const auto put = [&at](std::string_view text) {
      std::memcpy(at, text.data(), text.size());
      at += text.size();
    };
    for (std::size_t i = 0; i < count; ++i) {
      put(i == 0 ? kOpen : kNext);
      put(prefixes.before_content[i]);
      const std::string_view content = record.Field(fields[i]);
      if (IsPlainAscii(content)) {
        *at++ = '"';
        put(content);
        *at++ = '"';
      } else {  // rare: handed to the stream's own escaping
        out << std::string_view(begin, static_cast<std::size_t>(at - begin));
        WriteContent(content, table_, out);
        at = begin;
      }
      put(kClose);
    }
    put(kEnd);
    out << std::string_view(begin, static_cast<std::size_t>(at - begin));
  }

 private:
  static constexpr std::string_view kOpen = "[\n";
  static constexpr std::string_view kNext = ",\n";
  static constexpr std::string_view kClose = "\n        }";
  static constexpr std::string_view kEnd = "\n      ]";

  struct Prefixes {
    std::vector<std::string> before_content;
    std::size_t bytes = 0;          // of all of before_content
    std::size_t content_bytes = 0;  // of all fields' contents, the most a record shows
  };

  const Prefixes& Of(const RecordSpec& layout) {
    for (const auto& [known, prefixes] : layouts_) {
      if (known == &layout) return prefixes;
    }
    Prefixes prefixes;
    for (const FieldSpec& field : layout.fields) {
      std::ostringstream text;
      {
        ReportStream out(text);
        out << "        {\n          \"id\": ";
        out.JsonString(field.id);
        out << kFieldMember << "name\": ";
        out.JsonString(field.name);
        out << kFieldMember << "first\": " << field.first;
        out << kFieldMember << "last\": " << field.last();
        out << kFieldMember << "content\": ";
      }
      prefixes.bytes += text.str().size();
      prefixes.content_bytes += field.length;
      prefixes.before_content.push_back(text.str());
    }
    return layouts_.emplace_back(&layout, std::move(prefixes)).second;
  }

  const Windows1252Table& table_;
  std::vector<std::pair<const RecordSpec*, Prefixes>> layouts_;
  std::string scratch_;
};

void WriteRecord(const Record& record, const Windows1252Table& table, FieldsWriter& fields,
                 ReportStream& out) {
  out << "    {\n      \"record\": " << record.index;
  out << kRecordMember << "type\": ";
  out.JsonString(TypeText(record.type, table));
  if (record.payment != 0) out << kRecordMember << "payment\": " << record.payment;
  out << kRecordMember << "offset\": " << record.offset;
  out << kRecordMember << "length\": " << record.bytes.size();
  out << kRecordMember << "known\": " << (record.layout != nullptr);
  out << kRecordMember << "fields\": ";
  fields.Write(record, out);
  out << "\n    }";
}

void WriteFinding(const Finding& finding, const Windows1252Table& table, ReportStream& out) {
  out << "    {\n      \"record\": " << finding.record;
  if (finding.record != 0) {
    out << kRecordMember << "type\": ";
    out.JsonString(TypeText(finding.record_type, table));
  }
  if (finding.payment != 0) out << kRecordMember << "payment\": " << finding.payment;
  if (!finding.field_id.empty()) {
    out << kRecordMember << "field\": ";
    out.JsonString(finding.field_id);
    out << kRecordMember << "name\": ";
    out.JsonString(finding.field_name);
    out << kRecordMember << "first\": " << finding.first;
    out << kRecordMember << "last\": " << finding.last;
  }
  out << kRecordMember << "message\": ";
  out.JsonString(finding.message);
  out << kRecordMember << "text\": ";
  out.JsonString(FindingLine(finding, table));
  out << "\n    }";
}

// A top-level list of `items`, each written by `write`.
template <typename Item, typename Write>
void WriteList(const std::vector<Item>& items, Write write, ReportStream& out) {
  if (items.empty()) {
    out << "[]";
    return;
  }
  out << "[\n";
  for (std::size_t i = 0; i < items.size(); ++i) {
    if (i != 0) out << ",\n";
    write(items[i], out);
    out.Checkpoint();
  }
  out << "\n  ]";
}

}  // namespace

void WriteInspectionJson(const Inspection& inspection, std::string_view path, std::ostream& out) {
  const Windows1252Table table = MakeWindows1252Table();
  const DtazvFile& file = inspection.file;
  ReportStream stream(out);
  stream << "{\n  \"file\": ";
  stream.JsonString(path);
  stream << ",\n  \"bytes\": " << file.size << ",\n  \"readable\": " << file.readable;
  if (!file.readable) {
    stream << ",\n  \"error\": ";
    stream.JsonString(file.unreadable_reason);
    stream << "\n}\n";
    return;
  }
  stream << ",\n  \"sound\": " << inspection.sound() << ",\n  \"records\": ";
  FieldsWriter fields(table);
  WriteList(
      file.records,
      [&table, &fields](const Record& record, ReportStream& to) {
        WriteRecord(record, table, fields, to);
      },
      stream);
  stream << ",\n  \"findings\": ";
  WriteList(
      inspection.findings,
      [&table](const Finding& finding, ReportStream& to) { WriteFinding(finding, table, to); },
      stream);
  stream << "\n}\n";
}

nlohmann::ordered_json FindingsJson(const std::vector<Finding>& findings) {
  const Windows1252Table table = MakeWindows1252Table();
  nlohmann::ordered_json list = nlohmann::ordered_json::array();
  for (const Finding& finding : findings) {
    nlohmann::ordered_json entry;
    entry["record"] = finding.record;
    if (finding.record != 0) entry["type"] = TypeText(finding.record_type, table);
    if (finding.payment != 0) entry["payment"] = finding.payment;
    if (!finding.field_id.empty()) {
      entry["field"] = finding.field_id;
      entry["name"] = finding.field_name;
      entry["first"] = finding.first;
      entry["last"] = finding.last;
    }
    entry["message"] = finding.message;
    entry["text"] = FindingLine(finding, table);
    list.push_back(std::move(entry));
  }
  return list;
}

std::string JsonText(const nlohmann::ordered_json& value) {
  return value.dump(2, ' ', false, nlohmann::ordered_json::error_handler_t::replace) + "\n";
}

}  // namespace xkdtazv::cli
