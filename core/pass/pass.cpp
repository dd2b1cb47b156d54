#include "core/pass/pass.h"

#include <exception>

#include "core/catalogue/badge_rules.h"
#include "core/catalogue/links.h"
#include "core/catalogue/lookup.h"
#include "core/identify/model_key.h"
#include "core/identify/probe.h"
#include "core/model/control_names.h"
#include "core/pass/settings.h"
#include "core/window/localisation.h"
#include "core/window/sheet_notes.h"

namespace wexmora {

void startprog2test(TForm15& form, PassServices& services) {
  readProcessorIdentity(form, services.processor);
  if (form[main_controls::kBrandString].text.size() > 10) {
    deriveModelKey(form);
    refineModelKey(form, services.second);
  }
  runFromModelKey(form, services);
}

void runFromModelKey(TForm15& form, PassServices& services) {
  form.height = TForm15::kPassHeight;
  loadSettings(form, services.settings);
  lookUpCatalogue(form, services.catalogue, services.sleeper);
  fillFromSecondSources(form, services.second);
  chooseBadge(form);
  applyFinalCorrections(form);
  handOver(form, services.sleeper);  // builds the links between a 15 ms and a 50 ms wait
  checkAgainstMachine(form, services.check);
  applyPassLanguage(form);
  markSheetNotes(form);
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
