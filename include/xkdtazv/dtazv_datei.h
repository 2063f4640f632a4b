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

#include <chrono>
#include <functional>
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

  // Writes the same payments as ISO 20022 pain.001.001.09 documents into
  // Pfad, one per order type (AXZ, CCT, CCU), named after DiffFileName.
  // Changes none of the objects. Returns "SUCCESS" or the findings, each
  // followed by CR LF; with an error nothing is written.
  std::string GeneratePain001();
  // The documents the last GeneratePain001 wrote, one path a line.
  std::string Pain001Dateien() const;
  // For tests and embedders: the local time the documents are stamped with
  // and the run id that makes their names unique. Empty functions take the
  // local clock and random ids.
  using LocalTimeFunction = std::function<std::chrono::local_seconds()>;
  using RunIdFunction = std::function<std::string()>;
  void setPain001Sources(LocalTimeFunction now, RunIdFunction run_id);

 private:
  std::string pfad_;
  std::string diff_file_name_;
  std::shared_ptr<MeineInfo> sender_;
  std::unique_ptr<detail::Footer> footer_;
  std::vector<std::shared_ptr<GeldTransfer>> transfers_;
  std::shared_ptr<detail::FileService> files_;
  LocalTimeFunction now_;
  RunIdFunction run_id_;
  std::vector<std::string> written_documents_;
};

}  // namespace xkdtazv

#endif  // XKDTAZV_DTAZV_DATEI_H_
