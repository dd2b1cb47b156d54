// ruslang and Englang: the text table in both languages, the fill-ins, the
// no-processor dress, the segment translations and switching back and forth.
#include "core/window/localisation.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <utility>
#include <vector>

#include "core/pass/handlers.h"

namespace wexmora {
namespace {

// A form with an identified processor, so that only the table speaks.
TForm15 identified() {
  TForm15 form;
  form["Edit7"].text = "i5-8400";
  return form;
}

TEST(Localisation, BothLanguagesSetTheSameControls) {
  const TForm15 form;
  std::set<std::pair<std::string, TextProperty>> seen;
  for (const auto& row : interfaceTexts()) {
    EXPECT_TRUE(form.has(row.control)) << row.control;
    EXPECT_FALSE(textOf(row.text, Language::Russian).empty()) << row.control;
    EXPECT_FALSE(textOf(row.text, Language::English).empty()) << row.control;
    EXPECT_TRUE(seen.insert({row.control, row.property}).second) << row.control << " twice";
  }
  EXPECT_EQ(interfaceTexts().size(), 49u);
}

struct StepCase {
  bool russian;
  TextStep step;
  const char* first;  // control of the step's first row
  const char* last;   // control of its last row
  std::size_t rows;
};

// Each step sets one unbroken run of the table, from the first to the last
// control its routine's description names.
TEST(Localisation, EveryStepSetsOneRunOfTheTable) {
  const StepCase cases[] = {
      {true, TextStep::PhotoHints, "Image2", "Image3", 2},
      {true, TextStep::BeforeAnswer, "Label22", "Label28", 11},
      {true, TextStep::AfterAnswer, "Edit11", "Button2", 34},
      {true, TextStep::AfterSegment, nullptr, nullptr, 0},
      {true, TextStep::Screenshot, "Label11", "SpeedButton3", 2},
      {false, TextStep::PhotoHints, "Image2", "Image3", 2},
      {false, TextStep::BeforeAnswer, "Label22", "Label7", 13},
      {false, TextStep::AfterAnswer, "Edit7", "Edit17", 11},
      {false, TextStep::AfterSegment, "Label17", "Button2", 21},
      {false, TextStep::Screenshot, "Label11", "SpeedButton3", 2},
  };
  const auto texts = interfaceTexts();
  for (const StepCase& c : cases) {
    SCOPED_TRACE(std::string(c.russian ? "ruslang " : "Englang ") + std::to_string(static_cast<int>(c.step)));
    std::vector<std::size_t> rows;
    for (std::size_t i = 0; i < texts.size(); ++i)
      if ((c.russian ? texts[i].russianStep : texts[i].englishStep) == c.step) rows.push_back(i);
    ASSERT_EQ(rows.size(), c.rows);
    if (rows.empty()) continue;
    EXPECT_EQ(rows.back() - rows.front() + 1, rows.size()) << "the rows of a step stand together";
    EXPECT_STREQ(texts[rows.front()].control, c.first);
    EXPECT_STREQ(texts[rows.back()].control, c.last);
  }
}

TEST(Localisation, FillInsInTheirOrderAndStep) {
  const std::vector<std::string> order = {"Edit11", "Edit6",  "Edit8",  "Edit9",  "Edit16", "Edit15", "Edit12",
                                          "Edit18", "Edit19", "Edit14", "Edit13", "Edit10", "Edit17"};
  std::vector<std::string> fields, dashes, englishLate;
  for (const FillIn& fill : fillIns()) {
    fields.emplace_back(fill.field);
    if (fill.text == FillText::Dash) dashes.emplace_back(fill.field);
    EXPECT_EQ(fill.russianStep, FillStep::BeforeNoProcessor) << fill.field;
    if (fill.englishStep == FillStep::AfterNoProcessor) englishLate.emplace_back(fill.field);
  }
  EXPECT_EQ(fields, order);
  EXPECT_EQ(dashes, (std::vector<std::string>{"Edit8", "Edit9"}));
  EXPECT_EQ(englishLate, (std::vector<std::string>{"Edit17"}));
}

struct RoutineCase {
  const char* name;
  void (*routine)(TForm15&);
  bool russian;
};

const RoutineCase kRoutines[] = {{"ruslang", ruslang, true}, {"Englang", Englang, false}};

// The technologies list of a processor without a record.
constexpr const char* kNoRecordRussian = "Информации о данном процессоре нет в базе программы.";
constexpr const char* kNoRecordEnglish = "Unknown in database";

struct ControlTextCase {
  const char* control;
  TextProperty property;
  const char* russian;  // what ruslang leaves there
  const char* english;  // what Englang leaves there
};

// The window's texts after each routine, written out as the window shows
// them: one or more rows of every step of both routines, both texts of a
// control that has two, and the selector's hint, which names the other
// language.
TEST(Localisation, EachRoutineLeavesItsLanguagesTexts) {
  using P = TextProperty;
  const ControlTextCase cases[] = {
      {"Image2", P::Hint, "Смотреть фото процессора", "See photo of the processor"},
      {"Label1", P::Hint, "Смотреть фото процессора", "See photo of the processor"},
      {"Label15", P::Hint, "Смотреть фото процессора", "See photo of the processor"},
      {"Image3", P::Hint, "Смотреть фото обратной стороны\rпроцессора", "See photo of the back of the processor"},
      {"Label22", P::Caption, "Подробнее...", "Detailed..."},
      {"Image1", P::Hint, "Официальный значок \rпроцессора", "Official processor icon"},
      {"Label28", P::Caption, "Сокет", "Socket"},
      {"Edit11", P::Hint, "Сокет разъем для процессора", "CPU socket"},
      {"Label7", P::Caption, "Процессор", "CPU"},
      {"Edit7", P::Hint, "Наименование процессора \rустановленого в системе",
       "Name of the processor\rinstalled in the system"},
      {"Label9", P::Caption, "Потоки", "Streams"},
      {"Edit17", P::Hint, "Кэш память 3-го \rуровня", "Level 3 cache"},
      {"Label17", P::Caption, "CPU для", "CPU for"},
      {"Edit19", P::Hint, "Встроиный графический \r процессор", "Integrated Graphics"},
      {"Label10", P::Caption, "Макс. темп", "Max. temp..."},
      {"Button2", P::Caption, "Закрыть", "Close"},
      {"Button2", P::Hint, "Выход из программы", "Exit the program"},
      {"Button3", P::Caption, "Скрыть", "Hide"},
      {"ComboBox1", P::Hint, "Change language to English", "Изменить язык на русский"},
      {"Label24", P::Caption, "PCI Express", "PCI Express"},
      {"Edit16", P::Hint, "PCI Express \rредакция", "PCI Express \rRevision"},
      {"Label11", P::Caption, "Скриншот", "Screenshot"},
      {"SpeedButton3", P::Hint, "Создать скриншот \rпрограммы", "Create screenshot \rprogram"},
  };
  for (const auto& r : kRoutines) {
    SCOPED_TRACE(r.name);
    TForm15 form = identified();
    for (auto& control : form.controls()) control.hint = "stale";
    r.routine(form);
    for (const ControlTextCase& c : cases) {
      const Control& control = form[c.control];
      EXPECT_EQ(c.property == P::Caption ? control.text : control.hint, r.russian ? c.russian : c.english)
          << c.control << (c.property == P::Caption ? " caption" : " hint");
    }
    // What no routine touches.
    EXPECT_EQ(form["Label23"].text, "Languages");
    EXPECT_EQ(form["SpeedButton5"].text, "FMS");
    EXPECT_EQ(form["Edit2"].hint, "stale");
    EXPECT_EQ(form["Edit15"].hint, "stale");
    EXPECT_EQ(form.comboItems, (std::vector<std::string>{"Russian", "English"}));
  }
}

// Whatever a routine sets of the window, the other routine sets too: the two
// languages dress the same controls, identified or not.
TEST(Localisation, BothRoutinesSetTheSameTextsOfTheWindow) {
  using Set = std::set<std::pair<std::string, TextProperty>>;
  const auto changedBy = [](void (*routine)(TForm15&), const TForm15& before) {
    TForm15 after = before;
    routine(after);
    Set changed;
    for (const Control& c : before.controls()) {
      if (after[c.name].text != c.text) changed.insert({c.name, TextProperty::Caption});
      if (after[c.name].hint != c.hint) changed.insert({c.name, TextProperty::Hint});
    }
    return changed;
  };
  for (const bool processor : {true, false}) {
    SCOPED_TRACE(processor ? "identified" : "no processor");
    TForm15 before = processor ? identified() : TForm15();
    // Every text stale but the data fields', which stay empty for the fill-ins.
    for (auto& control : before.controls()) {
      control.hint = "stale";
      if (control.kind != ControlKind::Edit && control.kind != ControlKind::Memo) control.text = "stale";
    }
    const Set russian = changedBy(ruslang, before);
    EXPECT_EQ(russian, changedBy(Englang, before));
    EXPECT_GT(russian.size(), 49u);  // the table's texts and the fill-ins
  }
}

TEST(Localisation, TextsKeepTheirCarriageReturns) {
  TForm15 form = identified();
  ruslang(form);
  EXPECT_EQ(form["Image3"].hint, "Смотреть фото обратной стороны\rпроцессора");
  EXPECT_EQ(form["GroupBox2"].text, "Краткая информация \rо процессоре ");
  Englang(form);
  EXPECT_EQ(form["Edit1"].hint, "Brief information about the \rprocessor installed on the\rcomputer");
  EXPECT_EQ(form["ComboBox1"].hint, "Изменить язык на русский");
}

TEST(Localisation, AboutCaptionOnlyInRussianAndOnlyWhenTheDialogExists) {
  TForm15 form = identified();
  ruslang(form);  // no dialog yet: nothing to do, nothing fails
  TForm4 about;
  form.aboutDialog = &about;
  Englang(form);
  EXPECT_EQ(about.caption, "Wexmora v.1.5");
  ruslang(form);
  EXPECT_EQ(about.caption, "О программе Wexmora v.1.5");
}

TEST(Localisation, FillInsOnlyForEmptyFields) {
  for (const auto& r : kRoutines) {
    SCOPED_TRACE(r.name);
    TForm15 form = identified();
    form["Edit12"].text = " ";  // blanks are not empty
    r.routine(form);
    const std::string unknown = r.russian ? "Неизвестно" : "Unknown";
    for (const char* name :
         {"Edit11", "Edit6", "Edit16", "Edit15", "Edit18", "Edit19", "Edit14", "Edit13", "Edit10", "Edit17"})
      EXPECT_EQ(form[name].text, unknown) << name;
    EXPECT_EQ(form["Edit12"].text, " ");
    EXPECT_EQ(form["Edit8"].text, "-");
    EXPECT_EQ(form["Edit9"].text, "-");
    EXPECT_EQ(form["Memo2"].text, r.russian ? kNoRecordRussian : kNoRecordEnglish);
    for (const char* never : {"Edit1", "Edit5", "Edit2", "Edit3", "Edit4"}) EXPECT_EQ(form[never].text, "") << never;
    EXPECT_EQ(form["Edit7"].text, "i5-8400");
  }
}

struct NoProcessorCase {
  void (*routine)(TForm15&);
  const char* keyCaption;
  std::vector<std::pair<const char*, const char*>> hints;
};

TEST(Localisation, NoProcessorCase) {
  const NoProcessorCase cases[] = {
      {ruslang,
       "Нет данных",
       {{"Image1", "Неопределен процессор"},
        {"Image2", "Неопределен процессор"},
        {"Image3", "Неопределен процессор"},
        {"Image4",
         "Возможно появилась новая \rверсия программы у нас \rна сайте, в котором есть \rинформация о "
         "вашем процессоре"}}},
      {Englang,
       "Unknown CPU",
       {{"Image1", "Official processor icon"},
        {"Image2", "Unknown CPU"},
        {"Image3", "Unknown CPU"},
        {"Image4", "Unknown CPU"}}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.keyCaption);
    TForm15 form;
    form["Label14"].text = "2.80 GHz";
    c.routine(form);
    EXPECT_EQ(form["Edit7"].text, "-");
    EXPECT_EQ(form["Label1"].text, c.keyCaption);
    EXPECT_EQ(form["Label14"].text, "");
    EXPECT_EQ(form["Label15"].text, "");
    for (const auto& [image, hint] : c.hints) EXPECT_EQ(form[image].hint, hint) << image;
    EXPECT_EQ(form["Image1"].picture, (Picture{PictureSource::Badges, 46}));
    EXPECT_EQ(form["Image4"].picture, (Picture{PictureSource::Badges, 47}));
    EXPECT_EQ(form["Image1"].top, 3);
    EXPECT_EQ(form["Image1"].width, 128);
    EXPECT_EQ(form["Image4"].height, 128);
  }
}

struct SegmentCase {
  const char* stored;
  const char* russianText;
  const char* russianHint;
  const char* englishText;
  const char* englishHint;
};

TEST(Localisation, SegmentTranslations) {
  // "" hint: the field's hint stays as it was (empty in the design).
  const SegmentCase cases[] = {
      {"Desktop", "Настольного", "Процессор для настольного \rкомпьютера", "Desktop", "Desktop processor"},
      {"Server", "Сервера", "Процессор для серверного \rкомпьютера", "Server", "Server computer processor"},
      {"Embedded", "Встроенного", "Процессор встроенный", "Embedded", ""},
      {"Workstation", "Workstation", "", "Workstation", ""},
      {"Entry Server", "Сервера", "Процессор для серверного \rкомпьютера", "Entry Server", ""},
      {"server", "server", "", "server", ""},
      {"Настольного", "Настольного", "", "Desktop", "Desktop processor"},
      {"Сервера", "Сервера", "", "Server", "Server computer processor"},
      {"", "Неизвестно", "", "Unknown", ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.stored);
    TForm15 ru = identified();
    ru["Edit15"].text = c.stored;
    ruslang(ru);
    EXPECT_EQ(ru["Edit15"].text, c.russianText);
    EXPECT_EQ(ru["Edit15"].hint, c.russianHint);
    TForm15 en = identified();
    en["Edit15"].text = c.stored;
    Englang(en);
    EXPECT_EQ(en["Edit15"].text, c.englishText);
    EXPECT_EQ(en["Edit15"].hint, c.englishHint);
  }
}

struct AnswerCase {
  const char* stored;
  const char* russian;
  const char* english;
};

TEST(Localisation, GraphicsAnswerSwaps) {
  const AnswerCase cases[] = {{"Yes", "Да", "Yes"},
                              {"Да", "Да", "Yes"},
                              {"Intel UHD Graphics 630", "Intel UHD Graphics 630", "Intel UHD Graphics 630"},
                              {"yes", "yes", "yes"}};
  for (const auto& c : cases) {
    TForm15 ru = identified();
    ru["Edit19"].text = c.stored;
    ruslang(ru);
    EXPECT_EQ(ru["Edit19"].text, c.russian) << c.stored;
    TForm15 en = identified();
    en["Edit19"].text = c.stored;
    Englang(en);
    EXPECT_EQ(en["Edit19"].text, c.english) << c.stored;
  }
}

TEST(Localisation, SwitchingBackAndForth) {
  TForm15 form;  // no model key
  form["Edit15"].text = "Embedded";
  form["Edit19"].text = "Yes";
  form["Edit11"].text = "LGA1151";
  applyPassLanguage(form);  // index 0: Russian

  form.comboIndex = 1;
  ComboBox1Click(form);
  EXPECT_EQ(form["Button2"].text, "Close");
  EXPECT_EQ(form["Edit19"].text, "Yes");
  EXPECT_EQ(form["Edit15"].text, "Встроенного");
  EXPECT_EQ(form["Edit15"].hint, "Процессор встроенный");
  EXPECT_EQ(form["Edit6"].text, "Неизвестно");  // fill-ins are never translated
  EXPECT_EQ(form["Memo2"].text, kNoRecordRussian);
  EXPECT_EQ(form["Label1"].text, "Нет данных");  // the first language's no-data caption stays
  EXPECT_EQ(form["Edit7"].text, "-");
  EXPECT_EQ(form["Image1"].picture, (Picture{PictureSource::Badges, 46}));
  EXPECT_EQ(form["Image4"].picture, (Picture{PictureSource::Badges, 47}));
  EXPECT_EQ(form["Image1"].hint, "Official processor icon");
  EXPECT_EQ(form["Image2"].hint, "See photo of the processor");
  EXPECT_EQ(form["Image4"].hint, "More detailed information about\rthe processor is on our website");

  form.comboIndex = 0;
  ComboBox1Click(form);
  EXPECT_EQ(form["Button2"].text, "Закрыть");
  EXPECT_EQ(form["Edit19"].text, "Да");
  EXPECT_EQ(form["Edit15"].text, "Встроенного");
  EXPECT_EQ(form["Label1"].text, "Нет данных");
  EXPECT_EQ(form["Image1"].hint, "Официальный значок \rпроцессора");
}

TEST(Localisation, EnglishFirstThenRussianKeepsTheEnglishFillIns) {
  TForm15 form;
  form["Edit15"].text = "Desktop";
  form.comboIndex = 1;
  applyPassLanguage(form);
  EXPECT_EQ(form["Label1"].text, "Unknown CPU");
  form.comboIndex = 0;
  ComboBox1Click(form);
  EXPECT_EQ(form["Edit6"].text, "Unknown");
  EXPECT_EQ(form["Memo2"].text, kNoRecordEnglish);
  EXPECT_EQ(form["Label1"].text, "Unknown CPU");
  EXPECT_EQ(form["Edit15"].text, "Настольного");
}

TEST(Localisation, NoRoutineAtStartThenTheFirstPickDressesTheWindow) {
  TForm15 form;
  form.comboIndex = -1;
  applyPassLanguage(form);
  EXPECT_EQ(form["Edit7"].text, "");
  EXPECT_EQ(form["Label7"].text, "Процессор");  // design texts
  EXPECT_EQ(form["Edit6"].text, "");
  form.comboIndex = 1;
  ComboBox1Click(form);
  EXPECT_EQ(form["Edit7"].text, "-");
  EXPECT_EQ(form["Edit6"].text, "Unknown");
}

}  // namespace
}  // namespace wexmora
