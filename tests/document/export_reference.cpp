// document_export: the claim sheet and the complaint of a case file's first
// case, exported as the window exports them, for the page's tests to compare
// with what the page downloads. A test tool, never installed.
//
//   document_export CASE-FILE OUT-DIR [STANDARDS-FILE]
//
// writes OUT-DIR/赔偿清单.odt and OUT-DIR/起诉状.odt; a refused case, a
// complaint the checks stop or an unreadable file ends it with status 1.

#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <variant>

#include "case_file.h"
#include "claim_document.h"
#include "complaint.h"
#include "odt.h"
#include "standards_file.h"

namespace {

using namespace quorvane;

int fail(const std::string& why) {
  std::fprintf(stderr, "document_export: %s\n", why.c_str());
  return 1;
}

bool readFile(const char* path, std::string& text) {
  std::ifstream in(path, std::ios::binary);
  text.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  return !in.bad() && in.is_open();
}

bool writeFile(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary);
  out << bytes;
  return static_cast<bool>(out.flush());
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3 && argc != 4) {
    return fail("usage: document_export CASE-FILE OUT-DIR [STANDARDS-FILE]");
  }
  std::string text;
  if (!readFile(argv[1], text)) return fail(std::string("cannot read ") + argv[1]);
  const auto read = cases::readCaseFile(text);
  if (const auto* error = std::get_if<batch::InputError>(&read)) return fail(error->reason);
  const auto& entry = std::get<std::vector<cases::CaseEntry>>(read).front();

  StandardsTable standards;
  if (argc == 4) {
    if (!readFile(argv[3], text)) return fail(std::string("cannot read ") + argv[3]);
    auto table = standards::readStandardsFile(text);
    if (const auto* error = std::get_if<standards::FileError>(&table)) return fail(error->reason);
    standards = std::get<StandardsTable>(std::move(table));
  }

  const std::string folder = argv[2];
  const auto outcome = claim::computeClaim(entry.input, entry.claim, standards, true);
  if (const auto* refusal = std::get_if<claim::ClaimRefusal>(&outcome)) {
    return fail(refusal->message);
  }
  const auto sheet = document::odtFile(claim::sheetDocument(
      claim::sheetFacts(entry.input, entry.claim), claim::filedTable(outcome)));
  if (!writeFile(folder + "/赔偿清单.odt", sheet)) return fail("cannot write the sheet");

  const auto made = complaint::makeComplaint(entry.input, entry.claim, entry.complaint, standards);
  if (!made.fault.empty()) return fail(made.fault);
  if (!writeFile(folder + "/起诉状.odt", document::odtFile(made.form))) {
    return fail("cannot write the complaint");
  }
  return 0;
}
