#include "pass/pass.h"

#include <exception>

#include "catalogue/badge_rules.h"
#include "catalogue/lookup.h"
#include "identify/model_key.h"
#include "identify/probe.h"
#include "pass/settings.h"
#include "ui/localisation.h"
#include "ui/sheet_source.h"

namespace wexmora {

void startprog2test(TForm15& form, PassServices& services) {
  readProcessorIdentity(form, services.processor);
  if (form["Edit1"].text.size() > 10) {
    deriveModelKey(form);
    refineModelKey(form, services.second);
  }
  runFromModelKey(form, services.settings, services.sleeper, services.second);
}

void runFromModelKey(TForm15& form, platform::SettingsStore& settings, platform::Sleeper& sleeper,
                     const SecondSources& second) {
  form.height = TForm15::kPassHeight;
  loadSettings(form, settings);
  lookUpCatalogue(form, sleeper);
  fillFromSecondSources(form, second);
  chooseBadge(form);
  handOver(form, sleeper);  // builds the links, then waits 15 ms and 50 ms
  applyPassLanguage(form);
  markSheetSource(form);
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
