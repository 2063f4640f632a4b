// One DTAZV file: the sender, the payments and the run that writes them.
//
//   xkdtazv::DtAzvDatei file;
//   file.setPfad("/srv/payments");
//   file.GetMeineInfo()->setBLZ("12345678");
//   file.AddGeldTransfer(payment);
//   std::string result = file.Generate();   // "SUCCESS" or every finding
//
// Generate writes Pfad + "/" + DiffFileName in Windows-1252, replacing an
// earlier file only once the new one is complete.
#ifndef XKDTAZV_DTAZV_DATEI_H_
#define XKDTAZV_DTAZV_DATEI_H_

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "xkdtazv/geld_transfer.h"
#include "xkdtazv/meine_info.h"

namespace xkdtazv {

namespace detail {
class FileService;
class Footer;
}  // namespace detail

class DtAzvDatei {
 public:
  DtAzvDatei();
  // For tests and embedders: the file service that writes, and the clock that
  // dates the header. Null arguments take the platform's own.
  DtAzvDatei(std::shared_ptr<detail::FileService> files, const TodayFunction& today);
  ~DtAzvDatei();
  DtAzvDatei(const DtAzvDatei&) = delete;
  DtAzvDatei& operator=(const DtAzvDatei&) = delete;

  std::string Pfad() const { return pfad_; }
  void setPfad(std::string_view value);
  std::string DiffFileName() const { return diff_file_name_; }
  void setDiffFileName(std::string_view value);

  // The file's own sender, the same object every time.
  std::shared_ptr<MeineInfo> GetMeineInfo() const { return sender_; }
  // Appends the payment; the file shares it with the host. "SUCCESS".
  std::string AddGeldTransfer(std::shared_ptr<GeldTransfer> newTransfer);
  // Validates everything, writes the file, returns "SUCCESS" or the findings.
  std::string Generate();

 private:
  std::string pfad_;
  std::string diff_file_name_;
  std::shared_ptr<MeineInfo> sender_;
  std::unique_ptr<detail::Footer> footer_;
  std::vector<std::shared_ptr<GeldTransfer>> transfers_;
  std::shared_ptr<detail::FileService> files_;
};

}  // namespace xkdtazv

#endif  // XKDTAZV_DTAZV_DATEI_H_
