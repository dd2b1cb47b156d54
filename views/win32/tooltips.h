#pragma once
// The tooltip window of a form: one tool per control, showing its hint with
// the carriage returns as line breaks. A control with a window is its own
// tool, and a drop-down list's edit part too, since that is where the
// pointer rests; a windowless control is an area of its frame, moved
// whenever the control is.
#include <windows.h>

#include <cstddef>
#include <string>
#include <vector>

#include "core/window/display_scale.h"

namespace wexmora::win32 {

class Tooltips {
 public:
  // `owner`: the top-level window the tooltips belong to. `count`: the
  // number of controls; a control is named by its index in the form.
  Tooltips(HWND owner, const DisplayScale& scale, std::size_t count);
  ~Tooltips();
  Tooltips(const Tooltips&) = delete;
  Tooltips& operator=(const Tooltips&) = delete;

  // Width and font for another display scale.
  void setScale(const DisplayScale& scale);
  // The tool of a control with a window (and of a drop-down list's edit part).
  void addWindow(std::size_t control, HWND window, bool dropDown);
  // The tool of a windowless control: an area of `frame`, empty until moved.
  void addArea(std::size_t control, HWND frame);
  void moveArea(std::size_t control, const RECT& area);
  // Shows `hint` from now on; nothing is sent when it is the hint shown.
  void setHint(std::size_t control, const std::string& hint);

 private:
  struct Tool {
    HWND owner = nullptr;
    UINT_PTR id = 0;
  };

  void add(std::size_t control, Tool tool, UINT flags);

  HWND window_ = nullptr;
  std::vector<std::vector<Tool>> tools_;  // by control
  std::vector<std::string> hints_;        // the hint each control's tools show now
};

}  // namespace wexmora::win32
