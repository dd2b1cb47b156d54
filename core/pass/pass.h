#pragma once
// The identification pass startprog2test and the main window's creation
// handler FormCreate; this file fixes the order of the stages. The stages
// hand on what a control shows through the window's controls (the catalogue
// lookup reads Edit7, the badge rules Edit1, Edit7, Edit11 and Edit18, the
// links Edit20). What no control shows travels beside them on TForm15: the
// pass's facts (the identifier's numbers, the maker, the model number read,
// and the typed data sheet with its source of four: the catalogue, the
// extended table, the brand string or the machine; core/model/pass_facts.h),
// the three link addresses, and the trace when a caller asks for one.
#include "core/check/machine_check.h"
#include "core/data/lists.h"
#include "core/extended/second_source.h"
#include "core/model/form_model.h"
#include "platform/processor_source.h"
#include "platform/settings_store.h"
#include "platform/sleeper.h"

namespace wexmora {

// What the pass needs from the system, and the catalogue it reads.
struct PassServices {
  platform::ProcessorSource& processor;
  platform::SettingsStore& settings;
  platform::Sleeper& sleeper;
  catalogue::Lists& catalogue;
  // The sources after the catalogue (the extended table, the brand string,
  // the machine's own facts); off unless a program turns them on, and off
  // with --catalogue-only.
  SecondSources second{};
  // The sheet held against the machine: for the processor the program runs
  // on only, off with --catalogue-only.
  MachineCheckSources check{};
};

// Runs the stages in order; an exception ends the pass where it is raised.
void startprog2test(TForm15& form, PassServices& services);

// The stages that follow the model key in Edit7, in order: the window's pass
// height, the stored settings, the catalogue lookup, the badge, the final
// corrections, the hand-over to the links, the check against the machine,
// the language; with the second
// sources on, the extended table or the machine's facts right after the
// lookup. startprog2test ends with them; wexmora-info's --key starts with
// them. Throws as the stages do.
void runFromModelKey(TForm15& form, PassServices& services);

// Centres the window on a screen of the given size (rounding toward zero),
// then runs the pass. An error that ends the pass is kept in form.passError
// for the window to show once; the window opens as far as it was filled.
void FormCreate(TForm15& form, PassServices& services, int screenWidth, int screenHeight);

}  // namespace wexmora
