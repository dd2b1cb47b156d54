// The values the family/model table and the dies-by-model-number table put
// into the window (code names, lithographies) fit their fields as the Qt
// window shows them: whole, or in a shorter form that keeps the name.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFontMetricsF>
#include <QLineEdit>
#include <cmath>
#include <set>
#include <string>

#include "core/data/extended_rows.h"
#include "core/extended/extended_table.h"
#include "core/model/control_names.h"
#include "support/application.h"
#include "support/fakes.h"
#include "views/qt/form_view.h"
#include "views/qt/main_window.h"

namespace wexmora::qt {
namespace {

const auto* const kEnvironment = wexmora::testing::addApplication<QApplication>();

std::string_view field(std::string_view row, std::size_t index) {
  for (std::size_t i = 0; i < index; ++i) row.remove_prefix(std::min(row.find('\t') + 1, row.size()));
  return row.substr(0, row.find('\t'));
}

int widthOf(const QLineEdit* edit, const std::string& text) {
  return static_cast<int>(std::ceil(QFontMetricsF(edit->font()).horizontalAdvance(QString::fromStdString(text))));
}

TEST(TableNamesFit, EveryNameFitsItsField) {
  ASSERT_NE(QApplication::instance(), nullptr);
  // control -> the values that may land there
  std::map<std::string, std::set<std::string>> values;
  for (const std::string_view row : catalogue::extendedFamilyModelRows()) {
    if (field(row, 10) == "yes") values[main_controls::kCodeName].insert(std::string(field(row, 6)));
    values[main_controls::kLithography].insert(std::string(field(row, 8)));
  }
  for (const std::string_view row : catalogue::extendedDieRows())
    values[main_controls::kCodeName].insert(std::string(field(row, 5)));
  TForm15 form;
  testing::RecordingUrlOpener opener;
  testing::FakeSettingsStore settings;
  MainWindow window(form, opener, settings);
  for (const auto& [control, texts] : values) {
    const auto* edit = qobject_cast<const QLineEdit*>(window.control(control));
    ASSERT_NE(edit, nullptr) << control;
    for (const std::string& text : texts) {
      Control field = form[control];
      field.text = text;
      const std::string shown = fittingText(*edit, field).toStdString();
      EXPECT_LE(widthOf(edit, shown), textRoom(*edit)) << control << ": " << text << " shown as " << shown;
    }
  }
}

}  // namespace
}  // namespace wexmora::qt
