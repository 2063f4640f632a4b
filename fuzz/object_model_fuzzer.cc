// Drives the object model with a decoded sequence of operations and checks the
// component's promises after every step: results are "SUCCESS" or lines ending
// in CR LF, every written file has 512 + 768 * N bytes whose trailer agrees with
// their T records, and failed enumeration writes leave the object usable.
// GeneratePain001 changes no object, leaves no temporary file, writes nothing
// when it reports an error and lists exactly the documents it wrote.

#include <algorithm>
#include <array>
#include <cctype>
#include <chrono>
#include <cstdlib>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/file_service.h"
#include "xkdtazv/xkdtazv.h"

namespace {

using xkdtazv::GeldTransfer;
using xkdtazv::MeineInfo;

struct HeaderProperty {
  std::string (MeineInfo::*get)() const;
  void (MeineInfo::*set)(std::string_view);
};
constexpr std::array<HeaderProperty, 7> kHeader{{
    {&MeineInfo::BLZ, &MeineInfo::setBLZ},
    {&MeineInfo::Kontonummer, &MeineInfo::setKontonummer},
    {&MeineInfo::Name, &MeineInfo::setName},
    {&MeineInfo::Vorname, &MeineInfo::setVorname},
    {&MeineInfo::Strasse, &MeineInfo::setStrasse},
    {&MeineInfo::OrtPLZ, &MeineInfo::setOrtPLZ},
    {&MeineInfo::ExecutionDate, &MeineInfo::setExecutionDate},
}};

// The values only the pain.001 documents carry.
constexpr std::array<HeaderProperty, 6> kHeaderDocument{{
    {&MeineInfo::IBAN, &MeineInfo::setIBAN},
    {&MeineInfo::BIC, &MeineInfo::setBIC},
    {&MeineInfo::Waehrung, &MeineInfo::setWaehrung},
    {&MeineInfo::PLZ, &MeineInfo::setPLZ},
    {&MeineInfo::Ort, &MeineInfo::setOrt},
    {&MeineInfo::LaenderISO, &MeineInfo::setLaenderISO},
}};

struct TextProperty {
  std::string (GeldTransfer::*get)() const;
  void (GeldTransfer::*set)(std::string_view);
};
constexpr std::array<TextProperty, 16> kText{{
    {&GeldTransfer::BIC, &GeldTransfer::setBIC},
    {&GeldTransfer::BankLaenderCode, &GeldTransfer::setBankLaenderCode},
    {&GeldTransfer::Name, &GeldTransfer::setName},
    {&GeldTransfer::Vorname, &GeldTransfer::setVorname},
    {&GeldTransfer::Strasse, &GeldTransfer::setStrasse},
    {&GeldTransfer::OrtPLZ, &GeldTransfer::setOrtPLZ},
    {&GeldTransfer::IBAN, &GeldTransfer::setIBAN},
    {&GeldTransfer::Betrag, &GeldTransfer::setBetrag},
    {&GeldTransfer::Verwendungszweck1, &GeldTransfer::setVerwendungszweck1},
    {&GeldTransfer::Verwendungszweck2, &GeldTransfer::setVerwendungszweck2},
    {&GeldTransfer::Verwendungszweck3, &GeldTransfer::setVerwendungszweck3},
    {&GeldTransfer::Verwendungszweck4, &GeldTransfer::setVerwendungszweck4},
    {&GeldTransfer::WeisungsschluesselZusatz, &GeldTransfer::setWeisungsschluesselZusatz},
    {&GeldTransfer::Entgeltregelung, &GeldTransfer::setEntgeltregelung},
    {&GeldTransfer::VariableText, &GeldTransfer::setVariableText},
    {&GeldTransfer::Ansprechpartner, &GeldTransfer::setAnsprechpartner},
}};
constexpr std::array<TextProperty, 9> kTextDocument{{
    {&GeldTransfer::Auftragswaehrung, &GeldTransfer::setAuftragswaehrung},
    {&GeldTransfer::LaenderISO, &GeldTransfer::setLaenderISO},
    {&GeldTransfer::EmpfaengerKonto, &GeldTransfer::setEmpfaengerKonto},
    {&GeldTransfer::Clearingcode, &GeldTransfer::setClearingcode},
    {&GeldTransfer::BankName, &GeldTransfer::setBankName},
    {&GeldTransfer::BankOrtPLZ, &GeldTransfer::setBankOrtPLZ},
    {&GeldTransfer::PLZ, &GeldTransfer::setPLZ},
    {&GeldTransfer::Ort, &GeldTransfer::setOrt},
    {&GeldTransfer::EndToEndId, &GeldTransfer::setEndToEndId},
}};

// Reads an enumerated property as a number, or nothing when reading fails.
std::optional<std::int32_t> ReadCode(const GeldTransfer& payment, int which) {
  try {
    switch (which) {
      case 0:
        return static_cast<std::int32_t>(payment.LaenderCode());
      case 1:
        return static_cast<std::int32_t>(payment.Weisungsschluessel1());
      case 2:
        return static_cast<std::int32_t>(payment.Weisungsschluessel2());
      case 3:
        return static_cast<std::int32_t>(payment.Weisungsschluessel3());
      case 4:
        return static_cast<std::int32_t>(payment.Weisungsschluessel4());
      default:
        return static_cast<std::int32_t>(payment.Zahlungsart());
    }
  } catch (const xkdtazv::Failure&) {
    return std::nullopt;
  }
}

bool WriteCode(GeldTransfer& payment, int which, std::int32_t value) {
  try {
    using W = xkdtazv::Weisungsschluessel;
    switch (which) {
      case 0:
        payment.setLaenderCode(static_cast<xkdtazv::LaenderCodes>(value));
        break;
      case 1:
        payment.setWeisungsschluessel1(static_cast<W>(value));
        break;
      case 2:
        payment.setWeisungsschluessel2(static_cast<W>(value));
        break;
      case 3:
        payment.setWeisungsschluessel3(static_cast<W>(value));
        break;
      case 4:
        payment.setWeisungsschluessel4(static_cast<W>(value));
        break;
      default:
        payment.setZahlungsart(static_cast<xkdtazv::Zahlungsart>(value));
        break;
    }
    return true;
  } catch (const xkdtazv::Failure&) {
    return false;
  }
}

// "SUCCESS", or one or more messages each ending in CR LF.
void CheckResult(const std::string& result) {
  if (result == "SUCCESS") return;
  if (result.size() < 2 || result.compare(result.size() - 2, 2, "\r\n") != 0) std::abort();
}

// A numeric field's value: fill zeros dropped, a sign kept ("000-5" is -5).
long long FieldNumber(std::string_view field) {
  const std::size_t start = field.find_first_not_of('0');
  if (start == std::string_view::npos) return 0;
  return std::stoll(std::string(field.substr(start)));
}

void CheckFile(const std::string& bytes, std::size_t payments) {
  if (bytes.size() != 512 + 768 * payments) std::abort();
  long long total = 0;
  for (std::size_t i = 0; i < payments; ++i) {
    total += FieldNumber(std::string_view(bytes).substr(256 + 768 * i + 458, 14));
  }
  const std::string_view z = std::string_view(bytes).substr(bytes.size() - 256);
  if (z.substr(0, 5) != "0256Z") std::abort();
  if (FieldNumber(z.substr(5, 15)) != total) std::abort();
  if (FieldNumber(z.substr(20, 15)) != static_cast<long long>(payments)) std::abort();
}

// Files in memory: the run's bytes without the cost of a disk, so the fuzzer
// spends its time in the component.
class MemoryFileService : public xkdtazv::detail::FileService {
 public:
  class File : public xkdtazv::detail::OutputFile {
   public:
    explicit File(std::string& bytes) : bytes_(bytes) {}
    void Write(std::string_view bytes) override { bytes_.append(bytes); }
    void Flush() override {}
    void Close() override {}

   private:
    std::string& bytes_;
  };

  std::unique_ptr<xkdtazv::detail::OutputFile> CreateTemporary(
      const std::string& final_path, std::string& temporary_path) override {
    temporary_path = final_path + ".tmp";
    return std::make_unique<File>(files_[temporary_path]);
  }
  void Rename(const std::string& from, const std::string& to) override {
    std::string bytes = std::move(files_[from]);
    files_.erase(from);
    files_[to] = std::move(bytes);
  }
  void Remove(const std::string& path) noexcept override { files_.erase(path); }

  std::map<std::string, std::string>& files() { return files_; }

 private:
  std::map<std::string, std::string> files_;
};

// What every record renders to: GeneratePain001 must change none of it.
std::string Rendered(xkdtazv::DtAzvDatei& file,
                     const std::array<std::shared_ptr<GeldTransfer>, 3>& payments) {
  std::string records = file.GetMeineInfo()->GenerateRecord();
  for (const auto& payment : payments) records += payment->GenerateRecord();
  return records;
}

void CheckPain001(xkdtazv::DtAzvDatei& file, MemoryFileService& files,
                  const std::array<std::shared_ptr<GeldTransfer>, 3>& payments) {
  files.files().clear();
  const std::string before = Rendered(file, payments);
  const std::string result = file.GeneratePain001();
  if (Rendered(file, payments) != before) std::abort();
  std::string listed;
  for (const auto& [path, bytes] : files.files()) {
    if (path.ends_with(".tmp")) std::abort();  // a temporary file was left behind
    if (!bytes.starts_with("<?xml")) std::abort();
    listed += path + "\n";
  }
  // The documents come in the order AXZ, CCT, CCU, as their names sort.
  if (file.Pain001Dateien() != listed) std::abort();
  if (result.rfind("Sonstiger Fehler:", 0) == 0) {
    if (!listed.empty()) std::abort();
    return;
  }
  CheckResult(result);
  if (result.find("Fehler: ") != std::string::npos && !listed.empty()) std::abort();
}

std::string SafeFileName(std::string name) {
  for (char& c : name) {
    if (c == '/' || c == '\0') c = '_';
  }
  if (name == "." || name == "..") name = "DTAZV";
  return name.substr(0, 100);
}

// One operation per line: a letter, numbers, then text to the end of the line.
//   L 0|1          locale: "." or ","        H k TEXT     header property k
//   T p k TEXT     payment p, text property k  E p k V      payment p, code k := V
//   A p            add payment p              V p          validate payment p and header
//   N TEXT         file name                  G            generate
//   R p            render payment p
//   h k TEXT       header document value k    t p k TEXT   payment p, document value k
//   P              GeneratePain001
class Line {
 public:
  explicit Line(std::string_view line) : rest_(line.substr(line.empty() ? 0 : 1)) {}
  long long Number() {
    while (!rest_.empty() && rest_.front() == ' ') rest_.remove_prefix(1);
    std::size_t length = 0;
    while (length < rest_.size() && length < 18 &&
           (std::isdigit(static_cast<unsigned char>(rest_[length])) ||
            (length == 0 && rest_[0] == '-'))) {
      ++length;
    }
    long long value = 0;
    for (char c : rest_.substr(0, length)) {
      if (c != '-') value = value * 10 + (c - '0');
    }
    if (!rest_.empty() && rest_[0] == '-') value = -value;
    rest_.remove_prefix(length);
    return value;
  }
  std::size_t Index(std::size_t count) {
    const long long value = Number();
    return static_cast<std::size_t>(value < 0 ? -value : value) % count;
  }
  std::string Text() {
    if (!rest_.empty() && rest_.front() == ' ') rest_.remove_prefix(1);
    return std::string(rest_);
  }

 private:
  std::string_view rest_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view program(reinterpret_cast<const char*>(data), size);
  ::setenv("LC_ALL", "C.UTF-8", 1);

  auto files = std::make_shared<MemoryFileService>();
  xkdtazv::DtAzvDatei file(files, nullptr);
  file.setPfad("/fuzz");
  file.setPain001Sources(
      [] {
        return std::chrono::local_days{std::chrono::year(2026) / 12 / 8} + std::chrono::hours(10);
      },
      [] { return std::string("FUZZRUN00001"); });
  std::array<std::shared_ptr<GeldTransfer>, 3> payments;
  for (auto& payment : payments) payment = std::make_shared<GeldTransfer>();
  std::size_t added = 0;

  std::size_t start = 0;
  while (start < program.size()) {
    const std::size_t end = std::min(program.find('\n', start), program.size());
    const std::string_view text = program.substr(start, end - start);
    start = end + 1;
    Line line(text);
    switch (text.empty() ? ' ' : text[0]) {
      case 'L':
        ::setenv("LC_ALL", line.Number() ? "de_DE.UTF-8" : "C.UTF-8", 1);
        break;
      case 'H': {
        const HeaderProperty& property = kHeader[line.Index(kHeader.size())];
        (*file.GetMeineInfo().*property.set)(line.Text());
        (void)(*file.GetMeineInfo().*property.get)();
        break;
      }
      case 'T': {
        GeldTransfer& payment = *payments[line.Index(payments.size())];
        const TextProperty& property = kText[line.Index(kText.size())];
        (payment.*property.set)(line.Text());
        (void)(payment.*property.get)();
        break;
      }
      case 'E': {
        GeldTransfer& payment = *payments[line.Index(payments.size())];
        const int which = static_cast<int>(line.Index(6));
        const std::optional<std::int32_t> before = ReadCode(payment, which);
        // A failed write leaves the field as it was.
        if (!WriteCode(payment, which, static_cast<std::int32_t>(line.Number())) &&
            ReadCode(payment, which) != before) {
          std::abort();
        }
        break;
      }
      case 'A':
        if (added < 12) {
          file.AddGeldTransfer(payments[line.Index(payments.size())]);
          ++added;
        }
        break;
      case 'V':
        CheckResult(payments[line.Index(payments.size())]->IsValid());
        CheckResult(file.GetMeineInfo()->Validate());
        break;
      case 'N':
        file.setDiffFileName(SafeFileName(line.Text()));
        break;
      case 'G': {
        files->files().clear();
        const std::string result = file.Generate();
        if (result.rfind("Sonstiger Fehler:", 0) == 0) break;
        CheckResult(result);
        if (files->files().size() > 1) std::abort();  // a temporary file was left behind
        const auto written = files->files().find("/fuzz/" + file.DiffFileName());
        // A record that cannot be rendered is reported so, and then no file is
        // written; every file written is whole.
        const bool failure_in_file =
            result.find("Im Ergebnistext wurden Fehler entdeckt!") != std::string::npos;
        if (written != files->files().end()) {
          CheckFile(written->second, added);
        } else if (!failure_in_file) {
          std::abort();
        }
        break;
      }
      case 'R':
        (void)payments[line.Index(payments.size())]->GenerateRecord();
        break;
      case 'h': {
        const HeaderProperty& property = kHeaderDocument[line.Index(kHeaderDocument.size())];
        (*file.GetMeineInfo().*property.set)(line.Text());
        (void)(*file.GetMeineInfo().*property.get)();
        break;
      }
      case 't': {
        GeldTransfer& payment = *payments[line.Index(payments.size())];
        const TextProperty& property = kTextDocument[line.Index(kTextDocument.size())];
        (payment.*property.set)(line.Text());
        (void)(payment.*property.get)();
        break;
      }
      case 'P':
        CheckPain001(file, *files, payments);
        break;
      default:
        break;
    }
  }
  return 0;
}
