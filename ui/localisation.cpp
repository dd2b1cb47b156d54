#include "ui/localisation.h"

#include <array>
#include <cstddef>
#include <string>

#include "identify/text.h"
#include "ui/about.h"
#include "ui/model/pass_trace.h"

namespace wexmora {
namespace {

using P = TextProperty;
using S = TextStep;
using F = FillStep;
using FT = FillText;

// clang-format off
// The routines' steps that set texts of the table (ruslang steps 1, 3, 3 and
// 7; Englang steps 1, 2, 2, 4 and 8): each row names the step of each routine
// that sets it; within a step the rows are set in table order.
// control         property    ruslang step     Englang step     Russian (ruslang)                                                                     English (Englang)
constexpr InterfaceText kTexts[] = {
  {"Image2",       P::Hint,    S::PhotoHints,   S::PhotoHints,   "Смотреть фото процессора",                                                           "See photo of the processor"},
  {"Image3",       P::Hint,    S::PhotoHints,   S::PhotoHints,   "Смотреть фото обратной стороны\rпроцессора",                                         "See photo of the back of the processor"},
  {"Label22",      P::Caption, S::BeforeAnswer, S::BeforeAnswer, "Подробнее...",                                                                       "Detailed..."},
  {"Edit1",        P::Hint,    S::BeforeAnswer, S::BeforeAnswer, "Краткая информация о процессоре\rустановленом на компьюторе",                        "Brief information about the \rprocessor installed on the\rcomputer"},
  {"SpeedButton4", P::Hint,    S::BeforeAnswer, S::BeforeAnswer, "О программе",                                                                        "About the program"},
  {"SpeedButton5", P::Hint,    S::BeforeAnswer, S::BeforeAnswer, "Семейство процессора, \rмодель, степпинг",                                           "Processor family, \rmodel, stepping"},
  {"Image1",       P::Hint,    S::BeforeAnswer, S::BeforeAnswer, "Официальный значок \rпроцессора",                                                    "Official processor icon"},
  {"Image4",       P::Hint,    S::BeforeAnswer, S::BeforeAnswer, "Более подробная информация \rо процессоре у нас на сайте",                           "More detailed information about\rthe processor is on our website"},
  {"GroupBox2",    P::Caption, S::BeforeAnswer, S::BeforeAnswer, "Краткая информация \rо процессоре ",                                                 "Brief information about the processor"},
  {"Label3",       P::Caption, S::BeforeAnswer, S::BeforeAnswer, "Модель",                                                                             "Model"},
  {"Label4",       P::Caption, S::BeforeAnswer, S::BeforeAnswer, "Степпинг",                                                                           "Stepping"},
  {"Label2",       P::Caption, S::BeforeAnswer, S::BeforeAnswer, "Семейство",                                                                          "Family"},
  {"Label28",      P::Caption, S::BeforeAnswer, S::BeforeAnswer, "Сокет",                                                                              "Socket"},
  {"Edit11",       P::Hint,    S::AfterAnswer,  S::BeforeAnswer, "Сокет разъем для процессора",                                                        "CPU socket"},
  {"Label7",       P::Caption, S::AfterAnswer,  S::BeforeAnswer, "Процессор",                                                                          "CPU"},
  {"Edit7",        P::Hint,    S::AfterAnswer,  S::AfterAnswer,  "Наименование процессора \rустановленого в системе",                                  "Name of the processor\rinstalled in the system"},
  {"Label5",       P::Caption, S::AfterAnswer,  S::AfterAnswer,  "Базовая частота",                                                                    "Base frequency"},
  {"Edit5",        P::Hint,    S::AfterAnswer,  S::AfterAnswer,  "Базовая скорость процессора \rв GHz",                                                "Base processor speed \rin GHz"},
  {"Label6",       P::Caption, S::AfterAnswer,  S::AfterAnswer,  "Турбо частота",                                                                      "Turbo frequency"},
  {"Edit6",        P::Hint,    S::AfterAnswer,  S::AfterAnswer,  "Турбо скорость процессора \rTurboBoost в GHz",                                       "Turbo speed of the processor \rTurboBoost in GHz"},
  {"Label8",       P::Caption, S::AfterAnswer,  S::AfterAnswer,  "Ядер",                                                                               "Cores"},
  {"Edit8",        P::Hint,    S::AfterAnswer,  S::AfterAnswer,  "Количество физических \rядер в процессоре",                                          "Number of physical cores \rin the processor"},
  {"Label9",       P::Caption, S::AfterAnswer,  S::AfterAnswer,  "Потоки",                                                                             "Streams"},
  {"Edit9",        P::Hint,    S::AfterAnswer,  S::AfterAnswer,  "Количество (потоков) \rлогических ядер \rв процессоре",                              "Number (threads) of \rlogical cores \rin the processor"},
  {"Label25",      P::Caption, S::AfterAnswer,  S::AfterAnswer,  "Кэш память L3",                                                                      "L3 cache"},
  {"Edit17",       P::Hint,    S::AfterAnswer,  S::AfterAnswer,  "Кэш память 3-го \rуровня",                                                           "Level 3 cache"},
  {"Label17",      P::Caption, S::AfterAnswer,  S::AfterSegment, "CPU для",                                                                            "CPU for"},
  {"Edit12",       P::Hint,    S::AfterAnswer,  S::AfterSegment, "Кодовое название для \rпроцессора",                                                  "Codename for the \rprocessor"},
  {"Label12",      P::Caption, S::AfterAnswer,  S::AfterSegment, "Кодовое имя",                                                                        "Codename"},
  {"Edit18",       P::Hint,    S::AfterAnswer,  S::AfterSegment, "Модель \rпроцессора",                                                                "Processor \rmodel"},
  {"Label26",      P::Caption, S::AfterAnswer,  S::AfterSegment, "Модель процессора",                                                                  "Processor model"},
  {"Edit19",       P::Hint,    S::AfterAnswer,  S::AfterSegment, "Встроиный графический \r процессор",                                                 "Integrated Graphics"},
  {"Label27",      P::Caption, S::AfterAnswer,  S::AfterSegment, "Встроеная графика",                                                                  "Integrated GPU"},
  {"Edit14",       P::Hint,    S::AfterAnswer,  S::AfterSegment, "Максимально поддерживаемая\rпамять процессором",                                     "Maximum supported memory \rby processor"},
  {"Label16",      P::Caption, S::AfterAnswer,  S::AfterSegment, "Макс. поддерживаемая память",                                                        "Supported memory"},
  {"Edit13",       P::Hint,    S::AfterAnswer,  S::AfterSegment, "Литография процессора",                                                              "CPU lithography"},
  {"Label13",      P::Caption, S::AfterAnswer,  S::AfterSegment, "Литография",                                                                         "Lithography"},
  {"Edit10",       P::Hint,    S::AfterAnswer,  S::AfterSegment, "Максимально допустимая \rтемпература процессора",                                    "Maximum permissible \rprocessor temperature"},
  {"Label10",      P::Caption, S::AfterAnswer,  S::AfterSegment, "Макс. темп",                                                                         "Max. temp..."},
  {"Label18",      P::Caption, S::AfterAnswer,  S::AfterSegment, "Технологии, интерфейсы, функции в процессоре",                                       "Technologies, interfaces, functions in the processor"},
  {"Button2",      P::Caption, S::AfterAnswer,  S::AfterSegment, "Закрыть",                                                                            "Close"},
  {"Button3",      P::Caption, S::AfterAnswer,  S::AfterSegment, "Скрыть",                                                                             "Hide"},
  {"ComboBox1",    P::Hint,    S::AfterAnswer,  S::AfterSegment, "Change language to English",                                                         "Изменить язык на русский"},
  {"Memo2",        P::Hint,    S::AfterAnswer,  S::AfterSegment, "Перечисление технологий, интерфейсов, \rфункций реализованые в данном \rпроцессоре", "List of technologies, interfaces, \rfunctions implemented in this processor"},
  {"Label24",      P::Caption, S::AfterAnswer,  S::AfterSegment, "PCI Express",                                                                        "PCI Express"},
  {"Edit16",       P::Hint,    S::AfterAnswer,  S::AfterSegment, "PCI Express \rредакция",                                                             "PCI Express \rRevision"},
  {"Button2",      P::Hint,    S::AfterAnswer,  S::AfterSegment, "Выход из программы",                                                                 "Exit the program"},
  {"Label11",      P::Caption, S::Screenshot,   S::Screenshot,   "Скриншот",                                                                           "Screenshot"},
  {"SpeedButton3", P::Hint,    S::Screenshot,   S::Screenshot,   "Создать скриншот \rпрограммы",                                                       "Create screenshot \rprogram"},
};

// Empty data fields get the unknown-value text of the routine's language, the
// counts a dash, in table order and in the step each routine fills them:
// ruslang fills all before the no-processor case, Englang Edit17 after it.
// field     text         ruslang step           Englang step
constexpr FillIn kFillIns[] = {
  {"Edit11", FT::Unknown, F::BeforeNoProcessor, F::BeforeNoProcessor},
  {"Edit6",  FT::Unknown, F::BeforeNoProcessor, F::BeforeNoProcessor},
  {"Edit8",  FT::Dash,    F::BeforeNoProcessor, F::BeforeNoProcessor},
  {"Edit9",  FT::Dash,    F::BeforeNoProcessor, F::BeforeNoProcessor},
  {"Edit16", FT::Unknown, F::BeforeNoProcessor, F::BeforeNoProcessor},
  {"Edit15", FT::Unknown, F::BeforeNoProcessor, F::BeforeNoProcessor},
  {"Edit12", FT::Unknown, F::BeforeNoProcessor, F::BeforeNoProcessor},
  {"Edit18", FT::Unknown, F::BeforeNoProcessor, F::BeforeNoProcessor},
  {"Edit19", FT::Unknown, F::BeforeNoProcessor, F::BeforeNoProcessor},
  {"Edit14", FT::Unknown, F::BeforeNoProcessor, F::BeforeNoProcessor},
  {"Edit13", FT::Unknown, F::BeforeNoProcessor, F::BeforeNoProcessor},
  {"Edit10", FT::Unknown, F::BeforeNoProcessor, F::BeforeNoProcessor},
  {"Edit17", FT::Unknown, F::BeforeNoProcessor, F::AfterNoProcessor},
};

enum class Match { Exact, Contains };

// A shown segment value and what a routine turns it into.
struct SegmentTranslation {
  Match match;
  const char* value;
  const char* text;
  const char* hint;
};

// match            value           text            hint
constexpr SegmentTranslation kRussianSegments[] = {
  {Match::Exact,    "Desktop",      "Настольного",  "Процессор для настольного \rкомпьютера"},
  {Match::Contains, "Server",       "Сервера",      "Процессор для серверного \rкомпьютера"},
  {Match::Exact,    "Embedded",     "Встроенного",  "Процессор встроенный"},
  {Match::Exact,    "Mobile",       "Мобильного",   "Процессор для мобильного \rкомпьютера"},
};
constexpr SegmentTranslation kEnglishSegments[] = {
  {Match::Exact,    "Desktop",      "Desktop",      "Desktop processor"},
  {Match::Exact,    "Server",       "Server",       "Server computer processor"},
  {Match::Exact,    "Настольного",  "Desktop",      "Desktop processor"},
  {Match::Exact,    "Сервера",      "Server",       "Server computer processor"},
  {Match::Exact,    "Mobile",       "Mobile",       "Mobile computer processor"},
  {Match::Exact,    "Мобильного",   "Mobile",       "Mobile computer processor"},
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
    {"Image1", "Image2", "Image3"},
    "Неопределен процессор",
    "Возможно появилась новая \rверсия программы у нас \rна сайте, в котором есть \rинформация о вашем процессоре"};
constexpr NoProcessorTexts kEnglishNoProcessor{
    "Englang", "Unknown CPU", {"Image2", "Image3", "Image4"}, "Unknown CPU", "Unknown CPU"};

enum class Language { Russian, English };

// The captions over the front photo, which share its hint.
constexpr const char* kFrontPhotoCaptions[] = {"Label1", "Label14", "Label15"};

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
  for (const char* caption : kFrontPhotoCaptions) form[caption].hint = form["Image2"].hint;
}

void swapAnswer(TForm15& form, std::string_view from, std::string_view to) {
  if (form["Edit19"].text == from) form["Edit19"].text = std::string(to);
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
  image.width = image.height = 128;
}

void dressNoProcessor(TForm15& form, const NoProcessorTexts& texts) {
  if (!form["Edit7"].text.empty()) return;
  if (form.trace)
    form.trace->corrections.push_back({CorrectionKind::NoProcessor,
                                       texts.routine,
                                       {"Edit7", "Label1", "Label14", "Label15", "Image1", "Image4"},
                                       texts.keyCaption});
  form["Edit7"].text = "-";
  form["Label1"].text = texts.keyCaption;
  for (const char* image : texts.hintTargets) form[image].hint = texts.unknownHint;
  form["Label14"].text.clear();
  form["Label15"].text.clear();
  form["Image4"].hint = texts.qrHint;
  showBadge(form["Image1"], kNoPhotoBadge);
  showBadge(form["Image4"], kSiteQrBadge);
  form["Image1"].top = 3;
}

void fillNoRecord(TForm15& form, std::string_view text) {
  if (form["Memo2"].text.empty()) form["Memo2"].text = std::string(text);
}

void translateSegment(TForm15& form, std::span<const SegmentTranslation> translations) {
  Control& segment = form["Edit15"];
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
