#include <gtest/gtest.h>

#include "base/site.h"
#include "core/pass/handlers.h"
#include "support/fakes.h"

namespace wexmora {
namespace {

constexpr const char* kDesign = "WEXMORA v.1.5 (2022-2023)";

TEST(AboutYear, CharactersSevenToTenDecide) {
  struct Case {
    const char* date;
    const char* caption;
  };
  const Case cases[] = {
      {"07.12.2026", "WEXMORA v.1.5 (2022-2026)"},  // day.month.year
      {"07.12.2023", kDesign},                      // not above 2023
      {"31.12.2022", kDesign},
      {"01.01.2024", "WEXMORA v.1.5 (2022-2024)"},
      {"12/7/2026", kDesign},   // "026" reads as 26
      {"2026-12-07", kDesign},  // "2-07" is no number
      {"7.12.26", kDesign},     // only "6" at 7 to 10
      {"", kDesign},
      {"07.12.9999", "WEXMORA v.1.5 (2022-9999)"},
      {"07.12. 2026", kDesign},  // " 202" reads as 202
      {"07/12/2026 ", "WEXMORA v.1.5 (2022-2026)"},
  };
  for (const Case& c : cases) {
    TForm4 about;
    FormCreate(about, c.date);
    EXPECT_EQ(about["Label1"].text, c.caption) << "date '" << c.date << "'";
  }
}

TEST(AboutYear, ShortCaptionFallsBackToTheFixedYear) {
  TForm4 about;
  about["Label1"].text = "v1.5";
  FormCreate(about, "12/7/2026");
  EXPECT_EQ(about["Label1"].text, "WEXMORA v.1.5 (2022-2024)");
}

TEST(AboutTexts, FollowTheMainWindowsLanguageIndex) {
  struct Case {
    int index;
    const char* close;
    const char* site;
    const char* caption;
  };
  const Case cases[] = {
      {1, "Close", "Site program", "About Wexmora v.1.5"},
      {0, "Закрыть", "Сайт программы", "О программе Wexmora v.1.5"},
      {-1, "Закрыть", "Сайт программы", "О программе Wexmora v.1.5"},
      {2, "Закрыть", "Сайт программы", "О программе Wexmora v.1.5"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.index);
    TForm15 main;
    TForm4 about;
    main.comboIndex = c.index;
    FormActivate(about, main);
    EXPECT_EQ(about["Button1"].text, c.close);
    EXPECT_EQ(about["Button2"].text, c.site);
    EXPECT_EQ(about.caption, c.caption);
    EXPECT_EQ(about["Label1"].text, kDesign);  // never translated
  }
}

TEST(AboutTexts, SwitchBackFromEnglish) {
  TForm15 main;
  TForm4 about;
  main.comboIndex = 1;
  FormActivate(about, main);
  main.comboIndex = 0;
  FormActivate(about, main);
  EXPECT_EQ(about["Button1"].text, "Закрыть");
  EXPECT_EQ(about.caption, "О программе Wexmora v.1.5");
}

TEST(AboutButtons, CloseHidesAndSiteOpensTheHomePage) {
  TForm4 about;
  about.visible = true;
  testing::RecordingUrlOpener opener;
  Button2Click(about, opener);
  ASSERT_EQ(opener.opened.size(), 1u);
  EXPECT_EQ(opener.opened[0], site::base() + "/index.html");
  EXPECT_TRUE(about.visible);
  Button1Click(about);
  EXPECT_FALSE(about.visible);
  Button1Click(about);
  EXPECT_FALSE(about.visible);
}

}  // namespace
}  // namespace wexmora
