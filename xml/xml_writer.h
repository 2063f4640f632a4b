// Streams an XML document into an output file through libxml2's text writer:
// UTF-8, two-space indentation, escaping left to the library. Nothing is kept
// in memory beyond libxml2's small output buffer, whatever the document's size.
//
//   XmlWriter xml(file);                 // an OutputFile of the file service
//   xml.Start("Document");
//   xml.Attribute("xmlns", "urn:iso:std:iso:20022:tech:xsd:pain.001.001.09");
//   xml.Element("MsgId", "X1");
//   xml.End();
//   xml.Finish();                        // ends every open element and flushes
#ifndef XKDTAZV_XML_XML_WRITER_H_
#define XKDTAZV_XML_XML_WRITER_H_

#include <exception>
#include <string>
#include <string_view>

#include "platform/file_service.h"

typedef struct _xmlTextWriter xmlTextWriter;

namespace xkdtazv::xml {

// Each call throws Failure when libxml2 or the output file fails; the file's
// own failure (disk full, I/O error) is the one thrown.
class XmlWriter {
 public:
  explicit XmlWriter(detail::OutputFile& out);
  ~XmlWriter();
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

 private:
  static int WriteCallback(void* context, const char* buffer, int length);
  void Check(int status);

  // libxml2 would print its own words for a failed write; the failure thrown
  // says it already. Its handler is per thread and comes back at the end.
  class QuietErrors {
   public:
    QuietErrors();
    ~QuietErrors();
    QuietErrors(const QuietErrors&) = delete;
    QuietErrors& operator=(const QuietErrors&) = delete;

   private:
    void* context_;
    void (*handler_)(void*, const char*, ...);
  };

  QuietErrors quiet_;
  detail::OutputFile& out_;
  xmlTextWriter* writer_ = nullptr;
  std::exception_ptr output_failure_;
};

}  // namespace xkdtazv::xml

#endif  // XKDTAZV_XML_XML_WRITER_H_
