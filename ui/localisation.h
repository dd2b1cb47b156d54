#pragma once
// The two interface languages of the main window. ruslang and Englang rewrite
// the captions and hints of the controls, translate the segment and the
// integrated-graphics answer, fill empty data fields with an unknown-value
// text and dress the window when no processor was identified. They keep no
// language state: ComboBox1's index (0 Russian, 1 English) is the only record.
#include <span>
#include <string_view>

#include "ui/model/form_model.h"

namespace wexmora {

enum class TextProperty { Caption, Hint };

// One text that both routines set unconditionally.
struct InterfaceText {
  const char* control;
  TextProperty property;
  const char* russian;
  const char* english;
};

// The table in the order the Russian routine sets it.
std::span<const InterfaceText> interfaceTexts();

// The fields each routine fills when they are empty, in its order.
std::span<const char* const> russianFillOrder();
std::span<const char* const> englishFillOrder();

inline constexpr std::string_view kAboutCaptionRussian = "О программе Wexmora v.1.5";
inline constexpr std::string_view kUnknownRussian = "Неизвестно";
inline constexpr std::string_view kUnknownEnglish = "Unknown";
inline constexpr std::string_view kNoRecordRussian = "Информации о данном процессоре нет в базе программы.";
inline constexpr std::string_view kNoRecordEnglish = "Unknown in database";
inline constexpr int kNoPhotoBadge = 46;
inline constexpr int kSiteQrBadge = 47;

void ruslang(TForm15& form);
void Englang(TForm15& form);

// The last step of the identification pass: index 0 runs ruslang, then index
// 1 runs Englang; any other index runs neither.
void applyPassLanguage(TForm15& form);

}  // namespace wexmora
