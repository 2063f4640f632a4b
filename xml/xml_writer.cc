#include "xml/xml_writer.h"

#include <libxml/xmlwriter.h>

#include "xkdtazv/failure.h"

namespace xkdtazv::xml {
namespace {

const xmlChar* Chars(const std::string& text) {
  return reinterpret_cast<const xmlChar*>(text.c_str());
}

void Silent(void*, const char*, ...) {}

}  // namespace

XmlWriter::QuietErrors::QuietErrors()
    : context_(xmlGenericErrorContext), handler_(xmlGenericError) {
  xmlSetGenericErrorFunc(nullptr, &Silent);
}

XmlWriter::QuietErrors::~QuietErrors() { xmlSetGenericErrorFunc(context_, handler_); }

XmlWriter::XmlWriter(detail::OutputFile& out) : out_(out) {
  xmlOutputBufferPtr buffer =
      xmlOutputBufferCreateIO(&XmlWriter::WriteCallback, nullptr, this, nullptr);
  if (buffer == nullptr) throw Failure(FailureCode::kOutOfMemory);
  writer_ = xmlNewTextWriter(buffer);  // owns the buffer from here on
  if (writer_ == nullptr) {
    xmlOutputBufferClose(buffer);
    throw Failure(FailureCode::kOutOfMemory);
  }
  xmlTextWriterSetIndent(writer_, 1);
  xmlTextWriterSetIndentString(writer_, reinterpret_cast<const xmlChar*>("  "));
  Check(xmlTextWriterStartDocument(writer_, "1.0", "UTF-8", nullptr));
}

XmlWriter::~XmlWriter() { xmlFreeTextWriter(writer_); }

// libxml2 calls back with its buffer; a failure of the file cannot cross the
// C library, so it waits here until the writer's call returns.
int XmlWriter::WriteCallback(void* context, const char* buffer, int length) {
  auto* self = static_cast<XmlWriter*>(context);
  if (self->output_failure_) return -1;
  try {
    self->out_.Write(std::string_view(buffer, static_cast<std::size_t>(length)));
  } catch (...) {
    self->output_failure_ = std::current_exception();
    return -1;
  }
  return length;
}

void XmlWriter::Check(int status) {
  if (output_failure_) std::rethrow_exception(output_failure_);
  if (status < 0) throw Failure(FailureCode::kIoError);
}

void XmlWriter::Start(std::string_view name) {
  Check(xmlTextWriterStartElement(writer_, Chars(std::string(name))));
}

void XmlWriter::Attribute(std::string_view name, std::string_view value) {
  Check(xmlTextWriterWriteAttribute(writer_, Chars(std::string(name)), Chars(std::string(value))));
}

void XmlWriter::End() { Check(xmlTextWriterEndElement(writer_)); }

void XmlWriter::Text(std::string_view text) {
  Check(xmlTextWriterWriteString(writer_, Chars(std::string(text))));
}

void XmlWriter::Element(std::string_view name, std::string_view text) {
  Check(xmlTextWriterWriteElement(writer_, Chars(std::string(name)), Chars(std::string(text))));
}

void XmlWriter::Finish() {
  Check(xmlTextWriterEndDocument(writer_));
  Check(xmlTextWriterFlush(writer_));
}

}  // namespace xkdtazv::xml
