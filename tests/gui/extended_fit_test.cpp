// Every value of the extended table fits its field of the main window, in
// both languages: each row is put into the sheet as the window shows it
// (fillFromExtendedKey, then the language's routine) and each field that
// holds one of the row's values is measured in the field's own font
// against the room the line edit gives its text.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFontMetricsF>
#include <QLineEdit>
#include <QStyle>
#include <QStyleOptionFrame>
#include <cmath>
#include <string>
#include <vector>

#include "core/extended/extended_table.h"
#include "core/extended/second_source.h"
#include "core/window/localisation.h"
#include "support/application.h"
#include "support/fakes.h"
#include "views/qt/form_view.h"
#include "views/qt/main_window.h"

namespace wexmora::qt {
namespace {

const auto* const kEnvironment = wexmora::testing::addApplication<QApplication>();

// The fields a row fills and the row's value each shows.
struct Field {
  const char* control;
  std::string_view ExtendedRow::*value;
};
const Field kFields[] = {
    {"Edit18", &ExtendedRow::productLine},    {"Edit5", &ExtendedRow::baseClock},
    {"Edit6", &ExtendedRow::turboClock},      {"Edit8", &ExtendedRow::cores},
    {"Edit9", &ExtendedRow::threads},         {"Edit11", &ExtendedRow::socket},
    {"Edit15", &ExtendedRow::segmentEnglish}, {"Edit12", &ExtendedRow::codeName},
    {"Edit10", &ExtendedRow::maxTemperature}, {"Edit13", &ExtendedRow::lithography},
    {"Edit14", &ExtendedRow::memory},         {"Edit19", &ExtendedRow::graphics},
    {"Edit17", &ExtendedRow::l3Cache},        {"Edit16", &ExtendedRow::pcie},
};

double widthOf(const QLineEdit* edit, const std::string& text) {
  return QFontMetricsF(edit->font()).horizontalAdvance(QString::fromStdString(text));
}

TEST(ExtendedTableFit, EveryRowsValuesFitTheirFieldsInBothLanguages) {
  ASSERT_NE(QApplication::instance(), nullptr);
  ASSERT_GT(extendedRowCount(), 1000u);
  TForm15 form;
  testing::RecordingUrlOpener opener;
  testing::FakeSettingsStore settings;
  MainWindow window(form, opener, settings);
  std::vector<std::string> overflowing;
  std::size_t measured = 0;
  for (std::size_t i = 0; i < extendedRowCount(); ++i) {
    const ExtendedRow row = extendedRowAt(i);
    for (const bool english : {false, true}) {
      ASSERT_TRUE(fillFromExtendedKey(form, row.key)) << row.key;
      english ? Englang(form) : ruslang(form);
      window.syncFromModel();
      for (const Field& f : kFields) {
        if ((row.*f.value).empty()) continue;
        const auto* edit = qobject_cast<const QLineEdit*>(window.control(f.control));
        ASSERT_NE(edit, nullptr) << f.control;
        // What the field shows: the value, or the shorter form of it that fits.
        const std::string shown = edit->text().toStdString();
        ++measured;
        if (std::ceil(widthOf(edit, shown)) > textRoom(*edit))
          overflowing.push_back(std::string(row.key) + (english ? " (en) " : " (ru) ") + f.control + " ‹" + shown +
                                "› needs " + std::to_string(static_cast<int>(std::ceil(widthOf(edit, shown)))) +
                                ", has " + std::to_string(textRoom(*edit)));
      }
    }
  }
  EXPECT_GT(measured, 10000u);
  std::string list;
  for (const std::string& line : overflowing) list += line + "\n";
  EXPECT_TRUE(overflowing.empty()) << overflowing.size() << " values do not fit:\n" << list;
}

}  // namespace
}  // namespace wexmora::qt
