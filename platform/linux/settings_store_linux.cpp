#include "platform/settings_store.h"

namespace wexmora::platform {

// Placeholder until the settings file lands: values live for the run only.
std::unique_ptr<SettingsStore> systemSettingsStore() { return std::make_unique<MemorySettingsStore>(); }

}  // namespace wexmora::platform
