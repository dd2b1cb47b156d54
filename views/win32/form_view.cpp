#include "views/win32/form_view.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>

#include "core/model/control_names.h"
#include "platform/windows/wide_text.h"
#include "views/win32/fonts.h"
#include "views/win32/pictures.h"
#include "views/win32/window_dpi.h"

namespace wexmora::win32 {
namespace {

using platform::narrow;
using platform::widen;

constexpr const wchar_t* kFrameClass = L"WexmoraFrame";
constexpr COLORREF kCream = RGB(255, 251, 240);
constexpr COLORREF kLinkBlue = RGB(0, 0, 255);
// The drop-down list's height below the selector's edit part.
constexpr int kDropDownHeight = 80;

// The tab order inside the data sheet; the other frames keep the design order.
constexpr const char* kDataSheetTabOrder[] = {
    main_controls::kBrandString,    main_controls::kBaseClock, main_controls::kTurboClock,
    main_controls::kModelKey,       main_controls::kCores,     main_controls::kThreads,
    main_controls::kMaxTemperature, main_controls::kCodeName,  main_controls::kLithography,
    main_controls::kMemory,         main_controls::kSegment,   main_controls::kTechnologies,
    main_controls::kLanguage,       main_controls::kL3Cache,   main_controls::kProductLine,
    main_controls::kGraphics,       main_controls::kClose,     main_controls::kPcie,
    main_controls::kSocket};

bool isFrame(ControlKind kind) { return kind == ControlKind::GroupBox || kind == ControlKind::Panel; }
bool hasWindow(ControlKind kind) {
  return kind == ControlKind::Edit || kind == ControlKind::Memo || kind == ControlKind::ComboBox ||
         kind == ControlKind::Button || isFrame(kind);
}

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

SIZE textSize(HFONT font, const std::wstring& text) {
  HDC dc = GetDC(nullptr);
  HGDIOBJ old = SelectObject(dc, font);
  SIZE size{0, 0};
  if (text.empty()) {
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    size.cy = metrics.tmHeight;
  } else {
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
  }
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  return size;
}

std::wstring windowText(HWND window) {
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
  text.resize(static_cast<std::size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
  return text;
}

void registerFrameClass(WNDPROC procedure) {
  static bool registered = false;
  if (registered) return;
  WNDCLASSEXW frameClass{};
  frameClass.cbSize = sizeof(frameClass);
  frameClass.lpfnWndProc = procedure;
  frameClass.hInstance = GetModuleHandleW(nullptr);
  frameClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  frameClass.lpszClassName = kFrameClass;
  RegisterClassExW(&frameClass);
  registered = true;
}

}  // namespace

FormView::FormView(Form& form, HWND root, FormEvents& events, bool stretchPictures, const TForm15* selector)
    : form_(form),
      root_(root),
      events_(events),
      stretchPictures_(stretchPictures),
      selector_(selector),
      scale_{windowDpi(root)} {
  registerFrameClass(frameProcedure);
  cream_ = CreateSolidBrush(kCream);
  tooltip_ =
      CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
                      CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, root, nullptr, GetModuleHandleW(nullptr), nullptr);
  SendMessageW(tooltip_, TTM_SETMAXTIPWIDTH, 0, scale_.px(600));  // lets "\r\n" break lines
  SendMessageW(tooltip_, WM_SETFONT, reinterpret_cast<WPARAM>(controlFont(FontFace::Tahoma11, scale_.dpi)), FALSE);
  names_[root_] = "";
  for (const Control& control : form_.controls())
    if (hasWindow(control.kind)) create(control);
  orderTabs();
  hints_.resize(form_.controls().size());
  for (std::size_t i = 0; i < form_.controls().size(); ++i) addTool(form_.controls()[i], i);
  sync();
}

FormView::~FormView() {
  if (tooltip_) DestroyWindow(tooltip_);
  if (cream_) DeleteObject(cream_);
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
  // The drop-down list's edit part is as high as the design says.
  if (control.kind == ControlKind::ComboBox)
    SendMessageW(handle, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), scale_.px(control.height) - scale_.px(6));
}

void FormView::setDpi(int dpi) {
  if (dpi <= 0 || dpi == scale_.dpi) return;
  scale_ = DisplayScale{dpi};
  SendMessageW(tooltip_, TTM_SETMAXTIPWIDTH, 0, scale_.px(600));
  SendMessageW(tooltip_, WM_SETFONT, reinterpret_cast<WPARAM>(controlFont(FontFace::Tahoma11, scale_.dpi)), FALSE);
  for (auto& [name, shown] : windows_) {
    applyScale(form_[name], shown.handle);
    shown.rect = ControlRect{-1, -1, -1, -1};  // placed afresh by sync()
  }
  sync();
  for (const auto& [name, shown] : windows_) InvalidateRect(shown.handle, nullptr, TRUE);
}

void FormView::orderTabs() {
  for (const char* name : kDataSheetTabOrder)
    if (HWND handle = window(name))
      SetWindowPos(handle, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void FormView::addTool(const Control& control, std::size_t index) {
  TOOLINFOW tool{};
  tool.cbSize = sizeof(tool);
  tool.uFlags = TTF_SUBCLASS;
  tool.lpszText = const_cast<wchar_t*>(L"");
  if (HWND handle = window(control.name)) {
    tool.uFlags |= TTF_IDISHWND;
    tool.hwnd = GetParent(handle);
    tool.uId = reinterpret_cast<UINT_PTR>(handle);
    SendMessageW(tooltip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    if (control.kind == ControlKind::ComboBox) {  // the pointer rests on its edit part
      COMBOBOXINFO info{};
      info.cbSize = sizeof(info);
      if (GetComboBoxInfo(handle, &info) && info.hwndItem) {
        tool.hwnd = handle;
        tool.uId = reinterpret_cast<UINT_PTR>(info.hwndItem);
        SendMessageW(tooltip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
      }
    }
    return;
  }
  tool.hwnd = control.parent.empty() ? root_ : window(control.parent);
  tool.uId = index + 1;
  SendMessageW(tooltip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

HWND FormView::window(std::string_view name) const {
  const auto it = windows_.find(name);
  return it == windows_.end() ? nullptr : it->second.handle;
}

ControlRect FormView::rectOf(const Control& control) const {
  // The design's rectangle scaled; a label then grows to its text in the
  // scaled font, as controlRect() grows it at 100 % (a designed width of 0
  // there means the label takes its text's width).
  const ControlRect design = controlRect(control, 0, 0);
  ControlRect rect = scale_.rect(design);
  if (control.kind != ControlKind::Label) return rect;
  const SIZE text = textSize(controlFont(control.style.font, scale_.dpi), widen(captionLine(control.text)));
  rect.width = design.width == 0 ? text.cx : std::max<int>(rect.width, text.cx);
  rect.height = std::max<int>(rect.height, text.cy);
  return rect;
}

void FormView::sync() {
  const auto& controls = form_.controls();
  for (std::size_t i = 0; i < controls.size(); ++i) {
    const Control& control = controls[i];
    const ControlRect rect = rectOf(control);
    const auto it = windows_.find(control.name);
    HWND handle = it == windows_.end() ? nullptr : it->second.handle;
    HWND toolOwner = control.parent.empty() ? root_ : window(control.parent);
    if (handle) {
      Windowed& shown = it->second;
      switch (control.kind) {
        case ControlKind::Edit:
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
      if (shown.visible != control.visible) {
        ShowWindow(handle, control.visible ? SW_SHOWNA : SW_HIDE);
        shown.visible = control.visible;
      }
      toolOwner = GetParent(handle);
    }
    TOOLINFOW tool{};
    tool.cbSize = sizeof(tool);
    tool.hwnd = toolOwner;
    tool.uId = handle ? reinterpret_cast<UINT_PTR>(handle) : i + 1;
    if (!handle) {
      tool.rect = RECT{rect.left, rect.top, rect.left + rect.width, rect.top + rect.height};
      if (!control.visible) tool.rect = RECT{0, 0, 0, 0};
      SendMessageW(tooltip_, TTM_NEWTOOLRECTW, 0, reinterpret_cast<LPARAM>(&tool));
    }
    if (hints_[i] != control.hint) {
      const std::wstring text = widen(tooltipText(control.hint, "\r\n"));
      tool.lpszText = const_cast<wchar_t*>(text.c_str());
      SendMessageW(tooltip_, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
      if (control.kind == ControlKind::ComboBox) {
        COMBOBOXINFO info{};
        info.cbSize = sizeof(info);
        if (GetComboBoxInfo(handle, &info) && info.hwndItem) {
          tool.hwnd = handle;
          tool.uId = reinterpret_cast<UINT_PTR>(info.hwndItem);
          SendMessageW(tooltip_, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
        }
      }
      hints_[i] = control.hint;
    }
  }
  for (const auto& [name, shown] : windows_)
    if (name.empty() || isFrame(form_[name].kind)) InvalidateRect(shown.handle, nullptr, FALSE);
  InvalidateRect(root_, nullptr, FALSE);
}

std::string FormView::frameName(HWND frame) const {
  const auto it = names_.find(frame);
  return it == names_.end() ? std::string() : it->second;
}

const Control* FormView::controlAt(HWND frame, POINT point) const {
  const std::string parent = frameName(frame);
  const auto& controls = form_.controls();
  for (auto it = controls.rbegin(); it != controls.rend(); ++it) {
    if (it->parent != parent || !it->visible || hasWindow(it->kind)) continue;
    const ControlRect r = rectOf(*it);
    if (point.x >= r.left && point.x < r.left + r.width && point.y >= r.top && point.y < r.top + r.height) return &*it;
  }
  return nullptr;
}

const Control* FormView::controlOf(HWND window) const {
  for (HWND w = window; w && w != root_; w = GetParent(w)) {
    const auto it = names_.find(w);
    if (it != names_.end()) return &form_[it->second];
  }
  return nullptr;
}

void FormView::paintFrameBorder(HDC dc, const Control& frame, const RECT& client) {
  if (frame.kind == ControlKind::Panel) {
    RECT border = client;
    DrawEdge(dc, &border, BDR_RAISEDOUTER, BF_RECT);
    return;
  }
  // A group box: an etched frame from half the caption's height down, the
  // caption standing in it at the left.
  HGDIOBJ old = SelectObject(dc, controlFont(frame.style.font, scale_.dpi));
  TEXTMETRICW metrics{};
  GetTextMetricsW(dc, &metrics);
  RECT border = client;
  border.top = metrics.tmHeight / 2;
  DrawEdge(dc, &border, EDGE_ETCHED, BF_RECT);
  const std::wstring caption = widen(captionLine(frame.text));
  if (!caption.empty()) {
    SIZE size{};
    GetTextExtentPoint32W(dc, caption.c_str(), static_cast<int>(caption.size()), &size);
    const int indent = scale_.px(8);
    RECT text{indent, 0, indent + size.cx + scale_.px(2), metrics.tmHeight};
    FillRect(dc, &text, GetSysColorBrush(COLOR_BTNFACE));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    text.left += scale_.px(1);
    DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &text,
              DT_LEFT | DT_TOP | DT_SINGLELINE | DT_NOPREFIX);
  }
  SelectObject(dc, old);
}

void FormView::paintWindowless(HDC dc, const Control& control) {
  const ControlRect r = rectOf(control);
  RECT rect{r.left, r.top, r.left + r.width, r.top + r.height};
  switch (control.kind) {
    case ControlKind::Image:
      if (const Bitmap* bitmap = picture(control.picture, scale_.dpi))
        drawPicture(dc, *bitmap, r.left, r.top, r.width, r.height, stretchPictures_);
      break;
    case ControlKind::Label: {
      if (!control.style.transparent) FillRect(dc, &rect, GetSysColorBrush(COLOR_BTNFACE));
      const std::wstring text = widen(captionLine(control.text));
      HGDIOBJ old = SelectObject(dc, controlFont(control.style.font, scale_.dpi));
      SetBkMode(dc, TRANSPARENT);
      SetTextColor(dc, control.style.blueText ? kLinkBlue : GetSysColor(COLOR_WINDOWTEXT));
      DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &rect, DT_LEFT | DT_TOP | DT_SINGLELINE | DT_NOPREFIX);
      SelectObject(dc, old);
      break;
    }
    case ControlKind::SpeedButton: {
      const bool down = pressed_ == control.name;
      DrawFrameControl(dc, &rect, DFC_BUTTON, DFCS_BUTTONPUSH | (down ? DFCS_PUSHED : 0));
      const int shift = down ? scale_.px(1) : 0;
      if (const Bitmap* glyph = picture(control.picture, scale_.dpi)) {
        drawPicture(dc, *glyph, r.left + (r.width - glyph->width) / 2 + shift,
                    r.top + (r.height - glyph->height) / 2 + shift, glyph->width, glyph->height, false);
      } else {
        const std::wstring text = widen(captionLine(control.text));
        HGDIOBJ old = SelectObject(dc, controlFont(control.style.font, scale_.dpi));
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
        OffsetRect(&rect, shift, shift);
        DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &rect,
                  DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
        SelectObject(dc, old);
      }
      break;
    }
    default:
      break;
  }
}

void FormView::paint(HWND frame) {
  PAINTSTRUCT ps;
  HDC screen = BeginPaint(frame, &ps);
  RECT client;
  GetClientRect(frame, &client);
  // Drawn off screen first, so that shifting pictures do not flicker.
  HDC dc = CreateCompatibleDC(screen);
  HBITMAP buffer = CreateCompatibleBitmap(screen, std::max<LONG>(client.right, 1), std::max<LONG>(client.bottom, 1));
  HGDIOBJ oldBuffer = SelectObject(dc, buffer);
  FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
  const std::string name = frameName(frame);
  if (!name.empty()) paintFrameBorder(dc, form_[name], client);
  for (const Control& control : form_.controls())
    if (control.parent == name && control.visible && !hasWindow(control.kind)) paintWindowless(dc, control);
  BitBlt(screen, 0, 0, client.right, client.bottom, dc, 0, 0, SRCCOPY);
  SelectObject(dc, oldBuffer);
  DeleteObject(buffer);
  DeleteDC(dc);
  EndPaint(frame, &ps);
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
      paint(frame);
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

LRESULT CALLBACK FormView::frameProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* view = reinterpret_cast<FormView*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  LRESULT result = 0;
  if (view && view->handle(window, message, wParam, lParam, result)) return result;
  return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace wexmora::win32
