#include "core/window/accessible_names.h"

#include <algorithm>

#include "base/trim.h"
#include "core/model/control_names.h"
#include "core/window/control_text.h"

namespace wexmora {
namespace {

using R = AccessRole;
using T = TextId;
namespace m = main_controls;
namespace a = about_controls;

// clang-format off
// control                 role        named by caption          or by text
constexpr AccessibleName kMainWindow[] = {
  {m::kBadgeImage,         R::Picture, nullptr,                  T::NameBadge},
  {m::kFrontPhotoImage,    R::Action,  nullptr,                  T::NameFrontPhoto},
  {m::kBackPhotoImage,     R::Action,  nullptr,                  T::NameBackPhoto},
  {m::kQrImage,            R::Action,  nullptr,                  T::NameQrCode},
  {m::kBrandString,        R::Field,   nullptr,                  T::NameBrandString},
  {m::kSocket,             R::Field,   m::kSocketCaption,        T::Count},
  {m::kModelKey,           R::Field,   m::kModelKeyCaption,      T::Count},
  {m::kBaseClock,          R::Field,   m::kBaseClockCaption,     T::Count},
  {m::kTurboClock,         R::Field,   m::kTurboClockCaption,    T::Count},
  {m::kCores,              R::Field,   m::kCoresCaption,         T::Count},
  {m::kThreads,            R::Field,   m::kThreadsCaption,       T::Count},
  {m::kPcie,               R::Field,   m::kPcieCaption,          T::Count},
  {m::kSegment,            R::Field,   m::kSegmentCaption,       T::Count},
  {m::kCodeName,           R::Field,   m::kCodeNameCaption,      T::Count},
  {m::kProductLine,        R::Field,   m::kProductLineCaption,   T::Count},
  {m::kGraphics,           R::Field,   m::kGraphicsCaption,      T::Count},
  {m::kMemory,             R::Field,   m::kMemoryCaption,        T::Count},
  {m::kLithography,        R::Field,   m::kLithographyCaption,   T::Count},
  {m::kMaxTemperature,     R::Field,   m::kMaxTemperatureCaption, T::Count},
  {m::kL3Cache,            R::Field,   m::kL3CacheCaption,       T::Count},
  {m::kTechnologies,       R::Field,   m::kTechnologiesCaption,  T::Count},
  {m::kLanguage,           R::Field,   m::kLanguageCaption,      T::Count},
  {m::kClose,              R::Button,  m::kClose,                T::Count},
  {m::kIdentityButton,     R::Action,  nullptr,                  T::NameIdentityButton},
  {m::kAboutButton,        R::Action,  nullptr,                  T::NameAboutButton},
  {m::kScreenshotButton,   R::Action,  nullptr,                  T::NameScreenshotButton},
  {m::kIdentityPanel,      R::Group,   nullptr,                  T::NameIdentityPanel},
  {m::kFamily,             R::Field,   m::kFamilyCaption,        T::Count},
  {m::kModel,              R::Field,   m::kModelCaption,         T::Count},
  {m::kStepping,           R::Field,   m::kSteppingCaption,      T::Count},
  {m::kIdentityHide,       R::Button,  m::kIdentityHide,         T::Count},
};

constexpr AccessibleName kAboutDialog[] = {
  {a::kSiteLink,           R::Action,  nullptr,                  T::NameSiteLink},
  {a::kSiteButton,         R::Button,  a::kSiteButton,           T::Count},
  {a::kClose,              R::Button,  a::kClose,                T::Count},
};
// clang-format on

// clang-format off
constexpr const char* kMainFocusOrder[] = {
  m::kFrontPhotoImage, m::kBackPhotoImage, m::kQrImage,
  // The data sheet's designed tab order.
  m::kBrandString, m::kBaseClock, m::kTurboClock, m::kModelKey, m::kCores, m::kThreads, m::kMaxTemperature,
  m::kCodeName, m::kLithography, m::kMemory, m::kSegment, m::kTechnologies, m::kLanguage, m::kL3Cache,
  m::kProductLine, m::kGraphics, m::kClose, m::kPcie, m::kSocket,
  // The sheet's tool buttons, right to left along its top, then the one below.
  m::kIdentityButton, m::kAboutButton, m::kScreenshotButton,
  // The family/model/stepping panel, while it is shown.
  m::kFamily, m::kModel, m::kStepping, m::kIdentityHide,
};
// clang-format on

constexpr const char* kAboutFocusOrder[] = {a::kClose, a::kSiteButton, a::kSiteLink};

}  // namespace

std::span<const AccessibleName> mainWindowNames() { return kMainWindow; }
std::span<const AccessibleName> aboutDialogNames() { return kAboutDialog; }

const AccessibleName* accessibleRow(std::span<const AccessibleName> names, std::string_view control) {
  const auto it =
      std::find_if(names.begin(), names.end(), [&](const AccessibleName& row) { return row.control == control; });
  return it == names.end() ? nullptr : &*it;
}

std::string accessibleName(const Form& form, std::span<const AccessibleName> names, std::string_view control,
                           Language language) {
  const AccessibleName* row = accessibleRow(names, control);
  if (!row) return {};
  if (!row->caption) return std::string(base::trim(captionLine(textOf(row->text, language))));
  return std::string(base::trim(captionLine(form[row->caption].text)));
}

std::span<const char* const> mainWindowFocusOrder() { return kMainFocusOrder; }
std::span<const char* const> aboutDialogFocusOrder() { return kAboutFocusOrder; }

}  // namespace wexmora
