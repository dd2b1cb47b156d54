#pragma once
// Runs what the options ask for against this machine's processor and the
// stored settings (read, never written), and prints the result.
#include <ostream>

#include "app/info/options.h"
#include "platform/machine_facts.h"
#include "platform/machine_state.h"
#include "platform/processor_source.h"
#include "platform/settings_store.h"

namespace wexmora::info {

// Returns the exit code: 0 whenever the pass ran, 1 for an unknown --key.
int run(const Options& options, std::ostream& out, std::ostream& err);

// The same with the system's sources given, for tests.
// machineFacts: this machine's own facts, read when no table knows its
// processor, for the check against the machine, or when --json asks for
// them; machineState: how the system runs the processor, for the check. Both
// serve this machine's processor only; null to read none.
int run(const Options& options, platform::ProcessorSource& machine, platform::SettingsStore& stored, std::ostream& out,
        std::ostream& err, const platform::MachineFactsSource* machineFacts = nullptr,
        const platform::MachineStateSource* machineState = nullptr);

}  // namespace wexmora::info
