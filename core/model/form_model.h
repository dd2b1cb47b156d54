#pragma once
// The headless model of the program's two windows. The stages of the
// identification pass and the event handlers read and write these controls;
// what the pass learns that no control shows travels beside them on TForm15
// (its facts, links, trace). The views paint the model and forward events. Controls carry the form
// designer's component names; core/model/control_names.h says what each one
// means, and the rest of the program names them through it.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "core/model/pass_facts.h"

namespace wexmora {

struct PassTrace;  // core/model/pass_trace.h

enum class ControlKind { Label, Edit, Memo, ComboBox, Button, SpeedButton, GroupBox, Panel, Image };

// Where a picture comes from: one of the two image lists, or a picture built
// into the form at design time (photos, glyphs, logo).
enum class PictureSource { None, Badges, Qr, Design };

// Indices of the design-time pictures (PictureSource::Design).
enum DesignPicture : int { kFrontPhoto = 0, kBackPhoto, kAboutGlyph, kCameraGlyph, kAboutLogo, kIcon };

struct Picture {
  PictureSource source = PictureSource::None;
  int index = 0;
  bool empty() const { return source == PictureSource::None; }
  friend bool operator==(const Picture&, const Picture&) = default;
};

enum class CursorShape { Default, Hand, Help, IBeam, Arrow };
enum class FontFace { Tahoma11, TimesNewRoman12, TimesNewRoman11 };

// How a control looks; fixed at design time, read by the views only.
struct ControlStyle {
  FontFace font = FontFace::Tahoma11;
  CursorShape cursor = CursorShape::Default;
  bool readOnly = false;
  bool cream = false;        // background red 255, green 251, blue 240
  bool transparent = false;  // labels and pictures drawn over their parent
  bool blueText = false;
  bool border = false;  // panels with a single border
};

struct Control {
  std::string name;    // component name
  std::string parent;  // "" = the window's client area; else the parent's name
  ControlKind kind = ControlKind::Label;
  std::string text;                              // caption of labels, buttons, groups; text of edits and the memo
  std::string hint;                              // tooltip; may hold "\r" line breaks
  int left = 0, top = 0, width = 0, height = 0;  // width 0 on labels: sizes itself to its text
  bool visible = true;
  Picture picture;
  ControlStyle style;
};

// A window: outer geometry in screen coordinates, caption and controls.
class Form {
 public:
  std::string caption;
  int left = 0, top = 0;
  int width = 0, height = 0;  // outer size, frame and title bar included
  bool visible = false;

  // The control with this component name; throws std::out_of_range otherwise.
  // Found through an index of the design's names; a list changed through
  // controls() since is searched in full.
  Control& operator[](std::string_view name);
  const Control& operator[](std::string_view name) const;
  // The stages name controls by the constants of control_names.h: such a
  // name is first tried where the same characters were found last.
  Control& operator[](const char* name) { return const_cast<Control&>(static_cast<const Form&>(*this)[name]); }
  const Control& operator[](const char* name) const {
    if (const Control* control = foundBefore(name)) return *control;
    return remember(name, (*this)[std::string_view(name)]);
  }
  bool has(std::string_view name) const;
  std::vector<Control>& controls() { return controls_; }
  const std::vector<Control>& controls() const { return controls_; }

 protected:
  // Puts the design's controls in place and indexes their names.
  void setControls(std::vector<Control> controls);

 private:
  struct NameHash {
    using is_transparent = void;
    std::size_t operator()(std::string_view name) const { return std::hash<std::string_view>{}(name); }
  };
  const Control* find(std::string_view name) const;
  // Where a lookup of these characters found its control last, on this
  // thread; a hint checked against the control's own name, so any form and
  // any changed list stay right.
  struct LastFound {
    const char* name = nullptr;
    std::size_t position = 0;
  };
  static LastFound& lastFound(const char* name) {
    thread_local LastFound remembered[256];
    return remembered[(reinterpret_cast<std::uintptr_t>(name) >> 3) % 256];
  }
  const Control* foundBefore(const char* name) const {
    const LastFound& last = lastFound(name);
    if (last.name != name || last.position >= controls_.size()) return nullptr;
    const Control& control = controls_[last.position];
    return control.name == name ? &control : nullptr;
  }
  const Control& remember(const char* name, const Control& found) const;

  using Index = std::unordered_map<std::string, std::size_t, NameHash, std::equal_to<>>;  // name -> position

  std::vector<Control> controls_;
  std::shared_ptr<const Index> index_;  // shared by copies: they start with the same list
};

// The about dialog, created hidden after the main window.
class TForm4 : public Form {
 public:
  TForm4();  // design state

  // Label1, the name, version and years: "WEXMORA v.<version> (2022-<lastYear>)".
  static std::string titleLine(std::string_view lastYear);
  static constexpr int kDesignYear = 2023;  // the last year of the design text
};

// The texts the window's notes were written onto (core/window/sheet_notes.h):
// the memo and the hints as the design's stages and the language routine
// left them.
struct NoteBases {
  bool marked = false;
  std::string memo;
  std::vector<std::pair<std::string, std::string>> hints;  // control, hint
};

// The main window. Besides its visible controls it holds the language
// selector's items, the link addresses, the pass's facts and its trace; the
// catalogue's lists are passed to the stages that read them (core/data/lists.h).
class TForm15 : public Form {
 public:
  TForm15();  // design state

  static constexpr int kClientWidth = 468;
  static constexpr int kClientHeight = 357;
  static constexpr int kFrameWidth = 3;    // left, right and bottom frame
  static constexpr int kTitleHeight = 26;  // title bar and top frame
  static constexpr int kPassHeight = 387;  // outer height set by the pass

  // ComboBox1: items and selected index (-1 = none).
  std::vector<std::string> comboItems{"Russian", "English"};
  int comboIndex = 0;

  // The three web addresses of the identified processor, built once per run.
  std::string frontUrl, backUrl, detailedUrl;

  // The about dialog once it exists (it does not during the pass).
  TForm4* aboutDialog = nullptr;

  // What the pass learns that no control's text holds (core/model/pass_facts.h).
  PassFacts facts;
  NoteBases noteBases;
  // The message of an error that stopped the identification pass, if any.
  std::string passError;

  // Where the stages record what they do and why (wexmora-info --explain);
  // null, and so recording nothing, unless a caller asks for it.
  PassTrace* trace = nullptr;
};

}  // namespace wexmora
