#pragma once
// The catalogue as the identification pass reads it: the hidden list boxes
// ListBox1 (the keys) and ListBox2 (the stored records), in the same order.
// It is passed to the stages that read it, as the system's services are, so
// that a window model holds its controls only and copies cheaply. The lookup
// decodes a record in place on first use, so one set of lists serves every
// identification of a run.
#include <string>
#include <vector>

#include "core/data/record_list.h"

namespace wexmora::catalogue {

struct Lists {
  Lists();  // the built-in keys and records
  Lists(std::vector<std::string> keys, RecordList records);

  std::vector<std::string> ListBox1;
  RecordList ListBox2;
};

}  // namespace wexmora::catalogue
