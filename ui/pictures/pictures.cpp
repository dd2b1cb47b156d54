#include "ui/pictures/pictures.h"

namespace wexmora::pictures {

// Placeholder until the artwork lands: empty pictures everywhere.
QImage image(const Picture&) { return {}; }
QIcon programIcon() { return {}; }

}  // namespace wexmora::pictures
