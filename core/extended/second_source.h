#pragma once
// The data sheet of a processor that the catalogue does not hold, from the
// three sources after it (the catalogue answers first, and a catalogue
// processor's sheet stays as it is):
//   - the extended table: the model number read from the brand string
//     (core/identify/model_number.h) finds its row;
//   - the brand string: where no row holds that number, what the rows of the
//     product line and clock it names share, with the code name, lithography
//     and segment of the die that the processor's family and model give
//     (the family/model table, core/extended/extended_table.h);
//   - the machine's own facts (cores, threads, kinds of core, caches,
//     technologies, highest clock): for the processor the program runs on,
//     where no row holds the number, besides what the brand string gave.
// Each fills the typed sheet (core/model/data_sheet.h) with what it gives.
#include <optional>

#include "core/identify/model_number.h"
#include "core/model/form_model.h"
#include "core/model/sheet_values.h"  // clockText, which callers of these use
#include "platform/machine_facts.h"

namespace wexmora {

// What the pass may consult besides the catalogue.
struct SecondSources {
  bool consult = false;  // false: the catalogue alone answers
  // This machine's facts, read only when no table knows the processor; null
  // for a brand string that is not this machine's.
  const platform::MachineFactsSource* machine = nullptr;
};

// Before the lookup: where the model number read from the brand string is the
// key in Edit7 followed by further letters (‹i5-4570TE› against "i5-4570T")
// and the extended table holds that exact model, Edit7 and Label1 take the
// number, so that no catalogue entry matches and the extended row answers.
// The reading is kept in form.facts for fillFromSecondSources.
void refineModelKey(TForm15& form, const SecondSources& sources);

// After the lookup, when no catalogue entry matched: the extended row of the
// model number fills the data sheet where a record would, Edit7 and Label1
// show the number; else this machine's facts fill what they give. Sets
// form.facts' sheet source and technologies; the model number is read from
// the brand string (with the probe's family and model) unless
// refineModelKey already read it in this pass.
void fillFromSecondSources(TForm15& form, const SecondSources& sources);

// A model number of the extended table given as a key (wexmora-info --key):
// Edit7 and Label1 show it and its row fills the sheet. False, with the form
// unchanged, when the table has no such row.
bool fillFromExtendedKey(TForm15& form, std::string_view key);

// The name of a source in wexmora-info's output: "catalogue", "extended",
// "machine", or empty for none.
const char* sheetSourceName(SheetSource source);

}  // namespace wexmora
