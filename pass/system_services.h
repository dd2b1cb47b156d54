#pragma once
// What the window programs take from the system they run on: the processor's
// description, the stored settings, the web browser and real waits.
#include <memory>

#include "pass/pass.h"
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
  PassServices pass{*processor, *settings, sleeper, catalogue};  // what the identification pass uses of them
};

}  // namespace wexmora
