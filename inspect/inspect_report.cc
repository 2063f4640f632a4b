#include "inspect/inspect_report.h"

#include <algorithm>

#include "inspect/finding_list.h"
#include "reader/text_encoding.h"

namespace xkdtazv::cli {
namespace {

struct Row {
  std::string id;
  std::string name;
  std::string positions;
  std::string content;
};

struct RecordTable {
  std::string title;
  std::vector<Row> rows;
  std::string note;  // said below the rows: where a short record ends
};

std::string Positions(std::size_t first, std::size_t last) {
  return first == last ? std::to_string(first) : std::to_string(first) + "-" + std::to_string(last);
}

std::string Plural(std::size_t count, std::string_view one, std::string_view many) {
  return std::to_string(count) + " " + std::string(count == 1 ? one : many);
}

std::string TypeText(char type, const Windows1252Table& table) {
  return PrintableWindows1252(std::string_view(&type, type == '\0' ? 0 : 1), table);
}

std::string RecordTitle(const Record& record, const Windows1252Table& table) {
  std::string title = "Record " + std::to_string(record.index) + ": ";
  if (record.bytes.size() < 5) {
    title += Plural(record.bytes.size(), "byte", "bytes") + " at the end of the file";
  } else if (record.layout == nullptr) {
    title += "unknown type \"" + TypeText(record.type, table) + "\"";
  } else if (record.type == 'T') {
    title += "T, payment " + std::to_string(record.payment);
  } else {
    title += std::string(1, record.type) + ", " + std::string(record.layout->title);
  }
  return title + ", bytes " + Positions(record.offset + 1, record.offset + record.bytes.size());
}

RecordTable TableOf(const Record& record, const Windows1252Table& table) {
  RecordTable result{RecordTitle(record, table), {}, {}};
  const auto shown = [&table](std::string_view bytes) {
    return PrintableWindows1252(TrimTrailingBlanks(bytes), table);
  };
  const std::size_t size = record.bytes.size();
  if (record.layout == nullptr) {
    result.rows.push_back({"-", "(unknown)", Positions(1, size), shown(record.bytes)});
    return result;
  }
  for (const FieldSpec& field : record.layout->fields) {
    if (field.first > size) {
      result.note = "the record ends after " + Plural(size, "byte", "bytes") + "; position " +
                    std::to_string(field.first) + " onwards is missing";
      break;
    }
    result.rows.push_back({std::string(field.id), std::string(field.name),
                           Positions(field.first, field.last()), shown(record.Field(field))});
  }
  if (size > record.layout->length) {
    result.rows.push_back({"-", "(surplus)", Positions(record.layout->length + 1, size),
                           shown(std::string_view(record.bytes).substr(record.layout->length))});
  }
  return result;
}

std::string FindingPlace(const Finding& finding, const Windows1252Table& table) {
  if (finding.record == 0) return "file";
  std::string place =
      "record " + std::to_string(finding.record) + " (" + TypeText(finding.record_type, table);
  if (finding.payment != 0) place += ", payment " + std::to_string(finding.payment);
  place += ")";
  if (finding.field_id.empty()) return place;
  place += ", " + finding.field_id + " " + finding.field_name;
  place += finding.first == finding.last ? ", position " : ", positions ";
  return place + Positions(finding.first, finding.last);
}

std::string FindingLine(const Finding& finding, const Windows1252Table& table) {
  return FindingPlace(finding, table) + ": " + finding.message;
}

std::string PadRight(const std::string& text, std::size_t width) {
  const std::size_t length = CodePointCount(text);
  return length >= width ? text : text + std::string(width - length, ' ');
}

}  // namespace

std::string FindingLine(const Finding& finding) {
  return FindingLine(finding, MakeWindows1252Table());
}

std::string FindingsText(const std::vector<Finding>& findings) {
  if (findings.empty()) return "Findings: none.\n";
  const Windows1252Table table = MakeWindows1252Table();
  std::string text = "Findings (" + std::to_string(findings.size()) + "):\n";
  for (const Finding& finding : findings) text += "  " + FindingLine(finding, table) + "\n";
  return text;
}

std::string InspectionText(const Inspection& inspection, std::string_view path) {
  const Windows1252Table table = MakeWindows1252Table();
  const DtazvFile& file = inspection.file;
  std::vector<RecordTable> tables;
  tables.reserve(file.records.size());
  for (const Record& record : file.records) tables.push_back(TableOf(record, table));

  // One set of column widths for all tables, so that every record lines up.
  Row widths{"Field", "Name", "Positions", ""};
  std::size_t id_width = widths.id.size();
  std::size_t name_width = widths.name.size();
  std::size_t positions_width = widths.positions.size();
  for (const RecordTable& record : tables) {
    for (const Row& row : record.rows) {
      id_width = std::max(id_width, CodePointCount(row.id));
      name_width = std::max(name_width, CodePointCount(row.name));
      positions_width = std::max(positions_width, CodePointCount(row.positions));
    }
  }
  const auto line = [&](const Row& row) {
    std::string text = "  " + PadRight(row.id, id_width) + "  " + PadRight(row.name, name_width) +
                       "  " + PadRight(row.positions, positions_width) + "  " + row.content;
    while (!text.empty() && text.back() == ' ') text.pop_back();
    return text + "\n";
  };

  std::string text = "File " + std::string(path) + ": " + Plural(file.size, "byte", "bytes") +
                     ", " + Plural(file.records.size(), "record", "records") + "\n";
  for (const RecordTable& record : tables) {
    text += "\n" + record.title + "\n" + line({"Field", "Name", "Positions", "Content"});
    for (const Row& row : record.rows) text += line(row);
    if (!record.note.empty()) text += "  (" + record.note + ")\n";
  }
  text += "\n";
  text += inspection.findings.empty() ? std::string("Findings: none. The file is sound.\n")
                                      : FindingsText(inspection.findings);
  return text;
}

nlohmann::ordered_json InspectionJson(const Inspection& inspection, std::string_view path) {
  const Windows1252Table table = MakeWindows1252Table();
  const auto utf8 = [&table](std::string_view bytes) {
    std::string out;
    for (const char byte : bytes) out += table[static_cast<unsigned char>(byte)];
    return out;
  };
  const DtazvFile& file = inspection.file;
  nlohmann::ordered_json json;
  json["file"] = std::string(path);
  json["bytes"] = file.size;
  json["readable"] = file.readable;
  if (!file.readable) {
    json["error"] = file.unreadable_reason;
    return json;
  }
  json["sound"] = inspection.sound();
  json["records"] = nlohmann::ordered_json::array();
  for (const Record& record : file.records) {
    nlohmann::ordered_json entry;
    entry["record"] = record.index;
    entry["type"] = TypeText(record.type, table);
    if (record.payment != 0) entry["payment"] = record.payment;
    entry["offset"] = record.offset;
    entry["length"] = record.bytes.size();
    entry["known"] = record.layout != nullptr;
    nlohmann::ordered_json fields = nlohmann::ordered_json::array();
    if (record.layout != nullptr) {
      for (const FieldSpec& field : record.layout->fields) {
        if (field.first > record.bytes.size()) break;
        fields.push_back({{"id", field.id},
                          {"name", field.name},
                          {"first", field.first},
                          {"last", field.last()},
                          {"content", utf8(record.Field(field))}});
      }
    }
    entry["fields"] = std::move(fields);
    json["records"].push_back(std::move(entry));
  }
  json["findings"] = nlohmann::ordered_json::array();
  for (const Finding& finding : inspection.findings) {
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
    json["findings"].push_back(std::move(entry));
  }
  return json;
}

std::string JsonText(const nlohmann::ordered_json& value) {
  return value.dump(2, ' ', false, nlohmann::ordered_json::error_handler_t::replace) + "\n";
}

}  // namespace xkdtazv::cli
