#include "core/data/lists.h"

#include <utility>

#include "core/data/key_list.h"

namespace wexmora::catalogue {

Lists::Lists() {
  ListBox1.reserve(kEntryCount);
  for (std::size_t i = 0; i < kEntryCount; ++i) ListBox1.emplace_back(keyAt(i));
}

Lists::Lists(std::vector<std::string> keys, RecordList records)
    : ListBox1(std::move(keys)), ListBox2(std::move(records)) {}

}  // namespace wexmora::catalogue
