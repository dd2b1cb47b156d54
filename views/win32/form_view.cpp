#include "views/win32/form_view.h"

#include <windowsx.h>
// commctrl.h and oleacc.h need windows.h first.
#include <commctrl.h>
#include <oleacc.h>

#include <algorithm>
#include <string>
#include <vector>

#include "core/model/control_names.h"
#include "core/window/control_text.h"
#include "core/window/localisation.h"
#include "platform/windows/wide_text.h"
#include "views/win32/fonts.h"
#include "views/win32/hit_test.h"
#include "views/win32/layout.h"
#include "views/win32/painting.h"
#include "views/win32/window_dpi.h"

namespace wexmora::win32 {
namespace {

// What the edit shows of its control's text (core/window/control_text.h's
// shownText), measured in the edit's font against its text area.
std::wstring fittingText(HWND edit, const Control& control, bool editing) {
  using platform::widen;
  RECT area{};
  SendMessageW(edit, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&area));
  HDC dc = GetDC(edit);
  if (!dc) return widen(control.text);
  const HGDIOBJ before = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(edit, WM_GETFONT, 0, 0)));
  const std::string shown = shownText(
      control, area.right - area.left,
      [dc](std::string_view text) {
        const std::wstring wide = widen(std::string(text));
        SIZE size{};
        return GetTextExtentPoint32W(dc, wide.c_str(), static_cast<int>(wide.size()), &size) ? double(size.cx) : 1e9;
      },
      editing);
  SelectObject(dc, before);
  ReleaseDC(edit, dc);
  return widen(shown);
}

using platform::widen;

constexpr const wchar_t* kFrameClass = L"WexmoraFrame";
constexpr const wchar_t* kStandInClass = L"WexmoraAction";

constexpr COLORREF kCream = RGB(kCreamBackground.red, kCreamBackground.green, kCreamBackground.blue);
// The drop-down list's height below the selector's edit part.
constexpr int kDropDownHeight = 80;

LPCWSTR cursorOf(CursorShape shape) {
  switch (shape) {
    case CursorShape::Hand:
      return IDC_HAND;
    case CursorShape::Help:
      return IDC_HELP;
    case CursorShape::IBeam:
      return IDC_IBEAM;
    case CursorShape::Arrow:
    case CursorShape::Default:
      break;
  }
  return IDC_ARROW;
}

std::wstring windowText(HWND window) {
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
  text.resize(static_cast<std::size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
  return text;
}

void registerClass(const wchar_t* name, WNDPROC procedure) {
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof(windowClass);
  windowClass.lpfnWndProc = procedure;
  windowClass.hInstance = GetModuleHandleW(nullptr);
  windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  windowClass.lpszClassName = name;
  RegisterClassExW(&windowClass);
}

bool isPressKey(WPARAM key) { return key == VK_RETURN || key == VK_SPACE; }

// The memo leaves Tab, Enter and Escape to the dialog manager, so that Tab
// goes on to the next control as from a field rather than stay in the list.
LRESULT CALLBACK memoProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) {
  const LRESULT result = DefSubclassProc(window, message, wParam, lParam);
  return message == WM_GETDLGCODE ? result & ~static_cast<LRESULT>(DLGC_WANTTAB | DLGC_WANTALLKEYS) : result;
}

}  // namespace

FormView::FormView(Form& form, HWND root, FormEvents& events, bool stretchPictures, const TForm15* selector)
    : form_(form),
      root_(root),
      events_(events),
      stretchPictures_(stretchPictures),
      selector_(selector),
      scale_{windowDpi(root)},
      tooltips_(root, scale_, form.controls().size()) {
  static const bool registered = [] {
    registerClass(kFrameClass, frameProcedure);
    registerClass(kStandInClass, standInProcedure);
    return true;
  }();
  (void)registered;
  cream_ = CreateSolidBrush(kCream);
  names_[root_] = "";
  for (const Control& control : form_.controls())
    if (hasWindow(control.kind)) create(control);
  addTools();
  sync();
}

FormView::~FormView() {
  if (cream_) DeleteObject(cream_);
  if (annotations_) {
    auto* services = static_cast<IAccPropServices*>(annotations_);
    const MSAAPROPID properties[] = {PROPID_ACC_NAME, PROPID_ACC_ROLE};
    for (const auto& [handle, text] : annotatedNames_)
      services->ClearHwndProps(handle, OBJID_CLIENT, CHILDID_SELF, properties, 2);
    services->Release();
  }
}

HWND FormView::accessibleWindow(std::string_view name) const {
  if (HWND handle = window(name)) return handle;
  const auto it = standIns_.find(name);
  return it == standIns_.end() ? nullptr : it->second;
}

void FormView::setAccess(std::span<const AccessibleName> names, std::span<const char* const> focusOrder,
                         const TForm15& main) {
  accessNames_ = names;
  languageOf_ = &main;
  for (const AccessibleName& row : names) {
    const Control& control = form_[row.control];
    if (row.role != AccessRole::Action || hasWindow(control.kind)) continue;
    const HWND parent = control.parent.empty() ? root_ : window(control.parent);
    const ControlRect rect = rectOf(control);
    HWND standIn = CreateWindowExW(0, kStandInClass, L"", WS_CHILD | WS_TABSTOP | (control.visible ? WS_VISIBLE : 0),
                                   rect.left, rect.top, 0, 0, parent, nullptr, GetModuleHandleW(nullptr), nullptr);
    SetWindowLongPtrW(standIn, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    standIns_[control.name] = standIn;
    standInNames_[standIn] = control.name;
  }
  orderFocus(focusOrder);
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);  // the window's thread; a second call only counts
  IAccPropServices* services = nullptr;
  if (SUCCEEDED(CoCreateInstance(CLSID_AccPropServices, nullptr, CLSCTX_INPROC_SERVER, IID_IAccPropServices,
                                 reinterpret_cast<void**>(&services))))
    annotations_ = services;
  syncNames();
}

void FormView::syncNames() {
  if (!languageOf_) return;
  const Language language = windowLanguage(*languageOf_);
  // A stand-in's text is its name: it shows none, and it is what MSAA names
  // a window by where nothing else names it.
  for (const auto& [name, standIn] : standIns_)
    if (const std::wstring text = widen(accessibleName(form_, accessNames_, name, language));
        windowText(standIn) != text)
      SetWindowTextW(standIn, text.c_str());
  if (!annotations_) return;
  auto* services = static_cast<IAccPropServices*>(annotations_);
  for (const AccessibleName& row : accessNames_) {
    HWND handle = accessibleWindow(row.control);
    if (!handle) continue;
    const std::wstring name = widen(accessibleName(form_, accessNames_, row.control, language));
    if (const auto it = annotatedNames_.find(handle); it != annotatedNames_.end() && it->second == name) continue;
    if (FAILED(services->SetHwndPropStr(handle, OBJID_CLIENT, CHILDID_SELF, PROPID_ACC_NAME, name.c_str()))) continue;
    annotatedNames_[handle] = name;
    if (!window(row.control)) {  // a stand-in: a button, or a link for a picture or caption
      VARIANT role;
      VariantInit(&role);
      role.vt = VT_I4;
      role.lVal = form_[row.control].kind == ControlKind::SpeedButton ? ROLE_SYSTEM_PUSHBUTTON : ROLE_SYSTEM_LINK;
      services->SetHwndProp(handle, OBJID_CLIENT, CHILDID_SELF, PROPID_ACC_ROLE, role);
    }
  }
}

void FormView::create(const Control& control) {
  const HWND parent = control.parent.empty() ? root_ : window(control.parent);
  const ControlRect rect = rectOf(control);
  const wchar_t* windowClass = L"EDIT";
  DWORD style = WS_CHILD | WS_CLIPSIBLINGS;
  DWORD extended = 0;
  int height = rect.height;
  switch (control.kind) {
    case ControlKind::Edit:
      style |= WS_TABSTOP | ES_AUTOHSCROLL | (control.style.readOnly ? ES_READONLY : 0);
      extended = WS_EX_CLIENTEDGE;
      break;
    case ControlKind::Memo:
      style |= WS_TABSTOP | ES_MULTILINE | ES_AUTOVSCROLL | WS_VSCROLL | (control.style.readOnly ? ES_READONLY : 0);
      extended = WS_EX_CLIENTEDGE;
      break;
    case ControlKind::ComboBox:
      windowClass = L"COMBOBOX";
      style |= WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWN | CBS_AUTOHSCROLL;
      height += scale_.px(kDropDownHeight);
      break;
    case ControlKind::Button:
      windowClass = L"BUTTON";
      style |= WS_TABSTOP | BS_PUSHBUTTON;
      break;
    default:  // a frame
      windowClass = kFrameClass;
      style |= WS_CLIPCHILDREN;
      extended = WS_EX_CONTROLPARENT;
      break;
  }
  HWND handle = CreateWindowExW(extended, windowClass, L"", style, rect.left, rect.top, rect.width, height, parent,
                                nullptr, GetModuleHandleW(nullptr), nullptr);
  if (isFrame(control.kind)) SetWindowLongPtrW(handle, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  if (control.kind == ControlKind::Memo) SetWindowSubclass(handle, memoProcedure, 0, 0);
  applyScale(control, handle);
  if (control.kind == ControlKind::ComboBox) {
    // Items come from the main window.
    if (selector_)
      for (const std::string& item : selector_->comboItems)
        SendMessageW(handle, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(widen(item).c_str()));
  }
  windows_[control.name] = Windowed{handle, rect, false};
  names_[handle] = control.name;
}

void FormView::applyScale(const Control& control, HWND handle) {
  SendMessageW(handle, WM_SETFONT, reinterpret_cast<WPARAM>(controlFont(control.style.font, scale_.dpi)), FALSE);
  // Narrow fields such as the segment's keep their whole text in view.
  if (control.kind == ControlKind::Edit || control.kind == ControlKind::Memo) {
    const int margin = scale_.px(1);
    SendMessageW(handle, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, MAKELPARAM(margin, margin));
  }
  // The drop-down list's edit part is as high as the design says, and keeps
  // a narrow margin so that the longest language name fits.
  if (control.kind == ControlKind::ComboBox) {
    SendMessageW(handle, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), scale_.px(control.height) - scale_.px(6));
    COMBOBOXINFO info{};
    info.cbSize = sizeof(info);
    if (GetComboBoxInfo(handle, &info) && info.hwndItem) {
      // The drop button stands right of the text: no margin there.
      SendMessageW(info.hwndItem, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, MAKELPARAM(scale_.px(1), 0));
    }
  }
}

void FormView::setDpi(int dpi) {
  if (dpi <= 0 || dpi == scale_.dpi) return;
  scale_ = DisplayScale{dpi};
  tooltips_.setScale(scale_);
  for (auto& [name, shown] : windows_) {
    applyScale(form_[name], shown.handle);
    shown.rect = ControlRect{-1, -1, -1, -1};  // placed afresh by sync()
  }
  sync();
  for (const auto& [name, shown] : windows_) InvalidateRect(shown.handle, nullptr, TRUE);
}

// Tab follows the windows' order among their siblings, frame by frame: each
// window goes below its siblings in the order given, its frame before it.
void FormView::orderFocus(std::span<const char* const> focusOrder) {
  std::vector<std::string> placed;
  const auto place = [&](const auto& self, const std::string& name) -> void {
    if (name.empty() || std::find(placed.begin(), placed.end(), name) != placed.end()) return;
    self(self, form_[name].parent);
    placed.push_back(name);
    if (HWND handle = accessibleWindow(name))
      SetWindowPos(handle, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  };
  for (const char* name : focusOrder) place(place, name);
}

void FormView::addTools() {
  const auto& controls = form_.controls();
  for (std::size_t i = 0; i < controls.size(); ++i) {
    const Control& control = controls[i];
    if (HWND handle = window(control.name))
      tooltips_.addWindow(i, handle, control.kind == ControlKind::ComboBox);
    else
      tooltips_.addArea(i, control.parent.empty() ? root_ : window(control.parent));
  }
}

HWND FormView::window(std::string_view name) const {
  const auto it = windows_.find(name);
  return it == windows_.end() ? nullptr : it->second.handle;
}

ControlRect FormView::rectOf(const Control& control) const { return scaledRect(control, scale_); }

void FormView::sync() {
  const auto& controls = form_.controls();
  for (std::size_t i = 0; i < controls.size(); ++i) {
    const Control& control = controls[i];
    const ControlRect rect = rectOf(control);
    const auto it = windows_.find(control.name);
    HWND handle = it == windows_.end() ? nullptr : it->second.handle;
    if (handle) {
      Windowed& shown = it->second;
      switch (control.kind) {
        case ControlKind::Edit:  // its text once it has its size, below
          break;
        case ControlKind::Memo:
          if (const std::wstring text = widen(control.text); windowText(handle) != text)
            SetWindowTextW(handle, text.c_str());
          break;
        case ControlKind::Button:
        case ControlKind::GroupBox:  // a group box's text is its painted caption
          if (const std::wstring text = widen(captionLine(control.text)); windowText(handle) != text)
            SetWindowTextW(handle, text.c_str());
          break;
        case ControlKind::ComboBox:
          if (selector_ && SendMessageW(handle, CB_GETCURSEL, 0, 0) != selector_->comboIndex)
            SendMessageW(handle, CB_SETCURSEL, static_cast<WPARAM>(selector_->comboIndex), 0);
          break;
        default:
          break;
      }
      if (!(shown.rect == rect)) {
        const int height =
            control.kind == ControlKind::ComboBox ? rect.height + scale_.px(kDropDownHeight) : rect.height;
        SetWindowPos(handle, nullptr, rect.left, rect.top, rect.width, height, SWP_NOZORDER | SWP_NOACTIVATE);
        shown.rect = rect;
      }
      if (control.kind == ControlKind::Edit) {
        // A field shows its value in a form that fits; one the user edits
        // shows it whole. The edit's change notification is the view's own
        // then, not the user's typing.
        const std::wstring text = fittingText(handle, control, handle == editing_);
        if (windowText(handle) != text) {
          settingText_ = true;
          SetWindowTextW(handle, text.c_str());
          settingText_ = false;
        }
      }
      if (shown.visible != control.visible) {
        // The keyboard does not stay in a hidden control: it goes back to
        // the window's first one.
        const HWND focus = GetFocus();
        const bool hidesFocus = !control.visible && focus && (focus == handle || IsChild(handle, focus));
        ShowWindow(handle, control.visible ? SW_SHOWNA : SW_HIDE);
        shown.visible = control.visible;
        if (hidesFocus)
          if (HWND first = GetNextDlgTabItem(GetAncestor(root_, GA_ROOT), nullptr, FALSE)) SetFocus(first);
      }
    } else {  // a hidden control's tool has no area
      if (const auto standIn = standIns_.find(control.name); standIn != standIns_.end()) {
        SetWindowPos(standIn->second, nullptr, rect.left, rect.top, 0, 0, SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOSIZE);
        if ((IsWindowVisible(standIn->second) != FALSE) != control.visible)
          ShowWindow(standIn->second, control.visible ? SW_SHOWNA : SW_HIDE);
      }
      tooltips_.moveArea(i, control.visible ? RECT{rect.left, rect.top, rect.left + rect.width, rect.top + rect.height}
                                            : RECT{0, 0, 0, 0});
    }
    tooltips_.setHint(i, control.hint);
  }
  for (const auto& [name, shown] : windows_)
    if (name.empty() || isFrame(form_[name].kind)) InvalidateRect(shown.handle, nullptr, FALSE);
  InvalidateRect(root_, nullptr, FALSE);
  syncNames();
}

std::string FormView::frameName(HWND frame) const {
  const auto it = names_.find(frame);
  return it == names_.end() ? std::string() : it->second;
}

const Control* FormView::controlAt(HWND frame, POINT point) const {
  return windowlessControlAt(form_, frameName(frame), point, scale_);
}

const Control* FormView::controlOf(HWND window) const {
  for (HWND w = window; w && w != root_; w = GetParent(w)) {
    const auto it = names_.find(w);
    if (it != names_.end()) return &form_[it->second];
  }
  return nullptr;
}

bool FormView::setCursor(HWND over, HWND frame) {
  const Control* control = nullptr;
  if (over == frame) {
    POINT point;
    GetCursorPos(&point);
    ScreenToClient(frame, &point);
    control = controlAt(frame, point);
  } else {
    control = controlOf(over);
  }
  if (!control || control->style.cursor == CursorShape::Default) return false;
  SetCursor(LoadCursorW(nullptr, cursorOf(control->style.cursor)));
  return true;
}

bool FormView::handle(HWND frame, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  const auto pointIn = [&] { return POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}; };
  const auto nameAt = [&](POINT point) {
    const Control* control = controlAt(frame, point);
    return control ? control->name : frameName(frame);
  };
  switch (message) {
    case WM_ERASEBKGND:
      result = 1;  // painted whole in WM_PAINT
      return true;
    case WM_GETFONT: {  // a frame's caption font, as it is painted
      const std::string name = frameName(frame);
      if (name.empty()) return false;
      result = reinterpret_cast<LRESULT>(controlFont(form_[name].style.font, scale_.dpi));
      return true;
    }
    case WM_PAINT:
      paintFrame(frame, frameName(frame), FramePainting{form_, scale_, stretchPictures_, pressed_, focused_});
      result = 0;
      return true;
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORLISTBOX: {
      const Control* control = controlOf(reinterpret_cast<HWND>(lParam));
      if (!control || !control->style.cream) return false;
      SetBkColor(reinterpret_cast<HDC>(wParam), kCream);
      SetTextColor(reinterpret_cast<HDC>(wParam), GetSysColor(COLOR_WINDOWTEXT));
      result = reinterpret_cast<LRESULT>(cream_);
      return true;
    }
    case WM_COMMAND:
      if (lParam == 0) return false;
      if (const auto it = names_.find(reinterpret_cast<HWND>(lParam)); it != names_.end()) {
        // A field or the memo the keyboard leaves shows its value from the start again,
        // as it did before Tab selected it (and scrolled to its end).
        const ControlKind kind = form_.has(it->second) ? form_[it->second].kind : ControlKind::Label;
        if ((kind == ControlKind::Edit || kind == ControlKind::Memo) && HIWORD(wParam) == EN_KILLFOCUS) {
          SendMessageW(reinterpret_cast<HWND>(lParam), EM_SETSEL, 0, 0);
          SendMessageW(reinterpret_cast<HWND>(lParam), EM_SCROLLCARET, 0, 0);
        }
        if (kind == ControlKind::Edit && HIWORD(wParam) == EN_CHANGE && settingText_) {
          result = 0;
          return true;
        }
        // A field the keyboard enters shows its value whole, one it leaves
        // the form that fits again.
        if (kind == ControlKind::Edit && (HIWORD(wParam) == EN_SETFOCUS || HIWORD(wParam) == EN_KILLFOCUS)) {
          editing_ = HIWORD(wParam) == EN_SETFOCUS ? reinterpret_cast<HWND>(lParam) : nullptr;
          sync();
        }
        events_.command(it->second, HIWORD(wParam));
        result = 0;
        return true;
      }
      return false;
    case WM_MOUSEMOVE:
      if (!pressed_.empty() && GetCapture() == frame) return true;  // a press in progress keeps its control
      events_.mouseMove(nameAt(pointIn()));
      result = 0;
      return true;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN: {
      const int button = message == WM_LBUTTONDOWN ? 0 : message == WM_RBUTTONDOWN ? 1 : 2;
      pressed_ = nameAt(pointIn());
      pressedFrame_ = frame;
      SetCapture(frame);
      events_.mouseDown(pressed_, button);
      InvalidateRect(frame, nullptr, FALSE);
      result = 0;
      return true;
    }
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP: {
      const int button = message == WM_LBUTTONUP ? 0 : message == WM_RBUTTONUP ? 1 : 2;
      const std::string pressed = pressed_.empty() ? nameAt(pointIn()) : pressed_;
      const bool click = button == 0 && frame == pressedFrame_ && nameAt(pointIn()) == pressed;
      pressed_.clear();
      if (GetCapture() == frame) ReleaseCapture();
      InvalidateRect(frame, nullptr, FALSE);
      events_.mouseUp(pressed, button, click);
      result = 0;
      return true;
    }
    case WM_CAPTURECHANGED:
      if (!pressed_.empty()) {
        pressed_.clear();
        InvalidateRect(frame, nullptr, FALSE);
      }
      return false;
    case WM_SETCURSOR:
      if (LOWORD(lParam) != HTCLIENT) return false;
      if (!setCursor(reinterpret_cast<HWND>(wParam), frame)) return false;
      result = TRUE;
      return true;
    default:
      return false;
  }
}

LRESULT CALLBACK FormView::standInProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* view = reinterpret_cast<FormView*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  const auto name = view ? view->standInNames_.find(window) : decltype(view->standInNames_.end()){};
  if (!view || name == view->standInNames_.end()) return DefWindowProcW(window, message, wParam, lParam);
  switch (message) {
    case WM_GETDLGCODE: {  // Enter and Space come here; Tab and the arrows stay the dialog manager's
      const auto* keys = reinterpret_cast<const MSG*>(lParam);
      return keys && (keys->message == WM_KEYDOWN || keys->message == WM_CHAR) && isPressKey(keys->wParam)
                 ? DLGC_WANTMESSAGE
                 : 0;
    }
    case WM_KEYDOWN:
      if (!isPressKey(wParam)) break;
      if ((lParam & (1 << 30)) == 0) view->events_.mouseUp(name->second, 0, true);  // not a key repeat
      return 0;
    case WM_CHAR:
      if (isPressKey(wParam)) return 0;
      break;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      view->focused_ = message == WM_SETFOCUS ? name->second : std::string();
      InvalidateRect(GetParent(window), nullptr, FALSE);
      return 0;
    default:
      break;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

LRESULT CALLBACK FormView::frameProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* view = reinterpret_cast<FormView*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  LRESULT result = 0;
  if (view && view->handle(window, message, wParam, lParam, result)) return result;
  return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace wexmora::win32
