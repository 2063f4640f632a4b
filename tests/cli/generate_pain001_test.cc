// `xkdtazv generate BATCH --format pain.001` end to end: the shipped example
// with foreign currencies, and a batch whose errors leave nothing written.
#include <gtest/gtest.h>

#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "command_runner.h"

namespace xkdtazv::cli {
namespace {

using testing::CommandRun;
using testing::ExamplePath;
using testing::ReadFileOrEmpty;
using testing::RunXkdtazv;
using testing::Scratch;

// The order types and document names a run lists, in order.
std::vector<std::string> ListedDocuments(const std::string& out) {
  static const std::regex line(R"(^  (AXZ|CCT|CCU)  docs/(\S+)$)");
  std::vector<std::string> names;
  std::istringstream lines(out);
  for (std::string text; std::getline(lines, text);) {
    std::smatch match;
    if (std::regex_search(text, match, line))
      names.push_back(match[1].str() + " " + match[2].str());
  }
  return names;
}

TEST(GeneratePain001CommandTest, ShippedExampleWritesOneDocumentPerOrderType) {
  Scratch dir;
  dir.MakeDirectory("docs");
  const CommandRun run = RunXkdtazv(
      {"generate", ExamplePath("payments_pain001.json"), "--format", "pain.001", "--out", "docs"},
      dir);
  EXPECT_EQ(run.status, 1) << run.out << run.err;  // the bank's town line has no postal code
  const std::vector<std::string> listed = ListedDocuments(run.out);
  ASSERT_EQ(listed.size(), 2u) << run.out;
  EXPECT_EQ(listed[0].substr(0, 4), "AXZ ");
  EXPECT_EQ(listed[1].substr(0, 4), "CCT ");
  std::vector<std::string> names;
  for (const std::string& entry : listed) names.push_back(entry.substr(4));
  EXPECT_EQ(names, dir.List("docs"));
  const std::string foreign = dir.Read("docs/" + names[0]);
  for (const char* expected :
       {"<InstdAmt Ccy=\"USD\">12500.75</InstdAmt>", "<Cd>USABA</Cd>", "<MmbId>021000021</MmbId>",
        "<InstdAmt Ccy=\"CHF\">8400.00</InstdAmt>", "<IBAN>CH9300762011623852957</IBAN>",
        "<InstdAmt Ccy=\"GBP\">1999.99</InstdAmt>", "<Cd>GBDSC</Cd>", "<MmbId>200415</MmbId>",
        "<EndToEndId>INV-2026-0042</EndToEndId>"}) {
    EXPECT_NE(foreign.find(expected), std::string::npos) << expected;
  }
  EXPECT_NE(dir.Read("docs/" + names[1]).find("<InstdAmt Ccy=\"EUR\">4250.00</InstdAmt>"),
            std::string::npos);
}

TEST(GeneratePain001CommandTest, ErrorsWriteNothing) {
  Scratch dir;
  dir.MakeDirectory("docs");
  dir.Write("batch.json", R"({"MeineInfo": {"BLZ": "37040044", "Kontonummer": "532013000",
    "Name": "Muster GmbH", "OrtPLZ": "50667 Koeln"},
    "GeldTransfer": [{"Zahlungsart": "STANDARD", "Name": "Acme", "Betrag": "10",
      "Auftragswaehrung": "USD", "LaenderISO": "US", "Ort": "Boston",
      "EmpfaengerKonto": "1234", "Clearingcode": "021000021"}]})");
  const CommandRun run =
      RunXkdtazv({"generate", "batch.json", "--format", "pain.001", "--out", "docs"}, dir);
  EXPECT_EQ(run.status, 2) << run.out << run.err;
  EXPECT_NE(run.out.find("Fehler: Zahlung 1: Der Clearingcode \"021000021\""), std::string::npos)
      << run.out;
  EXPECT_NE(run.out.find("no document was written"), std::string::npos);
  EXPECT_TRUE(dir.List("docs").empty());

  EXPECT_EQ(RunXkdtazv({"generate", "batch.json", "--format", "xml"}, dir).status, 2);
}

}  // namespace
}  // namespace xkdtazv::cli
