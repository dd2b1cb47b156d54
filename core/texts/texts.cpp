#include "core/texts/texts.h"

#include <cstddef>

#include "base/site.h"

namespace wexmora {
namespace {

using T = TextId;

// The system's own texts, verbatim: their spelling, blanks and "\r" line
// breaks are what the window shows. ComboBox1's hint names the other
// language, so each column holds the other language's words there.
// clang-format off
// entry                    Russian                                                                               English
constexpr Translation kTable[] = {
  {T::FrontPhotoHint,        "Смотреть фото процессора",                                                           "See photo of the processor"},
  {T::BackPhotoHint,         "Смотреть фото обратной стороны\rпроцессора",                                         "See photo of the back of the processor"},
  {T::MoreCaption,           "Подробнее...",                                                                       "Detailed..."},
  {T::BrandStringHint,       "Краткая информация о процессоре\rустановленом на компьюторе",                        "Brief information about the \rprocessor installed on the\rcomputer"},
  {T::AboutButtonHint,       "О программе",                                                                        "About the program"},
  {T::IdentityButtonHint,    "Семейство процессора, \rмодель, степпинг",                                           "Processor family, \rmodel, stepping"},
  {T::BadgeHint,             "Официальный значок \rпроцессора",                                                    "Official processor icon"},
  {T::QrHint,                "Более подробная информация \rо процессоре у нас на сайте",                           "More detailed information about\rthe processor is on our website"},
  {T::SheetGroupCaption,     "Краткая информация \rо процессоре ",                                                 "Brief information about the processor"},
  {T::ModelCaption,          "Модель",                                                                             "Model"},
  {T::SteppingCaption,       "Степпинг",                                                                           "Stepping"},
  {T::FamilyCaption,         "Семейство",                                                                          "Family"},
  {T::SocketCaption,         "Сокет",                                                                              "Socket"},
  {T::SocketHint,            "Сокет разъем для процессора",                                                        "CPU socket"},
  {T::ModelKeyCaption,       "Процессор",                                                                          "CPU"},
  {T::ModelKeyHint,          "Наименование процессора \rустановленого в системе",                                  "Name of the processor\rinstalled in the system"},
  {T::BaseClockCaption,      "Базовая частота",                                                                    "Base frequency"},
  {T::BaseClockHint,         "Базовая скорость процессора \rв GHz",                                                "Base processor speed \rin GHz"},
  {T::TurboClockCaption,     "Турбо частота",                                                                      "Turbo frequency"},
  {T::TurboClockHint,        "Турбо скорость процессора \rTurboBoost в GHz",                                       "Turbo speed of the processor \rTurboBoost in GHz"},
  {T::CoresCaption,          "Ядер",                                                                               "Cores"},
  {T::CoresHint,             "Количество физических \rядер в процессоре",                                          "Number of physical cores \rin the processor"},
  {T::ThreadsCaption,        "Потоки",                                                                             "Streams"},
  {T::ThreadsHint,           "Количество (потоков) \rлогических ядер \rв процессоре",                              "Number (threads) of \rlogical cores \rin the processor"},
  {T::L3CacheCaption,        "Кэш память L3",                                                                      "L3 cache"},
  {T::L3CacheHint,           "Кэш память 3-го \rуровня",                                                           "Level 3 cache"},
  {T::SegmentCaption,        "CPU для",                                                                            "CPU for"},
  {T::CodeNameHint,          "Кодовое название для \rпроцессора",                                                  "Codename for the \rprocessor"},
  {T::CodeNameCaption,       "Кодовое имя",                                                                        "Codename"},
  {T::ProductLineHint,       "Модель \rпроцессора",                                                                "Processor \rmodel"},
  {T::ProductLineCaption,    "Модель процессора",                                                                  "Processor model"},
  {T::GraphicsHint,          "Встроиный графический \r процессор",                                                 "Integrated Graphics"},
  {T::GraphicsCaption,       "Встроеная графика",                                                                  "Integrated GPU"},
  {T::MemoryHint,            "Максимально поддерживаемая\rпамять процессором",                                     "Maximum supported memory \rby processor"},
  {T::MemoryCaption,         "Макс. поддерживаемая память",                                                        "Supported memory"},
  {T::LithographyHint,       "Литография процессора",                                                              "CPU lithography"},
  {T::LithographyCaption,    "Литография",                                                                         "Lithography"},
  {T::MaxTemperatureHint,    "Максимально допустимая \rтемпература процессора",                                    "Maximum permissible \rprocessor temperature"},
  {T::MaxTemperatureCaption, "Макс. темп",                                                                         "Max. temp..."},
  {T::TechnologiesCaption,   "Технологии, интерфейсы, функции в процессоре",                                       "Technologies, interfaces, functions in the processor"},
  {T::CloseCaption,          "Закрыть",                                                                            "Close"},
  {T::IdentityHideCaption,   "Скрыть",                                                                             "Hide"},
  {T::LanguageHint,          "Change language to English",                                                         "Изменить язык на русский"},
  {T::TechnologiesHint,      "Перечисление технологий, интерфейсов, \rфункций реализованые в данном \rпроцессоре", "List of technologies, interfaces, \rfunctions implemented in this processor"},
  {T::PcieCaption,           "PCI Express",                                                                        "PCI Express"},
  {T::PcieHint,              "PCI Express \rредакция",                                                             "PCI Express \rRevision"},
  {T::CloseHint,             "Выход из программы",                                                                 "Exit the program"},
  {T::ScreenshotCaption,     "Скриншот",                                                                           "Screenshot"},
  {T::ScreenshotButtonHint,  "Создать скриншот \rпрограммы",                                                       "Create screenshot \rprogram"},

  {T::GraphicsYes,           "Да",                                                                                 "Yes"},
  {T::SegmentDesktop,        "Настольного",                                                                        "Desktop"},
  {T::SegmentDesktopHint,    "Процессор для настольного \rкомпьютера",                                             "Desktop processor"},
  {T::SegmentServer,         "Сервера",                                                                            "Server"},
  {T::SegmentServerHint,     "Процессор для серверного \rкомпьютера",                                              "Server computer processor"},
  // Englang leaves an embedded processor's segment as it finds it.
  {T::SegmentEmbedded,       "Встроенного",                                                                        nullptr},
  {T::SegmentEmbeddedHint,   "Процессор встроенный",                                                               nullptr},
  {T::SegmentMobile,         "Мобильного",                                                                         "Mobile"},
  {T::SegmentMobileHint,     "Процессор для мобильного \rкомпьютера",                                              "Mobile computer processor"},

  {T::Unknown,               "Неизвестно",                                                                         "Unknown"},
  {T::NoRecord,              "Информации о данном процессоре нет в базе программы.",                               "Unknown in database"},
  {T::Lga1150NoRecord,       "Нет данных в нашей базе",                                                            "Unknown in database"},
  {T::NoProcessorCaption,    "Нет данных",                                                                         "Unknown CPU"},
  {T::NoProcessorHint,       "Неопределен процессор",                                                              "Unknown CPU"},
  {T::NoProcessorQrHint,     "Возможно появилась новая \rверсия программы у нас \rна сайте, в котором есть \rинформация о вашем процессоре", "Unknown CPU"},

  {T::AboutClose,            "Закрыть",                                                                            "Close"},
  {T::AboutSite,             "Сайт программы",                                                                     "Site program"},
  {T::AboutCaptionStart,     "О программе ",                                                                       "About "},

  {T::NameBrandString,       "Полное название процессора",                                                         "Full name of the processor"},
  {T::NameFrontPhoto,        "Открыть страницу с фото процессора",                                                 "Open the front photo's page"},
  {T::NameBackPhoto,         "Открыть страницу с фото обратной стороны процессора",                                "Open the back photo's page"},
  {T::NameQrCode,            "Открыть страницу с подробной информацией о процессоре",                              "Open the processor's detailed page"},
  {T::NameBadge,             "Официальный значок процессора",                                                      "Official processor icon"},
  {T::NameIdentityButton,    "Показать или скрыть семейство, модель и степпинг",                                   "Show or hide family, model and stepping"},
  {T::NameAboutButton,       "О программе",                                                                        "About the program"},
  {T::NameScreenshotButton,  "Сохранить скриншот окна",                                                            "Save a screenshot of the window"},
  {T::NameIdentityPanel,     "Семейство, модель и степпинг процессора",                                            "Processor family, model and stepping"},
  {T::NameSiteLink,          "Открыть сайт программы",                                                             "Open the program's web site"},

  {T::SourceExtended,        "Данные из расширенной таблицы (процессора нет в каталоге)",                          "Data from the extended table (the processor is not in the catalogue)"},
  {T::SourceMachine,         "Данные сообщила сама система (процессора нет в таблицах)",                           "Data reported by the system itself (the processor is in no table)"},
  {T::SourceBrand,           "Данные по названию, семейству и модели процессора (модели нет в таблицах)",          "Data by the brand string and the processor's family and model (the model is in no table)"},

  {T::InfoBrandCaption,      "Наименование",  "Brand string"},
  {T::InfoSourceCaption,     "Источник данных",  "Data source"},
  // A hybrid's cores by kind: "Типы ядер: производительные 6, энергоэффективные 8, ..."
  {T::CoreTypesCaption,      "Типы ядер",  "Core types"},
  {T::CoreTypesPerformance,  "производительные",  "performance"},
  {T::CoreTypesEfficient,    "энергоэффективные",  "efficient"},
  {T::CoreTypesLowPower,     "энергоэффективные малого потребления",  "low-power efficient"},
  {T::ExplainTitle, "Идентификация", "Identification"},
  {T::ExplainBrand, "Наименование", "Brand string"},
  {T::ExplainLength, "длина", "length"},
  {T::ExplainKeyRules, "Правила ключа модели", "Model-key rules"},
  {T::ExplainNoKeyRule, "ни одно не сработало", "none fired"},
  {T::ExplainChainShortBrand, "не применялись: в наименовании не больше 10 символов", "not run: the brand string has 10 characters or fewer"},
  {T::ExplainChainKeyGiven, "не применялись: ключ задан (--key)", "not run: the key was given (--key)"},
  {T::ExplainRule, "правило", "rule"},
  {T::ExplainSuffix, "суффикс", "suffix"},
  {T::ExplainPattern, "образец", "pattern"},
  {T::ExplainNoPattern, "без образца", "no pattern"},
  {T::ExplainOverwritten, "(перезаписано позже)", "(overwritten later)"},
  {T::ExplainBadgeLeft, "значок слева", "badge left"},
  {T::ExplainModelKey, "Ключ модели", "Model key"},
  {T::ExplainCatalogue, "Каталог", "Catalogue"},
  {T::ExplainEntry, "запись", "entry"},
  {T::ExplainKey, "ключ", "key"},
  {T::ExplainNoEntry, "нет записи", "no entry"},
  {T::ExplainBadgeRules, "Правила значка", "Badge rules"},
  {T::ExplainNoBadgeRule, "ни одно не выполнилось", "none held"},
  {T::ExplainBadge, "значок", "badge"},
  {T::ExplainBadgeHeading, "Значок", "Badge"},
  {T::ExplainLeft, "слева", "left"},
  {T::ExplainTop, "сверху", "top"},
  {T::ExplainDecidesBadge, "(решает значок)", "(decides the badge)"},
  {T::ExplainDecidesLeft, "(решает положение)", "(decides the left)"},
  {T::ExplainDecidesBoth, "(решает значок и положение)", "(decides the badge and the left)"},
  {T::ExplainNoBadge, "нет", "none"},
  {T::ExplainCorrections, "Поправки", "Corrections"},
  {T::ExplainNoCorrection, "нет", "none"},
  {T::ExplainBaseClock, "базовая частота, в наименовании есть", "base clock, the brand string contains"},
  {T::ExplainLga1150Fill, "заполнение пустых полей LGA1150", "LGA1150 fill-in of empty fields"},
  {T::ExplainNothingFilled, "пустых полей нет", "no field was empty"},
  {T::ExplainNoProcessor, "оформление без процессора", "no-processor dressing"},
  {T::ExplainLanguage, "Язык", "Language"},
  {T::ExplainStored, "сохранено", "stored"},
  {T::ExplainNothingStored, "ничего не сохранено", "nothing stored"},
  {T::ExplainIndex, "индекс", "index"},
  {T::ExplainRoutine, "процедура", "routine"},
  {T::ExplainNoRoutine, "процедура не выполнялась", "no routine ran"},
  {T::ExplainModelNumber, "Номер модели", "Model number"},
  {T::ExplainReadBy, "прочитан правилом", "read by rule"},
  {T::ExplainNoModelNumber, "не прочитан", "none read"},
  {T::ExplainShown, "в поле процессора", "processor field"},
  {T::ExplainExtendedTable, "Расширенная таблица", "Extended table"},
  {T::ExplainLineAndClock, "Линейка и частота в названии", "Line and clock in the brand string"},
  {T::ExplainDie, "Кристалл по семейству и модели", "Die by family and model"},
  {T::ExplainDieUncertain, "(таблица не различает эти кристаллы)", "(the table cannot tell these dies apart)"},
  {T::ExplainCandidates, "Строк с этой линейкой, частотой и кристаллом", "Rows of that line, clock and die"},
  {T::ExplainNone, "нет", "none"},
  {T::ExplainRowFound, "строка есть", "row found"},
  {T::ExplainNoRow, "строки нет", "no row"},
  {T::ExplainRefined, "заменяет ключ каталога, который лишь приближает его:", "replaces a catalogue key that only approximates it:"},
  {T::ExplainSource, "Источник данных", "Source"},
  {T::ExplainNoSource, "нет", "none"},
  {T::CheckHeading, "Проверка по этой машине", "Check against this machine"},
  {T::CheckRunsAsSpecified, "процессор работает так, как указано в паспорте", "the processor runs as its sheet says"},
  {T::CheckFactMachine, "Машина", "Machine"},
  {T::CheckFactCores, "Ядра", "Cores"},
  {T::CheckFactThreads, "Потоки", "Threads"},
  {T::CheckFactCpus, "Доступные процессоры", "Usable processors"},
  {T::CheckFactTurbo, "Турбо-частота", "Turbo clock"},
  {T::CheckFactBase, "Базовая частота", "Base clock"},
  {T::CheckFactTechnologies, "Технологии", "Technologies"},
  {T::CheckFactL3, "Кэш L3", "L3 cache"},
  {T::CheckFactIdentity, "Кристалл", "Silicon"},
  {T::FindVirtualMachine, "работает в виртуальной машине: {machine}", "runs in a virtual machine: {machine}"},
  {T::FindFewer, "{machine} вместо {sheet} по паспорту", "{machine} instead of the sheet's {sheet}"},
  {T::FindUsable, "программе доступно {machine} из {sheet}", "the program may use {machine} of {sheet}"},
  {T::FindTurboOff, "турбо-частота {sheet} недоступна", "the turbo clock of {sheet} is not reached"},
  {T::FindClockBelow, "наибольшая частота {machine} ниже турбо-частоты {sheet}", "the highest clock, {machine}, is below the turbo clock of {sheet}"},
  {T::FindBaseClock, "в строке бренда {machine}, в паспорте {sheet}", "the brand string says {machine}, the sheet {sheet}"},
  {T::FindTechMissing, "нет {sheet}", "missing: {sheet}"},
  {T::FindTechMore, "машина предлагает также {machine}", "the machine also offers {machine}"},
  {T::FindIdentity, "строка бренда называет {sheet}, а кристалл - {machine} ({detail})", "the brand string names {sheet}, the silicon is {machine} ({detail})"},
  {T::ReasonHypervisor, "гипервизор решает, какие процессоры, частоты и технологии видит система", "the hypervisor decides which processors, clocks and technologies the system sees"},
  {T::ReasonVirtualCpus, "виртуальная машина ({detail}) показывает только свои виртуальные процессоры", "the virtual machine ({detail}) shows only its virtual processors"},
  {T::ReasonMaxcpus, "ядро системы запущено с maxcpus={detail}", "the kernel was started with maxcpus={detail}"},
  {T::ReasonOffline, "часть процессоров отключена ({detail})", "some processors are switched off ({detail})"},
  {T::ReasonFewer, "система видит меньше: вероятно, отключено в BIOS", "the system sees fewer: likely switched off in the firmware setup"},
  {T::ReasonSmtOff, "SMT (Hyper-Threading) отключён в системе ({detail})", "SMT (hyper-threading) is switched off in the system ({detail})"},
  {T::ReasonSmtFirmware, "SMT (Hyper-Threading) отключён в BIOS: по одному логическому процессору на ядро", "SMT (hyper-threading) is switched off in the firmware: one logical processor per core"},
  {T::ReasonQuota, "ограничение процессора для контейнера (cpu.max {detail})", "the container's CPU limit (cpu.max {detail})"},
  {T::ReasonCpuset, "набор процессоров контейнера (cpuset.cpus.effective {detail})", "the container's CPU set (cpuset.cpus.effective {detail})"},
  {T::ReasonTurboOff, "турбо-режим отключён ({detail})", "turbo is switched off ({detail})"},
  {T::ReasonClockLimit, "частота ограничена ({detail})", "the clock is limited ({detail})"},
  {T::ReasonClockBelow, "ограничение прошивки или настроек питания", "a limit of the firmware or the power settings"},
  {T::ReasonBrandChanged, "строку бренда могла записать прошивка, или это инженерный образец либо перемаркированный процессор", "the brand string may have been written by the firmware, or the processor is an engineering sample or relabelled"},
  {T::ReasonVirtTaken, "гипервизор ({detail}) оставил аппаратную виртуализацию себе", "the hypervisor ({detail}) keeps hardware virtualisation to itself"},
  {T::ReasonVirtOff, "отключено в BIOS/UEFI", "switched off in the firmware (BIOS/UEFI setup)"},
  {T::ReasonHiddenByHypervisor, "скрыто гипервизором ({detail})", "hidden by the hypervisor ({detail})"},
  {T::ReasonVectorsOff, "отключено операционной системой или прошивкой", "switched off by the operating system or the firmware"},
  {T::ReasonTsxOff, "TSX отключают обновления микрокода и ядро как защиту от атак", "microcode updates and the kernel switch TSX off against attacks"},
  {T::ReasonNotOffered, "система их не предлагает", "the system does not offer them"},
  {T::ReasonSheetOmits, "паспорт их не перечисляет", "the sheet does not list them"},
  {T::ReasonL3Smaller, "часть кэша отключена, или это урезанный процессор", "part of the cache is switched off, or the processor is a cut-down part"},
  {T::ReasonL3Virtual, "гипервизор ({detail}) сообщает свои размеры кэша", "the hypervisor ({detail}) reports cache sizes of its own"},
  {T::ExplainCheck, "Проверка по машине", "Check against the machine"},
  {T::ExplainCheckNothing, "всё совпадает", "everything agrees"},
};
// clang-format on

// Row i holds entry i, so that an entry is found by its number.
constexpr bool inEntryOrder() {
  for (std::size_t i = 0; i < std::size(kTable); ++i)
    if (static_cast<std::size_t>(kTable[i].id) != i) return false;
  return std::size(kTable) == static_cast<std::size_t>(T::Count);
}
static_assert(inEntryOrder(), "one row per entry, in the order of TextId");

}  // namespace

std::span<const Translation> translations() { return kTable; }

std::string_view textOf(TextId id, Language language) {
  const Translation& row = kTable[static_cast<std::size_t>(id)];
  const char* words = language == Language::Russian ? row.russian : row.english;
  return words ? std::string_view(words) : std::string_view();
}

std::string aboutCaption(Language language) {
  return std::string(textOf(TextId::AboutCaptionStart, language)) + site::nameAndVersion();
}

}  // namespace wexmora
