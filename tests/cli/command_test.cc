// The xkdtazv command end to end: the built program run on files, its output
// compared byte for byte with golden files, the dates that depend on the day
// masked as JJMMTT.
#include <gtest/gtest.h>
#include <signal.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "command_runner.h"
#include "dtazv_sample.h"

namespace xkdtazv::cli {
namespace {

using testing::CommandRun;
using testing::DtazvSample;
using testing::ExamplePath;
using testing::ExpectMatchesGolden;
using testing::ReadFileOrEmpty;
using testing::RunOptions;
using testing::RunXkdtazv;
using testing::Scratch;

constexpr std::string_view kMask = "JJMMTT";

// The creation and execution dates in the Q record and each T record's
// execution date: the component writes the day of the run there.
std::string MaskFileDates(std::string bytes) {
  if (bytes.size() >= 256) {
    bytes.replace(163, 6, kMask);
    bytes.replace(171, 6, kMask);
  }
  for (std::size_t offset = 256; offset + 768 <= bytes.size() && bytes[offset + 4] == 'T';
       offset += 768) {
    bytes.replace(offset + 26, 6, kMask);
  }
  return bytes;
}

// The same dates where inspect shows them: the rows of Q6, Q8 and T5, and in
// JSON the content that follows their ids.
std::string MaskShownDates(const std::string& text) {
  std::istringstream lines(text);
  std::string masked;
  bool date_follows = false;
  for (std::string line; std::getline(lines, line);) {
    const bool row =
        line.starts_with("  Q6 ") || line.starts_with("  Q8 ") || line.starts_with("  T5 ");
    const std::size_t content = line.find("\"content\": \"");
    if (row && line.size() >= 6) {
      line.replace(line.size() - 6, 6, kMask);
    } else if (date_follows && content != std::string::npos) {
      line.replace(content + 12, 6, kMask);
      date_follows = false;
    }
    if (line.find("\"id\": \"Q6\"") != std::string::npos ||
        line.find("\"id\": \"Q8\"") != std::string::npos ||
        line.find("\"id\": \"T5\"") != std::string::npos) {
      date_follows = true;
    }
    masked += line + "\n";
  }
  return masked;
}

// `count` copies of `item`, separated by commas.
std::string Repeated(std::string_view item, int count) {
  std::string text;
  for (int i = 0; i < count; ++i) (text += i == 0 ? "" : ",") += item;
  return text;
}

void CopyExample(const Scratch& dir, const std::string& name) {
  dir.Write(name, ReadFileOrEmpty(ExamplePath(name)));
}

// The example, generated from JSON and from CSV in both locales, gives one
// file; the JSON run's report is the golden one.
TEST(GenerateCommandTest, ExampleBatchInJsonAndCsvGivesTheGoldenFile) {
  const struct {
    std::vector<std::string> arguments;
    std::string locale;
  } runs[] = {
      {{"generate", "payments.json", "--out", "out"}, "C.UTF-8"},
      {{"generate", "payments.json", "--out", "out"}, "de_DE.UTF-8"},
      {{"generate", "payments.csv", "--sender", "sender.json", "--out", "out"}, "C.UTF-8"},
      {{"generate", "payments.csv", "--sender", "sender.json", "--out", "out"}, "de_DE.UTF-8"},
  };
  for (const auto& run : runs) {
    SCOPED_TRACE(run.arguments[1] + " in " + run.locale);
    Scratch dir;
    for (const char* name : {"payments.json", "payments.csv", "sender.json"})
      CopyExample(dir, name);
    dir.MakeDirectory("out");
    const CommandRun result = RunXkdtazv(run.arguments, dir, RunOptions{run.locale});
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.err, "");
    ExpectMatchesGolden(result.out, "generate_example.txt");
    ExpectMatchesGolden(MaskFileDates(dir.Read("out/DTAZV")), "example.dtazv");
  }
}

TEST(InspectCommandTest, ShowsTheExampleFieldByFieldAsTextAndJson) {
  Scratch dir;
  CopyExample(dir, "payments.json");
  dir.MakeDirectory("out");
  ASSERT_EQ(RunXkdtazv({"generate", "payments.json", "--out", "out"}, dir).status, 1);

  const CommandRun text = RunXkdtazv({"inspect", "out/DTAZV"}, dir);
  EXPECT_EQ(text.status, 1);
  EXPECT_EQ(text.err, "");
  ExpectMatchesGolden(MaskShownDates(text.out), "inspect_example.txt");

  const CommandRun json = RunXkdtazv({"inspect", "out/DTAZV", "--json"}, dir);
  EXPECT_EQ(json.status, 1);
  EXPECT_EQ(json.err, "");
  ExpectMatchesGolden(MaskShownDates(json.out), "inspect_example.json");
}

// Every kind of row a damaged file shows: bytes to escape, a surplus, an
// unknown record, a record cut short.
TEST(InspectCommandTest, ShowsADamagedFileFieldByFieldAsTextAndJson) {
  DtazvSample sample;
  sample.Put(2, 300, std::string("D\xC4\"\\\x01\x81", 6));
  sample.Put(3, 300, "\"\\");
  sample.records()[1] += "XYZ";
  sample.records().insert(sample.records().begin() + 3, "0256X" + std::string(251, ' '));
  std::string bytes = sample.Bytes();
  bytes.resize(bytes.size() - 230);
  Scratch dir;
  dir.Write("damaged", bytes);
  const CommandRun text = RunXkdtazv({"inspect", "damaged"}, dir);
  EXPECT_EQ(text.status, 1);
  ExpectMatchesGolden(text.out, "inspect_damaged.txt");
  const CommandRun json = RunXkdtazv({"inspect", "damaged", "--json"}, dir);
  EXPECT_EQ(json.status, 1);
  ExpectMatchesGolden(json.out, "inspect_damaged.json");
}

TEST(GenerateCommandTest, CleanBatchEndsWithStatusZero) {
  Scratch dir;
  dir.Write("clean.json", R"({
    "MeineInfo": {"BLZ": "37040044", "Kontonummer": "0532013000", "Name": "Schmidt GmbH",
                  "OrtPLZ": "50667 Koeln"},
    "GeldTransfer": [{"Zahlungsart": "EU_STANDART", "LaenderCode": "FRANKREICH",
                      "Name": "Dupont et Fils SARL", "BIC": "BNPAFRPPXXX",
                      "IBAN": "0000000FR7630006000011234567890189", "Betrag": "4250,00"}]})");
  dir.MakeDirectory("out");
  const CommandRun generated =
      RunXkdtazv({"generate", "clean.json", "--out", "out", "--name", "CLEAN"}, dir);
  EXPECT_EQ(generated.status, 0);
  EXPECT_EQ(generated.out,
            "Result of Generate:\nSUCCESS\n\nSummary: 1 payment, control total 4250, file "
            "out/CLEAN, 1280 bytes\n\nBank check (xkdtazv inspect out/CLEAN):\nFindings: none.\n");
  const CommandRun inspected = RunXkdtazv({"inspect", "out/CLEAN"}, dir);
  EXPECT_EQ(inspected.status, 0);
  EXPECT_TRUE(inspected.out.ends_with("\nFindings: none. The file is sound.\n"));
}

TEST(GenerateCommandTest, FailedRunEndsWithStatusThreeAndWritesNothing) {
  Scratch dir;
  // Eleven amounts of fourteen digits: the control total outgrows its fifteen.
  dir.Write("overflow.json", R"({"Pfad": "out", "GeldTransfer": [)" +
                                 Repeated(R"({"Betrag": "99999999999999"})", 11) + "]}");
  dir.MakeDirectory("out");
  const CommandRun run = RunXkdtazv({"generate", "overflow.json"}, dir);
  EXPECT_EQ(run.status, 3);
  EXPECT_EQ(run.out,
            "Result of Generate:\nSonstiger Fehler:Überlauf\n\nSummary: the run "
            "failed; no file was written.\n");
  EXPECT_EQ(dir.List("out"), std::vector<std::string>{});
}

// A record that cannot be rendered is reported, and the earlier file stays.
TEST(GenerateCommandTest, RecordThatCannotBeRenderedKeepsTheEarlierFile) {
  Scratch dir;
  dir.Write("long.json", R"({"Pfad": "out", "GeldTransfer": [{"Betrag": "1", "Name": ")" +
                             std::string(40000, 'A') + "\"}]}");
  dir.MakeDirectory("out");
  dir.Write("out/DTAZV", "EARLIER");
  const CommandRun run = RunXkdtazv({"generate", "long.json"}, dir);
  EXPECT_EQ(run.status, 3);
  EXPECT_TRUE(
      run.out.ends_with("Im Ergebnistext wurden Fehler entdeckt!\r\n\nSummary: a record "
                        "could not be rendered; no file was written.\n"))
      << run.out;
  EXPECT_EQ(dir.Read("out/DTAZV"), "EARLIER");
  EXPECT_EQ(dir.List("out"), std::vector<std::string>{"DTAZV"});
}

// A batch of `count` equal, valid payments.
std::string LargeBatch(int count) {
  std::string batch = R"({"Pfad": "out", "MeineInfo": {"BLZ": "37040044", "Kontonummer": "1",)"
                      R"( "Name": "MUSTER"}, "GeldTransfer": [)";
  for (int i = 0; i < count; ++i) {
    batch += std::string(i == 0 ? "" : ",") +
             R"({"Zahlungsart": "EU_STANDART", "LaenderCode": "FRANKREICH", "BIC": "BNPAFRPP123",)"
             R"( "IBAN": "0000000FR7630006000011234567890189", "Betrag": "10"})";
  }
  return batch + "]}";
}

// Waits (up to a minute: a sanitized build reads the batch slowly) until
// process `pid` has a handler for `signal_number`.
bool CatchesSignal(int pid, int signal_number) {
  for (int attempt = 0; attempt < 12000; ++attempt) {
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    for (std::string line; std::getline(status, line);) {
      if (!line.starts_with("SigCgt:")) continue;
      const unsigned long long caught = std::stoull(line.substr(7), nullptr, 16);
      if (caught & (1ULL << (signal_number - 1))) return true;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  return false;
}

// A signal that ends a run takes this process's temporary files with it (here
// one planted under the name the component would give it) and leaves the
// earlier file as it was.
TEST(GenerateCommandTest, InterruptedRunRemovesItsTemporaryFiles) {
  Scratch dir;
  dir.Write("big.json", LargeBatch(10000));
  dir.MakeDirectory("out");
  for (const int signal_number : {SIGINT, SIGTERM, SIGHUP}) {
    SCOPED_TRACE(signal_number);
    dir.Write("out/DTAZV", "EARLIER");
    RunOptions options;
    options.while_running = [&dir, signal_number](int pid) {
      ASSERT_TRUE(CatchesSignal(pid, signal_number));
      dir.Write("out/.xkdtazv-" + std::to_string(pid) + "-00000000deadbeef", "PARTIAL");
      kill(pid, signal_number);
    };
    const CommandRun run = RunXkdtazv({"generate", "big.json"}, dir, options);
    EXPECT_EQ(run.signal, signal_number);
    EXPECT_EQ(dir.List("out"), std::vector<std::string>{"DTAZV"});
    EXPECT_EQ(dir.Read("out/DTAZV"), "EARLIER");
  }
}

// An interrupted check takes its private directory with it.
TEST(CheckCommandTest, InterruptedCheckLeavesNothingBehind) {
  Scratch dir;
  dir.Write("big.json", LargeBatch(10000));
  dir.MakeDirectory("tmp");
  RunOptions options;
  options.temporary_directory = dir.PathOf("tmp");
  options.while_running = [](int pid) {
    ASSERT_TRUE(CatchesSignal(pid, SIGTERM));
    kill(pid, SIGTERM);
  };
  const CommandRun run = RunXkdtazv({"check", "big.json"}, dir, options);
  EXPECT_EQ(run.signal, SIGTERM);
  EXPECT_EQ(dir.List("tmp"), std::vector<std::string>{});
}

// Names up to the file system's limit of 255 bytes work: the temporary name
// does not grow with them.
TEST(GenerateCommandTest, LongestFileNamesWork) {
  Scratch dir;
  CopyExample(dir, "payments.json");
  dir.MakeDirectory("out");
  for (const std::size_t length : {241, 255}) {
    SCOPED_TRACE(length);
    const std::string name(length, 'N');
    const CommandRun run =
        RunXkdtazv({"generate", "payments.json", "--out", "out", "--name", name}, dir);
    EXPECT_EQ(run.status, 1) << run.err;  // the example's umlauts are findings
    EXPECT_EQ(dir.Read("out/" + name).size(), 512u + 768u * 5);
  }
}

struct BadInput {
  std::string name;
  std::vector<std::pair<std::string, std::string>> files;
  std::vector<std::string> arguments;
  std::string err;
  int status = 2;
  bool unprivileged = false;
};

const std::string kBatchHead = R"({"Pfad": "out", "GeldTransfer": [)";

// Every fault gives one clear message, status 2, and no file.
TEST(GenerateCommandTest, BadInputIsNamedAndNothingIsWritten) {
  const std::vector<BadInput> cases = {
      {"MalformedJson",
       {{"b.json", "{\"Pfad\": \"out\",\n \"GeldTransfer\": [{\"Betrag\" \"1\"}]}"}},
       {"generate", "b.json"},
       "xkdtazv generate: b.json: parse error at line 2, column 31: syntax error while parsing "
       "object separator - unexpected string literal; expected ':'\n"},
      {"MalformedCsv",
       {{"b.csv", "Name;Betrag\nDupont;\"1,50\n"}, {"s.json", R"({"Pfad": "out"})"}},
       {"generate", "b.csv", "--sender", "s.json"},
       "xkdtazv generate: b.csv: line 2, column 8: the quoted field is never closed\n"},
      {"UnknownMember",
       {{"b.json", kBatchHead + R"({"Betrag": "1", "Verwendungszweck": "Rechnung 1"}]})"}},
       {"generate", "b.json"},
       "xkdtazv generate: b.json: GeldTransfer 1: unknown member \"Verwendungszweck\" "
       "(_GeldTransfer has no such member); did you mean \"Verwendungszweck1\"?\n"},
      {"UnknownCsvColumn",
       {{"b.csv", "Name;Betrag EUR\nDupont;1\nRossi;2\n"}, {"s.json", R"({"Pfad": "out"})"}},
       {"generate", "b.csv", "--sender", "s.json"},
       "xkdtazv generate: b.csv: line 1, column 6: unknown member \"Betrag EUR\" (_GeldTransfer "
       "has no such member); did you mean \"Betrag\"?\n"
       "xkdtazv generate: b.csv: the header names no Betrag column; every payment needs an "
       "amount\n"},
      {"WrongType",
       {{"b.json", kBatchHead + R"({"Betrag": 12.5, "LaenderCode": true}]})"}},
       {"generate", "b.json"},
       "xkdtazv generate: b.json: GeldTransfer 1, Betrag: expects text, not a number; write it "
       "in quotes: \"12.5\"\n"
       "xkdtazv generate: b.json: GeldTransfer 1, LaenderCode: expects a member name of the "
       "enumeration LaenderCodes, such as \"DEUTSCHLAND\", or its number, not a boolean\n"},
      {"UnknownEnumerationName",
       {{"b.json", kBatchHead + R"({"Betrag": "1", "Zahlungsart": "EU_STANDARD"}]})"}},
       {"generate", "b.json"},
       "xkdtazv generate: b.json: GeldTransfer 1, Zahlungsart: \"EU_STANDARD\" is no member of "
       "the enumeration Zahlungsart; did you mean \"EU_STANDART\"?\n"},
      {"PaymentWithoutAmount",
       {{"b.json", kBatchHead + R"({"Betrag": "1"}, {"Name": "Dupont"}, {}]})"}},
       {"generate", "b.json"},
       "xkdtazv generate: b.json: GeldTransfer 2, Betrag: missing; every payment needs an amount\n"
       "xkdtazv generate: b.json: GeldTransfer 3, Betrag: missing; every payment needs an "
       "amount\n"},
      {"CsvLineWithoutAmount",
       {{"b.csv", "Name;Betrag\nDupont;1\nRossi;\n"}, {"s.json", R"({"Pfad": "out"})"}},
       {"generate", "b.csv", "--sender", "s.json"},
       "xkdtazv generate: b.csv: line 3, Betrag: missing; every payment needs an amount\n"},
      {"MorePaymentsThanOneRunTakes",
       {{"b.json", kBatchHead + Repeated(R"({"Betrag": "1"})", 32767) + "]}"}},
       {"generate", "b.json"},
       "xkdtazv generate: b.json: the batch has 32767 payments; one DTAZV file of this component "
       "holds at most 32766\n"},
      {"EnumerationNumberTheComponentRefuses",
       {{"b.json", kBatchHead + R"({"Betrag": "1", "Zahlungsart": 70000}]})"}},
       {"generate", "b.json"},
       "xkdtazv generate: b.json: GeldTransfer 1, Zahlungsart: the component refuses 70000: "
       "Überlauf (6)\n"},
      {"MissingBatch",
       {},
       {"generate", "none.json"},
       "xkdtazv generate: cannot read none.json: No such file or directory\n"},
      {"UnreadableBatch",
       {{"b.json", kBatchHead + "]}"}},
       {"generate", "b.json"},
       "xkdtazv generate: cannot read b.json: Permission denied\n",
       2,
       true},
      {"MissingOutputDirectory",
       {{"b.json", kBatchHead + "]}"}},
       {"generate", "b.json", "--out", "nowhere"},
       "xkdtazv generate: cannot write to the output directory \"nowhere\": No such file or "
       "directory\n"},
      {"OutputDirectoryNotWritable",
       {{"b.json", kBatchHead + "]}"}},
       {"generate", "b.json", "--out", "locked"},
       "xkdtazv generate: cannot write to the output directory \"locked\": Permission denied\n",
       2,
       true},
      {"NoOutputDirectory",
       {{"b.json", R"({"GeldTransfer": []})"}},
       {"generate", "b.json"},
       "xkdtazv generate: no output directory: give --out DIR or set Pfad in the batch\n"},
      {"CsvWithoutSender",
       {{"b.csv", "Name\nDupont\n"}},
       {"generate", "b.csv"},
       "xkdtazv generate: a CSV batch needs --sender FILE: a JSON file with MeineInfo (and Pfad, "
       "or --out)\n"},
      {"NoPayments",
       {{"b.json", R"({"Pfad": "out", "GeldTransfers": []})"}},
       {"generate", "b.json"},
       "xkdtazv generate: b.json: the batch has no GeldTransfer list of payments\n"},
      {"UnknownOption",
       {},
       {"generate", "b.json", "--output", "out"},
       "xkdtazv: The following arguments were not expected: out --output\n"
       "Run 'xkdtazv --help' for usage.\n"},
  };
  for (const BadInput& bad : cases) {
    SCOPED_TRACE(bad.name);
    Scratch dir;
    for (const auto& [name, bytes] : bad.files) dir.Write(name, bytes);
    dir.MakeDirectory("out");
    dir.MakeDirectory("locked");
    ::chmod(dir.PathOf("locked").c_str(), 0555);
    if (bad.name == "UnreadableBatch") ::chmod(dir.PathOf("b.json").c_str(), 0);
    RunOptions options;
    options.as_unprivileged_user = bad.unprivileged;
    const CommandRun run = RunXkdtazv(bad.arguments, dir, options);
    EXPECT_EQ(run.status, bad.status);
    EXPECT_EQ(run.err, bad.err);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(dir.List("out"), std::vector<std::string>{});
    EXPECT_EQ(dir.List("locked"), std::vector<std::string>{});
  }
}

struct BadFile {
  std::string name;
  std::string bytes;
  int status;
  std::string err;
  std::string findings;  // the end of the report, from "Findings"
};

TEST(InspectCommandTest, BadFilesAreNamedWithTheirStatus) {
  DtazvSample sample;
  const std::string sound = sample.Bytes();
  std::swap(sample.records()[0], sample.records()[1]);
  const std::string reordered = sample.Bytes();
  const std::vector<BadFile> cases = {
      {"Sound", sound, 0, "", "Findings: none. The file is sound.\n"},
      {"Empty", "", 2, "xkdtazv inspect: f: the file is empty\n", ""},
      {"NotDtazv", "%PDF-1.7\n", 2,
       "xkdtazv inspect: f: not a DTAZV file: it does not begin with a record length of four "
       "digits and a record type Q, T, V, W or Z (it begins with \"%PDF-1.7\\x0A\")\n",
       ""},
      {"Truncated", sound.substr(0, 1000), 1, "",
       "Findings (2):\n"
       "  record 2 (T, payment 1): the record is 744 bytes long, a T record has 768: the file "
       "ends inside it; its fields are not checked\n"
       "  file: the file has no Z record at its end: it may be truncated\n"},
      {"RecordOfWrongLength", sound.substr(0, 300) + sound.substr(302), 1, "",
       "Findings (1):\n"
       "  record 2 (T, payment 1): the record is 766 bytes long, a T record has 768; its fields "
       "are not checked\n"},
      {"WrongOrder", reordered, 1, "",
       "Findings (2):\n"
       "  record 1 (T, payment 1): the file must begin with a Q record\n"
       "  record 2 (Q): a Q record may stand only at the beginning\n"},
      {"WrongRecordType", sound.substr(0, 1028) + "X" + sound.substr(1029), 1, "",
       "Findings (1):\n"
       "  record 3 (X): record type \"X\" is unknown: DTAZV has Q, T, V, W and Z records\n"},
  };
  for (const BadFile& bad : cases) {
    SCOPED_TRACE(bad.name);
    Scratch dir;
    dir.Write("f", bad.bytes);
    const CommandRun run = RunXkdtazv({"inspect", "f"}, dir);
    EXPECT_EQ(run.status, bad.status);
    EXPECT_EQ(run.err, bad.err);
    const std::size_t findings = run.out.rfind("Findings");
    EXPECT_EQ(findings == std::string::npos ? "" : run.out.substr(findings), bad.findings);
  }
}

TEST(InspectCommandTest, MissingFileAndJsonForNoDtazvFile) {
  Scratch dir;
  const CommandRun missing = RunXkdtazv({"inspect", "none"}, dir);
  EXPECT_EQ(missing.status, 2);
  EXPECT_EQ(missing.err, "xkdtazv inspect: cannot read none: No such file or directory\n");
  dir.Write("empty", "");
  const CommandRun json = RunXkdtazv({"inspect", "empty", "--json"}, dir);
  EXPECT_EQ(json.status, 2);
  EXPECT_EQ(json.out,
            "{\n  \"file\": \"empty\",\n  \"bytes\": 0,\n  \"readable\": false,\n  \"error\": "
            "\"the file is empty\"\n}\n");
}

// Whatever arrives, memory stays bounded: endless or huge inputs are refused
// without being read whole, and messages quote only the beginning of a value.
TEST(CommandLineTest, HugeInputsAreRefusedInBoundedMemory) {
  struct Huge {
    std::string name;
    std::vector<std::string> arguments;
    std::string err_begins;
  };
  Scratch dir;
  dir.MakeDirectory("out");
  dir.Write("s.json", R"({"Pfad": "out"})");
  dir.Write("huge.dtazv", "0256Q");
  dir.Write("huge.csv", "Name;Betrag\n");
  for (const char* name : {"huge.dtazv", "huge.csv"}) {
    ASSERT_EQ(truncate(dir.PathOf(name).c_str(), 1 << 30), 0);  // sparse: 1 GB, no disk
  }
  const std::string long_text(1 << 20, 'A');
  dir.Write("unterminated.json", R"({"Pfad": "out", "GeldTransfer": [{"Name": ")" + long_text);
  dir.Write("header.csv", long_text + ";Betrag\nX;1\n");
  const Huge cases[] = {
      {"EndlessDevice",
       {"inspect", "/dev/zero"},
       "xkdtazv inspect: /dev/zero: not a DTAZV file: it does not begin with a record length"},
      {"HugeDtazvFile",
       {"inspect", "huge.dtazv"},
       "xkdtazv inspect: huge.dtazv: not a DTAZV file: it has more than 92269568 bytes, the most "
       "a file of 32766 payments with 8 V or W records each can have\n"},
      {"HugeDtazvFileToConvert",
       {"convert", "huge.dtazv", "--out", "out"},
       "xkdtazv convert: huge.dtazv: not a DTAZV file: it has more than 92269568 bytes"},
      {"EndlessDeviceToConvert", {"convert", "/dev/zero", "--out", "out"}, ""},
      {"HugeBatch",
       {"generate", "huge.csv", "--sender", "s.json"},
       "xkdtazv generate: cannot read huge.csv: it has more than 67108864 bytes, the most a batch "
       "may have\n"},
      {"UnterminatedString",
       {"generate", "unterminated.json"},
       "xkdtazv generate: unterminated.json: parse error at line 1, column 1048620: syntax error "
       "while parsing value - invalid string: missing closing quote; last read: \"\"" +
           std::string(39, 'A') + "…\" (1048577 characters)\n"},
      {"LongColumnName",
       {"generate", "header.csv", "--sender", "s.json"},
       "xkdtazv generate: header.csv: line 1, column 1: unknown member \"" + std::string(40, 'A') +
           "…\" (1048576 characters) (_GeldTransfer has no such member)"},
  };
  RunOptions limited;
  limited.memory_limit = std::size_t{384} << 20;
  for (const Huge& huge : cases) {
    SCOPED_TRACE(huge.name);
    const CommandRun run = RunXkdtazv(huge.arguments, dir, limited);
    EXPECT_EQ(run.status, 2);
    EXPECT_TRUE(run.err.starts_with(huge.err_begins)) << run.err.substr(0, 500);
    EXPECT_LT(run.err.size(), 500u);
  }
  EXPECT_EQ(dir.List("out"), std::vector<std::string>{});
}

TEST(CommandLineTest, UnknownSubcommandIsNamed) {
  Scratch dir;
  const CommandRun run = RunXkdtazv({"generat", "b.json"}, dir);
  EXPECT_EQ(run.status, 2);
  EXPECT_EQ(run.err,
            "xkdtazv: unknown subcommand \"generat\"; the subcommands are generate, check, "
            "inspect, convert\n"
            "Run 'xkdtazv --help' for usage.\n");
}

TEST(CommandLineTest, HelpAndVersionEndWithStatusZero) {
  Scratch dir;
  const CommandRun version = RunXkdtazv({"--version"}, dir);
  EXPECT_EQ(version.status, 0);
  EXPECT_EQ(version.out, "xkdtazv 1.0.0\n");
  const CommandRun help = RunXkdtazv({"--help"}, dir);
  EXPECT_EQ(help.status, 0);
  ExpectMatchesGolden(help.out, "help.txt");
  const CommandRun generate_help = RunXkdtazv({"generate", "--help"}, dir);
  EXPECT_EQ(generate_help.status, 0);
  ExpectMatchesGolden(generate_help.out, "help_generate.txt");
  const CommandRun nothing = RunXkdtazv({}, dir);
  EXPECT_EQ(nothing.status, 2);
  EXPECT_EQ(nothing.err, "xkdtazv: A subcommand is required\nRun 'xkdtazv --help' for usage.\n");
}

}  // namespace
}  // namespace xkdtazv::cli
