#include "core/window/control_text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace wexmora {
namespace {

TEST(ControlText, CaptionsAreSingleLines) {
  const struct {
    const char* text;
    const char* line;
  } cases[] = {
      {"Краткая информация \rо процессоре ", "Краткая информация о процессоре "},
      {"Скриншот", "Скриншот"},
      {"a\r\nb\n", "ab"},
      {"", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(captionLine(c.text), c.line);
}

TEST(ControlText, HintsBreakAtEachCarriageReturn) {
  const struct {
    const char* hint;
    const char* crlf;  // as a Windows tooltip takes it
    const char* lf;    // as a Qt tooltip takes it
  } cases[] = {
      {"Количество (потоков) \rлогических ядер \rв процессоре",
       "Количество (потоков) \r\nлогических ядер \r\nв процессоре",
       "Количество (потоков) \nлогических ядер \nв процессоре"},
      {"Смотреть фото процессора \r\n", "Смотреть фото процессора ", "Смотреть фото процессора "},
      {"Смотреть фото обратной стороны \r\nпроцессора ", "Смотреть фото обратной стороны \r\nпроцессора ",
       "Смотреть фото обратной стороны \nпроцессора "},
      {"a\r\rb", "a\r\n\r\nb", "a\n\nb"},
      {"\rtop", "\r\ntop", "\ntop"},
      {"", "", ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.hint);
    EXPECT_EQ(tooltipText(c.hint, "\r\n"), c.crlf);
    EXPECT_EQ(tooltipText(c.hint, "\n"), c.lf);
  }
}

TEST(ControlText, LabelsGrowToTheirCaptions) {
  const auto make = [](const char* name, ControlKind kind, int width, int height) {
    Control control;
    control.name = name;
    control.kind = kind;
    control.left = 16;
    control.top = 48;
    control.width = width;
    control.height = height;
    return control;
  };
  const struct {
    Control control;
    int textWidth, textHeight;
    ControlRect expected;
  } cases[] = {
      {make("Label7", ControlKind::Label, 0, 13), 52, 13, {16, 48, 52, 13}},    // sizes itself
      {make("Label3", ControlKind::Label, 39, 13), 30, 13, {16, 48, 39, 13}},   // keeps its width
      {make("Label3", ControlKind::Label, 39, 13), 45, 14, {16, 48, 45, 14}},   // but never clips
      {make("Label1", ControlKind::Label, 23, 15), 12, 15, {16, 48, 12, 15}},   // over the photo: text width
      {make("Label15", ControlKind::Label, 26, 14), 70, 14, {16, 48, 70, 14}},  //   in both directions
      {make("Edit7", ControlKind::Edit, 65, 21), 200, 30, {16, 48, 65, 21}},    // fields keep the model's size
      {make("Image1", ControlKind::Image, 128, 128), 0, 0, {16, 48, 128, 128}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.control.name);
    EXPECT_EQ(controlRect(c.control, c.textWidth, c.textHeight), c.expected);
  }
}

}  // namespace
}  // namespace wexmora

namespace wexmora {
namespace {

TEST(ShorterForms, EachRuleKeepsWhatIdentifiesTheValue) {
  // clang-format off
  const struct {
    const char* value;
    std::vector<std::string> forms;
  } cases[] = {
    {"Coffee Lake",         {"Coffee Lake", "Coffee L."}},
    {"Core2 Quad",          {"Core2 Quad"}},
    {"Alder Lake (P/U/M)",  {"Alder Lake (P/U/M)", "Alder Lake", "Alder L."}},
    {"P6 (Pentium Pro)",    {"P6 (Pentium Pro)", "P6"}},
    {"65 nm / 40 nm",       {"65 nm / 40 nm", "65/40 nm", "65/40"}},
    {"600 nm / 350 nm",     {"600 nm / 350 nm", "600/350 nm", "600/350"}},
    {"Westmere-EX",         {"Westmere-EX", "Westmere"}},
    {"Ivy Bridge-EP",       {"Ivy Bridge-EP", "Ivy Bridge", "Ivy B."}},
    {"Broadwell-DE",        {"Broadwell-DE", "Broadwell"}},
    {"Intel 18A",           {"Intel 18A", "18A"}},
    {"Intel 4",             {"Intel 4"}},
    {"Pentium 4-M",         {"Pentium 4-M"}},
    {"Granite Rapids-D",    {"Granite Rapids-D", "Granite Rapids", "Granite R."}},
    {"Sandy Bridge EP",     {"Sandy Bridge EP", "Sandy Bridge", "Sandy B."}},
    // Memory, from the table's whole value: the unit once, the types of the
    // same speeds joined, the fastest speed of each, no blank after a comma,
    // the types alone.
    {"DDR4-3200 MHz, LPDDR4x-4267 MHz, DDR5-4800 MHz",
     {"DDR4-3200 MHz, LPDDR4x-4267 MHz, DDR5-4800 MHz", "DDR4-3200, LPDDR4x-4267, DDR5-4800 MHz",
      "DDR4-3200,LPDDR4x-4267,DDR5-4800 MHz", "DDR4, LPDDR4x, DDR5"}},
    {"DDR3-1333/1600 MHz, DDR3L-1333/1600 MHz",
     {"DDR3-1333/1600 MHz, DDR3L-1333/1600 MHz", "DDR3-1333/1600, DDR3L-1333/1600 MHz", "DDR3/DDR3L-1333/1600 MHz",
      "DDR3/DDR3L-1600 MHz", "DDR3/3L"}},
    {"DDR5/LPDDR5/LPDDR5x-5600 MHz", {"DDR5/LPDDR5/LPDDR5x-5600 MHz", "DDR5/LPDDR5/5x"}},
    // Graphics by their model, then without the maker.
    {"AMD Radeon Vega 8 Graphics", {"AMD Radeon Vega 8 Graphics", "AMD Radeon Vega 8", "Radeon Vega 8"}},
    {"Intel UHD Graphics 630",      {"Intel UHD Graphics 630", "Intel UHD 630", "UHD 630"}},
    // AMD's lines.
    {"AMD Ryzen Threadripper PRO",  {"AMD Ryzen Threadripper PRO", "AMD Threadripper PRO", "AMD Threadripper Pro",
                                     "AMD Threadripper", "AMD T."}},
    {"AMD Ryzen AI 9 HX PRO",       {"AMD Ryzen AI 9 HX PRO", "AMD Ryzen AI 9 HX Pro", "AMD AI 9 HX Pro"}},
    {"AMD Embedded R-Series",       {"AMD Embedded R-Series", "AMD R-Series"}},
    // PCI Express by its highest revision.
    {"3.0, 4.0, 5.0",               {"3.0, 4.0, 5.0", "5.0"}},
    {"Gemini Lake Refresh", {"Gemini Lake Refresh", "Gemini Lake", "Gemini L."}},
    {"Sapphire Rapids Edge Enhanced", {"Sapphire Rapids Edge Enhanced", "Sapphire Rapids", "Sapphire R."}},
    {"Clearwater Forest",   {"Clearwater Forest", "Clearwater F."}},
    // The unknown-value text in a narrow count field.
    {"Неизвестно",          {"Неизвестно", "?"}},
    {"Unknown",             {"Unknown", "?"}},
    // Nothing to shorten: a number, a unit of one part, units that differ.
    {"SledgeHammer",        {"SledgeHammer", "SledgeH."}},
    {"Prescott",            {"Prescott"}},
    {"RAPTOR LAKE",         {"RAPTOR LAKE", "RAPTOR L."}},
    {"14 nm",               {"14 nm"}},
    {"4 Mb L2",             {"4 Mb L2"}},
    {"2.80 GHz",            {"2.80 GHz"}},
    {"130 nm / 1 Mb",       {"130 nm / 1 Mb"}},
    {"",                    {""}},
  };
  // clang-format on
  for (const auto& c : cases) EXPECT_EQ(shorterForms(c.value), c.forms) << c.value;
}

// What a field shows: the first form that fits its room, the shortest when
// none does; a field the user may edit, its value whole while it is edited.
TEST(ShownText, FieldsShowWhatFitsUnlessTheUserEditsThem) {
  const auto letters = [](std::string_view text) { return static_cast<double>(text.size()); };
  struct Case {
    bool readOnly, editing;
    double room;
    const char* shown;
  };
  // clang-format off
  const Case cases[] = {
    {true,  false, 19, "Gemini Lake Refresh"},
    {true,  false, 18, "Gemini Lake"},
    {true,  false,  9, "Gemini L."},
    {true,  false,  3, "Gemini L."},            // the shortest when none fits
    {true,  true,   9, "Gemini L."},            // the keyboard in a read-only field changes nothing
    {false, false,  9, "Gemini L."},            // an editable field the user is not editing
    {false, true,   3, "Gemini Lake Refresh"},  // one the user edits: whole
    {false, true,  19, "Gemini Lake Refresh"},
  };
  // clang-format on
  for (const Case& c : cases) {
    Control field;
    field.style.readOnly = c.readOnly;
    field.text = "Gemini Lake Refresh";
    EXPECT_EQ(shownText(field, c.room, letters, c.editing), c.shown)
        << "read-only " << c.readOnly << ", editing " << c.editing << ", room " << c.room;
  }
}

}  // namespace
}  // namespace wexmora
