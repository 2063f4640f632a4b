#include "file/faulty_file_service.h"

namespace xkdtazv::testing {
namespace {

class FaultyOutputFile : public detail::OutputFile {
 public:
  FaultyOutputFile(std::shared_ptr<FaultyFileService> service,
                   std::unique_ptr<detail::OutputFile> file)
      : service_(std::move(service)), file_(std::move(file)) {}

  void Write(std::string_view bytes) override {
    service_->Call("write " + std::to_string(bytes.size()));
    file_->Write(bytes);
  }
  void Flush() override {
    service_->Call("flush");
    file_->Flush();
  }
  void Close() override {
    service_->Call("close");
    file_->Close();
  }

 private:
  std::shared_ptr<FaultyFileService> service_;
  std::unique_ptr<detail::OutputFile> file_;
};

}  // namespace

void FaultyFileService::Call(std::string description) {
  calls_.push_back(std::move(description));
  if (static_cast<int>(calls_.size()) == fail_at_) throw Failure(code_);
}

std::unique_ptr<detail::OutputFile> FaultyFileService::CreateTemporary(
    const std::string& final_path, std::string& temporary_path) {
  Call("create " + final_path);
  return std::make_unique<FaultyOutputFile>(shared_from_this(),
                                            system_->CreateTemporary(final_path, temporary_path));
}

void FaultyFileService::Rename(const std::string& from, const std::string& to) {
  Call("rename");
  system_->Rename(from, to);
}

void FaultyFileService::Remove(const std::string& path) noexcept { system_->Remove(path); }

}  // namespace xkdtazv::testing
