#include "core/catalogue/lookup.h"

#include "base/utf8.h"
#include "core/identify/text.h"
#include "core/model/control_names.h"
#include "core/model/pass_trace.h"
#include "core/model/sheet_values.h"

namespace wexmora {
namespace {

using namespace main_controls;  // the tables name the controls by their meaning

// The record cursor: fields are taken off its front one at a time.
class RecordCursor {
 public:
  explicit RecordCursor(std::string record) : text_(std::move(record)) {}

  // The text before the first "|"; empty when there is none.
  std::string take() const {
    const long bar = text::search("|", text_);
    return bar > 0 ? text::copy(text_, 1, bar - 1) : std::string();
  }
  // Drops everything up to and including the first "|".
  void cut() {
    if (const long bar = text::search("|", text_); bar > 0) text_ = text::remove(text_, 1, bar);
  }
  // Drops the last character, whatever it is (a whole UTF-8 sequence).
  void dropLast() { text_.erase(base::lastCharacterStart(text_)); }
  std::string& text() { return text_; }

 private:
  std::string text_;
};

// Takes field 16 ("@3.30 GHz", or "@3.3 GHz") off the end of the cursor once
// its last character has gone: the frequency goes to Edit5 and Label14, the
// cursor keeps field 15 alone.
void splitBaseFrequency(TForm15& form, RecordCursor& cursor) {
  std::string& rest = cursor.text();
  if (!text::contains(rest, "|@")) return;
  const long length = static_cast<long>(rest.size());
  std::string frequency = text::copy(rest, length - 6, 7) + "z";
  if (text::copy(frequency, 1, 1) == "@") {  // one digit after the point
    frequency = text::remove(frequency, 1, 1);
    rest = text::remove(rest, length - 7, 8);
  } else {
    rest = text::remove(rest, length - 8, 9);
  }
  setSheetField(form, main_controls::kBaseClock, frequency);
  form[main_controls::kPhotoBaseClock].text = form[main_controls::kBaseClock].text;
  setSheetField(form, main_controls::kTechnologies, rest);
}

// clang-format off
// The fields that show record fields 2 to 14, in record order.
constexpr const char* kFieldTargets[] = {
  kProductLine, kTurboClock, kCores, kThreads, kSocket, kSegment, kCodeName,
  kMaxTemperature, kLithography, kMemory, kGraphics, kL3Cache, kPcie,
};
// clang-format on

}  // namespace

std::span<const char* const> recordFieldTargets() { return kFieldTargets; }

void distributeRecord(TForm15& form, const std::string& record) {
  RecordCursor cursor(record);
  cursor.cut();  // field 1 is the key itself
  for (const char* target : kFieldTargets) {
    setSheetField(form, target, cursor.take());
    if (std::string_view(target) == main_controls::kSocket)
      form[main_controls::kPhotoSocket].text = form[main_controls::kSocket].text;
    cursor.cut();
  }
  cursor.dropLast();
  setSheetField(form, main_controls::kTechnologies, cursor.text());
  splitBaseFrequency(form, cursor);
}

void lookUpCatalogue(TForm15& form, catalogue::Lists& lists, platform::Sleeper& sleeper) {
  // The processor field itself, so that its text is read afresh for every entry.
  const Control& processorField = form[main_controls::kModelKey];
  // Every entry whose key is the field's, in list order: an entry matches
  // when its key has the field's length and contains it, that is, equals it.
  // The lists know their keys' positions, so the other entries are not read.
  const std::vector<std::size_t>& positions = lists.positionsOf(processorField.text);
  for (const std::size_t i : positions) {
    if (i >= lists.ListBox2.count()) break;
    const std::string& key = lists.ListBox1.at(i);
    if (key != processorField.text) continue;
    if (form.trace) form.trace->matches.push_back({i, key});

    Control& qr = form[main_controls::kQrImage];
    qr.left = kQrLeft;
    qr.top = kQrTop;
    qr.width = qr.height = kImageListSize;
    qr.picture = {PictureSource::Qr, static_cast<int>(i)};

    // Every match waits 10 ms; a record that needs no decoding waits another
    // 10 ms in its place, so a match takes as long whether or not it was
    // decoded before. The waits are part of the pass's fixed timing.
    if (!text::contains(lists.ListBox2.stored(i), "Intel"))
      lists.ListBox2.replace(i, catalogue::decodeBase64(lists.ListBox2.stored(i)));
    else
      sleeper.sleepMs(kDecodeWaitMs);
    sleeper.sleepMs(kDecodeWaitMs);

    distributeRecord(form, catalogue::cp1251ToUtf8(lists.ListBox2.stored(i)));
    form.facts.sheet.source = SheetSource::Catalogue;
    form.facts.sheet.catalogueEntry = i;
    form.facts.sheet.catalogueKey = key;
  }
}

}  // namespace wexmora
