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
// Indentation up to this many blanks is copied in one fixed-size piece.
constexpr std::size_t kIndentRoom = 32;
static_assert(kBlanks.size() >= kIndentRoom);

// The text as libxml2 takes it: up to the first NUL.
std::string_view UpToNul(std::string_view text) { return text.substr(0, text.find('\0')); }

// Printable ASCII that libxml2 writes as it is, in text and in attribute
// values (NUL is not among it).
constexpr std::array<bool, 256> kPlain = [] {
  std::array<bool, 256> plain{};
  for (int c = 0x20; c <= 0x7E; ++c) plain[static_cast<std::size_t>(c)] = true;
  for (const char c : std::string_view("<>&\"")) plain[static_cast<unsigned char>(c)] = false;
  return plain;
}();

bool Plain(std::string_view text) {
  bool plain = true;
  for (const char c : text) plain &= kPlain[static_cast<unsigned char>(c)];
  return plain;
}

// Copies a piece padded to `room` bytes and moves on by its real size: a
// fixed-size copy the compiler does in a few moves. The block has that room
// beyond its end.
template <std::size_t room>
char* Put(char* out, const char* padded, std::size_t size) {
  std::memcpy(out, padded, room);
  return out + size;
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
    : out_(out),
      block_(
          std::make_unique_for_overwrite<char[]>(kBlockSize + std::max(Tag::kRoom, kIndentRoom))) {
  open_.reserve(16);
  Append("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n");
}

void XmlWriter::Start(const Tag& tag) {
  const bool close_tag = !open_.empty() && state_ == State::kTagOpen;
  const std::size_t indent = 2 * open_.size();
  open_.push_back(&tag);
  state_ = State::kTagOpen;
  // "<Name", open for attributes.
  const std::size_t name_size = tag.start().size() - 1;
  if (indent > kIndentRoom) {
    if (close_tag) Append(">\n");
    Indent(open_.size() - 1);
    Append(tag.start().substr(0, name_size));
    return;
  }
  if (used_ + 2 + indent + name_size > kBlockSize) WriteBlock();
  char* out = block_.get() + used_;
  if (close_tag) out = Put<2>(out, ">\n", 2);
  out = Put<kIndentRoom>(out, kBlanks.data(), indent);
  out = Put<Tag::kRoom>(out, tag.padded_start(), name_size);
  used_ = static_cast<std::size_t>(out - block_.get());
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
  const Tag& tag = *open_.back();
  open_.pop_back();
  if (state_ == State::kTagOpen) {
    Append("/>\n");
  } else {
    const std::size_t indent = end_on_new_line_ ? 2 * open_.size() : 0;
    if (indent > kIndentRoom) {
      Indent(open_.size());
      Append(tag.end());
    } else {
      if (used_ + indent + tag.end().size() > kBlockSize) WriteBlock();
      char* out = block_.get() + used_;
      out = Put<kIndentRoom>(out, kBlanks.data(), indent);
      out = Put<Tag::kRoom>(out, tag.padded_end(), tag.end().size());
      used_ = static_cast<std::size_t>(out - block_.get());
    }
  }
  end_on_new_line_ = true;
  state_ = State::kContent;
}

void XmlWriter::Text(std::string_view text) {
  if (open_.empty()) throw Failure(FailureCode::kIoError);
  CloseStartTag();
  AppendText(UpToNul(text));
  end_on_new_line_ = false;
}

// As Start, Text and End would write it, without the element ever on the stack;
// the common case (plain text, little indentation) in whole tags into the block.
void XmlWriter::Element(const Tag& tag, std::string_view text) {
  const bool close_tag = !open_.empty() && state_ == State::kTagOpen;
  const std::size_t indent = 2 * open_.size();
  const std::size_t size = 2 + indent + tag.start().size() + text.size() + tag.end().size();
  // Plain text has no NUL: it goes as it is.
  if (indent <= kIndentRoom && size <= kBlockSize && Plain(text)) {
    if (used_ + size > kBlockSize) WriteBlock();
    char* out = block_.get() + used_;
    if (close_tag) out = Put<2>(out, ">\n", 2);
    out = Put<kIndentRoom>(out, kBlanks.data(), indent);
    out = Put<Tag::kRoom>(out, tag.padded_start(), tag.start().size());
    std::memcpy(out, text.data(), text.size());
    out += text.size();
    out = Put<Tag::kRoom>(out, tag.padded_end(), tag.end().size());
    used_ = static_cast<std::size_t>(out - block_.get());
  } else {
    ElementInPieces(close_tag, tag, UpToNul(text));
  }
  state_ = State::kContent;
  end_on_new_line_ = true;
}

void XmlWriter::ElementInPieces(bool close_tag, const Tag& tag, std::string_view text) {
  if (close_tag) Append(">\n");
  Indent(open_.size());
  Append(tag.start());
  AppendText(text);
  Append(tag.end());
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
