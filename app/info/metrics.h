#pragma once
// The data sheet and the check against the machine in Prometheus's text
// exposition format, for node_exporter's textfile collector: an info metric
// whose labels name the processor, the sheet's numbers as gauges in base
// units, and what the check found. Every family has its HELP and TYPE; a
// value the sheet does not give has no sample.
#include <string>
#include <string_view>

#include "core/model/form_model.h"
#include "platform/machine_facts.h"

namespace wexmora::info {

// machine: this machine's facts (the cores and threads in use), null when
// the sheet is not this machine's.
std::string prometheusMetrics(const TForm15& form, const platform::MachineFacts* machine);

// A label value as the format writes it between quotes: backslash, quote
// and line feed escaped, bytes that are no UTF-8 replaced by U+FFFD.
std::string prometheusLabelValue(std::string_view text);

}  // namespace wexmora::info
