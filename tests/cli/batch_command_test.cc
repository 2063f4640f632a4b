// The command on batches as accounting programs export them: IBANs in groups
// of four and any case, BICs checked up front, --transliterate, `check` that
// writes nothing, and --json for every exit status.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "command_runner.h"

namespace xkdtazv::cli {
namespace {

using testing::CommandRun;
using testing::ExamplePath;
using testing::ExpectMatchesGolden;
using testing::ReadFileOrEmpty;
using testing::RunOptions;
using testing::RunXkdtazv;
using testing::Scratch;

// One EU standard payment to France; `fields` go into the payment as well.
std::string Batch(const std::string& fields) {
  return R"({"MeineInfo": {"BLZ": "37040044", "Kontonummer": "0532013000",
                           "Name": "Schmidt GmbH", "OrtPLZ": "50667 Koeln"},
             "GeldTransfer": [{"Zahlungsart": "EU_STANDART", "LaenderCode": "FRANKREICH",
                               "Name": "Dupont", "Betrag": "4250,00", )" +
         fields + "}]}";
}

std::string Payment(const std::string& iban, const std::string& bic) {
  return Batch(R"("IBAN": ")" + iban + R"(", "BIC": ")" + bic + R"(")");
}

// Each IBAN and BIC as exports write them, and the faults named before anything is written.
TEST(BatchIdentifiersTest, CheckedAndPaddedBeforeTheComponentSeesThem) {
  const std::string kFrench = "FR7630006000011234567890189";
  const std::string kPadded = "0000000FR7630006000011234567890189";
  const std::string kPrefix = "xkdtazv generate: b.json: GeldTransfer 1, ";
  const struct {
    std::string iban;
    std::string bic;
    std::string err;  // empty: accepted, and the file holds kPadded
  } cases[] = {
      {kFrench, "BNPAFRPPXXX", ""},
      {"fr76 3000 6000 0112 3456 7890 189", "bnpafrppxxx", ""},
      {kPadded, "BNPAFRPP", ""},
      {"FR7730006000011234567890189", "BNPAFRPPXXX",
       "IBAN: \"FR7730006000011234567890189\" is no valid IBAN: its check digits 77 do not hold "
       "(ISO 13616)\n"},
      {"0000000FR7730006000011234567890189", "BNPAFRPPXXX",
       "IBAN: \"0000000FR7730006000011234567890189\" is no valid IBAN: its check digits 77 do "
       "not hold (ISO 13616)\n"},
      {"FR763000600001123456789018", "BNPAFRPPXXX",
       "IBAN: \"FR763000600001123456789018\" has 26 characters; an IBAN of FR has 27\n"},
      {"FR76-3000-6000-0112-3456-7890-189", "BNPAFRPPXXX",
       "IBAN: \"FR76-3000-6000-0112-3456-7890-189\" holds characters other than the letters A-Z "
       "and the digits 0-9\n"},
      {"7630006000011234567890189", "BNPAFRPPXXX",
       "IBAN: \"7630006000011234567890189\" is no IBAN: two letters for the country, two check "
       "digits, then up to 30 letters or digits\n"},
      {kFrench, "BNPAFRPPX",
       "BIC: \"BNPAFRPPX\" is no BIC (ISO 9362): 4 letters for the bank, 2 for the country, 2 "
       "letters or digits for the location, optionally 3 for the branch; 8 or 11 characters\n"},
      {kFrench, "BNPAFRPPXX",
       "BIC: \"BNPAFRPPXX\" is no BIC (ISO 9362): 4 letters for the bank, 2 for the country, 2 "
       "letters or digits for the location, optionally 3 for the branch; 8 or 11 characters\n"},
      {kFrench, "BN9AFRPPXXX",
       "BIC: \"BN9AFRPPXXX\" is no BIC (ISO 9362): 4 letters for the bank, 2 for the country, 2 "
       "letters or digits for the location, optionally 3 for the branch; 8 or 11 characters\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.iban + " " + c.bic);
    Scratch dir;
    dir.Write("b.json", Payment(c.iban, c.bic));
    dir.MakeDirectory("out");
    const CommandRun run = RunXkdtazv({"generate", "b.json", "--out", "out"}, dir);
    if (!c.err.empty()) {
      EXPECT_EQ(run.status, 2);
      EXPECT_EQ(run.err, kPrefix + c.err);
      EXPECT_EQ(dir.List("out"), std::vector<std::string>{});
      continue;
    }
    EXPECT_EQ(run.err, "");
    EXPECT_NE(dir.Read("out/DTAZV").find("/" + kPadded), std::string::npos);
  }
}

// A general payment to a country without IBAN names the account as it is.
TEST(BatchIdentifiersTest, GeneralPaymentTakesAnAccountNumber) {
  Scratch dir;
  dir.Write("b.json", R"({"Pfad": ".", "GeldTransfer": [{"Zahlungsart": 0, "Betrag": "1",
                          "BIC": "CHASUS33XXX", "IBAN": "123 456 789"}]})");
  const CommandRun run = RunXkdtazv({"generate", "b.json"}, dir);
  EXPECT_EQ(run.err, "");
  EXPECT_NE(dir.Read("DTAZV").find("/123 456 789 "), std::string::npos);
}

// Umlauts rewritten, each change listed, and a file the bank check calls sound.
TEST(TransliterateTest, ExampleBecomesACleanFile) {
  Scratch dir;
  dir.Write("payments.json", ReadFileOrEmpty(ExamplePath("payments.json")));
  dir.MakeDirectory("out");
  const CommandRun run = RunXkdtazv(
      {"generate", "payments.json", "--out", "out", "--name", "DTAZV_CLEAN", "--transliterate"},
      dir);
  EXPECT_EQ(run.status, 0);
  ExpectMatchesGolden(run.out, "generate_transliterated.txt");
  EXPECT_EQ(RunXkdtazv({"inspect", "out/DTAZV_CLEAN"}, dir).status, 0);
}

// What no transliteration brings into the set stays as it is, for the component to report.
TEST(TransliterateTest, WhatCannotBeBroughtIntoTheSetStays) {
  Scratch dir;
  dir.Write("b.json", Batch(R"("IBAN": "FR7630006000011234567890189", "BIC": "BNPAFRPPXXX",
                              "Strasse": "☃ Rue", "OrtPLZ": "Łódź Café")"));
  const CommandRun run = RunXkdtazv({"check", "b.json", "--transliterate"}, dir);
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.out.find("GeldTransfer 1, OrtPLZ: \"Łódź Café\" -> \"LODZ CAFE\""),
            std::string::npos);
  EXPECT_NE(run.out.find("Das Feld \"Strasse\" enthält ein ungültiges Zeichen ☃"),
            std::string::npos);
  EXPECT_EQ(run.out.find("Hint: --transliterate"), std::string::npos);
}

// `check` prints what `generate` prints, without the file, and needs no output directory.
TEST(CheckCommandTest, WritesNothingAnywhere) {
  Scratch dir;
  dir.Write("payments.json", ReadFileOrEmpty(ExamplePath("payments.json")));
  dir.MakeDirectory("out");
  dir.MakeDirectory("tmp");
  RunOptions in_scratch;
  in_scratch.temporary_directory = dir.PathOf("tmp");
  const CommandRun checked =
      RunXkdtazv({"check", "payments.json", "--out", "missing"}, dir, in_scratch);
  const CommandRun generated = RunXkdtazv({"generate", "payments.json", "--out", "out"}, dir);
  EXPECT_EQ(checked.status, generated.status);
  EXPECT_EQ(checked.err, "");
  const std::size_t summary = generated.out.find("\nSummary: ");
  ASSERT_NE(summary, std::string::npos);
  EXPECT_EQ(checked.out.substr(0, summary), generated.out.substr(0, summary));
  EXPECT_NE(checked.out.find(", 4352 bytes; check only: no file was written\n"), std::string::npos);
  EXPECT_EQ(dir.List("."), (std::vector<std::string>{"out", "payments.json", "tmp"}));
  EXPECT_EQ(dir.List("out"), std::vector<std::string>{"DTAZV"});
  EXPECT_EQ(dir.List("tmp"), std::vector<std::string>{});
}

// A purpose line's "fehlerhaft" alone is explained, not left as a fault.
TEST(GenerateCommandTest, FehlerInAPurposeLineIsExplained) {
  Scratch dir;
  dir.Write("b.json", Batch(R"("IBAN": "FR7630006000011234567890189", "BIC": "BNPAFRPPXXX",
                              "Verwendungszweck2": "Ware fehlerhaft")"));
  const CommandRun run = RunXkdtazv({"check", "b.json"}, dir);
  EXPECT_EQ(run.status, 1);
  EXPECT_TRUE(run.out.ends_with(
      "\nNote: nothing failed. The component reports \"Im Ergebnistext wurden Fehler entdeckt!\" "
      "whenever the file holds the word FEHLER in capitals, here from GeldTransfer 1, "
      "Verwendungszweck2 (\"WARE FEHLERHAFT\"). The bank check found the file sound.\n"))
      << run.out;
}

// One JSON document for each exit status, and nothing else on either stream.
TEST(JsonOutputTest, OneDocumentForEveryStatus) {
  const std::string kClean = Payment("FR7630006000011234567890189", "BNPAFRPPXXX");
  const struct {
    std::string command;
    std::string batch;
    int status;
  } cases[] = {
      {"generate", kClean, 0},
      {"check", kClean, 0},
      {"generate", Batch(R"("IBAN": "FR7630006000011234567890189", "BIC": "BNPAFRPPXXX",
                            "Strasse": "Straße")"),
       1},
      {"check", Payment("FR7730006000011234567890189", "BNPAFRPPXXX"), 2},
      {"generate", Payment("FR7630006000011234567890189", "BNPAFRPPX"), 2},
      {"check",
       R"({"GeldTransfer": [)" + std::string(R"({"Betrag": "99999999999999"},)") +
           R"({"Betrag": "99999999999999"}, {"Betrag": "99999999999999"},
                      {"Betrag": "99999999999999"}, {"Betrag": "99999999999999"},
                      {"Betrag": "99999999999999"}, {"Betrag": "99999999999999"},
                      {"Betrag": "99999999999999"}, {"Betrag": "99999999999999"},
                      {"Betrag": "99999999999999"}, {"Betrag": "99999999999999"}]})",
       3},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.command + " " + std::to_string(c.status));
    Scratch dir;
    dir.Write("b.json", c.batch);
    dir.MakeDirectory("out");
    const CommandRun run = RunXkdtazv({c.command, "b.json", "--out", "out", "--json"}, dir);
    EXPECT_EQ(run.status, c.status);
    EXPECT_EQ(run.err, "");
    const auto json = nlohmann::json::parse(run.out);
    EXPECT_EQ(json["command"], c.command);
    EXPECT_EQ(json["status"], c.status);
    EXPECT_EQ(json["input_errors"].empty(), c.status != 2);
    EXPECT_EQ(json["result"].is_null(), c.status == 2);
    EXPECT_EQ(json["summary"].is_null(), c.status >= 2);
    if (c.status <= 1) {
      EXPECT_EQ(json["bank_check"]["sound"], c.status == 0);
      EXPECT_EQ(json["summary"]["path"].is_null(), c.command == "check");
    }
    if (c.status == 1) {
      EXPECT_EQ(json["findings"][0]["payment"], 1);
      EXPECT_EQ(json["findings"][0]["member"], "Strasse");
    }
    if (c.status == 3) {
      EXPECT_EQ(json["result"], "Sonstiger Fehler:Überlauf");
    }
    EXPECT_EQ(dir.List("out").size(), c.command == "generate" && c.status <= 1 ? 1u : 0u);
  }
}

}  // namespace
}  // namespace xkdtazv::cli
