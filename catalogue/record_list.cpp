#include "catalogue/record_list.h"

namespace wexmora::catalogue {

// Placeholder until the catalogue data lands: no records.
RecordList::RecordList() = default;
RecordList::RecordList(std::vector<std::string> stored) : items_(std::move(stored)) {}
std::string decodeBase64(std::string_view) { return {}; }
std::string encodeBase64(std::string_view) { return {}; }
std::string cp1251ToUtf8(std::string_view bytes) { return std::string(bytes); }
std::string utf8ToCp1251(std::string_view text) { return std::string(text); }

}  // namespace wexmora::catalogue
