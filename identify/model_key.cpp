#include "identify/model_key.h"

namespace wexmora {

void deriveModelKey(TForm15&) {}  // the rule chain lands with its own change

}  // namespace wexmora
