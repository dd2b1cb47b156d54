#include "core/data/lists.h"

#include <utility>

#include "core/data/key_list.h"

namespace wexmora::catalogue {

Lists::Lists() {
  ListBox1.reserve(kEntryCount);
  for (std::size_t i = 0; i < kEntryCount; ++i) ListBox1.emplace_back(keyAt(i));
  gatherPositions();
}

Lists::Lists(std::vector<std::string> keys, RecordList records)
    : ListBox1(std::move(keys)), ListBox2(std::move(records)) {
  gatherPositions();
}

void Lists::gatherPositions() {
  for (std::size_t i = 0; i < ListBox1.size(); ++i) positions_[ListBox1[i]].push_back(i);
}

const std::vector<std::size_t>& Lists::positionsOf(std::string_view key) const {
  static const std::vector<std::size_t> none;
  const auto it = positions_.find(key);
  return it == positions_.end() ? none : it->second;
}

}  // namespace wexmora::catalogue
