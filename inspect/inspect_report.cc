#include "inspect/inspect_report.h"

#include <algorithm>
#include <cstring>
#include <span>
#include <sstream>
#include <utility>

#include "inspect/finding_list.h"
#include "inspect/report_stream.h"
#include "inspect/shown_bytes.h"

namespace xkdtazv::cli {
namespace {

// The widths of the first three columns, one set for all tables, so that
// every record lines up.
struct Widths {
  std::size_t id = 0;
  std::size_t name = 0;
  std::size_t positions = 0;

  void Fit(std::size_t id_width, std::size_t name_width, std::size_t positions_width) {
    id = std::max(id, id_width);
    name = std::max(name, name_width);
    positions = std::max(positions, positions_width);
  }
  void Fit(const Widths& other) { Fit(other.id, other.name, other.positions); }
};

// Field ids and names are ASCII but for the rare exception; a code point
// count for every row would cost more than the row itself.
std::size_t DisplayWidth(std::string_view text) noexcept {
  for (const char c : text) {
    if (static_cast<unsigned char>(c) >= 0x80) return CodePointCount(text);
  }
  return text.size();
}

std::size_t Digits(std::size_t number) {
  std::size_t digits = 1;
  while (number >= 10) {
    number /= 10;
    ++digits;
  }
  return digits;
}

std::size_t PositionsWidth(std::size_t first, std::size_t last) {
  return first == last ? Digits(first) : Digits(first) + 1 + Digits(last);
}

ReportStream& operator<<(ReportStream& out, const std::pair<std::size_t, std::size_t>& range) {
  out << range.first;
  if (range.first != range.second) out << '-' << range.second;
  return out;
}

std::string Positions(std::size_t first, std::size_t last) {
  return first == last ? std::to_string(first) : std::to_string(first) + "-" + std::to_string(last);
}

std::string Plural(std::size_t count, std::string_view one, std::string_view many) {
  return std::to_string(count) + " " + std::string(count == 1 ? one : many);
}

// The widths a record's rows need; the rows of all fields of a layout are
// measured once per layout.
class WidthsOfRows {
 public:
  Widths Of(const Record& record) {
    Widths widths;
    const std::size_t size = record.bytes.size();
    if (record.layout == nullptr) {
      widths.Fit(1, CodePointCount("(unknown)"), PositionsWidth(1, size));
      return widths;
    }
    if (size >= record.layout->length) {
      widths = OfLayout(*record.layout);
    } else {
      for (const FieldSpec& field : record.layout->fields) {
        if (field.first > size) break;
        widths.Fit(FieldWidths(field));
      }
    }
    if (size > record.layout->length)
      widths.Fit(1, CodePointCount("(surplus)"), PositionsWidth(record.layout->length + 1, size));
    return widths;
  }

 private:
  static Widths FieldWidths(const FieldSpec& field) {
    return {CodePointCount(field.id), CodePointCount(field.name),
            PositionsWidth(field.first, field.last())};
  }

  const Widths& OfLayout(const RecordSpec& layout) {
    for (const auto& [known, widths] : layouts_) {
      if (known == &layout) return widths;
    }
    Widths widths;
    for (const FieldSpec& field : layout.fields) widths.Fit(FieldWidths(field));
    return layouts_.emplace_back(&layout, widths).second;
  }

  std::vector<std::pair<const RecordSpec*, Widths>> layouts_;
};

// Writes the tables' rows: "  Q3      BLZ    6-13       37040044". What
// stands before the content is the same in every record of a type, so it is
// made once per field.
class TableWriter {
 public:
  TableWriter(ReportStream& out, const Widths& widths, const Windows1252Table& table)
      : out_(out),
        widths_(widths),
        table_(table),
        shown_(table),
        header_(Prefix("Field", "Name", "Positions")) {
    header_ += "Content\n";
  }

  void Header() { out_ << header_; }

  void Row(std::string_view id, std::string_view name, std::size_t first, std::size_t last,
           std::string_view bytes) {
    std::string& text = out_.pending();
    const std::string prefix = Prefix(id, name, Positions(first, last));
    const std::string_view content = TrimTrailingBlanks(bytes);
    // Content that is left ends in a shown character; without it, the row
    // ends where its last column's text does.
    if (content.empty()) {
      text += TrimTrailingBlanks(prefix);
    } else {
      text += prefix;
      AppendPrintableWindows1252(text, content, table_);
    }
    text += '\n';
  }

  // The rows of the first `count` fields of the record's layout, made in a
  // scratch buffer that is sized once for the longest record, not cleared for
  // every record.
  void FieldRows(const Record& record, std::size_t count) {
    const LayoutRows& rows = RowsOf(*record.layout);
    const std::span<const FieldSpec> fields = record.layout->fields;
    const std::size_t room = rows.prefix_bytes + count + ShownBytes::Room(rows.content_bytes);
    if (scratch_.size() < room) scratch_.resize(room);
    char* const begin = scratch_.data();
    char* at = begin;
    for (std::size_t i = 0; i < count; ++i) {
      const RowPrefix& prefix = rows.prefixes[i];
      std::memcpy(at, prefix.text.data(), prefix.text.size());
      const std::string_view content = TrimTrailingBlanks(record.Field(fields[i]));
      at = content.empty() ? at + prefix.trimmed : shown_.Put(content, at + prefix.text.size());
      *at++ = '\n';
    }
    out_ << std::string_view(begin, static_cast<std::size_t>(at - begin));
  }

 private:
  struct RowPrefix {
    std::string text;
    std::size_t trimmed;  // its length without its trailing blanks
  };
  struct LayoutRows {
    std::vector<RowPrefix> prefixes;
    std::size_t prefix_bytes = 0;
    std::size_t content_bytes = 0;  // of all fields, the most a record shows
  };

  std::string Prefix(std::string_view id, std::string_view name, std::string_view positions) const {
    std::string prefix = "  ";
    Padded(prefix, id, widths_.id);
    prefix += "  ";
    Padded(prefix, name, widths_.name);
    prefix += "  ";
    Padded(prefix, positions, widths_.positions);
    prefix += "  ";
    return prefix;
  }

  static void Padded(std::string& to, std::string_view text, std::size_t width) {
    to += text;
    const std::size_t length = DisplayWidth(text);
    if (length < width) to.append(width - length, ' ');
  }

  const LayoutRows& RowsOf(const RecordSpec& layout) {
    for (const auto& [known, rows] : layouts_) {
      if (known == &layout) return rows;
    }
    LayoutRows rows;
    for (const FieldSpec& field : layout.fields) {
      std::string text = Prefix(field.id, field.name, Positions(field.first, field.last()));
      const std::size_t trimmed = TrimTrailingBlanks(text).size();
      rows.prefix_bytes += text.size();
      rows.content_bytes += field.length;
      rows.prefixes.push_back({std::move(text), trimmed});
    }
    return layouts_.emplace_back(&layout, std::move(rows)).second;
  }

  ReportStream& out_;
  const Widths& widths_;
  const Windows1252Table& table_;
  const ShownBytes shown_;
  std::string header_;
  std::vector<std::pair<const RecordSpec*, LayoutRows>> layouts_;
  std::string scratch_;
};

void WriteTitle(const Record& record, const Windows1252Table& table, ReportStream& out) {
  out << "Record " << record.index << ": ";
  if (record.bytes.size() < 5) {
    out << Plural(record.bytes.size(), "byte", "bytes") << " at the end of the file";
  } else if (record.layout == nullptr) {
    out << "unknown type \"" << TypeText(record.type, table) << "\"";
  } else if (record.type == 'T') {
    out << "T, payment " << record.payment;
  } else {
    out << record.type << ", " << record.layout->title;
  }
  out << ", bytes " << std::pair(record.offset + 1, record.offset + record.bytes.size()) << '\n';
}

void WriteTable(const Record& record, TableWriter& rows, ReportStream& out) {
  rows.Header();
  const std::size_t size = record.bytes.size();
  if (record.layout == nullptr) {
    rows.Row("-", "(unknown)", 1, size, record.bytes);
    return;
  }
  const std::span<const FieldSpec> fields = record.layout->fields;
  std::size_t held = 0;
  while (held < fields.size() && fields[held].first <= size) ++held;
  rows.FieldRows(record, held);
  if (held < fields.size()) {
    out << "  (the record ends after " << Plural(size, "byte", "bytes") << "; position "
        << fields[held].first << " onwards is missing)\n";
  }
  if (size > record.layout->length) {
    rows.Row("-", "(surplus)", record.layout->length + 1, size,
             std::string_view(record.bytes).substr(record.layout->length));
  }
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

void WriteFindings(const std::vector<Finding>& findings, const Windows1252Table& table,
                   ReportStream& out) {
  if (findings.empty()) {
    out << "Findings: none.\n";
    return;
  }
  out << "Findings (" << findings.size() << "):\n";
  for (const Finding& finding : findings) {
    out << "  " << FindingLine(finding, table) << '\n';
    out.Checkpoint();
  }
}

}  // namespace

std::string TypeText(char type, const Windows1252Table& table) {
  return PrintableWindows1252(std::string_view(&type, type == '\0' ? 0 : 1), table);
}

std::string FindingLine(const Finding& finding, const Windows1252Table& table) {
  return FindingPlace(finding, table) + ": " + finding.message;
}

std::string FindingLine(const Finding& finding) {
  return FindingLine(finding, MakeWindows1252Table());
}

std::string FindingsText(const std::vector<Finding>& findings) {
  std::ostringstream text;
  {
    ReportStream out(text);
    WriteFindings(findings, MakeWindows1252Table(), out);
  }
  return text.str();
}

void WriteInspectionText(const Inspection& inspection, std::string_view path, std::ostream& out) {
  const Windows1252Table table = MakeWindows1252Table();
  const DtazvFile& file = inspection.file;
  Widths widths;
  widths.Fit(CodePointCount("Field"), CodePointCount("Name"), CodePointCount("Positions"));
  WidthsOfRows measure;
  for (const Record& record : file.records) widths.Fit(measure.Of(record));

  ReportStream stream(out);
  TableWriter rows(stream, widths, table);
  stream << "File " << path << ": " << Plural(file.size, "byte", "bytes") << ", "
         << Plural(file.records.size(), "record", "records") << '\n';
  for (const Record& record : file.records) {
    stream << '\n';
    WriteTitle(record, table, stream);
    WriteTable(record, rows, stream);
    stream.Checkpoint();
  }
  stream << '\n';
  if (inspection.findings.empty()) {
    stream << "Findings: none. The file is sound.\n";
  } else {
    WriteFindings(inspection.findings, table, stream);
  }
}

}  // namespace xkdtazv::cli
