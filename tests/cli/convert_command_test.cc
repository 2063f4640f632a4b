// `xkdtazv convert` end to end: the built command on the shipped example and
// on DTAZV files of other shapes; what it prints, its exit status, and that
// it writes exactly the documents it lists.
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <filesystem>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "command_runner.h"
#include "dtazv_sample.h"

namespace xkdtazv::cli {
namespace {

using testing::CommandRun;
using testing::DtazvSample;
using testing::ExamplePath;
using testing::ReadFileOrEmpty;
using testing::RunXkdtazv;
using testing::Scratch;

// The sample with towns that carry postal codes: it converts without a finding.
std::string CleanSample() {
  DtazvSample sample;
  sample.Put(2, 316, "69002 LYON");
  sample.Put(3, 316, "00-514 WARSZAWA");
  return sample.Bytes();
}

// The document paths a text run lists, in order.
std::vector<std::string> ListedDocuments(const std::string& out) {
  static const std::regex line(R"(^  (AXZ|CCT|CCU)  docs/(\S+)  )");
  std::vector<std::string> names;
  std::istringstream lines(out);
  for (std::string text; std::getline(lines, text);) {
    std::smatch match;
    if (std::regex_search(text, match, line)) names.push_back(match[2]);
  }
  return names;
}

TEST(ConvertCommandTest, CleanFileWritesOneDocumentPerOrderType) {
  Scratch dir;
  dir.Write("DTAZV", CleanSample());
  dir.MakeDirectory("docs");
  const CommandRun run = RunXkdtazv({"convert", "DTAZV", "--out", "docs"}, dir);
  EXPECT_EQ(run.status, 0) << run.out << run.err;
  const std::vector<std::string> names = ListedDocuments(run.out);
  EXPECT_EQ(names, dir.List("docs"));
  ASSERT_EQ(names.size(), 2u);
  const std::regex name(R"(DTAZV-\d{8}-\d{6}-[A-Z2-7]{12}-0[12]-(AXZ|CCT)\.xml)");
  for (const std::string& n : names) EXPECT_TRUE(std::regex_match(n, name)) << n;
  EXPECT_NE(dir.Read("docs/" + names[0]).find("<IBAN>PL61109010140000071219812874</IBAN>"),
            std::string::npos);

  // A second run never meets the first one's names.
  EXPECT_EQ(RunXkdtazv({"convert", "DTAZV", "--out", "docs"}, dir).status, 0);
  EXPECT_EQ(dir.List("docs").size(), 4u);
}

// The shipped example with the Polish payment's charges all on the orderer.
TEST(ConvertCommandTest, ShippedExampleIsRefusedForItsChargesRule) {
  Scratch dir;
  dir.MakeDirectory("out");
  dir.MakeDirectory("docs");
  std::string batch = ReadFileOrEmpty(ExamplePath("payments.json"));
  const std::string kShared = "\"Entgeltregelung\": \"00\"";
  ASSERT_NE(batch.find(kShared), std::string::npos);
  batch.replace(batch.find(kShared), kShared.size(), "\"Entgeltregelung\": \"01\"");
  dir.Write("payments.json", batch);
  ASSERT_LE(RunXkdtazv({"generate", "payments.json", "--out", "out"}, dir).status, 1);
  const CommandRun run = RunXkdtazv({"convert", "out/DTAZV", "--out", "docs"}, dir);
  EXPECT_EQ(run.status, 2);
  EXPECT_EQ(run.out,
            "Findings:\n"
            "  Fehler: Zahlung 4: Innerhalb des EWR in einer EWR-Waehrung ohne Umrechnung ist nur "
            "die Entgeltregelung 00 (SHAR) zulaessig, nicht 01!\n"
            "Nothing was written: the payments have errors.\n");
  EXPECT_TRUE(dir.List("docs").empty());
}

TEST(ConvertCommandTest, JsonListsFindingsAndDocuments) {
  Scratch dir;
  DtazvSample sample;  // towns without postal codes: warnings, still written
  dir.Write("in.dtazv", sample.Bytes());
  dir.MakeDirectory("docs");
  const CommandRun run =
      RunXkdtazv({"convert", "in.dtazv", "--out", "docs", "--json", "--debtor-iban",
                  "DE02120300000000202051", "--debtor-bic", "BYLADEM1001"},
                 dir);
  EXPECT_EQ(run.status, 1) << run.err;
  const auto json = nlohmann::json::parse(run.out);
  EXPECT_EQ(json["written"], true);
  ASSERT_EQ(json["findings"].size(), 2u);
  EXPECT_EQ(json["findings"][0]["severity"], "warning");
  EXPECT_EQ(json["findings"][0]["message"],
            "Warnung: Zahlung 1: Keine Postleitzahl in der Ortszeile \"CITY\" des Empfaengers "
            "erkannt; die ganze Zeile wird Ort!");
  ASSERT_EQ(json["documents"].size(), 2u);
  EXPECT_EQ(json["documents"][1]["order_type"], "CCT");
  EXPECT_EQ(json["documents"][1]["control_sum"], "1500.50");
  const std::string document = dir.Read(json["documents"][0]["path"].get<std::string>());
  EXPECT_NE(document.find("<IBAN>DE02120300000000202051</IBAN>"), std::string::npos);
  EXPECT_NE(document.find("<BICFI>BYLADEM1001</BICFI>"), std::string::npos);
}

// The documents of a run with the run's own id and time replaced by the ones
// the golden documents were written with.
std::string WithGoldenIds(std::string text, const std::string& name) {
  static const std::regex parts(R"(-(\d{8})-(\d{6})-([A-Z2-7]{12})-)");
  std::smatch match;
  if (!std::regex_search(name, match, parts)) return text;
  const std::string date = match[1], time = match[2], run = match[3];
  const std::string iso = date.substr(0, 4) + "-" + date.substr(4, 2) + "-" + date.substr(6, 2) +
                          "T" + time.substr(0, 2) + ":" + time.substr(2, 2) + ":" +
                          time.substr(4, 2);
  for (const auto& [from, to] : {std::pair{run, std::string("TESTRUN00001")},
                                 std::pair{date + time, std::string("20261208101500")},
                                 std::pair{date + "-" + time, std::string("20261208-101500")},
                                 std::pair{iso, std::string("2026-12-08T10:15:00")}}) {
    for (std::size_t at = text.find(from); at != std::string::npos; at = text.find(from, at)) {
      text.replace(at, from.size(), to);
      at += to.size();
    }
  }
  return text;
}

// Every shape of the conversion tests once more through the built command:
// the same findings, the same documents, the status they call for.
TEST(ConvertCommandTest, EveryShapeConvertsAsInTheLibrary) {
  const std::filesystem::path golden(XKDTAZV_PAIN001_GOLDEN_DIR);
  std::size_t shapes = 0;
  for (const auto& entry : std::filesystem::directory_iterator(golden)) {
    if (entry.path().extension() != ".dtazv") continue;
    ++shapes;
    const std::string name = entry.path().stem().string();
    SCOPED_TRACE(name);
    Scratch dir;
    dir.Write("DTAZV", testing::ReadFileOrEmpty(entry.path().string()));
    dir.MakeDirectory("docs");
    const CommandRun run = RunXkdtazv({"convert", "DTAZV", "--out", "docs", "--json"}, dir);
    const auto json = nlohmann::json::parse(run.out);
    std::string text;
    bool errors = false;
    for (const auto& finding : json["findings"]) {
      text += finding["message"].get<std::string>() + "\n";
      errors = errors || finding["severity"] == "error";
    }
    for (const auto& document : json["documents"]) {
      const std::string path = document["path"];
      const std::string file = path.substr(path.rfind('/') + 1);
      text += WithGoldenIds("=== " + file + "\n" + dir.Read("docs/" + file), file);
    }
    EXPECT_EQ(text, testing::ReadFileOrEmpty((golden / (name + ".txt")).string()));
    EXPECT_EQ(run.status, errors ? 2 : json["findings"].empty() ? 0 : 1);
    EXPECT_EQ(dir.List("docs").size(), json["documents"].size());
  }
  EXPECT_GE(shapes, 10u);
}

TEST(ConvertCommandTest, HelpNamesOptionsAndExitStatuses) {
  Scratch dir;
  const CommandRun help = RunXkdtazv({"convert", "--help"}, dir);
  EXPECT_EQ(help.status, 0);
  testing::ExpectMatchesGolden(help.out, "help_convert.txt");
}

TEST(ConvertCommandTest, InputErrorsWriteNothing) {
  Scratch dir;
  dir.Write("DTAZV", CleanSample());
  dir.Write("notes.txt", "not a payment file");
  dir.MakeDirectory("docs");
  struct Case {
    std::vector<std::string> arguments;
    std::string err;  // the start of what the command says, empty: findings on stdout
  };
  const Case cases[] = {
      {{"convert", "missing", "--out", "docs"}, "xkdtazv convert: cannot read missing: "},
      {{"convert", "DTAZV", "--out", "nowhere"},
       "xkdtazv convert: cannot write to the output directory"},
      {{"convert", "notes.txt", "--out", "docs"}, ""},
      {{"convert", "DTAZV", "--out", "docs", "--debtor-iban", "DE00120300000000202051"}, ""},
      {{"convert", "--out", "docs"}, "xkdtazv: DTAZV_FILE is required"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.arguments[1]);
    const CommandRun run = RunXkdtazv(c.arguments, dir);
    EXPECT_EQ(run.status, 2) << run.out;
    EXPECT_EQ(run.err.substr(0, c.err.size()), c.err);
    if (c.err.empty()) {
      EXPECT_NE(run.out.find("Nothing was written"), std::string::npos) << run.out;
    }
  }
  EXPECT_TRUE(dir.List("docs").empty());
}

}  // namespace
}  // namespace xkdtazv::cli
