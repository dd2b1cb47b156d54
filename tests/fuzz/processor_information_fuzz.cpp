// Any bytes as the records of Windows's GetLogicalProcessorInformationEx.
//
// What must hold: the processors come out sorted, each once and below the
// limit of processor numbers; every cache lists processors below the limit;
// one processor package's figures keep cores at most threads; and the
// processors read from any first part of the bytes are among those read
// from the whole (records are read in order, and one that does not fit ends
// the list).
#include <algorithm>

#include "fuzz_support.h"
#include "platform/processor_information.h"

namespace {

using namespace wexmora;
using platform::kMaxLogicalProcessors;

std::vector<int> idsOf(const platform::Topology& topology) {
  std::vector<int> ids;
  for (const auto& processor : topology.processors) ids.push_back(processor.id);
  return ids;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string bytes = fuzz::asText(data, size);
  const platform::Topology topology = platform::parseProcessorInformation(bytes);
  const std::vector<int> ids = idsOf(topology);
  for (std::size_t i = 0; i < ids.size(); ++i)
    FUZZ_CHECK(ids[i] >= 0 && ids[i] < kMaxLogicalProcessors && (i == 0 || ids[i - 1] < ids[i]),
               "processor " + std::to_string(ids[i]) + " out of order or range");
  for (const auto& cache : topology.caches)
    for (const int id : cache.processors)
      FUZZ_CHECK(id >= 0 && id < kMaxLogicalProcessors, "cache processor " + std::to_string(id));

  platform::MachineFacts facts;
  platform::summarise(topology, false, facts);
  FUZZ_CHECK(facts.cores <= facts.threads && facts.threads <= static_cast<int>(ids.size()) &&
                 (facts.packages == 0) == (facts.threads == 0),
             "figures: " + std::to_string(facts.packages) + " packages, " + std::to_string(facts.cores) + " cores, " +
                 std::to_string(facts.threads) + " threads of " + std::to_string(ids.size()));

  const std::vector<int> part = idsOf(platform::parseProcessorInformation(bytes.substr(0, size / 2)));
  FUZZ_CHECK(std::includes(ids.begin(), ids.end(), part.begin(), part.end()),
             "the first half names processors the whole does not");
  return 0;
}
