#include "xml/xml_writer.h"

#include <algorithm>
#include <array>
#include <cstring>

#include "xkdtazv/failure.h"

namespace xkdtazv::xml {
namespace {

// Large blocks: few system calls, and a block the file system takes whole.
constexpr std::size_t kBlockSize = std::size_t{1} << 20;
// Two blanks a level, taken from here in one piece.
constexpr std::string_view kBlanks =
    "                                                                ";

// The text as libxml2 takes it: up to the first NUL.
std::string_view UpToNul(std::string_view text) { return text.substr(0, text.find('\0')); }

// Printable ASCII that libxml2 writes as it is, in text and in attribute values.
bool Plain(std::string_view text) {
  for (const char c : text) {
    if (c < 0x20 || c > 0x7E || c == '<' || c == '>' || c == '&' || c == '"') return false;
  }
  return true;
}

// What libxml2's writer escapes, and how: in text, and in attribute values
// (where every other byte, UTF-8 or not, stays as it is).
constexpr std::array<XmlWriter::Reference, 5> kTextReferences{
    {{'<', "&lt;"}, {'>', "&gt;"}, {'&', "&amp;"}, {'"', "&quot;"}, {'\r', "&#13;"}}};
constexpr std::array<XmlWriter::Reference, 7> kAttributeReferences{{{'<', "&lt;"},
                                                                    {'>', "&gt;"},
                                                                    {'&', "&amp;"},
                                                                    {'"', "&quot;"},
                                                                    {'\r', "&#13;"},
                                                                    {'\n', "&#10;"},
                                                                    {'\t', "&#9;"}}};

}  // namespace

XmlWriter::XmlWriter(detail::OutputFile& out)
    : out_(out), block_(std::make_unique_for_overwrite<char[]>(kBlockSize)) {
  Append("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n");
}

void XmlWriter::Start(std::string_view name) {
  if (!open_.empty() && state_ == State::kTagOpen) Append(">\n");
  open_.emplace_back(UpToNul(name));
  Indent(open_.size() - 1);
  Append("<");
  Append(open_.back());
  state_ = State::kTagOpen;
}

void XmlWriter::Attribute(std::string_view name, std::string_view value) {
  if (open_.empty() || state_ != State::kTagOpen) throw Failure(FailureCode::kIoError);
  Append(" ");
  Append(UpToNul(name));
  Append("=\"");
  AppendAttributeValue(UpToNul(value));
  Append("\"");
}

void XmlWriter::End() {
  if (open_.empty()) throw Failure(FailureCode::kIoError);
  if (state_ == State::kTagOpen) {
    Append("/>");
  } else {
    if (end_on_new_line_) Indent(open_.size() - 1);
    Append("</");
    Append(open_.back());
    Append(">");
  }
  end_on_new_line_ = true;
  Append("\n");
  open_.pop_back();
  state_ = State::kContent;
}

void XmlWriter::Text(std::string_view text) {
  if (open_.empty()) throw Failure(FailureCode::kIoError);
  CloseStartTag();
  AppendText(UpToNul(text));
  end_on_new_line_ = false;
}

// As Start, Text and End would write it, without the element ever on the stack;
// the common case (plain text, little indentation) in one copy into the block.
void XmlWriter::Element(std::string_view name, std::string_view text) {
  const bool close_tag = !open_.empty() && state_ == State::kTagOpen;
  name = UpToNul(name);
  text = UpToNul(text);
  const std::string_view blanks = kBlanks.substr(0, std::min(2 * open_.size(), kBlanks.size()));
  const std::size_t size = 2 + blanks.size() + 2 * name.size() + text.size() + 6;
  if (blanks.size() == 2 * open_.size() && size <= kBlockSize && Plain(text)) {
    if (used_ + size > kBlockSize) WriteBlock();
    char* out = block_.get() + used_;
    const auto put = [&out](std::string_view piece) {
      std::memcpy(out, piece.data(), piece.size());
      out += piece.size();
    };
    if (close_tag) put(">\n");
    put(blanks);
    put("<");
    put(name);
    put(">");
    put(text);
    put("</");
    put(name);
    put(">\n");
    used_ = static_cast<std::size_t>(out - block_.get());
  } else {
    ElementInPieces(close_tag, name, text);
  }
  state_ = State::kContent;
  end_on_new_line_ = true;
}

void XmlWriter::ElementInPieces(bool close_tag, std::string_view name, std::string_view text) {
  if (close_tag) Append(">\n");
  Indent(open_.size());
  Append("<");
  Append(name);
  Append(">");
  AppendText(text);
  Append("</");
  Append(name);
  Append(">\n");
}

void XmlWriter::Finish() {
  while (!open_.empty()) End();
  WriteBlock();
}

// One indentation per level above the element.
void XmlWriter::Indent(std::size_t levels) {
  for (std::size_t blanks = 2 * levels; blanks > 0;) {
    const std::size_t piece = std::min(blanks, kBlanks.size());
    Append(kBlanks.substr(0, piece));
    blanks -= piece;
  }
}

void XmlWriter::CloseStartTag() {
  if (state_ != State::kTagOpen) return;
  Append(">");
  state_ = State::kContent;
}

void XmlWriter::Append(std::string_view bytes) {
  if (used_ + bytes.size() > kBlockSize) {
    WriteBlock();
    if (bytes.size() > kBlockSize) return out_.Write(bytes);
  }
  std::memcpy(block_.get() + used_, bytes.data(), bytes.size());
  used_ += bytes.size();
}

void XmlWriter::AppendText(std::string_view text) {
  if (Plain(text)) return Append(text);
  AppendEscaped(text, kTextReferences);
}

void XmlWriter::AppendAttributeValue(std::string_view value) {
  if (Plain(value)) return Append(value);
  AppendEscaped(value, kAttributeReferences);
}

void XmlWriter::AppendEscaped(std::string_view text, std::span<const Reference> references) {
  std::size_t plain_from = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto reference = std::find_if(references.begin(), references.end(),
                                        [&](const Reference& r) { return r.character == text[i]; });
    if (reference == references.end()) continue;
    Append(text.substr(plain_from, i - plain_from));
    Append(reference->text);
    plain_from = i + 1;
  }
  Append(text.substr(plain_from));
}

void XmlWriter::WriteBlock() {
  if (used_ == 0) return;
  out_.Write(std::string_view(block_.get(), used_));
  used_ = 0;
}

}  // namespace xkdtazv::xml
