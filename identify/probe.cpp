#include "identify/probe.h"

#include "identify/text.h"

namespace wexmora {

using text::copy;
using text::search;
using text::trim;

namespace {

// Emptied at the start of every pass, in this order.
constexpr const char* kDataFields[] = {"Edit11", "Edit7",  "Edit5",  "Edit6",  "Edit8",  "Edit9",  "Edit16", "Edit15",
                                       "Edit12", "Edit18", "Edit19", "Edit14", "Edit13", "Edit10", "Edit17", "Memo2"};

constexpr IdentifierField kIdentifierFields[] = {{"Family", "Edit2"}, {"Model", "Edit3"}, {"Stepping", "Edit4"}};

}  // namespace

std::span<const char* const> dataFields() { return kDataFields; }
std::span<const IdentifierField> identifierFields() { return kIdentifierFields; }

// The whole word after "<word> " is taken: "Model 158" shows 158, not 15.
std::string identifierNumber(const std::string& identifier, std::string_view word) {
  const long p = search(word, identifier);
  if (p == 0) return {};
  const std::string rest =
      copy(identifier, p + static_cast<long>(word.size()) + 1, static_cast<long>(identifier.size()));
  const auto blank = rest.find(' ');
  return trim(blank == std::string::npos ? rest : rest.substr(0, blank));
}

void readProcessorIdentity(TForm15& form, platform::ProcessorSource& source) {
  form["Image1"].picture = {};
  form["Image4"].picture = {};
  form["Edit1"].text = source.readcpuname();

  const std::string identifier = source.readcpuid() + " ";
  if (identifier.size() > 5) {
    for (const IdentifierField& part : kIdentifierFields)
      if (search(part.word, identifier) > 0) form[part.field].text = identifierNumber(identifier, part.word);
  }

  for (const char* field : kDataFields) form[field].text.clear();

  const std::string& brand = form["Edit1"].text;
  if (brand.size() > 10) {
    if (const long p = search("GHz", brand); p > 0) {
      form["Edit5"].text = copy(brand, p - 4, 4) + " GHz";
      form["Label14"].text = form["Edit5"].text;
    }
  }
}

}  // namespace wexmora
