// `xkdtazv generate BATCH`: fills a DtAzvDatei from a batch through the
// automation layer, runs Generate, and inspects the file it wrote; with
// `--format pain.001` runs GeneratePain001 and lists the documents instead;
// `xkdtazv check BATCH` does the same in a private temporary directory that
// it removes again, so that nothing is left behind.
#ifndef XKDTAZV_CLI_GENERATE_COMMAND_H_
#define XKDTAZV_CLI_GENERATE_COMMAND_H_

#include <optional>
#include <ostream>
#include <string>

namespace xkdtazv::cli {

struct GenerateOptions {
  std::string batch;                  // JSON or CSV
  std::optional<std::string> out;     // overrides the batch's Pfad
  std::optional<std::string> name;    // overrides the batch's DiffFileName
  std::optional<std::string> sender;  // JSON with MeineInfo (and Pfad) for a CSV batch
  bool pain001 = false;               // --format pain.001: GeneratePain001 instead of Generate
  bool transliterate = false;         // free texts into the DTAZV character set first
  bool json = false;                  // one JSON document on standard output
  bool check_only = false;            // `check`: nothing is written
};

// 0: "SUCCESS" and a clean inspection; 1: written with findings; 2: usage or
// input error, nothing written; 3: the run failed.
int RunGenerate(const GenerateOptions& options, std::ostream& out, std::ostream& err);

}  // namespace xkdtazv::cli

#endif  // XKDTAZV_CLI_GENERATE_COMMAND_H_
