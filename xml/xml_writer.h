// Streams an XML document into an output file in the form libxml2's text
// writer gives it (UTF-8, two-space indentation, empty elements closed with
// "/>"), rendering into a block of its own that goes to the file whenever it
// is full: memory stays at one block, whatever the document's size. Texts
// are escaped as libxml2's writer escapes them, byte for byte.
//
//   XmlWriter xml(file);                 // an OutputFile of the file service
//   xml.Start("Document");
//   xml.Attribute("xmlns", "urn:iso:std:iso:20022:tech:xsd:pain.001.001.09");
//   xml.Element("MsgId", "X1");
//   xml.End();
//   xml.Finish();                        // ends every open element and writes the rest
#ifndef XKDTAZV_XML_XML_WRITER_H_
#define XKDTAZV_XML_XML_WRITER_H_

#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/file_service.h"

namespace xkdtazv::xml {

// Each call throws the output file's failure (disk full, I/O error) when a
// full block cannot be written, and Failure (I/O error) for a call out of
// place (an attribute after content, an end without an element).
class XmlWriter {
 public:
  explicit XmlWriter(detail::OutputFile& out);
  XmlWriter(const XmlWriter&) = delete;
  XmlWriter& operator=(const XmlWriter&) = delete;

  void Start(std::string_view name);
  void Attribute(std::string_view name, std::string_view value);
  void End();
  // Character data inside the element started last.
  void Text(std::string_view text);
  // An element that holds only `text`.
  void Element(std::string_view name, std::string_view text);
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

  void ElementInPieces(bool close_tag, std::string_view name, std::string_view text);
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
  std::vector<std::string> open_;  // the names of the open elements, innermost last
  State state_ = State::kContent;
  // The next end tag goes on a line of its own, after the children's.
  bool end_on_new_line_ = false;
};

}  // namespace xkdtazv::xml

#endif  // XKDTAZV_XML_XML_WRITER_H_
