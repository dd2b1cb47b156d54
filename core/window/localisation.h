#pragma once
// The two interface languages of the main window. ruslang and Englang rewrite
// the captions and hints of the controls, translate the segment and the
// integrated-graphics answer, fill empty data fields with an unknown-value
// text and dress the window when no processor was identified, each with the
// texts of its language in core/texts/texts.h. They keep no language state:
// ComboBox1's index (0 Russian, 1 English) is the only record.
#include <span>
#include <string_view>

#include "core/model/form_model.h"
#include "core/texts/texts.h"

namespace wexmora {

enum class TextProperty { Caption, Hint };

// The steps of ruslang and Englang that set texts of the table, in the order
// the routines run them: the photo hints (step 1 of both); the texts before
// the Edit19 answer is swapped (ruslang step 3, Englang step 2); the texts
// after it; the texts after the segment translation (Englang step 4); the
// screenshot caption and hint (ruslang step 7, Englang step 8).
enum class TextStep { PhotoHints, BeforeAnswer, AfterAnswer, AfterSegment, Screenshot };

// One text that both routines set unconditionally, with the step of each
// routine that sets it.
struct InterfaceText {
  const char* control;
  TextProperty property;
  TextStep russianStep;
  TextStep englishStep;
  TextId text;
};

// The table in the order the Russian routine sets it.
std::span<const InterfaceText> interfaceTexts();

// One empty-field fill-in: the field, what it gets (the unknown-value text
// or a dash) and when each routine fills it: before or after it dresses the
// window for the no-processor case.
enum class FillText { Unknown, Dash };
enum class FillStep { BeforeNoProcessor, AfterNoProcessor };
struct FillIn {
  const char* field;
  FillText text;
  FillStep russianStep;
  FillStep englishStep;
};
std::span<const FillIn> fillIns();

// The pictures whose hint the no-processor case sets, for a selector index.
std::span<const char* const> noProcessorHintTargets(int languageIndex);

// The language the window shows: English for the selector's item 1, else
// Russian (the about dialog and the notes follow it; none selected is the
// design's Russian).
Language windowLanguage(const TForm15& form);

void ruslang(TForm15& form);
void Englang(TForm15& form);

// The last step of the identification pass: index 0 runs ruslang, then index
// 1 runs Englang; any other index runs neither.
void applyPassLanguage(TForm15& form);

}  // namespace wexmora
