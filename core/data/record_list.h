#pragma once
// The catalogue's record list (the hidden list box ListBox2): one record per
// key, each item in its stored form, base64 of the record's CP1251 bytes or
// the plain record. A record is plain exactly when it contains "Intel".
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace wexmora::catalogue {

class RecordList {
 public:
  RecordList();  // the 578 compiled-in stored records (generated from resources/catalogue/records.txt)
  explicit RecordList(std::vector<std::string> stored);

  std::size_t count() const { return items_.size(); }
  // Item `index` as it is stored now; throws std::out_of_range past the end.
  const std::string& stored(std::size_t index) const { return items_.at(index); }
  // Puts the plain text of a decoded record in place of its stored form.
  void replace(std::size_t index, std::string plain) { items_.at(index) = std::move(plain); }

 private:
  std::vector<std::string> items_;
};

// The decoder IdDecoder1: standard alphabet, "=" padding; the bytes come back
// unconverted. Characters outside the alphabet are skipped.
std::string decodeBase64(std::string_view encoded);
std::string encodeBase64(std::string_view bytes);

// CP1251 bytes as UTF-8 (the records' only byte above 127 is 0xB0, "°").
std::string cp1251ToUtf8(std::string_view bytes);
std::string utf8ToCp1251(std::string_view text);

}  // namespace wexmora::catalogue
