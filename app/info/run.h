#pragma once
// Runs what the options ask for against this machine's processor and the
// stored settings (read, never written), and prints the result.
#include <ostream>

#include "app/info/options.h"
#include "platform/machine_facts.h"
#include "platform/processor_source.h"
#include "platform/settings_store.h"

namespace wexmora::info {

// Returns the exit code: 0 whenever the pass ran, 1 for an unknown --key.
int run(const Options& options, std::ostream& out, std::ostream& err);

// The same with the system's sources given, for tests.
// machineFacts: this machine's own facts, read only when no table knows its
// processor or --json asks for them; null to read none.
int run(const Options& options, platform::ProcessorSource& machine, platform::SettingsStore& stored, std::ostream& out,
        std::ostream& err, const platform::MachineFactsSource* machineFacts = nullptr);

}  // namespace wexmora::info
