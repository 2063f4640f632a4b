#include "document_checks.h"

#include <gtest/gtest.h>
#include <libxml/parser.h>
#include <libxml/xmlschemas.h>
#include <libxml/xpath.h>
#include <libxml/xpathInternals.h>
#include <stdlib.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>

#include "pain001/document_writer.h"
#include "payment_order/amount.h"

namespace xkdtazv::pain001::checks {
namespace {

using Document = std::unique_ptr<xmlDoc, decltype(&xmlFreeDoc)>;

// The texts of `expression` under `node`, one per match.
std::vector<std::string> Texts(xmlXPathContext* context, xmlNode* node, const char* expression) {
  context->node = node;
  std::unique_ptr<xmlXPathObject, decltype(&xmlXPathFreeObject)> found(
      xmlXPathEvalExpression(reinterpret_cast<const xmlChar*>(expression), context),
      xmlXPathFreeObject);
  std::vector<std::string> texts;
  if (!found || !found->nodesetval) return texts;
  for (int i = 0; i < found->nodesetval->nodeNr; ++i) {
    xmlChar* content = xmlNodeGetContent(found->nodesetval->nodeTab[i]);
    texts.emplace_back(reinterpret_cast<const char*>(content));
    xmlFree(content);
  }
  return texts;
}

std::string First(xmlXPathContext* context, xmlNode* node, const char* expression) {
  const auto texts = Texts(context, node, expression);
  return texts.empty() ? "" : texts.front();
}

}  // namespace

Scratch::Scratch() {
  std::string pattern =
      (std::filesystem::temp_directory_path() / "xkdtazv-pain001-XXXXXX").string();
  path_ = mkdtemp(pattern.data());
}
Scratch::~Scratch() { std::filesystem::remove_all(path_); }

ConversionServices FixedServices() {
  ConversionServices services = SystemConversionServices();
  services.now = [] { return LocalDateTime{std::chrono::year(2026) / 12 / 8, 10, 15, 0}; };
  services.new_run_id = [] { return std::string("TESTRUN00001"); };
  return services;
}

std::string ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

std::string RunText(const Conversion& conversion, const std::string& dir) {
  std::string text;
  for (const payment::Finding& finding : conversion.findings.list()) text += finding.Text() + "\n";
  for (const WrittenDocument& document : conversion.documents) {
    text += "=== " + document.path.substr(dir.size() + 1) + "\n" + ReadAll(document.path);
  }
  return text;
}

void ExpectMatchesGolden(const std::string& actual, const std::string& name) {
  const std::string path = std::string(XKDTAZV_PAIN001_TEST_DIR) + "/golden/" + name;
  const char* update = std::getenv("XKDTAZV_UPDATE_GOLDEN");
  if (update != nullptr && std::string(update) == "1") {
    std::ofstream(path, std::ios::binary) << actual;
    return;
  }
  EXPECT_EQ(actual, ReadAll(path))
      << "golden file " << path << " (XKDTAZV_UPDATE_GOLDEN=1 rewrites it)";
}

bool ValidAgainstSchema(xmlDoc* document) {
  const std::string path =
      std::string(XKDTAZV_PAIN001_TEST_DIR) + "/pain.001.001.09-acceptance.xsd";
  std::unique_ptr<xmlSchemaParserCtxt, decltype(&xmlSchemaFreeParserCtxt)> parser(
      xmlSchemaNewParserCtxt(path.c_str()), xmlSchemaFreeParserCtxt);
  std::unique_ptr<xmlSchema, decltype(&xmlSchemaFree)> schema(xmlSchemaParse(parser.get()),
                                                              xmlSchemaFree);
  std::unique_ptr<xmlSchemaValidCtxt, decltype(&xmlSchemaFreeValidCtxt)> validation(
      xmlSchemaNewValidCtxt(schema.get()), xmlSchemaFreeValidCtxt);
  return schema && xmlSchemaValidateDoc(validation.get(), document) == 0;
}

std::string PaymentLine(const payment::PaymentOrder& o) {
  const auto& account = o.creditor_account;
  return payment::AmountText(o.amount) + " " + o.amount.currency + "|" + o.creditor.name + "|" +
         o.creditor.address.town + "|" + o.creditor.address.country + "|" +
         (account.iban.empty() ? account.other_id : account.iban) + "|" + o.creditor_agent.bic +
         "|" + o.debtor_account.iban + "|" + o.remittance;
}

std::vector<std::string> PaymentLines(const std::string& path) {
  Document document(xmlReadFile(path.c_str(), nullptr, XML_PARSE_NONET), xmlFreeDoc);
  EXPECT_TRUE(document) << path;
  if (!document) return {};
  EXPECT_TRUE(ValidAgainstSchema(document.get())) << path;
  std::unique_ptr<xmlXPathContext, decltype(&xmlXPathFreeContext)> context(
      xmlXPathNewContext(document.get()), xmlXPathFreeContext);
  xmlXPathRegisterNs(context.get(), reinterpret_cast<const xmlChar*>("p"),
                     reinterpret_cast<const xmlChar*>(kNamespace.data()));
  std::vector<std::string> lines;
  std::unique_ptr<xmlXPathObject, decltype(&xmlXPathFreeObject)> blocks(
      xmlXPathEvalExpression(reinterpret_cast<const xmlChar*>("//p:PmtInf"), context.get()),
      xmlXPathFreeObject);
  for (int b = 0; b < blocks->nodesetval->nodeNr; ++b) {
    xmlNode* block = blocks->nodesetval->nodeTab[b];
    const std::string debtor_iban = First(context.get(), block, "p:DbtrAcct/p:Id/p:IBAN");
    context->node = block;
    std::unique_ptr<xmlXPathObject, decltype(&xmlXPathFreeObject)> payments(
        xmlXPathEvalExpression(reinterpret_cast<const xmlChar*>("p:CdtTrfTxInf"), context.get()),
        xmlXPathFreeObject);
    for (int i = 0; i < payments->nodesetval->nodeNr; ++i) {
      xmlNode* tx = payments->nodesetval->nodeTab[i];
      auto text = [&](const char* expression) { return First(context.get(), tx, expression); };
      const std::string account =
          text("p:CdtrAcct/p:Id/p:IBAN") + text("p:CdtrAcct/p:Id/p:Othr/p:Id");
      lines.push_back(text("p:Amt//p:InstdAmt|p:Amt/p:EqvtAmt/p:Amt") + " " +
                      text("p:Amt//p:InstdAmt/@Ccy|p:Amt/p:EqvtAmt/p:Amt/@Ccy") + "|" +
                      text("p:Cdtr/p:Nm") + "|" + text("p:Cdtr/p:PstlAdr/p:TwnNm") + "|" +
                      text("p:Cdtr/p:PstlAdr/p:Ctry") + "|" + account + "|" +
                      text("p:CdtrAgt/p:FinInstnId/p:BICFI") + "|" + debtor_iban + "|" +
                      text("p:RmtInf/p:Ustrd"));
    }
  }
  return lines;
}

}  // namespace xkdtazv::pain001::checks
