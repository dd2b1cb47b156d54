#pragma once
// The addresses of a processor's pages on the program's web site. The QR list
// encodes the detailed-page address of each entry and the links open the
// same address, so both build it here.
#include <string>
#include <string_view>

namespace wexmora {

// The model key with its first blank replaced by "_", then every byte outside
// A-Z a-z 0-9 - . _ ~ percent-encoded, so that no brand string can change the
// address's path or reach the browser's command line as an option.
std::string urlKey(std::string_view modelKey);

// The site's base, then "/cpu/front-", the URL key, "-photo.html".
std::string frontPageAddress(std::string_view modelKey);
// The site's base, then "/cpu/back-", the URL key, "-photo.html".
std::string backPageAddress(std::string_view modelKey);
// The site's base, then "/cpu/detailed-", the URL key, ".html".
std::string detailedPageAddress(std::string_view modelKey);

}  // namespace wexmora
