// The table of the interface's texts: every entry in both languages, the
// few the system shows in one language only named here.
#include "core/texts/texts.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <set>
#include <string>

#include "base/utf8.h"

namespace wexmora {
namespace {

bool empty(const char* words) { return words == nullptr || *words == '\0'; }

TEST(Texts, EveryEntryHasATextInBothLanguages) {
  // An embedded processor's segment: ruslang translates it, Englang leaves it.
  const std::set<TextId> russianOnly = {TextId::SegmentEmbedded, TextId::SegmentEmbeddedHint};
  std::set<TextId> oneLanguage;
  for (const Translation& row : translations()) {
    SCOPED_TRACE(static_cast<int>(row.id));
    EXPECT_FALSE(empty(row.russian)) << "no Russian text";
    if (empty(row.english)) oneLanguage.insert(row.id);
  }
  EXPECT_EQ(oneLanguage, russianOnly) << "an entry lacks its English text";
}

// The texts are UTF-8 (the views and the JSON take them as such) and break
// lines as the design does: a single carriage return, never a line feed.
TEST(Texts, EveryTextIsUtf8WithTheDesignsLineBreaks) {
  for (const Translation& row : translations()) {
    for (const char* text : {row.russian, row.english}) {
      if (empty(text)) continue;
      const std::string words = text;
      SCOPED_TRACE(words);
      EXPECT_TRUE(base::isUtf8(words));
      EXPECT_EQ(words.find('\n'), std::string::npos);
      EXPECT_EQ(words.find("\r\r"), std::string::npos);
      EXPECT_NE(words.back(), '\r');
    }
  }
}

struct LookupCase {
  TextId id;
  const char* russian;
  const char* english;
};

// The lookup gives each language its own column, and nothing for a text a
// language does not have.
TEST(Texts, LookupReadsTheLanguagesColumn) {
  const LookupCase cases[] = {
      {TextId::FrontPhotoHint, "Смотреть фото процессора", "See photo of the processor"},
      {TextId::LanguageHint, "Change language to English", "Изменить язык на русский"},
      {TextId::Unknown, "Неизвестно", "Unknown"},
      {TextId::NoProcessorHint, "Неопределен процессор", "Unknown CPU"},
      {TextId::SegmentEmbeddedHint, "Процессор встроенный", ""},
      {TextId::SourceMachine, "Данные сообщила сама система (процессора нет в таблицах)",
       "Data reported by the system itself (the processor is in no table)"},
  };
  for (const LookupCase& c : cases) {
    SCOPED_TRACE(c.russian);
    EXPECT_EQ(textOf(c.id, Language::Russian), c.russian);
    EXPECT_EQ(textOf(c.id, Language::English), c.english);
  }
  EXPECT_EQ(aboutCaption(Language::Russian), "О программе Wexmora v.1.5");
  EXPECT_EQ(aboutCaption(Language::English), "About Wexmora v.1.5");
}

}  // namespace
}  // namespace wexmora
