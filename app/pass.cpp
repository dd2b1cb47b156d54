#include "app/pass.h"

#include <exception>

#include "identify/model_key.h"
#include "identify/probe.h"

namespace wexmora {

void startprog2test(TForm15& form, PassServices& services) {
  readProcessorIdentity(form, services.processor);
  if (form["Edit1"].text.size() > 10) deriveModelKey(form);
  form.height = TForm15::kPassHeight;
}

void FormCreate(TForm15& form, PassServices& services, int screenWidth, int screenHeight) {
  form.top = (screenHeight - form.height) / 2;  // C++ division rounds toward zero, as required
  form.left = (screenWidth - form.width) / 2;
  try {
    startprog2test(form, services);
  } catch (const std::exception& error) {
    form.passError = error.what();
  }
}

}  // namespace wexmora
