#include "cli/command_line.h"

#include <CLI/CLI.hpp>

#include <sstream>
#include <string>
#include <string_view>

#include "cli/convert_command.h"
#include "cli/exit_status.h"
#include "cli/generate_command.h"
#include "cli/inspect_command.h"
#include "reader/text_encoding.h"
#include "xkdtazv/version.h"

namespace xkdtazv::cli {
namespace {

// Without a subcommand, the first word that is no option is one this command
// does not know; CLI11 would only say that a subcommand is required.
std::string ParseErrorText(const CLI::App& app, const CLI::ParseError& error, int argc,
                           const char* const* argv) {
  if (!app.get_subcommands().empty()) return error.what();
  for (int i = 1; i < argc; ++i) {
    const std::string_view word = argv[i];
    if (word.starts_with('-')) continue;
    std::string names;
    for (const CLI::App* subcommand : app.get_subcommands({})) {
      names += (names.empty() ? "" : ", ") + subcommand->get_name();
    }
    return "unknown subcommand " + QuoteShort(word) + "; the subcommands are " + names;
  }
  return error.what();
}

// The batch and where its file goes: what `generate` and `check` share.
void AddBatchOptions(CLI::App& command, GenerateOptions& options, const std::string& out_help) {
  command.add_option("BATCH", options.batch, "Batch file: .json, or .csv with --sender")
      ->required()
      ->type_name("FILE");
  command.add_option("--out", options.out, out_help)->type_name("DIR");
  command.add_option("--name", options.name, "File name (overrides DiffFileName)")
      ->type_name("NAME");
  command
      .add_option("--sender", options.sender,
                  "JSON file with MeineInfo (and Pfad, DiffFileName) for a CSV batch")
      ->type_name("FILE");
}

void AddRewriteAndOutputOptions(CLI::App& command, GenerateOptions& options,
                                const std::string& transliterate_help) {
  command.add_flag("--transliterate", options.transliterate, transliterate_help);
  command.add_flag("--json", options.json, "Machine-readable output");
}

}  // namespace

int RunCommandLine(int argc, const char* const* argv, std::ostream& out, std::ostream& err) {
  CLI::App app{
      "Writes DTAZV payment files from a batch, checks DTAZV files the way a bank does, and "
      "converts them into ISO 20022 pain.001.",
      "xkdtazv"};
  app.set_version_flag("--version", std::string("xkdtazv ") + XKDTAZV_VERSION_STRING);
  app.require_subcommand(1);
  app.footer(
      "Exit status: 0 clean; 1 file written or read with findings; 2 usage or input error, "
      "or no DTAZV file (nothing written); 3 the run failed (\"Sonstiger Fehler\", or a record "
      "could not be rendered; nothing written).");

  GenerateOptions generate;
  CLI::App* generate_command = app.add_subcommand(
      "generate", "Generate a DTAZV file from a batch (JSON or CSV), then inspect it.");
  AddBatchOptions(*generate_command, generate, "Directory to write to (overrides Pfad)");
  generate_command
      ->add_option_function<std::string>(
          "--format",
          [&generate](const std::string& format) { generate.pain001 = format == "pain.001"; },
          "dtazv (the default) or pain.001: ISO 20022 documents by order type (AXZ, CCT, CCU)")
      ->check(CLI::IsMember({"dtazv", "pain.001"}))
      ->type_name("FORMAT");
  AddRewriteAndOutputOptions(
      *generate_command, generate,
      "Rewrite names, addresses and purpose lines into the DTAZV character "
      "set first (Ä as AE, ß as SS, é as E, upper case), listing every change");

  // `check` takes the options of `generate` and writes nothing.
  GenerateOptions check;
  check.check_only = true;
  CLI::App* check_command = app.add_subcommand(
      "check",
      "Check a batch as generate does (the component's result, the bank check of the "
      "file it would write), writing no file.");
  AddBatchOptions(*check_command, check, "Directory the file would go to; need not exist");
  AddRewriteAndOutputOptions(*check_command, check,
                             "Rewrite free texts into the DTAZV character set first");

  std::string inspect_path;
  bool json = false;
  CLI::App* inspect_command =
      app.add_subcommand("inspect", "Show a DTAZV file field by field and check it like a bank.");
  inspect_command->add_option("FILE", inspect_path, "DTAZV file")->required()->type_name("FILE");
  inspect_command->add_flag("--json", json, "Machine-readable output");

  ConvertOptions convert;
  CLI::App* convert_command = app.add_subcommand(
      "convert", "Convert a DTAZV file into ISO 20022 pain.001.001.09 documents (AXZ, CCT, CCU).");
  convert_command->add_option("DTAZV_FILE", convert.file, "DTAZV file")
      ->required()
      ->type_name("FILE");
  convert_command
      ->add_option("--out", convert.out, "Directory to write the documents to (default: .)")
      ->type_name("DIR");
  convert_command
      ->add_option(
          "--debtor-iban", convert.debtor_iban,
          "IBAN of the debit account, instead of the one computed from bank code and account")
      ->type_name("IBAN");
  convert_command
      ->add_option("--debtor-bic", convert.debtor_bic, "BIC of the bank keeping the debit account")
      ->type_name("BIC");
  convert_command->add_flag("--json", convert.json, "Machine-readable output");
  convert_command->footer(
      "Exit status: 0 documents written, nothing to report; 1 documents written with warnings or "
      "notes; 2 usage or input error, or errors in the payments (nothing written); 3 the run "
      "failed (nothing written).");

  try {
    app.parse(argc, argv);
  } catch (const CLI::CallForHelp&) {
    out << app.help();
    return kClean;
  } catch (const CLI::CallForAllHelp&) {
    out << app.help("", CLI::AppFormatMode::All);
    return kClean;
  } catch (const CLI::CallForVersion&) {
    out << app.version() << "\n";
    return kClean;
  } catch (const CLI::ParseError& error) {
    // A subcommand's own --help lands here too, as a success.
    if (error.get_exit_code() == 0) {
      std::ostringstream help;
      app.exit(error, help, help);
      out << help.str();
      return kClean;
    }
    err << "xkdtazv: " << ParseErrorText(app, error, argc, argv) << "\n"
        << "Run 'xkdtazv --help' for usage.\n";
    return kInputError;
  }
  if (generate_command->parsed()) return RunGenerate(generate, out, err);
  if (check_command->parsed()) return RunGenerate(check, out, err);
  if (convert_command->parsed()) {
    return RunConvert(convert, pain001::SystemConversionServices(), out, err);
  }
  return RunInspect(inspect_path, json, out, err);
}

}  // namespace xkdtazv::cli
