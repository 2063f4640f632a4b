#include "batch/batch_csv.h"

#include <set>

#include "reader/text_encoding.h"

namespace xkdtazv::cli {
namespace {

constexpr char kSeparator = ';';
constexpr char kQuote = '"';

struct Cell {
  std::string text;
  std::size_t line = 0;
  std::size_t column = 0;  // in characters, 1-based
};

using Row = std::vector<Cell>;

std::string Place(std::size_t line, std::size_t column) {
  return "line " + std::to_string(line) + ", column " + std::to_string(column);
}

// Splits UTF-8 text into rows of cells, keeping where each cell begins.
class CsvScanner {
 public:
  explicit CsvScanner(std::string_view text) : text_(text) {}

  // False at the end of the text or on a fault, which error() then names.
  bool NextRow(Row& row) {
    row.clear();
    if (pos_ >= text_.size() || !error_.empty()) return false;
    for (;;) {
      Cell cell{{}, line_, column_};
      if (!ReadCell(cell)) return false;
      row.push_back(std::move(cell));
      if (pos_ >= text_.size()) return true;
      if (text_[pos_] == kSeparator) {
        Advance();
        continue;
      }
      SkipLineBreak();
      return true;
    }
  }

  const std::string& error() const noexcept { return error_; }

 private:
  bool AtLineBreak() const noexcept {
    return pos_ < text_.size() && (text_[pos_] == '\n' || text_[pos_] == '\r');
  }

  void SkipLineBreak() {
    if (text_[pos_] == '\r' && pos_ + 1 < text_.size() && text_[pos_ + 1] == '\n') ++pos_;
    ++pos_;
    ++line_;
    column_ = 1;
  }

  // One character forward; continuation bytes of UTF-8 do not count as columns.
  void Advance() {
    ++pos_;
    while (pos_ < text_.size() && (static_cast<unsigned char>(text_[pos_]) & 0xC0) == 0x80) ++pos_;
    ++column_;
  }

  void TakeCharacter(std::string& into) {
    const std::size_t start = pos_;
    Advance();
    into.append(text_.substr(start, pos_ - start));
  }

  bool ReadCell(Cell& cell) {
    if (pos_ < text_.size() && text_[pos_] == kQuote) return ReadQuotedCell(cell);
    while (pos_ < text_.size() && text_[pos_] != kSeparator && !AtLineBreak()) {
      if (text_[pos_] == kQuote) {
        error_ = Place(line_, column_) +
                 ": a quotation mark inside a field that does not begin with one; quote the "
                 "whole field and double the mark (\"\")";
        return false;
      }
      TakeCharacter(cell.text);
    }
    return true;
  }

  bool ReadQuotedCell(Cell& cell) {
    Advance();  // the opening quote
    for (;;) {
      if (pos_ >= text_.size()) {
        error_ = Place(cell.line, cell.column) + ": the quoted field is never closed";
        return false;
      }
      if (text_[pos_] == kQuote) {
        Advance();
        if (pos_ < text_.size() && text_[pos_] == kQuote) {
          cell.text += kQuote;
          Advance();
          continue;
        }
        if (pos_ < text_.size() && text_[pos_] != kSeparator && !AtLineBreak()) {
          error_ = Place(line_, column_) +
                   ": after the closing quotation mark, \";\" or the end of the line must follow";
          return false;
        }
        return true;
      }
      if (AtLineBreak()) {
        const bool crlf = text_[pos_] == '\r' && pos_ + 1 < text_.size() && text_[pos_ + 1] == '\n';
        cell.text.append(crlf ? "\r\n" : std::string(1, text_[pos_]));
        SkipLineBreak();
        continue;
      }
      TakeCharacter(cell.text);
    }
  }

  std::string_view text_;
  std::size_t pos_ = 0;
  std::size_t line_ = 1;
  std::size_t column_ = 1;
  std::string error_;
};

bool IsBlankRow(const Row& row) { return row.size() == 1 && row[0].text.empty(); }

BatchReadResult Failed(std::string error) {
  return BatchReadResult{std::nullopt, std::move(error)};
}

BatchReadResult Read(std::string_view bytes) {
  bytes = WithoutByteOrderMark(bytes);
  const std::string text = IsValidUtf8(bytes) ? std::string(bytes) : Windows1252ToUtf8(bytes);
  CsvScanner scanner(text);
  Row header;
  while (scanner.NextRow(header) && IsBlankRow(header)) {
  }
  if (!scanner.error().empty()) return Failed(scanner.error());
  if (header.empty()) return Failed("the file holds no header row of member names");
  std::set<std::string> names;
  for (const Cell& cell : header) {
    if (cell.text.empty()) {
      return Failed(Place(cell.line, cell.column) + ": the header names no member here");
    }
    if (!names.insert(cell.text).second) {
      return Failed(Place(cell.line, cell.column) + ": the header names " + QuoteShort(cell.text) +
                    " twice");
    }
  }
  Batch batch;
  batch.has_transfers = true;
  for (const Cell& cell : header)
    batch.columns.push_back({cell.text, Place(cell.line, cell.column)});
  Row row;
  while (scanner.NextRow(row)) {
    if (IsBlankRow(row)) continue;
    const std::size_t line = row.front().line;
    if (row.size() != header.size()) {
      return Failed("line " + std::to_string(line) + ": " + std::to_string(row.size()) +
                    (row.size() == 1 ? " field" : " fields") + ", but the header has " +
                    std::to_string(header.size()));
    }
    BatchObject transfer{"line " + std::to_string(line), {}};
    for (std::size_t i = 0; i < row.size(); ++i) {
      if (row[i].text.empty()) continue;  // leaves the member unset
      transfer.settings.push_back({header[i].text,
                                   BatchValue{BatchValue::Kind::kText, std::move(row[i].text), 0},
                                   Place(row[i].line, row[i].column)});
    }
    batch.transfers.push_back(std::move(transfer));
  }
  if (!scanner.error().empty()) return Failed(scanner.error());
  return BatchReadResult{std::move(batch), {}};
}

}  // namespace

BatchReadResult ReadCsvBatch(std::string_view bytes) noexcept {
  try {
    return Read(bytes);
  } catch (const std::exception& error) {  // only memory can run out here
    return Failed(error.what());
  }
}

}  // namespace xkdtazv::cli
