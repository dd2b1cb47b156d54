#include "ui/localisation.h"

#include <array>
#include <cstddef>
#include <stdexcept>
#include <string>

#include "identify/text.h"
#include "ui/model/pass_trace.h"

namespace wexmora {
namespace {

using P = TextProperty;

// clang-format off
// control         property     Russian (ruslang)                                                                     English (Englang)
constexpr InterfaceText kTexts[] = {
  {"Image2",       P::Hint,    "Смотреть фото процессора",                                                           "See photo of the processor"},
  {"Image3",       P::Hint,    "Смотреть фото обратной стороны\rпроцессора",                                         "See photo of the back of the processor"},
  {"Label22",      P::Caption, "Подробнее...",                                                                       "Detailed..."},
  {"Edit1",        P::Hint,    "Краткая информация о процессоре\rустановленом на компьюторе",                        "Brief information about the \rprocessor installed on the\rcomputer"},
  {"SpeedButton4", P::Hint,    "О программе",                                                                        "About the program"},
  {"SpeedButton5", P::Hint,    "Семейство процессора, \rмодель, степпинг",                                           "Processor family, \rmodel, stepping"},
  {"Image1",       P::Hint,    "Официальный значок \rпроцессора",                                                    "Official processor icon"},
  {"Image4",       P::Hint,    "Более подробная информация \rо процессоре у нас на сайте",                           "More detailed information about\rthe processor is on our website"},
  {"GroupBox2",    P::Caption, "Краткая информация \rо процессоре ",                                                 "Brief information about the processor"},
  {"Label3",       P::Caption, "Модель",                                                                             "Model"},
  {"Label4",       P::Caption, "Степпинг",                                                                           "Stepping"},
  {"Label2",       P::Caption, "Семейство",                                                                          "Family"},
  {"Label28",      P::Caption, "Сокет",                                                                              "Socket"},
  {"Edit11",       P::Hint,    "Сокет разъем для процессора",                                                        "CPU socket"},
  {"Label7",       P::Caption, "Процессор",                                                                          "CPU"},
  {"Edit7",        P::Hint,    "Наименование процессора \rустановленого в системе",                                  "Name of the processor\rinstalled in the system"},
  {"Label5",       P::Caption, "Базовая частота",                                                                    "Base frequency"},
  {"Edit5",        P::Hint,    "Базовая скорость процессора \rв GHz",                                                "Base processor speed \rin GHz"},
  {"Label6",       P::Caption, "Турбо частота",                                                                      "Turbo frequency"},
  {"Edit6",        P::Hint,    "Турбо скорость процессора \rTurboBoost в GHz",                                       "Turbo speed of the processor \rTurboBoost in GHz"},
  {"Label8",       P::Caption, "Ядер",                                                                               "Cores"},
  {"Edit8",        P::Hint,    "Количество физических \rядер в процессоре",                                          "Number of physical cores \rin the processor"},
  {"Label9",       P::Caption, "Потоки",                                                                             "Streams"},
  {"Edit9",        P::Hint,    "Количество (потоков) \rлогических ядер \rв процессоре",                              "Number (threads) of \rlogical cores \rin the processor"},
  {"Label25",      P::Caption, "Кэш память L3",                                                                      "L3 cache"},
  {"Edit17",       P::Hint,    "Кэш память 3-го \rуровня",                                                           "Level 3 cache"},
  {"Label17",      P::Caption, "CPU для",                                                                            "CPU for"},
  {"Edit12",       P::Hint,    "Кодовое название для \rпроцессора",                                                  "Codename for the \rprocessor"},
  {"Label12",      P::Caption, "Кодовое имя",                                                                        "Codename"},
  {"Edit18",       P::Hint,    "Модель \rпроцессора",                                                                "Processor \rmodel"},
  {"Label26",      P::Caption, "Модель процессора",                                                                  "Processor model"},
  {"Edit19",       P::Hint,    "Встроиный графический \r процессор",                                                 "Integrated Graphics"},
  {"Label27",      P::Caption, "Встроеная графика",                                                                  "Integrated GPU"},
  {"Edit14",       P::Hint,    "Максимально поддерживаемая\rпамять процессором",                                     "Maximum supported memory \rby processor"},
  {"Label16",      P::Caption, "Макс. поддерживаемая память",                                                        "Supported memory"},
  {"Edit13",       P::Hint,    "Литография процессора",                                                              "CPU lithography"},
  {"Label13",      P::Caption, "Литография",                                                                         "Lithography"},
  {"Edit10",       P::Hint,    "Максимально допустимая \rтемпература процессора",                                    "Maximum permissible \rprocessor temperature"},
  {"Label10",      P::Caption, "Макс. темп",                                                                         "Max. temp..."},
  {"Label18",      P::Caption, "Технологии, интерфейсы, функции в процессоре",                                       "Technologies, interfaces, functions in the processor"},
  {"Button2",      P::Caption, "Закрыть",                                                                            "Close"},
  {"Button3",      P::Caption, "Скрыть",                                                                             "Hide"},
  {"ComboBox1",    P::Hint,    "Change language to English",                                                         "Изменить язык на русский"},
  {"Memo2",        P::Hint,    "Перечисление технологий, интерфейсов, \rфункций реализованые в данном \rпроцессоре", "List of technologies, interfaces, \rfunctions implemented in this processor"},
  {"Label24",      P::Caption, "PCI Express",                                                                        "PCI Express"},
  {"Edit16",       P::Hint,    "PCI Express \rредакция",                                                             "PCI Express \rRevision"},
  {"Button2",      P::Hint,    "Выход из программы",                                                                 "Exit the program"},
  {"Label11",      P::Caption, "Скриншот",                                                                           "Screenshot"},
  {"SpeedButton3", P::Hint,    "Создать скриншот \rпрограммы",                                                       "Create screenshot \rprogram"},
};

// Empty data fields get these texts: the unknown-value text, or a dash for
// the counts. Russian order; Englang fills Edit17 separately, after the
// no-processor case.
constexpr const char* kRussianFill[] = {"Edit11", "Edit6",  "Edit8",  "Edit9",  "Edit16", "Edit15", "Edit12",
                                        "Edit18", "Edit19", "Edit14", "Edit13", "Edit10", "Edit17"};
constexpr const char* kEnglishFill[] = {"Edit11", "Edit6",  "Edit8",  "Edit9",  "Edit16", "Edit15",
                                        "Edit12", "Edit18", "Edit19", "Edit14", "Edit13", "Edit10"};

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
};
constexpr SegmentTranslation kEnglishSegments[] = {
  {Match::Exact,    "Desktop",      "Desktop",      "Desktop processor"},
  {Match::Exact,    "Server",       "Server",       "Server computer processor"},
  {Match::Exact,    "Настольного",  "Desktop",      "Desktop processor"},
  {Match::Exact,    "Сервера",      "Server",       "Server computer processor"},
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

std::size_t rowOf(std::string_view control, TextProperty property) {
  for (std::size_t i = 0; i < std::size(kTexts); ++i)
    if (kTexts[i].control == control && kTexts[i].property == property) return i;
  throw std::logic_error("no interface text for " + std::string(control));
}

// Sets the table's texts from the row (first) to the row (last), both included.
void applyTexts(TForm15& form, Language language, std::string_view first, TextProperty firstProperty,
                std::string_view last, TextProperty lastProperty) {
  const std::size_t end = rowOf(last, lastProperty);
  for (std::size_t i = rowOf(first, firstProperty); i <= end; ++i) {
    const InterfaceText& row = kTexts[i];
    Control& control = form[row.control];
    (row.property == P::Caption ? control.text : control.hint) =
        language == Language::Russian ? row.russian : row.english;
  }
}

// Step 1 of both routines: the two photo hints, the first copied to the
// captions over the front photo.
void applyPhotoHints(TForm15& form, Language language) {
  applyTexts(form, language, "Image2", P::Hint, "Image3", P::Hint);
  for (const char* caption : {"Label1", "Label14", "Label15"}) form[caption].hint = form["Image2"].hint;
}

void swapAnswer(TForm15& form, std::string_view from, std::string_view to) {
  if (form["Edit19"].text == from) form["Edit19"].text = std::string(to);
}

void fillEmpty(TForm15& form, std::span<const char* const> fields, std::string_view unknown) {
  for (const char* name : fields) {
    Control& field = form[name];
    if (!field.text.empty()) continue;
    const bool count = std::string_view(name) == "Edit8" || std::string_view(name) == "Edit9";
    field.text = count ? "-" : std::string(unknown);
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
std::span<const char* const> russianFillOrder() { return kRussianFill; }
std::span<const char* const> englishFillOrder() { return kEnglishFill; }

void ruslang(TForm15& form) {
  constexpr Language ru = Language::Russian;
  applyPhotoHints(form, ru);
  if (form.aboutDialog) form.aboutDialog->caption = std::string(kAboutCaptionRussian);
  applyTexts(form, ru, "Label22", P::Caption, "Label28", P::Caption);
  swapAnswer(form, "Yes", "Да");
  applyTexts(form, ru, "Edit11", P::Hint, "Button2", P::Hint);
  fillEmpty(form, kRussianFill, kUnknownRussian);
  dressNoProcessor(form, kRussianNoProcessor);
  fillNoRecord(form, kNoRecordRussian);
  applyTexts(form, ru, "Label11", P::Caption, "SpeedButton3", P::Hint);
  translateSegment(form, kRussianSegments);
}

void Englang(TForm15& form) {
  constexpr Language en = Language::English;
  applyPhotoHints(form, en);
  applyTexts(form, en, "Label22", P::Caption, "Label7", P::Caption);
  swapAnswer(form, "Да", "Yes");
  applyTexts(form, en, "Edit7", P::Hint, "Edit17", P::Hint);
  translateSegment(form, kEnglishSegments);
  applyTexts(form, en, "Label17", P::Caption, "Button2", P::Hint);
  fillEmpty(form, kEnglishFill, kUnknownEnglish);
  dressNoProcessor(form, kEnglishNoProcessor);
  fillEmpty(form, std::array{"Edit17"}, kUnknownEnglish);
  fillNoRecord(form, kNoRecordEnglish);
  applyTexts(form, en, "Label11", P::Caption, "SpeedButton3", P::Hint);
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
