#include "core/window/localisation.h"

#include <array>
#include <cstddef>
#include <string>

#include "core/catalogue/links.h"
#include "core/catalogue/lookup.h"
#include "core/identify/text.h"
#include "core/model/control_names.h"
#include "core/model/pass_trace.h"
#include "core/window/about.h"
#include "core/window/picture_origin.h"

namespace wexmora {
namespace {

using namespace main_controls;  // the tables name the controls by their meaning

using P = TextProperty;
using S = TextStep;
using F = FillStep;
using FT = FillText;

// clang-format off
// The routines' steps that set texts of the table (ruslang steps 1, 3, 3 and
// 7; Englang steps 1, 2, 2, 4 and 8): each row names the step of each routine
// that sets it; within a step the rows are set in table order.
// control                 property    ruslang step     Englang step     Russian (ruslang)                                                                     English (Englang)
constexpr InterfaceText kTexts[] = {
  {kFrontPhotoImage,       P::Hint,    S::PhotoHints,   S::PhotoHints,   "Смотреть фото процессора",                                                           "See photo of the processor"},
  {kBackPhotoImage,        P::Hint,    S::PhotoHints,   S::PhotoHints,   "Смотреть фото обратной стороны\rпроцессора",                                         "See photo of the back of the processor"},
  {kMoreCaption,           P::Caption, S::BeforeAnswer, S::BeforeAnswer, "Подробнее...",                                                                       "Detailed..."},
  {kBrandString,           P::Hint,    S::BeforeAnswer, S::BeforeAnswer, "Краткая информация о процессоре\rустановленом на компьюторе",                        "Brief information about the \rprocessor installed on the\rcomputer"},
  {kAboutButton,           P::Hint,    S::BeforeAnswer, S::BeforeAnswer, "О программе",                                                                        "About the program"},
  {kIdentityButton,        P::Hint,    S::BeforeAnswer, S::BeforeAnswer, "Семейство процессора, \rмодель, степпинг",                                           "Processor family, \rmodel, stepping"},
  {kBadgeImage,            P::Hint,    S::BeforeAnswer, S::BeforeAnswer, "Официальный значок \rпроцессора",                                                    "Official processor icon"},
  {kQrImage,               P::Hint,    S::BeforeAnswer, S::BeforeAnswer, "Более подробная информация \rо процессоре у нас на сайте",                           "More detailed information about\rthe processor is on our website"},
  {kSheetGroup,            P::Caption, S::BeforeAnswer, S::BeforeAnswer, "Краткая информация \rо процессоре ",                                                 "Brief information about the processor"},
  {kModelCaption,          P::Caption, S::BeforeAnswer, S::BeforeAnswer, "Модель",                                                                             "Model"},
  {kSteppingCaption,       P::Caption, S::BeforeAnswer, S::BeforeAnswer, "Степпинг",                                                                           "Stepping"},
  {kFamilyCaption,         P::Caption, S::BeforeAnswer, S::BeforeAnswer, "Семейство",                                                                          "Family"},
  {kSocketCaption,         P::Caption, S::BeforeAnswer, S::BeforeAnswer, "Сокет",                                                                              "Socket"},
  {kSocket,                P::Hint,    S::AfterAnswer,  S::BeforeAnswer, "Сокет разъем для процессора",                                                        "CPU socket"},
  {kModelKeyCaption,       P::Caption, S::AfterAnswer,  S::BeforeAnswer, "Процессор",                                                                          "CPU"},
  {kModelKey,              P::Hint,    S::AfterAnswer,  S::AfterAnswer,  "Наименование процессора \rустановленого в системе",                                  "Name of the processor\rinstalled in the system"},
  {kBaseClockCaption,      P::Caption, S::AfterAnswer,  S::AfterAnswer,  "Базовая частота",                                                                    "Base frequency"},
  {kBaseClock,             P::Hint,    S::AfterAnswer,  S::AfterAnswer,  "Базовая скорость процессора \rв GHz",                                                "Base processor speed \rin GHz"},
  {kTurboClockCaption,     P::Caption, S::AfterAnswer,  S::AfterAnswer,  "Турбо частота",                                                                      "Turbo frequency"},
  {kTurboClock,            P::Hint,    S::AfterAnswer,  S::AfterAnswer,  "Турбо скорость процессора \rTurboBoost в GHz",                                       "Turbo speed of the processor \rTurboBoost in GHz"},
  {kCoresCaption,          P::Caption, S::AfterAnswer,  S::AfterAnswer,  "Ядер",                                                                               "Cores"},
  {kCores,                 P::Hint,    S::AfterAnswer,  S::AfterAnswer,  "Количество физических \rядер в процессоре",                                          "Number of physical cores \rin the processor"},
  {kThreadsCaption,        P::Caption, S::AfterAnswer,  S::AfterAnswer,  "Потоки",                                                                             "Streams"},
  {kThreads,               P::Hint,    S::AfterAnswer,  S::AfterAnswer,  "Количество (потоков) \rлогических ядер \rв процессоре",                              "Number (threads) of \rlogical cores \rin the processor"},
  {kL3CacheCaption,        P::Caption, S::AfterAnswer,  S::AfterAnswer,  "Кэш память L3",                                                                      "L3 cache"},
  {kL3Cache,               P::Hint,    S::AfterAnswer,  S::AfterAnswer,  "Кэш память 3-го \rуровня",                                                           "Level 3 cache"},
  {kSegmentCaption,        P::Caption, S::AfterAnswer,  S::AfterSegment, "CPU для",                                                                            "CPU for"},
  {kCodeName,              P::Hint,    S::AfterAnswer,  S::AfterSegment, "Кодовое название для \rпроцессора",                                                  "Codename for the \rprocessor"},
  {kCodeNameCaption,       P::Caption, S::AfterAnswer,  S::AfterSegment, "Кодовое имя",                                                                        "Codename"},
  {kProductLine,           P::Hint,    S::AfterAnswer,  S::AfterSegment, "Модель \rпроцессора",                                                                "Processor \rmodel"},
  {kProductLineCaption,    P::Caption, S::AfterAnswer,  S::AfterSegment, "Модель процессора",                                                                  "Processor model"},
  {kGraphics,              P::Hint,    S::AfterAnswer,  S::AfterSegment, "Встроиный графический \r процессор",                                                 "Integrated Graphics"},
  {kGraphicsCaption,       P::Caption, S::AfterAnswer,  S::AfterSegment, "Встроеная графика",                                                                  "Integrated GPU"},
  {kMemory,                P::Hint,    S::AfterAnswer,  S::AfterSegment, "Максимально поддерживаемая\rпамять процессором",                                     "Maximum supported memory \rby processor"},
  {kMemoryCaption,         P::Caption, S::AfterAnswer,  S::AfterSegment, "Макс. поддерживаемая память",                                                        "Supported memory"},
  {kLithography,           P::Hint,    S::AfterAnswer,  S::AfterSegment, "Литография процессора",                                                              "CPU lithography"},
  {kLithographyCaption,    P::Caption, S::AfterAnswer,  S::AfterSegment, "Литография",                                                                         "Lithography"},
  {kMaxTemperature,        P::Hint,    S::AfterAnswer,  S::AfterSegment, "Максимально допустимая \rтемпература процессора",                                    "Maximum permissible \rprocessor temperature"},
  {kMaxTemperatureCaption, P::Caption, S::AfterAnswer,  S::AfterSegment, "Макс. темп",                                                                         "Max. temp..."},
  {kTechnologiesCaption,   P::Caption, S::AfterAnswer,  S::AfterSegment, "Технологии, интерфейсы, функции в процессоре",                                       "Technologies, interfaces, functions in the processor"},
  {kClose,                 P::Caption, S::AfterAnswer,  S::AfterSegment, "Закрыть",                                                                            "Close"},
  {kIdentityHide,          P::Caption, S::AfterAnswer,  S::AfterSegment, "Скрыть",                                                                             "Hide"},
  {kLanguage,              P::Hint,    S::AfterAnswer,  S::AfterSegment, "Change language to English",                                                         "Изменить язык на русский"},
  {kTechnologies,          P::Hint,    S::AfterAnswer,  S::AfterSegment, "Перечисление технологий, интерфейсов, \rфункций реализованые в данном \rпроцессоре", "List of technologies, interfaces, \rfunctions implemented in this processor"},
  {kPcieCaption,           P::Caption, S::AfterAnswer,  S::AfterSegment, "PCI Express",                                                                        "PCI Express"},
  {kPcie,                  P::Hint,    S::AfterAnswer,  S::AfterSegment, "PCI Express \rредакция",                                                             "PCI Express \rRevision"},
  {kClose,                 P::Hint,    S::AfterAnswer,  S::AfterSegment, "Выход из программы",                                                                 "Exit the program"},
  {kScreenshotCaption,     P::Caption, S::Screenshot,   S::Screenshot,   "Скриншот",                                                                           "Screenshot"},
  {kScreenshotButton,      P::Hint,    S::Screenshot,   S::Screenshot,   "Создать скриншот \rпрограммы",                                                       "Create screenshot \rprogram"},
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

enum class Match { Exact, Contains };

// A shown segment value and what a routine turns it into.
struct SegmentTranslation {
  Match match;
  const char* value;
  const char* text;
  const char* hint;
};

// match            value          text                  hint
constexpr SegmentTranslation kRussianSegments[] = {
  {Match::Exact,    "Desktop",     "Настольного",        "Процессор для настольного \rкомпьютера"},
  {Match::Contains, "Server",      "Сервера",            "Процессор для серверного \rкомпьютера"},
  {Match::Exact,    "Embedded",    "Встроенного",        "Процессор встроенный"},
  {Match::Exact,    "Mobile",      "Мобильного",         "Процессор для мобильного \rкомпьютера"},
};
constexpr SegmentTranslation kEnglishSegments[] = {
  {Match::Exact,    "Desktop",     "Desktop",            "Desktop processor"},
  {Match::Exact,    "Server",      "Server",             "Server computer processor"},
  {Match::Exact,    "Настольного", "Desktop",            "Desktop processor"},
  {Match::Exact,    "Сервера",     "Server",             "Server computer processor"},
  {Match::Exact,    "Mobile",      "Mobile",             "Mobile computer processor"},
  {Match::Exact,    "Мобильного",  "Mobile",             "Mobile computer processor"},
};
// clang-format on

// How a routine dresses the window when no model key was derived.
struct NoProcessorTexts {
  const char* routine;                     // the routine's name, for the trace
  const char* keyCaption;                  // Label1
  std::array<const char*, 3> hintTargets;  // pictures that get the unknown-processor hint
  const char* unknownHint;
  const char* qrHint;  // Image4, set after the other hints
};

constexpr NoProcessorTexts kRussianNoProcessor{
    "ruslang",
    "Нет данных",
    {main_controls::kBadgeImage, main_controls::kFrontPhotoImage, main_controls::kBackPhotoImage},
    kUndefinedProcessorHint.data(),
    "Возможно появилась новая \rверсия программы у нас \rна сайте, в котором есть \rинформация о вашем процессоре"};
constexpr NoProcessorTexts kEnglishNoProcessor{
    "Englang",
    "Unknown CPU",
    {main_controls::kFrontPhotoImage, main_controls::kBackPhotoImage, main_controls::kQrImage},
    "Unknown CPU",
    "Unknown CPU"};

enum class Language { Russian, English };

// The captions over the front photo, which share its hint.
constexpr const char* kFrontPhotoCaptions[] = {main_controls::kPhotoModelKey, main_controls::kPhotoBaseClock,
                                               main_controls::kPhotoSocket};

// Sets the table's texts of one step of the language's routine.
void applyTexts(TForm15& form, Language language, TextStep step) {
  for (const InterfaceText& row : kTexts) {
    if ((language == Language::Russian ? row.russianStep : row.englishStep) != step) continue;
    Control& control = form[row.control];
    (row.property == P::Caption ? control.text : control.hint) =
        language == Language::Russian ? row.russian : row.english;
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
  const bool russian = language == Language::Russian;
  for (const FillIn& fill : kFillIns) {
    if ((russian ? fill.russianStep : fill.englishStep) != step) continue;
    Control& field = form[fill.field];
    if (!field.text.empty()) continue;
    field.text = fill.text == FillText::Dash ? "-" : std::string(russian ? kUnknownRussian : kUnknownEnglish);
  }
}

void showBadge(Control& image, int badge) {
  image.picture = {PictureSource::Badges, badge};
  image.width = image.height = kImageListSize;
}

void dressNoProcessor(TForm15& form, const NoProcessorTexts& texts) {
  if (!form[main_controls::kModelKey].text.empty()) return;
  if (form.trace)
    form.trace->corrections.push_back(
        {CorrectionKind::NoProcessor,
         texts.routine,
         {main_controls::kModelKey, main_controls::kPhotoModelKey, main_controls::kPhotoBaseClock,
          main_controls::kPhotoSocket, main_controls::kBadgeImage, main_controls::kQrImage},
         texts.keyCaption});
  form[main_controls::kModelKey].text = std::string(kNoProcessorKey);
  form[main_controls::kPhotoModelKey].text = texts.keyCaption;
  for (const char* image : texts.hintTargets) form[image].hint = texts.unknownHint;
  form[main_controls::kPhotoBaseClock].text.clear();
  form[main_controls::kPhotoSocket].text.clear();
  form[main_controls::kQrImage].hint = texts.qrHint;
  showBadge(form[main_controls::kBadgeImage], kNoPhotoBadge);
  showBadge(form[main_controls::kQrImage], kSiteQrBadge);
  form[main_controls::kBadgeImage].top = kBadgeTop;
}

void fillNoRecord(TForm15& form, std::string_view text) {
  if (form[main_controls::kTechnologies].text.empty()) form[main_controls::kTechnologies].text = std::string(text);
}

void translateSegment(TForm15& form, std::span<const SegmentTranslation> translations) {
  Control& segment = form[main_controls::kSegment];
  for (const SegmentTranslation& t : translations) {
    const bool holds = t.match == Match::Exact ? segment.text == t.value : text::contains(segment.text, t.value);
    if (!holds) continue;
    segment.text = t.text;
    segment.hint = t.hint;
  }
}

}  // namespace

std::span<const InterfaceText> interfaceTexts() { return kTexts; }
std::span<const FillIn> fillIns() { return kFillIns; }
std::span<const char* const> noProcessorHintTargets(int languageIndex) {
  return (languageIndex == 1 ? kEnglishNoProcessor : kRussianNoProcessor).hintTargets;
}

void ruslang(TForm15& form) {
  constexpr Language ru = Language::Russian;
  applyPhotoHints(form, ru);
  if (form.aboutDialog) form.aboutDialog->caption = aboutCaption(0);
  applyTexts(form, ru, S::BeforeAnswer);
  swapAnswer(form, "Yes", "Да");
  applyTexts(form, ru, S::AfterAnswer);
  fillEmpty(form, ru, F::BeforeNoProcessor);
  dressNoProcessor(form, kRussianNoProcessor);
  fillNoRecord(form, kNoRecordRussian);
  applyTexts(form, ru, S::Screenshot);
  translateSegment(form, kRussianSegments);
}

void Englang(TForm15& form) {
  constexpr Language en = Language::English;
  applyPhotoHints(form, en);
  applyTexts(form, en, S::BeforeAnswer);
  swapAnswer(form, "Да", "Yes");
  applyTexts(form, en, S::AfterAnswer);
  translateSegment(form, kEnglishSegments);
  applyTexts(form, en, S::AfterSegment);
  fillEmpty(form, en, F::BeforeNoProcessor);
  dressNoProcessor(form, kEnglishNoProcessor);
  fillEmpty(form, en, F::AfterNoProcessor);
  fillNoRecord(form, kNoRecordEnglish);
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
