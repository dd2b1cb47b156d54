#include "core/data/web_pages.h"

#include "base/site.h"

namespace wexmora {
namespace {

bool unreserved(unsigned char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' || c == '.' ||
         c == '_' || c == '~';
}

std::string processorPage(std::string_view kind, std::string_view modelKey, std::string_view ending) {
  return site::base() + "/cpu/" + std::string(kind) + urlKey(modelKey) + std::string(ending);
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

std::string frontPageAddress(std::string_view modelKey) { return processorPage("front-", modelKey, "-photo.html"); }
std::string backPageAddress(std::string_view modelKey) { return processorPage("back-", modelKey, "-photo.html"); }
std::string detailedPageAddress(std::string_view modelKey) { return processorPage("detailed-", modelKey, ".html"); }

}  // namespace wexmora
