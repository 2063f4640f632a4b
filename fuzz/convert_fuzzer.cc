// Converts any bytes as a DTAZV file into pain.001 documents, written to
// memory: never a crash, a hang or an exception, documents only when no error
// was found, and every document well-formed XML.
#include <libxml/parser.h>

#include <cstdint>
#include <cstdlib>
#include <map>
#include <memory>
#include <string>
#include <string_view>

#include "pain001/converter.h"

namespace {

class MemoryFile : public xkdtazv::detail::OutputFile {
 public:
  explicit MemoryFile(std::string& bytes) : bytes_(bytes) {}
  void Write(std::string_view bytes) override { bytes_ += bytes; }
  void Flush() override {}
  void Close() override {}

 private:
  std::string& bytes_;
};

class MemoryFiles : public xkdtazv::detail::FileService {
 public:
  std::unique_ptr<xkdtazv::detail::OutputFile> CreateTemporary(
      const std::string& final_path, std::string& temporary_path) override {
    temporary_path = final_path + ".tmp";
    return std::make_unique<MemoryFile>(files[temporary_path]);
  }
  void Rename(const std::string& from, const std::string& to) override {
    files[to] = std::move(files[from]);
    files.erase(from);
  }
  void Remove(const std::string& path) noexcept override { files.erase(path); }

  std::map<std::string, std::string> files;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace xkdtazv::pain001;
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  auto files = std::make_shared<MemoryFiles>();
  const ConversionServices services{
      files,
      [] {
        return LocalDateTime{std::chrono::year(2026) / 12 / 8, 10, 15, 0};
      },
      [] { return std::string("FUZZRUN00001"); }};
  const Conversion conversion = ConvertDtazv(bytes, {"DTAZV", "out", {}, {}}, services);
  if (conversion.findings.HasErrors() && !conversion.documents.empty()) std::abort();
  if (conversion.documents.size() != files->files.size()) std::abort();
  for (const auto& [path, document] : files->files) {
    xmlDocPtr parsed =
        xmlReadMemory(document.data(), static_cast<int>(document.size()), path.c_str(), nullptr,
                      XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING);
    if (parsed == nullptr) std::abort();
    xmlFreeDoc(parsed);
  }
  return 0;
}
