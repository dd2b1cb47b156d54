#pragma once
// The catalogue as the identification pass reads it: the hidden list boxes
// ListBox1 (the keys) and ListBox2 (the stored records), in the same order.
// It is passed to the stages that read it, as the system's services are, so
// that a window model holds its controls only and copies cheaply. The lookup
// decodes a record in place on first use, so one set of lists serves every
// identification of a run.
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "core/data/record_list.h"

namespace wexmora::catalogue {

struct Lists {
  Lists();  // the built-in keys and records
  Lists(std::vector<std::string> keys, RecordList records);

  // The positions whose key is `key`, in list order. ListBox1 is not
  // changed once the lists are built: the positions are gathered then.
  const std::vector<std::size_t>& positionsOf(std::string_view key) const;

  std::vector<std::string> ListBox1;
  RecordList ListBox2;

 private:
  void gatherPositions();
  struct KeyHash {
    using is_transparent = void;
    std::size_t operator()(std::string_view key) const { return std::hash<std::string_view>{}(key); }
  };
  std::unordered_map<std::string, std::vector<std::size_t>, KeyHash, std::equal_to<>> positions_;
};

}  // namespace wexmora::catalogue
