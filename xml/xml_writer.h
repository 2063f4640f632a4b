// Streams an XML document into an output file in the form libxml2's text
// writer gives it (UTF-8, two-space indentation, empty elements closed with
// "/>"), rendering into a block of its own that goes to the file whenever it
// is full: memory stays at one block, whatever the document's size. Texts
// are escaped as libxml2's writer escapes them, byte for byte.
//
//   constexpr xml::Tag kDocument("Document"), kMsgId("MsgId");
//   XmlWriter xml(file);                 // an OutputFile of the file service
//   xml.Start(kDocument);
//   xml.Attribute("xmlns", "urn:iso:std:iso:20022:tech:xsd:pain.001.001.09");
//   xml.Element(kMsgId, "X1");
//   xml.End();
//   xml.Finish();                        // ends every open element and writes the rest
#ifndef XKDTAZV_XML_XML_WRITER_H_
#define XKDTAZV_XML_XML_WRITER_H_

#include <cstddef>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/file_service.h"

namespace xkdtazv::xml {

// An element's name with its start and end tag made once, at compile time:
// each element then copies whole tags rather than their pieces.
class Tag {
 public:
  // Room for each tag, padded: the writer copies tags in pieces of this size.
  static constexpr std::size_t kRoom = 32;

  consteval explicit Tag(std::string_view name) : start_size_(name.size() + 2) {
    // "</" name ">\n" must fit; a longer or empty name does not compile.
    if (name.empty() || name.size() + 4 > kRoom) throw "element name too long";
    start_[0] = '<';
    end_[0] = '<';
    end_[1] = '/';
    for (std::size_t i = 0; i < name.size(); ++i) {
      if (name[i] == '\0' || name[i] == '<' || name[i] == '>') throw "not a name";
      start_[i + 1] = name[i];
      end_[i + 2] = name[i];
    }
    start_[name.size() + 1] = '>';
    end_[name.size() + 2] = '>';
    end_[name.size() + 3] = '\n';
  }

  // "<Name>"
  std::string_view start() const noexcept { return {start_, start_size_}; }
  // "</Name>\n"
  std::string_view end() const noexcept { return {end_, start_size_ + 2}; }
  // The tags, padded with zeros to kRoom bytes.
  const char* padded_start() const noexcept { return start_; }
  const char* padded_end() const noexcept { return end_; }

 private:
  char start_[kRoom]{};
  char end_[kRoom]{};
  std::size_t start_size_;
};

// Each call throws the output file's failure (disk full, I/O error) when a
// full block cannot be written, and Failure (I/O error) for a call out of
// place (an attribute after content, an end without an element).
class XmlWriter {
 public:
  explicit XmlWriter(detail::OutputFile& out);
  XmlWriter(const XmlWriter&) = delete;
  XmlWriter& operator=(const XmlWriter&) = delete;

  // The tag must outlive the element: tags are constants.
  void Start(const Tag& tag);
  void Attribute(std::string_view name, std::string_view value);
  void End();
  // Character data inside the element started last.
  void Text(std::string_view text);
  // An element that holds only `text`.
  void Element(const Tag& tag, std::string_view text);
  void Finish();

  // A character that is escaped, and the reference written for it.
  struct Reference {
    char character;
    std::string_view text;
  };

 private:
  // Where the element started last stands: its start tag still open for
  // attributes, or closed and followed by content.
  enum class State { kTagOpen, kContent };

  void ElementInPieces(bool close_tag, const Tag& tag, std::string_view text);
  void Indent(std::size_t levels);
  void CloseStartTag();
  void Append(std::string_view bytes);
  void AppendText(std::string_view text);
  void AppendAttributeValue(std::string_view value);
  void AppendEscaped(std::string_view text, std::span<const Reference> references);
  void WriteBlock();

  detail::OutputFile& out_;
  std::unique_ptr<char[]> block_;
  std::size_t used_ = 0;
  std::vector<const Tag*> open_;  // the open elements, innermost last
  State state_ = State::kContent;
  // The next end tag goes on a line of its own, after the children's.
  bool end_on_new_line_ = false;
};

}  // namespace xkdtazv::xml

#endif  // XKDTAZV_XML_XML_WRITER_H_
