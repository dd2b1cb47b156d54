#include "core/window/localisation.h"

#include <array>
#include <cstddef>
#include <string>

#include "core/catalogue/badge_rules.h"
#include "core/catalogue/links.h"
#include "core/catalogue/lookup.h"
#include "core/identify/text.h"
#include "core/model/control_names.h"
#include "core/model/pass_trace.h"
#include "core/texts/texts.h"
#include "core/window/picture_origin.h"

namespace wexmora {
namespace {

using namespace main_controls;  // the tables name the controls by their meaning

using P = TextProperty;
using S = TextStep;
using F = FillStep;
using FT = FillText;
using T = TextId;

// clang-format off
// The routines' steps that set texts of the table (ruslang steps 1, 3, 3 and
// 7; Englang steps 1, 2, 2, 4 and 8): each row names the step of each routine
// that sets it; within a step the rows are set in table order.
// control                 property    ruslang step     Englang step     text
constexpr InterfaceText kTexts[] = {
  {kFrontPhotoImage,       P::Hint,    S::PhotoHints,   S::PhotoHints,   T::FrontPhotoHint},
  {kBackPhotoImage,        P::Hint,    S::PhotoHints,   S::PhotoHints,   T::BackPhotoHint},
  {kMoreCaption,           P::Caption, S::BeforeAnswer, S::BeforeAnswer, T::MoreCaption},
  {kBrandString,           P::Hint,    S::BeforeAnswer, S::BeforeAnswer, T::BrandStringHint},
  {kAboutButton,           P::Hint,    S::BeforeAnswer, S::BeforeAnswer, T::AboutButtonHint},
  {kIdentityButton,        P::Hint,    S::BeforeAnswer, S::BeforeAnswer, T::IdentityButtonHint},
  {kBadgeImage,            P::Hint,    S::BeforeAnswer, S::BeforeAnswer, T::BadgeHint},
  {kQrImage,               P::Hint,    S::BeforeAnswer, S::BeforeAnswer, T::QrHint},
  {kSheetGroup,            P::Caption, S::BeforeAnswer, S::BeforeAnswer, T::SheetGroupCaption},
  {kModelCaption,          P::Caption, S::BeforeAnswer, S::BeforeAnswer, T::ModelCaption},
  {kSteppingCaption,       P::Caption, S::BeforeAnswer, S::BeforeAnswer, T::SteppingCaption},
  {kFamilyCaption,         P::Caption, S::BeforeAnswer, S::BeforeAnswer, T::FamilyCaption},
  {kSocketCaption,         P::Caption, S::BeforeAnswer, S::BeforeAnswer, T::SocketCaption},
  {kSocket,                P::Hint,    S::AfterAnswer,  S::BeforeAnswer, T::SocketHint},
  {kModelKeyCaption,       P::Caption, S::AfterAnswer,  S::BeforeAnswer, T::ModelKeyCaption},
  {kModelKey,              P::Hint,    S::AfterAnswer,  S::AfterAnswer,  T::ModelKeyHint},
  {kBaseClockCaption,      P::Caption, S::AfterAnswer,  S::AfterAnswer,  T::BaseClockCaption},
  {kBaseClock,             P::Hint,    S::AfterAnswer,  S::AfterAnswer,  T::BaseClockHint},
  {kTurboClockCaption,     P::Caption, S::AfterAnswer,  S::AfterAnswer,  T::TurboClockCaption},
  {kTurboClock,            P::Hint,    S::AfterAnswer,  S::AfterAnswer,  T::TurboClockHint},
  {kCoresCaption,          P::Caption, S::AfterAnswer,  S::AfterAnswer,  T::CoresCaption},
  {kCores,                 P::Hint,    S::AfterAnswer,  S::AfterAnswer,  T::CoresHint},
  {kThreadsCaption,        P::Caption, S::AfterAnswer,  S::AfterAnswer,  T::ThreadsCaption},
  {kThreads,               P::Hint,    S::AfterAnswer,  S::AfterAnswer,  T::ThreadsHint},
  {kL3CacheCaption,        P::Caption, S::AfterAnswer,  S::AfterAnswer,  T::L3CacheCaption},
  {kL3Cache,               P::Hint,    S::AfterAnswer,  S::AfterAnswer,  T::L3CacheHint},
  {kSegmentCaption,        P::Caption, S::AfterAnswer,  S::AfterSegment, T::SegmentCaption},
  {kCodeName,              P::Hint,    S::AfterAnswer,  S::AfterSegment, T::CodeNameHint},
  {kCodeNameCaption,       P::Caption, S::AfterAnswer,  S::AfterSegment, T::CodeNameCaption},
  {kProductLine,           P::Hint,    S::AfterAnswer,  S::AfterSegment, T::ProductLineHint},
  {kProductLineCaption,    P::Caption, S::AfterAnswer,  S::AfterSegment, T::ProductLineCaption},
  {kGraphics,              P::Hint,    S::AfterAnswer,  S::AfterSegment, T::GraphicsHint},
  {kGraphicsCaption,       P::Caption, S::AfterAnswer,  S::AfterSegment, T::GraphicsCaption},
  {kMemory,                P::Hint,    S::AfterAnswer,  S::AfterSegment, T::MemoryHint},
  {kMemoryCaption,         P::Caption, S::AfterAnswer,  S::AfterSegment, T::MemoryCaption},
  {kLithography,           P::Hint,    S::AfterAnswer,  S::AfterSegment, T::LithographyHint},
  {kLithographyCaption,    P::Caption, S::AfterAnswer,  S::AfterSegment, T::LithographyCaption},
  {kMaxTemperature,        P::Hint,    S::AfterAnswer,  S::AfterSegment, T::MaxTemperatureHint},
  {kMaxTemperatureCaption, P::Caption, S::AfterAnswer,  S::AfterSegment, T::MaxTemperatureCaption},
  {kTechnologiesCaption,   P::Caption, S::AfterAnswer,  S::AfterSegment, T::TechnologiesCaption},
  {kClose,                 P::Caption, S::AfterAnswer,  S::AfterSegment, T::CloseCaption},
  {kIdentityHide,          P::Caption, S::AfterAnswer,  S::AfterSegment, T::IdentityHideCaption},
  {kLanguage,              P::Hint,    S::AfterAnswer,  S::AfterSegment, T::LanguageHint},
  {kTechnologies,          P::Hint,    S::AfterAnswer,  S::AfterSegment, T::TechnologiesHint},
  {kPcieCaption,           P::Caption, S::AfterAnswer,  S::AfterSegment, T::PcieCaption},
  {kPcie,                  P::Hint,    S::AfterAnswer,  S::AfterSegment, T::PcieHint},
  {kClose,                 P::Hint,    S::AfterAnswer,  S::AfterSegment, T::CloseHint},
  {kScreenshotCaption,     P::Caption, S::Screenshot,   S::Screenshot,   T::ScreenshotCaption},
  {kScreenshotButton,      P::Hint,    S::Screenshot,   S::Screenshot,   T::ScreenshotButtonHint},
};

// Empty data fields get the unknown-value text of the routine's language, the
// counts a dash, in table order and in the step each routine fills them:
// ruslang fills all before the no-processor case, Englang Edit17 after it.
// field            text           ruslang step          Englang step
constexpr FillIn kFillIns[] = {
  {kSocket,         FT::Unknown,   F::BeforeNoProcessor, F::BeforeNoProcessor},
  {kTurboClock,     FT::Unknown,   F::BeforeNoProcessor, F::BeforeNoProcessor},
  {kCores,          FT::Dash,      F::BeforeNoProcessor, F::BeforeNoProcessor},
  {kThreads,        FT::Dash,      F::BeforeNoProcessor, F::BeforeNoProcessor},
  {kPcie,           FT::Unknown,   F::BeforeNoProcessor, F::BeforeNoProcessor},
  {kSegment,        FT::Unknown,   F::BeforeNoProcessor, F::BeforeNoProcessor},
  {kCodeName,       FT::Unknown,   F::BeforeNoProcessor, F::BeforeNoProcessor},
  {kProductLine,    FT::Unknown,   F::BeforeNoProcessor, F::BeforeNoProcessor},
  {kGraphics,       FT::Unknown,   F::BeforeNoProcessor, F::BeforeNoProcessor},
  {kMemory,         FT::Unknown,   F::BeforeNoProcessor, F::BeforeNoProcessor},
  {kLithography,    FT::Unknown,   F::BeforeNoProcessor, F::BeforeNoProcessor},
  {kMaxTemperature, FT::Unknown,   F::BeforeNoProcessor, F::BeforeNoProcessor},
  {kL3Cache,        FT::Unknown,   F::BeforeNoProcessor, F::AfterNoProcessor},
};

// How a segment translation recognises the shown value: the catalogue's
// word exactly, or containing it, or the Russian routine's own word for the
// segment (which Englang turns back).
enum class Match { Exact, Contains, RussianWord };

// A shown segment value and what a routine turns it into.
struct SegmentTranslation {
  Match match;
  const char* value;  // the catalogue's word; nullptr for Match::RussianWord
  TextId text;        // in the routine's language
  TextId hint;
};

// match               value        text                 hint
constexpr SegmentTranslation kRussianSegments[] = {
  {Match::Exact,       "Desktop",   T::SegmentDesktop,   T::SegmentDesktopHint},
  {Match::Contains,    "Server",    T::SegmentServer,    T::SegmentServerHint},
  {Match::Exact,       "Embedded",  T::SegmentEmbedded,  T::SegmentEmbeddedHint},
  {Match::Exact,       "Mobile",    T::SegmentMobile,    T::SegmentMobileHint},
};
constexpr SegmentTranslation kEnglishSegments[] = {
  {Match::Exact,       "Desktop",   T::SegmentDesktop,   T::SegmentDesktopHint},
  {Match::Exact,       "Server",    T::SegmentServer,    T::SegmentServerHint},
  {Match::RussianWord, nullptr,     T::SegmentDesktop,   T::SegmentDesktopHint},
  {Match::RussianWord, nullptr,     T::SegmentServer,    T::SegmentServerHint},
  {Match::Exact,       "Mobile",    T::SegmentMobile,    T::SegmentMobileHint},
  {Match::RussianWord, nullptr,     T::SegmentMobile,    T::SegmentMobileHint},
};
// clang-format on

// The integrated-graphics answer as the catalogue writes it.
constexpr std::string_view kCatalogueYes = "Yes";

// How a routine dresses the window when no model key was derived.
struct NoProcessorTexts {
  Language language;
  const char* routine;                     // the routine's name, for the trace
  std::array<const char*, 3> hintTargets;  // pictures that get the unknown-processor hint
};

constexpr NoProcessorTexts kRussianNoProcessor{
    Language::Russian,
    "ruslang",
    {main_controls::kBadgeImage, main_controls::kFrontPhotoImage, main_controls::kBackPhotoImage}};
constexpr NoProcessorTexts kEnglishNoProcessor{
    Language::English,
    "Englang",
    {main_controls::kFrontPhotoImage, main_controls::kBackPhotoImage, main_controls::kQrImage}};

// The captions over the front photo, which share its hint.
constexpr const char* kFrontPhotoCaptions[] = {main_controls::kPhotoModelKey, main_controls::kPhotoBaseClock,
                                               main_controls::kPhotoSocket};

// Sets the table's texts of one step of the language's routine.
void applyTexts(TForm15& form, Language language, TextStep step) {
  for (const InterfaceText& row : kTexts) {
    if ((language == Language::Russian ? row.russianStep : row.englishStep) != step) continue;
    Control& control = form[row.control];
    (row.property == P::Caption ? control.text : control.hint) = textOf(row.text, language);
  }
}

// Step 1 of both routines: the two photo hints, the first copied to the
// captions over the front photo.
void applyPhotoHints(TForm15& form, Language language) {
  applyTexts(form, language, S::PhotoHints);
  for (const char* caption : kFrontPhotoCaptions) form[caption].hint = form[main_controls::kFrontPhotoImage].hint;
}

void swapAnswer(TForm15& form, std::string_view from, std::string_view to) {
  if (form[main_controls::kGraphics].text == from) form[main_controls::kGraphics].text = std::string(to);
}

// Fills the empty fields of one fill-in step of the language's routine.
void fillEmpty(TForm15& form, Language language, FillStep step) {
  for (const FillIn& fill : kFillIns) {
    if ((language == Language::Russian ? fill.russianStep : fill.englishStep) != step) continue;
    Control& field = form[fill.field];
    if (!field.text.empty()) continue;
    // A dash says the processor has none: a sheet from another source than
    // the catalogue that does not know its cores or threads says so.
    const bool dash = fill.text == FillText::Dash && !outsideCatalogue(form.facts.sheet.source);
    field.text = dash ? std::string_view("-") : textOf(T::Unknown, language);
  }
}

void showBadge(Control& image, int badge) {
  image.picture = {PictureSource::Badges, badge};
  image.width = image.height = kImageListSize;
}

void dressNoProcessor(TForm15& form, const NoProcessorTexts& dress) {
  if (!form[main_controls::kModelKey].text.empty()) return;
  const std::string keyCaption(textOf(T::NoProcessorCaption, dress.language));
  if (form.trace)
    form.trace->corrections.push_back(
        {CorrectionKind::NoProcessor,
         dress.routine,
         {main_controls::kModelKey, main_controls::kPhotoModelKey, main_controls::kPhotoBaseClock,
          main_controls::kPhotoSocket, main_controls::kBadgeImage, main_controls::kQrImage},
         keyCaption});
  form[main_controls::kModelKey].text = std::string(kNoProcessorKey);
  form[main_controls::kPhotoModelKey].text = keyCaption;
  for (const char* image : dress.hintTargets) form[image].hint = textOf(T::NoProcessorHint, dress.language);
  form[main_controls::kPhotoBaseClock].text.clear();
  form[main_controls::kPhotoSocket].text.clear();
  form[main_controls::kQrImage].hint = textOf(T::NoProcessorQrHint, dress.language);
  showBadge(form[main_controls::kBadgeImage], kNoPhotoBadge);
  showBadge(form[main_controls::kQrImage], kSiteQrBadge);
  form[main_controls::kBadgeImage].top = kBadgeTop;
}

void fillNoRecord(TForm15& form, Language language) {
  if (form[main_controls::kTechnologies].text.empty())
    form[main_controls::kTechnologies].text = textOf(T::NoRecord, language);
}

void translateSegment(TForm15& form, Language language, std::span<const SegmentTranslation> translations) {
  Control& segment = form[main_controls::kSegment];
  for (const SegmentTranslation& t : translations) {
    const bool holds = t.match == Match::Exact      ? segment.text == t.value
                       : t.match == Match::Contains ? text::contains(segment.text, t.value)
                                                    : segment.text == textOf(t.text, Language::Russian);
    if (!holds) continue;
    segment.text = textOf(t.text, language);
    segment.hint = textOf(t.hint, language);
  }
}

}  // namespace

std::span<const InterfaceText> interfaceTexts() { return kTexts; }
std::span<const FillIn> fillIns() { return kFillIns; }
std::span<const char* const> noProcessorHintTargets(int languageIndex) {
  return (languageIndex == 1 ? kEnglishNoProcessor : kRussianNoProcessor).hintTargets;
}

Language windowLanguage(const TForm15& form) { return form.comboIndex == 1 ? Language::English : Language::Russian; }

void ruslang(TForm15& form) {
  constexpr Language ru = Language::Russian;
  applyPhotoHints(form, ru);
  if (form.aboutDialog) form.aboutDialog->caption = aboutCaption(ru);
  applyTexts(form, ru, S::BeforeAnswer);
  swapAnswer(form, kCatalogueYes, textOf(T::GraphicsYes, ru));
  applyTexts(form, ru, S::AfterAnswer);
  fillEmpty(form, ru, F::BeforeNoProcessor);
  dressNoProcessor(form, kRussianNoProcessor);
  fillNoRecord(form, ru);
  applyTexts(form, ru, S::Screenshot);
  translateSegment(form, ru, kRussianSegments);
}

void Englang(TForm15& form) {
  constexpr Language en = Language::English;
  applyPhotoHints(form, en);
  applyTexts(form, en, S::BeforeAnswer);
  swapAnswer(form, textOf(T::GraphicsYes, Language::Russian), textOf(T::GraphicsYes, en));
  applyTexts(form, en, S::AfterAnswer);
  translateSegment(form, en, kEnglishSegments);
  applyTexts(form, en, S::AfterSegment);
  fillEmpty(form, en, F::BeforeNoProcessor);
  dressNoProcessor(form, kEnglishNoProcessor);
  fillEmpty(form, en, F::AfterNoProcessor);
  fillNoRecord(form, en);
  applyTexts(form, en, S::Screenshot);
}

void applyPassLanguage(TForm15& form) {
  if (form.comboIndex == 0) {
    if (form.trace) form.trace->routine = kRussianNoProcessor.routine;
    ruslang(form);
  }
  if (form.comboIndex == 1) {
    if (form.trace) form.trace->routine = kEnglishNoProcessor.routine;
    Englang(form);
  }
}

}  // namespace wexmora
