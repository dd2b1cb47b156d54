#include "platform/url_opener.h"

namespace wexmora::platform {

// Placeholder until the browser hand-over lands.
std::unique_ptr<UrlOpener> systemUrlOpener() { return std::make_unique<RecordingUrlOpener>(); }

}  // namespace wexmora::platform
