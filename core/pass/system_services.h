#pragma once
// What the window programs take from the system they run on: the processor's
// description, the stored settings, the web browser and real waits, and the
// machine's own facts for a processor that no table knows.
#include <memory>
#include <span>
#include <string>

#include "core/pass/pass.h"
#include "platform/machine_facts.h"
#include "platform/machine_state.h"
#include "platform/processor_source.h"
#include "platform/settings_store.h"
#include "platform/sleeper.h"
#include "platform/url_opener.h"

namespace wexmora {

struct SystemServices {
  std::unique_ptr<platform::ProcessorSource> processor = platform::systemProcessorSource();
  std::unique_ptr<platform::SettingsStore> settings = platform::systemSettingsStore();
  std::unique_ptr<platform::UrlOpener> opener = platform::systemUrlOpener();
  platform::ThreadSleeper sleeper;
  catalogue::Lists catalogue;
  std::unique_ptr<platform::MachineFactsSource> systemFacts = platform::makeMachineFactsSource();
  // The facts serve the pass and the check: read once.
  platform::MachineFactsReadOnce machineFacts{*systemFacts};
  std::unique_ptr<platform::MachineStateSource> machineState = platform::makeMachineStateSource();
  // What the identification pass uses of them: the catalogue, then the
  // extended table and the machine's facts, and the check of the sheet
  // against the machine (all off with --catalogue-only).
  PassServices pass{*processor,
                    *settings,
                    sleeper,
                    catalogue,
                    {.consult = true, .machine = &machineFacts},
                    {.facts = &machineFacts, .state = machineState.get()}};

  // Takes the window program's options: "--catalogue-only" turns the sources
  // besides the catalogue off; anything else is left to the window system.
  void takeOptions(std::span<const std::string> arguments) {
    for (const std::string& argument : arguments)
      if (argument == kCatalogueOnlyOption) pass.second = {}, pass.check = {};
  }
  static constexpr const char* kCatalogueOnlyOption = "--catalogue-only";
};

}  // namespace wexmora
