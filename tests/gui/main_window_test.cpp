#include "views/qt/main_window.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <QApplication>
#include <QFontMetricsF>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QToolButton>
#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <map>
#include <memory>
#include <vector>

#include "support/application.h"
#include "support/fakes.h"
#include "support/jpeg_header.h"
#include "views/qt/about_window.h"
#include "views/qt/fonts.h"
#include "views/qt/form_view.h"

namespace wexmora::qt {
namespace {

namespace fs = std::filesystem;

const auto* const kEnvironment = wexmora::testing::addApplication<QApplication>();

void application() { ASSERT_NE(QApplication::instance(), nullptr); }

// The English captions, set by hand: the longest texts the window carries.
const std::pair<const char*, const char*> kEnglishCaptions[] = {
    {"Label22", "Detailed..."},
    {"GroupBox2", "Brief information about the processor"},
    {"Label3", "Model"},
    {"Label4", "Stepping"},
    {"Label2", "Family"},
    {"Label28", "Socket"},
    {"Label7", "CPU"},
    {"Label5", "Base frequency"},
    {"Label6", "Turbo frequency"},
    {"Label8", "Cores"},
    {"Label9", "Streams"},
    {"Label25", "L3 cache"},
    {"Label17", "CPU for"},
    {"Label12", "Codename"},
    {"Label26", "Processor model"},
    {"Label27", "Integrated GPU"},
    {"Label16", "Supported memory"},
    {"Label13", "Lithography"},
    {"Label10", "Max. temp..."},
    {"Label18", "Technologies, interfaces, functions in the processor"},
    {"Button2", "Close"},
    {"Button3", "Hide"},
    {"Label11", "Screenshot"},
    {"Label1", "Unknown CPU"},
    {"Label14", "2.80 GHz"},
    {"Label15", "LGA1151 V2"},
};

struct Services {
  testing::RecordingUrlOpener opener;
  testing::FakeSettingsStore settings;
};

int textWidth(const QWidget* widget, const std::string& text) {
  return static_cast<int>(std::ceil(QFontMetricsF(widget->font()).horizontalAdvance(QString::fromStdString(text))));
}

void expectLaidOutAsModel(TForm15& form, MainWindow& window) {
  for (const Control& c : form.controls()) {
    SCOPED_TRACE(c.name);
    const QWidget* widget = window.control(c.name);
    ASSERT_NE(widget, nullptr);
    const QRect g = widget->geometry();
    EXPECT_EQ(g.x(), c.left);
    EXPECT_EQ(g.y(), c.top);
    EXPECT_EQ(widget->isVisibleTo(&window), c.visible);
    EXPECT_EQ(widget->parentWidget(), c.parent.empty() ? &window : window.control(c.parent));
    if (c.kind != ControlKind::Label) {
      EXPECT_EQ(g.size(), QSize(c.width, c.height));
      continue;
    }
    // Labels show their whole text, inside their parent.
    const int needed = textWidth(widget, c.text);
    EXPECT_GE(g.width(), needed) << c.text;
    EXPECT_GE(g.height(), c.height);
    if (c.width > 0 && needed <= c.width && c.name != "Label1" && c.name != "Label14" && c.name != "Label15") {
      EXPECT_EQ(g.width(), c.width);
    }
    if (c.width == 0) {
      EXPECT_EQ(g.width(), needed);
    }
    if (!c.parent.empty()) {
      EXPECT_LE(g.right(), window.control(c.parent)->width()) << c.text << " runs out of its frame";
    }
  }
  // Captions of buttons and frames fit as well.
  for (const char* name : {"Button2", "Button3", "GroupBox2"}) {
    const QWidget* widget = window.control(name);
    EXPECT_LT(textWidth(widget, form[name].text), widget->width() - 4) << name;
  }
  const QWidget* fms = window.control("SpeedButton5");
  EXPECT_LE(textWidth(fms, form["SpeedButton5"].text), fms->width());
}

TEST(MainWindowLayout, EveryControlWhereTheModelSaysInBothLanguages) {
  application();
  TForm15 form;
  Services services;
  form["Panel1"].visible = true;  // its controls must be laid out as well
  MainWindow window(form, services.opener, services.settings);
  expectLaidOutAsModel(form, window);
  for (const auto& [name, text] : kEnglishCaptions) form[name].text = text;
  window.syncFromModel();
  expectLaidOutAsModel(form, window);
  EXPECT_EQ(static_cast<QGroupBox*>(window.control("GroupBox2"))->title(), "Brief information about the processor");
  EXPECT_EQ(static_cast<QLabel*>(window.control("Label18"))->text(),
            "Technologies, interfaces, functions in the processor");
}

TEST(MainWindowLayout, ClientSizeFollowsTheOuterSize) {
  application();
  TForm15 form;
  Services services;
  MainWindow window(form, services.opener, services.settings);
  EXPECT_EQ(window.size(), QSize(468, 357));
  form.height = TForm15::kPassHeight;
  window.syncFromModel();
  EXPECT_EQ(window.size(), QSize(468, 358));
  EXPECT_EQ(window.windowTitle().toStdString(), form.caption);
}

TEST(MainWindowLayout, HintsBecomeTooltipsWithLineBreaks) {
  application();
  TForm15 form;
  Services services;
  MainWindow window(form, services.opener, services.settings);
  const std::pair<const char*, const char*> cases[] = {
      {"Смотреть фото процессора \r\n", "Смотреть фото процессора "},
      {"Модель \rпроцессора", "Модель \nпроцессора"},
      {"a\r\nb\rc", "a\nb\nc"},
      {"", ""},
  };
  for (const auto& [hint, tooltip] : cases) {
    form["Edit18"].hint = hint;
    window.syncFromModel();
    EXPECT_EQ(window.control("Edit18")->toolTip().toStdString(), tooltip);
  }
}

// Captions are single lines in both views: a carriage return or a line feed
// in a caption is dropped, never shown as a second line.
TEST(MainWindowLayout, CaptionsShowOnOneLine) {
  application();
  TForm15 form;
  Services services;
  MainWindow window(form, services.opener, services.settings);
  const std::pair<const char*, const char*> cases[] = {
      {"Краткая информация \rо процессоре ", "Краткая информация о процессоре "},
      {"a\r\nb\n", "ab"},
      {"Скриншот", "Скриншот"},
  };
  for (const auto& [caption, shown] : cases) {
    form["Label11"].text = caption;
    form["GroupBox2"].text = caption;
    window.syncFromModel();
    EXPECT_EQ(static_cast<QLabel*>(window.control("Label11"))->text().toStdString(), shown);
    EXPECT_EQ(static_cast<QGroupBox*>(window.control("GroupBox2"))->title().toStdString(), shown);
  }
}

void moveOver(QWidget* widget, QPoint position) {
  QMouseEvent move(QEvent::MouseMove, position, widget->mapToGlobal(position), Qt::NoButton, Qt::NoButton,
                   Qt::NoModifier);
  QApplication::sendEvent(widget, &move);
}

void press(QWidget* widget, QEvent::Type type, QPoint position = {3, 3}) {
  QMouseEvent event(type, position, widget->mapToGlobal(position), Qt::LeftButton,
                    type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier);
  QApplication::sendEvent(widget, &event);
}

TEST(MainWindowEvents, HoverShiftsThroughTheWidgets) {
  application();
  TForm15 form;
  Services services;
  MainWindow window(form, services.opener, services.settings);
  struct Step {
    const char* over;
    QPoint at;
    QPoint image2, label1, speedButton5;
  };
  const Step steps[] = {
      {"Image2", {40, 10}, {12, 21}, {23, 63}, {382, 16}},
      {"Label22", {2, 2}, {12, 21}, {23, 63}, {382, 16}},  // a label has no handler
      {"SpeedButton5", {5, 5}, {12, 21}, {23, 63}, {385, 18}},
      {"GroupBox1", {4, 300}, {11, 18}, {22, 59}, {382, 16}},  // background: back to rest
  };
  for (const Step& step : steps) {
    SCOPED_TRACE(step.over);
    moveOver(window.control(step.over), step.at);
    EXPECT_EQ(window.control("Image2")->pos(), step.image2);
    EXPECT_EQ(window.control("Label1")->pos(), step.label1);
    EXPECT_EQ(window.control("SpeedButton5")->pos(), step.speedButton5);
  }
}

TEST(MainWindowEvents, FmsButtonAndHideButton) {
  application();
  TForm15 form;
  Services services;
  MainWindow window(form, services.opener, services.settings);
  auto* fms = static_cast<QToolButton*>(window.control("SpeedButton5"));
  auto* hide = static_cast<QPushButton*>(window.control("Button3"));
  const std::pair<QAbstractButton*, bool> steps[] = {
      {fms, true}, {fms, false}, {hide, false}, {fms, true}, {hide, false}};
  for (const auto& [button, visible] : steps) {
    button->click();
    EXPECT_EQ(form["Panel1"].visible, visible);
    EXPECT_EQ(window.control("Panel1")->isVisibleTo(&window), visible);
  }
}

TEST(MainWindowEvents, AboutButtonShowsHidesAndPlacesTheDialog) {
  application();
  TForm15 form;
  Services services;
  form.left = 200;
  form.top = 100;
  form.comboIndex = 1;
  TForm4 about;
  form.aboutDialog = &about;
  MainWindow window(form, services.opener, services.settings);
  AboutWindow aboutWindow(about, form, services.opener);
  window.setAboutWindow(&aboutWindow);
  window.show();
  auto* button = static_cast<QToolButton*>(window.control("SpeedButton4"));
  button->click();
  EXPECT_TRUE(aboutWindow.isVisible());
  EXPECT_EQ(aboutWindow.frameGeometry().topLeft(), window.frameGeometry().topLeft() + QPoint(95, 145));
  EXPECT_EQ(aboutWindow.windowTitle(), "About Wexmora v.1.5");
  EXPECT_EQ(static_cast<QPushButton*>(aboutWindow.control("Button1"))->text(), "Close");
  button->click();
  EXPECT_FALSE(aboutWindow.isVisible());
  EXPECT_EQ(about.left, form.left + 95);
  static_cast<QPushButton*>(aboutWindow.control("Button2"))->click();
  ASSERT_EQ(services.opener.opened.size(), 1u);
  EXPECT_EQ(aboutWindow.size(), QSize(306, 122));
}

TEST(MainWindowEvents, AboutWindowIsMadeWhenFirstShown) {
  application();
  TForm15 form;
  Services services;
  TForm4 about;
  form.aboutDialog = &about;
  MainWindow window(form, services.opener, services.settings);
  std::unique_ptr<AboutWindow> aboutWindow;
  int made = 0;
  window.setAboutWindow([&] {
    if (!aboutWindow) {
      aboutWindow = std::make_unique<AboutWindow>(about, form, services.opener);
      ++made;
    }
    return aboutWindow.get();
  });
  window.show();
  EXPECT_EQ(made, 0);
  auto* button = static_cast<QToolButton*>(window.control("SpeedButton4"));
  const bool shown[] = {true, false, true};
  for (const bool visible : shown) {
    button->click();
    ASSERT_NE(aboutWindow, nullptr);
    EXPECT_EQ(aboutWindow->isVisible(), visible);
    EXPECT_EQ(about.visible, visible);
  }
  EXPECT_EQ(made, 1);
  EXPECT_EQ(aboutWindow->frameGeometry().topLeft(), window.frameGeometry().topLeft() + QPoint(95, 145));
}

// The widgets of a window, made in its design table's order: each inside its
// parent, siblings stacked in table order, each in its control's font.
void expectMadeAsDesigned(const Form& form, const QWidget& root, const std::function<QWidget*(std::string_view)>& of) {
  std::map<const QWidget*, std::vector<const QWidget*>> expectedChildren;
  for (const Control& c : form.controls()) {
    SCOPED_TRACE(c.name);
    const QWidget* widget = of(c.name);
    ASSERT_NE(widget, nullptr);
    const QWidget* parent = c.parent.empty() ? &root : of(c.parent);
    EXPECT_EQ(widget->parentWidget(), parent);
    expectedChildren[parent].push_back(widget);
    const QFont font = controlFont(c.style.font);
    EXPECT_EQ(widget->font().family(), font.family());
    EXPECT_EQ(widget->font().pixelSize(), font.pixelSize());
  }
  for (const auto& [parent, expected] : expectedChildren) {
    std::vector<const QWidget*> stacked;
    for (const QObject* child : parent->children())
      if (std::find(expected.begin(), expected.end(), child) != expected.end())
        stacked.push_back(static_cast<const QWidget*>(child));
    EXPECT_EQ(stacked, expected) << "stacking order under " << parent->objectName().toStdString();
  }
}

TEST(WindowWidgets, MadeInTheirParentsInDesignOrderWithTheirFonts) {
  application();
  TForm15 form;
  TForm4 about;
  Services services;
  MainWindow window(form, services.opener, services.settings);
  AboutWindow aboutWindow(about, form, services.opener);
  expectMadeAsDesigned(form, window, [&](std::string_view name) { return window.control(name); });
  expectMadeAsDesigned(about, aboutWindow, [&](std::string_view name) { return aboutWindow.control(name); });
}

class ScriptedDialog : public SaveDialogRunner {
 public:
  explicit ScriptedDialog(TForm15& form) : form_(form) {}
  std::optional<SaveChoice> run(const SavePictureDialog&) override {
    captionLeftWhileSaving = form_["Label11"].left;
    return answer;
  }
  std::optional<SaveChoice> answer;
  int captionLeftWhileSaving = 0;

 private:
  TForm15& form_;
};

std::pair<int, int> jpegSize(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  const std::vector<std::uint8_t> data{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  const auto header = wexmora::testing::readJpegHeader(data);
  return {header.width, header.height};
}

TEST(MainWindowScreenshot, CaptionClickSavesTheWindowWithItsFrame) {
  application();
  const fs::path dir = fs::temp_directory_path() / ("wexmora-shot-" + std::to_string(::getpid()));
  fs::create_directories(dir);
  TForm15 form;
  form.height = TForm15::kPassHeight;
  Services services;
  MainWindow window(form, services.opener, services.settings);
  ScriptedDialog dialog(form);
  dialog.answer = SaveChoice{(dir / "Screen").string(), 2};
  window.setSaveDialogRunner(&dialog);
  std::vector<QString> errors;
  window.setErrorReporter([&](const QString& message) { errors.push_back(message); });
  window.show();

  QWidget* caption = window.control("Label11");
  press(caption, QEvent::MouseButtonPress);
  EXPECT_EQ(caption->x(), 372);
  press(caption, QEvent::MouseButtonRelease);
  EXPECT_EQ(dialog.captionLeftWhileSaving, 372);
  EXPECT_EQ(caption->x(), 370);
  EXPECT_EQ(form["Label11"].left, 370);
  EXPECT_TRUE(errors.empty());
  EXPECT_EQ(jpegSize(dir / "Screen.jpg"), std::make_pair(474, 389));

  // A file that cannot be written is reported once and leaves nothing.
  std::ofstream(dir / "plain-file") << "x";
  dialog.answer = SaveChoice{(dir / "plain-file" / "Screen.jpg").string(), 2};
  static_cast<QToolButton*>(window.control("SpeedButton3"))->click();
  EXPECT_EQ(errors.size(), 1u);
  EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 2);
  fs::remove_all(dir);
}

TEST(MainWindowEvents, LanguageSwitchThatCannotBeStoredIsReported) {
  application();
  TForm15 form;
  Services services;
  services.settings.failWrites = true;
  MainWindow window(form, services.opener, services.settings);
  std::vector<QString> errors;
  window.setErrorReporter([&](const QString& message) { errors.push_back(message); });
  auto* combo = window.control("ComboBox1");
  QMetaObject::invokeMethod(combo, "activated", Q_ARG(int, 1));
  EXPECT_EQ(form.comboIndex, 1);
  EXPECT_EQ(errors.size(), 1u);
}

TEST(MainWindowEvents, PassErrorShownOnce) {
  application();
  TForm15 form;
  form.passError = "Invalid language value";
  Services services;
  MainWindow window(form, services.opener, services.settings);
  std::vector<QString> errors;
  window.setErrorReporter([&](const QString& message) { errors.push_back(message); });
  window.reportPassError();
  window.reportPassError();
  ASSERT_EQ(errors.size(), 1u);
  EXPECT_EQ(errors[0], "Invalid language value");
}

// The product line field takes typing: while the keyboard is in it, it
// shows its value whole and what the user types goes to the model whole;
// out of it, it shows the form that fits, as the read-only fields do.
TEST(MainWindowEvents, ProductLineShowsWhatFitsAndIsEditedWhole) {
  application();
  TForm15 form;
  Services services;
  MainWindow window(form, services.opener, services.settings);
  window.show();
  window.activateWindow();
  QApplication::processEvents();
  const std::string whole = "AMD Ryzen Threadripper PRO";
  form["Edit18"].text = whole;
  window.syncFromModel();
  auto* productLine = static_cast<QLineEdit*>(window.control("Edit18"));
  const auto fits = [&] { return textWidth(productLine, productLine->text().toStdString()) <= textRoom(*productLine); };
  ASSERT_GT(textWidth(productLine, whole), textRoom(*productLine)) << "the value must be too wide for this test";
  EXPECT_EQ(productLine->text().toStdString(), "AMD Threadripper Pro");
  EXPECT_TRUE(fits());

  productLine->setFocus();
  QApplication::processEvents();
  ASSERT_TRUE(productLine->hasFocus());
  EXPECT_EQ(productLine->text().toStdString(), whole);
  productLine->setCursorPosition(static_cast<int>(whole.size()));
  QKeyEvent typed(QEvent::KeyPress, Qt::Key_X, Qt::NoModifier, "X");
  QApplication::sendEvent(productLine, &typed);
  EXPECT_EQ(form["Edit18"].text, whole + "X");
  EXPECT_EQ(productLine->text().toStdString(), whole + "X");

  window.control("Edit1")->setFocus();
  QApplication::processEvents();
  EXPECT_EQ(form["Edit18"].text, whole + "X") << "leaving the field keeps the value whole in the model";
  EXPECT_NE(productLine->text().toStdString(), whole + "X");
  EXPECT_TRUE(fits());
}

}  // namespace
}  // namespace wexmora::qt
