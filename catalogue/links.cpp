#include "catalogue/links.h"

#include "app/site.h"

namespace wexmora {
namespace {

bool unreserved(unsigned char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' || c == '.' ||
         c == '_' || c == '~';
}

}  // namespace

std::string urlKey(std::string_view modelKey) {
  std::string key(modelKey);
  if (const auto blank = key.find(' '); blank != std::string::npos) key[blank] = '_';
  constexpr char kHex[] = "0123456789ABCDEF";
  std::string encoded;
  for (const unsigned char c : key) {
    if (unreserved(c)) {
      encoded += static_cast<char>(c);
    } else {
      encoded += '%';
      encoded += kHex[c >> 4];
      encoded += kHex[c & 0x0F];
    }
  }
  return encoded;
}

void buildLinks(TForm15& form) {
  const std::string key = urlKey(form["Edit20"].text);
  const std::string cpu = site::base() + "/cpu/";
  form.frontUrl = cpu + "front-" + key + "-photo.html";
  form.backUrl = cpu + "back-" + key + "-photo.html";
  form.detailedUrl = cpu + "detailed-" + key + ".html";
}

void openurl(const TForm15& form, platform::UrlOpener& opener) { opener.open(form.frontUrl); }
void openurl2(const TForm15& form, platform::UrlOpener& opener) { opener.open(form.backUrl); }
void openurl3(const TForm15& form, platform::UrlOpener& opener) { opener.open(form.detailedUrl); }

}  // namespace wexmora
