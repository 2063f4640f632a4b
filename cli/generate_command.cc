#include "cli/generate_command.h"

#include <malloc.h>

#include <algorithm>
#include <map>
#include <sstream>
#include <vector>

#include <nlohmann/json.hpp>

#include "batch/batch_csv.h"
#include "batch/batch_json.h"
#include "cli/automation_client.h"
#include "cli/batch_identifiers.h"
#include "cli/batch_plan.h"
#include "cli/batch_transliteration.h"
#include "cli/exit_status.h"
#include "cli/file_access.h"
#include "cli/interrupt_cleanup.h"
#include "cli/result_findings.h"
#include "inspect/finding_list.h"
#include "inspect/inspect_json.h"
#include "inspect/inspect_report.h"
#include "inspect/inspection.h"
#include "reader/text_encoding.h"

namespace xkdtazv::cli {
namespace {

// The members and methods this command calls by name.
constexpr std::string_view kFileClass = "DtAzvDatei";
constexpr std::string_view kTransferClass = "GeldTransfer";
constexpr std::string_view kPath = "Pfad";
constexpr std::string_view kFileName = "DiffFileName";
constexpr std::string_view kGetSender = "GetMeineInfo";
constexpr std::string_view kAddTransfer = "AddGeldTransfer";
constexpr std::string_view kGenerate = "Generate";
constexpr std::string_view kGeneratePain001 = "GeneratePain001";
constexpr std::string_view kPain001Files = "Pain001Dateien";
constexpr std::string_view kRunFailedPrefix = "Sonstiger Fehler:";
// The name a run gives the file when DiffFileName is blank.
constexpr std::string_view kDefaultFileName = "DTAZV";
constexpr std::string_view kInvalidCharacter = "enthält ein ungültiges Zeichen";
// The word in the file text that makes the component report kFileTextMessage.
constexpr std::string_view kFehler = "FEHLER";

using Json = nlohmann::ordered_json;
using MemberIds = std::map<std::string, XkDispId, std::less<>>;

std::string UpperAscii(std::string text) {
  for (char& c : text) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return text;
}

bool EndsWith(std::string_view text, std::string_view suffix) {
  if (text.size() < suffix.size()) return false;
  return std::equal(suffix.rbegin(), suffix.rend(), text.rbegin(),
                    [](char a, char b) { return (a >= 'A' && a <= 'Z' ? a - 'A' + 'a' : a) == b; });
}

// By extension; otherwise a JSON batch is one that opens with "{".
bool IsJsonBatch(const std::string& path, std::string_view bytes) {
  if (EndsWith(path, ".json")) return true;
  if (EndsWith(path, ".csv")) return false;
  const std::size_t first = bytes.find_first_not_of(" \t\r\n");
  return first != std::string_view::npos && bytes[first] == '{';
}

class Generation {
 public:
  Generation(const GenerateOptions& options, std::ostream& out, std::ostream& err)
      : options_(options),
        verb_(options.check_only ? "check" : "generate"),
        out_(options.json ? discarded_ : out),
        json_out_(out),
        err_(err) {
    json_["command"] = verb_;
    json_["status"] = 0;
    json_["input_errors"] = Json::array();
    json_["transliterated"] = Json::array();
    json_["result"] = nullptr;
    json_["findings"] = Json::array();
    json_["notes"] = Json::array();
    json_["summary"] = nullptr;
    json_["bank_check"] = nullptr;
  }

  int Run() {
    const int status = RunSteps();
    if (options_.json) {
      json_["status"] = status;
      json_out_ << JsonText(json_);
    }
    return status;
  }

 private:
  int RunSteps() {
    std::optional<BatchPlan> plan = ReadAndPlan();
    if (!plan) return kInputError;
    if (!PrepareValues(*plan)) return kInputError;
    if (!ApplyOverrides(*plan)) return kInputError;
    if (options_.check_only) {
      const PrivateDirectory directory;
      if (directory.path().empty()) return RunFailed("cannot make a temporary directory");
      Override(plan->file, kPath, directory.path());
      const InterruptCleanup cleanup(directory.path(), InterruptCleanup::Scope::kWholeDirectory);
      return Generate(*plan);
    }
    // From here on the run may write into the output directory.
    const InterruptCleanup cleanup(*TextOf(plan->file, kPath));
    return Generate(*plan);
  }

  int InputError(const std::string& message) {
    if (options_.json) {
      json_["input_errors"].push_back(message);
    } else {
      err_ << "xkdtazv " << verb_ << ": " << message << "\n";
    }
    return kInputError;
  }

  void Note(const std::string& text) {
    out_ << "\n" << text << "\n";
    json_["notes"].push_back(text);
  }

  // IBANs and BICs checked and put into the component's form, free texts
  // transliterated when asked: all before any object is made.
  bool PrepareValues(BatchPlan& plan) {
    const std::vector<std::string> errors = PrepareIdentifiers(plan);
    for (const std::string& error : errors) InputError(options_.batch + ": " + error);
    if (!errors.empty()) return false;
    if (!options_.transliterate) return true;
    const std::vector<Transliteration> changes = TransliterateBatch(plan);
    if (!changes.empty()) out_ << "Transliterated (" << changes.size() << "):\n";
    for (const Transliteration& change : changes) {
      out_ << "  " << change.place << ", " << change.member << ": " << QuoteShort(change.before, 70)
           << " -> " << QuoteShort(change.after, 70) << "\n";
      json_["transliterated"].push_back({{"place", change.place},
                                         {"member", change.member},
                                         {"before", change.before},
                                         {"after", change.after}});
    }
    if (!changes.empty()) out_ << "\n";
    return true;
  }

  std::optional<std::string> ReadFile(const std::string& path) {
    FileContents contents = ReadWholeFile(path, kLargestBatchFile);
    if (contents.too_large) {
      InputError("cannot read " + path + ": " + contents.error + ", the most a batch may have");
    } else if (!contents.bytes) {
      InputError("cannot read " + path + ": " + contents.error);
    }
    return std::move(contents.bytes);
  }

  std::optional<Batch> ReadBatch(const std::string& path, bool json, std::string_view bytes) {
    BatchReadResult read = json ? ReadJsonBatch(bytes) : ReadCsvBatch(bytes);
    if (!read.batch) InputError(path + ": " + read.error);
    return std::move(read.batch);
  }

  std::optional<BatchPlan> Plan(const std::string& path, Batch batch) {
    PlanResult planned = PlanBatch(std::move(batch));
    for (const std::string& error : planned.errors) InputError(path + ": " + error);
    return std::move(planned.plan);
  }

  std::optional<BatchPlan> ReadAndPlan() {
    auto bytes = ReadFile(options_.batch);
    if (!bytes) return std::nullopt;
    if (IsJsonBatch(options_.batch, *bytes)) {
      if (options_.sender) {
        InputError("--sender is for CSV batches; a JSON batch carries " + std::string(kSenderKey) +
                   " itself");
        return std::nullopt;
      }
      auto batch = ReadBatch(options_.batch, true, *bytes);
      bytes.reset();  // the batch holds all it needs
      if (!batch) return std::nullopt;
      if (!batch->has_transfers) {
        InputError(options_.batch + ": the batch has no " + std::string(kTransfersKey) +
                   " list of payments");
        return std::nullopt;
      }
      return Plan(options_.batch, std::move(*batch));
    }
    if (!options_.sender) {
      InputError("a CSV batch needs --sender FILE: a JSON file with " + std::string(kSenderKey) +
                 " (and Pfad, or --out)");
      return std::nullopt;
    }
    auto payments = ReadBatch(options_.batch, false, *bytes);
    bytes.reset();
    const auto sender_bytes = ReadFile(*options_.sender);
    if (!payments || !sender_bytes) return std::nullopt;
    const auto sender = ReadBatch(*options_.sender, true, *sender_bytes);
    if (!sender) return std::nullopt;
    if (sender->has_transfers) {
      InputError(*options_.sender + ": the sender file lists no " + std::string(kTransfersKey) +
                 "; the payments come from " + options_.batch);
      return std::nullopt;
    }
    // Both files are checked in full before either fault stops the run.
    auto sender_plan = Plan(*options_.sender, *sender);
    auto payments_plan = Plan(options_.batch, std::move(*payments));
    if (!sender_plan || !payments_plan) return std::nullopt;
    sender_plan->transfers = std::move(payments_plan->transfers);
    return sender_plan;
  }

  static void Override(std::vector<PlannedValue>& values, std::string_view member,
                       const std::string& text) {
    std::erase_if(values, [member](const PlannedValue& value) { return value.member == member; });
    values.push_back({std::string(member), true, text, 0, "option"});
  }

  static std::optional<std::string> TextOf(const std::vector<PlannedValue>& values,
                                           std::string_view member) {
    std::optional<std::string> text;
    for (const PlannedValue& value : values) {
      if (value.member == member) text = value.text;
    }
    return text;
  }

  bool ApplyOverrides(BatchPlan& plan) {
    if (options_.out) Override(plan.file, kPath, *options_.out);
    if (options_.name) Override(plan.file, kFileName, *options_.name);
    const auto directory = TextOf(plan.file, kPath);
    if (options_.check_only) {
      // Nothing is written, so the output directory need not exist.
    } else if (!directory) {
      InputError("no output directory: give --out DIR or set Pfad in the batch");
      return false;
    } else if (const std::string why = WhyNotWritableDirectory(*directory); !why.empty()) {
      InputError("cannot write to the output directory " + QuoteShort(*directory) + ": " + why);
      return false;
    }
    if (const auto name = TextOf(plan.file, kFileName);
        name && name->find('/') != std::string::npos) {
      InputError("the file name " + QuoteShort(*name) +
                 " must not contain \"/\"; give the directory as Pfad");
      return false;
    }
    return true;
  }

  // Property writes the component itself refuses (such as a number beyond its
  // range) are input errors too; they are gathered before anything is written.
  // With `ids`, members are put by the dispatch ids found on an earlier
  // object of the same class.
  void PutAll(AutomationObject& object, const std::vector<PlannedValue>& values,
              std::vector<std::string>& errors, MemberIds* ids = nullptr) {
    for (const PlannedValue& value : values) {
      const Variant variant =
          value.is_text ? Variant::Text(value.text) : Variant::Integer(value.integer);
      const std::optional<XkDispId> id = ids ? IdOf(object, value.member, *ids) : std::nullopt;
      const CallOutcome outcome = id ? object.Put(*id, variant) : object.Put(value.member, variant);
      if (!outcome.ok) {
        errors.push_back(value.place + ", " + value.member + ": the component refuses " +
                         (value.is_text ? QuoteShort(value.text) : std::to_string(value.integer)) +
                         ": " + outcome.error);
      }
    }
  }

  static std::optional<XkDispId> IdOf(AutomationObject& object, const std::string& member,
                                      MemberIds& ids) {
    if (const auto found = ids.find(member); found != ids.end()) return found->second;
    const std::optional<XkDispId> id = object.IdOf(member);
    if (id) ids.emplace(member, *id);
    return id;
  }

  int RunFailed(const std::string& message) {
    if (options_.json) {
      json_["failure"] = message;
    } else {
      err_ << "xkdtazv " << verb_ << ": " << message << "\n";
    }
    return kRunFailed;
  }

  int Generate(BatchPlan& plan) {
    auto created = AutomationObject::Create(kFileClass);
    if (!created.object) return RunFailed(created.error);
    AutomationObject& file = *created.object;
    std::vector<std::string> errors;
    PutAll(file, plan.file, errors);
    CallOutcome sender = file.Get(kGetSender);
    auto sender_object =
        sender.ok ? AutomationObject::FromVariant(std::move(sender.result)) : std::nullopt;
    if (!sender_object) return RunFailed(std::string(kGetSender) + ": " + sender.error);
    PutAll(*sender_object, plan.sender.values, errors);
    // Once an object holds a payment, of its planned values only the few that
    // may need explaining stay.
    std::vector<std::string> fehler_holders;
    AddFehlerHolders(plan.sender, fehler_holders);
    MemberIds transfer_ids;  // every payment is of one class
    for (PlannedObject& planned : plan.transfers) {
      auto transfer = AutomationObject::Create(kTransferClass);
      if (!transfer.object) return RunFailed(transfer.error);
      PutAll(*transfer.object, planned.values, errors, &transfer_ids);
      const CallOutcome added = file.Call(kAddTransfer, Variant::Object(transfer.object->get()));
      if (!added.ok) return RunFailed(std::string(kAddTransfer) + ": " + added.error);
      AddFehlerHolders(planned, fehler_holders);
      std::vector<PlannedValue>().swap(planned.values);
    }
    if (!errors.empty()) {
      const std::string batch = options_.batch;
      for (const std::string& error : errors) InputError(batch + ": " + error);
      return kInputError;
    }
    const std::size_t payments = plan.transfers.size();
    std::vector<PlannedObject>().swap(plan.transfers);

    // A run replaces the file with a new one (a new inode) or leaves it alone:
    // a record that cannot be rendered is reported, but writes nothing.
    const std::string directory = file.Get(kPath).result.Utf8() + "/";
    const auto named_before = FileIdentity(directory + file.Get(kFileName).result.Utf8());
    const auto default_before = FileIdentity(directory + std::string(kDefaultFileName));

    if (options_.pain001) return GeneratePain001(file);
    const CallOutcome generated = file.Call(kGenerate);
    if (!generated.ok) return RunFailed(std::string(kGenerate) + ": " + generated.error);
    const std::string result = generated.result.Utf8();
    out_ << "Result of " << kGenerate << ":\n" << result;
    if (result.empty() || result.back() != '\n') out_ << "\n";
    json_["result"] = result;
    json_["findings"] = ResultFindingsJson(result);
    if (result.rfind(kRunFailedPrefix, 0) == 0) {
      out_ << "\nSummary: the run failed; no file was written.\n";
      return kRunFailed;
    }
    if (!options_.transliterate && result.find(kInvalidCharacter) != std::string::npos) {
      Note(
          "Hint: --transliterate rewrites umlauts, ß and accented letters of names, addresses "
          "and purpose lines into the DTAZV character set (Ä as AE, ß as SS, é as E).");
    }
    const std::string name = file.Get(kFileName).result.Utf8();
    const std::string path = directory + name;
    const auto before = name == kDefaultFileName ? default_before : named_before;
    if (const auto after = FileIdentity(path); !after || after == before) {
      out_ << "\nSummary: a record could not be rendered; no file was written.\n";
      return kRunFailed;
    }
    // The objects go before the written file is read back, so that the
    // payments are never held twice.
    sender_object.reset();
    created.object.reset();
    malloc_trim(0);  // and their memory goes back to the system, not just to the heap
    const int status = Report(path, payments, result == "SUCCESS");
    if (status == kFindings && json_["bank_check"].value("sound", false)) {
      ExplainFileTextMessage(fehler_holders, result);
    }
    return status;
  }

  // The documents, each with the order type to upload it under.
  int GeneratePain001(AutomationObject& file) {
    const CallOutcome generated = file.Call(kGeneratePain001);
    if (!generated.ok) return RunFailed(std::string(kGeneratePain001) + ": " + generated.error);
    const std::string result = generated.result.Utf8();
    out_ << "Result of " << kGeneratePain001 << ":\n" << result;
    if (result.empty() || result.back() != '\n') out_ << "\n";
    json_["result"] = result;
    json_["findings"] = ResultFindingsJson(result);
    json_["documents"] = Json::array();
    if (result.rfind(kRunFailedPrefix, 0) == 0) {
      out_ << "\nSummary: the run failed; no document was written.\n";
      return kRunFailed;
    }
    std::vector<std::string> documents;
    const std::string listing = file.Get(kPain001Files).result.Utf8();
    for (std::size_t at = 0, end; at < listing.size(); at = end + 1) {
      end = listing.find('\n', at);
      if (end == std::string::npos) end = listing.size();
      if (end > at) documents.push_back(listing.substr(at, end - at));
    }
    if (documents.empty()) {
      out_ << "\nSummary: errors; no document was written.\n";
      return kInputError;
    }
    out_ << "\nSummary: " << documents.size()
         << (documents.size() == 1 ? " document" : " documents")
         << ", upload each under its order type:\n";
    for (const std::string& path : documents) {
      const std::size_t dash = path.rfind('-');
      const std::string type = dash == std::string::npos ? "" : path.substr(dash + 1, 3);
      out_ << "  " << type << "  " << path << "\n";
      json_["documents"].push_back({{"path", path}, {"order_type", type}});
    }
    return result == "SUCCESS" ? kClean : kFindings;
  }

  int Report(const std::string& path, std::size_t payments, bool success) {
    const FileContents written = ReadWholeFile(path, kLargestDtazvFile);
    if (!written.bytes)
      return RunFailed("cannot read the written file " + path + ": " + written.error);
    const Inspection inspection = Inspect(*written.bytes);
    const std::string control_total = ControlTotal(inspection);
    out_ << "\nSummary: " << payments << (payments == 1 ? " payment" : " payments")
         << ", control total " << control_total;
    if (options_.check_only) {
      out_ << ", " << written.bytes->size() << " bytes; check only: no file was written\n";
      out_ << "\nBank check of the file it would write:\n";
    } else {
      out_ << ", file " << path << ", " << written.bytes->size() << " bytes\n";
      out_ << "\nBank check (xkdtazv inspect " << path << "):\n";
    }
    json_["summary"] = {{"payments", payments},
                        {"control_total", control_total},
                        {"path", options_.check_only ? Json() : Json(path)},
                        {"bytes", written.bytes->size()}};
    json_["bank_check"] = {
        {"sound", inspection.file.readable && inspection.sound()},
        {"findings", inspection.file.readable ? FindingsJson(inspection.findings) : Json::array()}};
    if (!inspection.file.readable) {
      json_["bank_check"]["error"] = inspection.file.unreadable_reason;
      out_ << "  " << inspection.file.unreadable_reason << "\n";
      return kFindings;
    }
    out_ << FindingsText(inspection.findings);
    return success && inspection.sound() ? kClean : kFindings;
  }

  // The values that put FEHLER into the file, once upper-cased: "MeineInfo,
  // Name (\"FEHLERFREI GMBH\")".
  static void AddFehlerHolders(const PlannedObject& object, std::vector<std::string>& holders) {
    for (const PlannedValue& value : object.values) {
      if (value.is_text && HoldsFehler(value.text)) {
        holders.push_back(object.place + ", " + value.member + " (" +
                          QuoteShort(UpperAscii(value.text)) + ")");
      }
    }
  }

  // Whether `text` holds FEHLER once its ASCII letters are upper-cased,
  // without making the upper-cased copy.
  static bool HoldsFehler(std::string_view text) {
    const auto upper = [](char c) {
      return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
    };
    for (std::size_t at = 0; at + kFehler.size() <= text.size(); ++at) {
      std::size_t i = 0;
      while (i < kFehler.size() && upper(text[at + i]) == kFehler[i]) ++i;
      if (i == kFehler.size()) return true;
    }
    return false;
  }

  // The component reports any upper-case FEHLER in the file text, a purpose
  // line's "fehlerhaft" included, once upper-cased. Alone, that finding
  // deserves plain words.
  void ExplainFileTextMessage(const std::vector<std::string>& holders, std::string_view result) {
    const std::vector<ResultFinding> findings = ResultFindings(result);
    if (findings.size() != 1 || findings.front().message != kFileTextMessage) return;
    std::string where;
    for (const std::string& holder : holders) where += (where.empty() ? "" : "; ") + holder;
    Note("Note: nothing failed. The component reports \"" + std::string(kFileTextMessage) +
         "\" whenever the file holds the word " + std::string(kFehler) + " in capitals" +
         (where.empty() ? std::string() : ", here from " + where) +
         ". The bank check found the file sound.");
  }

  // The Z record's sum of the amounts, as the bank reads it.
  static std::string ControlTotal(const Inspection& inspection) {
    for (const Record& record : inspection.file.records) {
      if (record.type != 'Z' || !record.whole()) continue;
      std::string_view total = record.Field(*FindField(*record.layout, "Z3"));
      if (!IsDigits(total)) break;
      while (total.size() > 1 && total.front() == '0') total.remove_prefix(1);
      return std::string(total);
    }
    return "unknown";
  }

  const GenerateOptions& options_;
  const std::string verb_;
  std::ostringstream discarded_;  // the text report when JSON is asked for
  std::ostream& out_;
  std::ostream& json_out_;
  std::ostream& err_;
  Json json_;
};

}  // namespace

int RunGenerate(const GenerateOptions& options, std::ostream& out, std::ostream& err) {
  return Generation(options, out, err).Run();
}

}  // namespace xkdtazv::cli
