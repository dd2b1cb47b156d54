// The URL key, the three addresses and the clicks that open them.
#include "core/catalogue/links.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/site.h"
#include "core/pass/handlers.h"
#include "support/fakes.h"

namespace wexmora {
namespace {

struct KeyCase {
  const char* modelKey;
  const char* urlKey;
};

TEST(Links, UrlKey) {
  const KeyCase cases[] = {
      {"i5-8400", "i5-8400"},
      {"E3-1265L V2", "E3-1265L_V2"},
      {"E3-1230 V2", "E3-1230_V2"},
      {"a b c", "a_b%20c"},  // only the first blank becomes "_"
      {"", ""},
      {"i5-8400 --foo \"x\"/../", "i5-8400_--foo%20%22x%22%2F..%2F"},
      {"-", "-"},
      {"G4560T~.", "G4560T~."},
      {"?#&%+", "%3F%23%26%25%2B"},
      {"\xd0\x96", "%D0%96"},
      {"x\ny", "x%0Ay"},
  };
  for (const auto& c : cases) EXPECT_EQ(urlKey(c.modelKey), c.urlKey) << c.modelKey;
}

TEST(Links, BuiltOnceFromEdit20) {
  TForm15 form;
  form["Edit7"].text = "other";
  form["Edit20"].text = "i5-8400";
  buildLinks(form);
  const std::string base = site::base();
  EXPECT_EQ(form.frontUrl, base + "/cpu/front-i5-8400-photo.html");
  EXPECT_EQ(form.backUrl, base + "/cpu/back-i5-8400-photo.html");
  EXPECT_EQ(form.detailedUrl, base + "/cpu/detailed-i5-8400.html");

  form["Edit20"].text = "";
  buildLinks(form);
  EXPECT_EQ(form.frontUrl, base + "/cpu/front--photo.html");
}

TEST(Links, HostileBrandStaysInsideThePath) {
  TForm15 form;
  form["Edit20"].text = "i5-8400 --foo \"x\"/../";
  buildLinks(form);
  for (const std::string& url : {form.frontUrl, form.backUrl, form.detailedUrl}) {
    EXPECT_EQ(url.find(' '), std::string::npos) << url;
    EXPECT_EQ(url.find('"'), std::string::npos) << url;
    EXPECT_EQ(url.find("/../"), std::string::npos) << url;
    EXPECT_EQ(url.rfind('/'), site::base().size() + 4) << url;  // the last "/" is the one after "/cpu"
  }
}

struct ClickCase {
  const char* name;
  const char* edit7;
  void (*click)(TForm15&, platform::UrlOpener&);
  std::vector<std::string> opened;  // "front", "back", "detailed", "home" or nothing
  const char* hintControl;          // the control whose hint becomes the undefined-processor text
};

TEST(Links, Clicks) {
  const ClickCase cases[] = {
      {"front photo", "i5-8400", Image2Click, {"front"}, nullptr},
      {"back photo", "i5-8400", Image3Click, {"back"}, nullptr},
      {"QR image", "i5-8400", Image4Click, {"detailed"}, nullptr},
      {"derived key not in the catalogue", "i5-9999", Image4Click, {"detailed"}, nullptr},
      {"empty key before any language ran", "", Image2Click, {"front"}, nullptr},
      {"front photo without processor", "-", Image2Click, {}, "Image2"},
      {"back photo without processor", "-", Image3Click, {}, "Image3"},
      {"QR image without processor", "-", Image4Click, {"home"}, "Image1"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    TForm15 form;
    form.frontUrl = "front";
    form.backUrl = "back";
    form.detailedUrl = "detailed";
    form["Edit7"].text = c.edit7;
    const TForm15 before = form;
    testing::RecordingUrlOpener opener;
    c.click(form, opener);
    std::vector<std::string> expected;
    for (const auto& page : c.opened) expected.push_back(page == "home" ? site::homePage() : page);
    EXPECT_EQ(opener.opened, expected);
    for (const char* image : {"Image1", "Image2", "Image3", "Image4"}) {
      const bool changed = c.hintControl && std::string(image) == c.hintControl;
      EXPECT_EQ(form[image].hint, changed ? "Неопределен процессор" : before[image].hint) << image;
    }
  }
}

TEST(Links, UndefinedProcessorHintIsRussianInEnglishToo) {
  TForm15 form;
  form.comboIndex = 1;
  form["Edit7"].text = "-";
  testing::RecordingUrlOpener opener;
  Image2Click(form, opener);
  EXPECT_EQ(form["Image2"].hint, "Неопределен процессор");
}

}  // namespace
}  // namespace wexmora
