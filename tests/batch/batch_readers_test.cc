#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "batch/batch_csv.h"
#include "batch/batch_json.h"
#include "batch/closest_name.h"

namespace xkdtazv::cli {
namespace {

// "place|member=value" for every setting, in order, to compare whole batches.
std::vector<std::string> Settings(const std::vector<BatchSetting>& settings) {
  std::vector<std::string> texts;
  for (const BatchSetting& setting : settings) {
    texts.push_back(setting.place + "|" + setting.member + "=" + setting.value.text);
  }
  return texts;
}

TEST(JsonBatchTest, KeepsMembersInTheirOrderWithTheirKinds) {
  const BatchReadResult read = ReadJsonBatch(R"({
    "Pfad": "out",
    "MeineInfo": {"BLZ": "37040044", "Name": "Müller"},
    "GeldTransfer": [{"Zahlungsart": 13, "Betrag": "1,5"}, {"LaenderCode": "POLEN", "X": true}]
  })");
  ASSERT_TRUE(read.batch) << read.error;
  const Batch& batch = *read.batch;
  EXPECT_EQ(Settings(batch.file), (std::vector<std::string>{"top level|Pfad=out"}));
  ASSERT_TRUE(batch.sender);
  EXPECT_EQ(Settings(batch.sender->settings),
            (std::vector<std::string>{"MeineInfo|BLZ=37040044", "MeineInfo|Name=Müller"}));
  ASSERT_EQ(batch.transfers.size(), 2u);
  EXPECT_EQ(
      Settings(batch.transfers[0].settings),
      (std::vector<std::string>{"GeldTransfer 1|Zahlungsart=13", "GeldTransfer 1|Betrag=1,5"}));
  EXPECT_EQ(batch.transfers[0].settings[0].value.kind, BatchValue::Kind::kInteger);
  EXPECT_EQ(batch.transfers[0].settings[0].value.integer, 13);
  EXPECT_EQ(batch.transfers[1].settings[1].value.kind, BatchValue::Kind::kBoolean);
  EXPECT_TRUE(batch.has_transfers);
}

TEST(JsonBatchTest, NamesWhereAndWhyItCannotBeRead) {
  const struct {
    const char* name;
    std::string text;
    std::string error;
  } cases[] = {
      {"MissingValue", "{\"Pfad\": \"out\",\n  \"GeldTransfer\": [ {\"Betrag\": } ]}",
       "parse error at line 2, column 32: syntax error while parsing value - unexpected '}'; "
       "expected '[', '{', or a literal"},
      {"Empty", "",
       "parse error at line 1, column 1: syntax error while parsing value - unexpected end of "
       "input; expected '[', '{', or a literal"},
      {"InvalidUtf8", "{\"Pfad\": \"\xFC\"}",
       "parse error at line 1, column 11: syntax error while parsing value - invalid string: "
       "ill-formed UTF-8 byte; last read: '\"\\xFC'"},
      {"TopLevelList", "[]",
       "the batch must be a JSON object with Pfad, DiffFileName, MeineInfo and GeldTransfer, not "
       "an array"},
      {"SenderNoObject", R"({"MeineInfo": "Schmidt"})",
       "MeineInfo must be an object of member names and values, not string"},
      {"TransfersNoList", R"({"GeldTransfer": {"Betrag": "1"}})",
       "GeldTransfer must be a list of objects, not object"},
      {"TransferNoObject", R"({"GeldTransfer": [{}, 5]})",
       "GeldTransfer 2 must be an object of member names and values, not number"},
      {"MemberTwice", R"({"GeldTransfer": [7, {"Betrag": "1"}, {"Name": "A", "Name": "B"}]})",
       "GeldTransfer 3: the member \"Name\" is given twice"},
      {"SenderMemberTwice", R"({"MeineInfo": {"BLZ": "1", "BLZ": "2"}, "BLZ": "3"})",
       "MeineInfo: the member \"BLZ\" is given twice"},
      {"TopLevelMemberTwice", R"({"Pfad": "a", "GeldTransfer": [], "Pfad": "b"})",
       "top level: the member \"Pfad\" is given twice"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const BatchReadResult read = ReadJsonBatch(c.text);
    EXPECT_FALSE(read.batch);
    EXPECT_EQ(read.error, c.error);
  }
}

TEST(JsonBatchTest, DeepNestingIsNoProblem) {
  const std::string deep =
      "{\"Pfad\": " + std::string(100000, '[') + std::string(100000, ']') + "}";
  const BatchReadResult read = ReadJsonBatch(deep);
  ASSERT_TRUE(read.batch);
  EXPECT_EQ(read.batch->file[0].value.kind, BatchValue::Kind::kArray);
}

TEST(CsvBatchTest, ReadsQuotedFieldsLineBreaksAndEmptyCells) {
  const BatchReadResult read = ReadCsvBatch(
      "Name;Betrag;Verwendungszweck1\r\n"
      "\"Dupont; Fils\";1,50;\"Rechnung \"\"A\"\"\"\r\n"
      "\r\n"
      "Kowalski;;\"Zeile 1\nZeile 2\"\n"
      "Rossi;3;x");
  ASSERT_TRUE(read.batch) << read.error;
  const Batch& batch = *read.batch;
  ASSERT_EQ(batch.transfers.size(), 3u);
  EXPECT_EQ(Settings(batch.transfers[0].settings),
            (std::vector<std::string>{"line 2, column 1|Name=Dupont; Fils",
                                      "line 2, column 16|Betrag=1,50",
                                      "line 2, column 21|Verwendungszweck1=Rechnung \"A\""}));
  EXPECT_EQ(Settings(batch.transfers[1].settings),
            (std::vector<std::string>{"line 4, column 1|Name=Kowalski",
                                      "line 4, column 11|Verwendungszweck1=Zeile 1\nZeile 2"}));
  EXPECT_EQ(batch.transfers[2].place, "line 6");
  ASSERT_EQ(batch.columns.size(), 3u);
  EXPECT_EQ(batch.columns[2].member, "Verwendungszweck1");
  EXPECT_EQ(batch.columns[2].place, "line 1, column 13");
}

TEST(CsvBatchTest, ReadsUtf8AndWindows1252Alike) {
  const std::string utf8 = "\xEF\xBB\xBFName;OrtPLZ\nGr\xC3\xB6\xC3\x9Fl;W\xC3\xB6rgl\n";
  const std::string windows1252 = "Name;OrtPLZ\r\nGr\xF6\xDFl;W\xF6rgl\r\n";
  for (const std::string& bytes : {utf8, windows1252}) {
    const BatchReadResult read = ReadCsvBatch(bytes);
    ASSERT_TRUE(read.batch) << read.error;
    EXPECT_EQ(Settings(read.batch->transfers.at(0).settings),
              (std::vector<std::string>{"line 2, column 1|Name=Gr\xC3\xB6\xC3\x9Fl",
                                        "line 2, column 7|OrtPLZ=W\xC3\xB6rgl"}));
  }
}

TEST(CsvBatchTest, NamesLineAndColumnOfEachFault) {
  const struct {
    const char* name;
    std::string text;
    std::string error;
  } cases[] = {
      {"QuoteNeverClosed", "Name;Betrag\nM\xC3\xBCller;\"1,50\n",
       "line 2, column 8: the quoted field is never closed"},
      {"QuoteInsideField", "Name;Betrag\nDupont \"Fils\";1\n",
       "line 2, column 8: a quotation mark inside a field that does not begin with one; quote the "
       "whole field and double the mark (\"\")"},
      {"TextAfterClosingQuote", "Name;Betrag\n\"Dupont\" SARL;1\n",
       "line 2, column 9: after the closing quotation mark, \";\" or the end of the line must "
       "follow"},
      {"TooManyFields", "Name;Betrag\nDupont;1;2\n", "line 2: 3 fields, but the header has 2"},
      {"TooFewFields", "Name;Betrag\nDupont\n", "line 2: 1 field, but the header has 2"},
      {"HeaderGap", "Name;;Betrag\n", "line 1, column 6: the header names no member here"},
      {"HeaderTwice", "Name;Betrag;Name\n", "line 1, column 13: the header names \"Name\" twice"},
      {"NoHeader", "\n\n", "the file holds no header row of member names"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const BatchReadResult read = ReadCsvBatch(c.text);
    EXPECT_FALSE(read.batch);
    EXPECT_EQ(read.error, c.error);
  }
}

TEST(ClosestNameTest, PicksTheFewestEditsIgnoringCase) {
  const std::vector<std::string> members = {"BIC", "Verwendungszweck1", "Verwendungszweck2",
                                            "Weisungsschluessel1", "Zahlungsart"};
  EXPECT_EQ(ClosestName("Verwendungszweck", members), "Verwendungszweck1");
  EXPECT_EQ(ClosestName("bic", members), "BIC");
  EXPECT_EQ(ClosestName("Zahlungsrat", members), "Zahlungsart");  // two letters swapped
  EXPECT_EQ(ClosestName("Weisungsschlüssel1", members), "Weisungsschluessel1");
  EXPECT_EQ(ClosestName("x", {}), "");
}

}  // namespace
}  // namespace xkdtazv::cli
