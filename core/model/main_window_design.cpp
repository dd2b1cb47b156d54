// The design state of both windows, control by control, as the form designer
// left them: positions are in the parent's coordinates, "" being the client
// area. The identification pass starts from exactly this state.
#include "base/site.h"
#include "core/model/form_model.h"

namespace wexmora {
namespace {

using K = ControlKind;
using C = CursorShape;
using F = FontFace;

struct DesignRow {
  const char* name;
  const char* parent;
  ControlKind kind;
  int left, top, width, height;
  const char* text;
  const char* hint;
  ControlStyle style;
  bool visible = true;
  Picture picture = {};
};

constexpr ControlStyle kPlain{};
constexpr ControlStyle kField{F::Tahoma11, C::Arrow, true, true};      // read-only cream edit, arrow cursor
constexpr ControlStyle kTextField{F::Tahoma11, C::IBeam, true, true};  // read-only but keeps the text cursor
constexpr ControlStyle kEditable{F::Tahoma11, C::IBeam, false, true};
constexpr ControlStyle kHand{F::Tahoma11, C::Hand};
constexpr ControlStyle kPicture{F::Tahoma11, C::Default, false, false, true};
constexpr ControlStyle kPictureLink{F::Tahoma11, C::Hand, false, false, true};
constexpr ControlStyle kCaption12{F::TimesNewRoman12, C::Help, false, false, true};
constexpr ControlStyle kCaption11{F::TimesNewRoman11, C::Help, false, false, true};
constexpr ControlStyle kTransparentLabel{F::Tahoma11, C::Default, false, false, true};
constexpr ControlStyle kPanel{F::Tahoma11, C::Default, false, false, false, false, true};

constexpr Picture design(DesignPicture p) { return {PictureSource::Design, p}; }

// clang-format off
// name            parent       kind            left top  width height text                                hint
const DesignRow kMainWindow[] = {
  {"GroupBox1",    "",          K::GroupBox,       8,   0, 457, 353, "",                                 "", kPlain},
  {"Image1",       "GroupBox1", K::Image,        320,  17, 128,  95, "",                                 "", kPicture},
  {"Image2",       "GroupBox1", K::Image,         11,  18,  95,  95, "",                                 "Смотреть фото процессора \r\n", kPictureLink, true, design(kFrontPhoto)},
  {"Image3",       "GroupBox1", K::Image,        115,  18,  95,  95, "",                                 "Смотреть фото обратной стороны \r\nпроцессора ", kPictureLink, true, design(kBackPhoto)},
  {"Image4",       "GroupBox1", K::Image,        219,  18,  95,  95, "",                                 "", kPictureLink},
  {"Label1",       "GroupBox1", K::Label,         22,  59,  23,  15, " Info",                            "", kCaption12},
  {"Label14",      "GroupBox1", K::Label,         22,  74,  23,  14, " Info",                            "", kCaption11},
  {"Label15",      "GroupBox1", K::Label,         22,  87,  26,  14, "Soket",                            "", kCaption11},
  {"Label22",      "GroupBox1", K::Label,        240,   6,  68,  13, "Подробнее...",                     "", kPlain},
  {"GroupBox2",    "GroupBox1", K::GroupBox,       8, 120, 441, 225, "Краткая информация о процессоре ", "", kPlain},
  {"Panel1",       "GroupBox1", K::Panel,        112,  10, 105, 106, "",                                 "", kPanel, false},
  // The data sheet; caption labels are 13 pixels high and size themselves.
  {"Edit1",        "GroupBox2", K::Edit,           8,  20, 273,  21, "",                                 "", kField},
  {"Label28",      "GroupBox2", K::Label,        296,   8,   0,  13, "Сокет",                            "", kPlain},
  {"Edit11",       "GroupBox2", K::Edit,         288,  20,  89,  21, "",                                 "", kField},
  {"Label7",       "GroupBox2", K::Label,         16,  48,   0,  13, "Процессор",                        "", kPlain},
  {"Edit7",        "GroupBox2", K::Edit,           8,  60,  65,  21, "",                                 "", kField},
  {"Label5",       "GroupBox2", K::Label,         85,  48,   0,  13, "Базовая частота",                  "", kPlain},
  {"Edit5",        "GroupBox2", K::Edit,          80,  60,  89,  21, "",                                 "", kField},
  {"Label6",       "GroupBox2", K::Label,        180,  48,   0,  13, "Турбо частота",                    "", kPlain},
  {"Edit6",        "GroupBox2", K::Edit,         176,  60,  81,  21, "",                                 "", kField},
  {"Label8",       "GroupBox2", K::Label,        272,  48,   0,  13, "Ядер",                             "", kPlain},
  {"Edit8",        "GroupBox2", K::Edit,         264,  60,  41,  21, "",                                 "", kField},
  {"Label9",       "GroupBox2", K::Label,        316,  48,   0,  13, "Потоки",                           "", kPlain},
  {"Edit9",        "GroupBox2", K::Edit,         312,  60,  45,  21, "",                                 "", kField},
  {"Label24",      "GroupBox2", K::Label,        368,  48,   0,  13, "PCI Express",                      "", kPlain},
  {"Edit16",       "GroupBox2", K::Edit,         363,  60,  70,  21, "",                                 "", kField},
  {"Label17",      "GroupBox2", K::Label,         16,  83,   0,  13, "CPU для",                          "", kPlain},
  {"Edit15",       "GroupBox2", K::Edit,           8,  95,  73,  21, "",                                 "", kField},
  {"Label12",      "GroupBox2", K::Label,         96,  83,   0,  13, "Кодовое имя",                      "", kPlain},
  {"Edit12",       "GroupBox2", K::Edit,          88,  95,  73,  21, "",                                 "", kField},
  {"Label26",      "GroupBox2", K::Label,        176,  83,   0,  13, "Модель процессора",                "", kPlain},
  {"Edit18",       "GroupBox2", K::Edit,         168,  95, 121,  21, "",                                 "", kEditable},
  {"Label27",      "GroupBox2", K::Label,        304,  83,   0,  13, "Встроеная графика",                "", kPlain},
  {"Edit19",       "GroupBox2", K::Edit,         296,  95, 137,  21, "",                                 "", kTextField},
  {"Label16",      "GroupBox2", K::Label,         16, 116,   0,  13, "Макс. поддерживаемая память",      "", kPlain},
  {"Edit14",       "GroupBox2", K::Edit,           8, 128, 201,  21, "",                                 "", kField},
  {"Label13",      "GroupBox2", K::Label,        216, 115,   0,  13, "Литография",                       "", kPlain},
  {"Edit13",       "GroupBox2", K::Edit,         216, 127,  49,  21, "",                                 "", kField},
  {"Label10",      "GroupBox2", K::Label,        288, 115,   0,  13, "Макс. темп",                       "", kPlain},
  {"Edit10",       "GroupBox2", K::Edit,         280, 127,  65,  21, "",                                 "", kField},
  {"Label25",      "GroupBox2", K::Label,        354, 115,   0,  13, "Кэш память L3",                    "", kPlain},
  {"Edit17",       "GroupBox2", K::Edit,         352, 127,  81,  21, "",                                 "", kField},
  {"Label18",      "GroupBox2", K::Label,         96, 152,   0,  13, "Технологии, интерфейсы, функции в процессоре", "", kPlain},
  {"Memo2",        "GroupBox2", K::Memo,          80, 168, 273,  49, "",                                 "", kTextField},
  {"Label23",      "GroupBox2", K::Label,         16, 150,   0,  13, "Languages",                        "", kPlain},
  {"ComboBox1",    "GroupBox2", K::ComboBox,       8, 166,  65,  21, "Russian",                          "", {F::Tahoma11, C::Hand, false, true}},
  {"Button2",      "GroupBox2", K::Button,         8, 192,  65,  25, "Закрыть",                          "", kHand},
  {"SpeedButton5", "GroupBox2", K::SpeedButton,  382,  16,  25,  25, "FMS",                              "", kHand},
  {"SpeedButton4", "GroupBox2", K::SpeedButton,  410,  16,  23,  25, "",                                 "О программе", kHand, true, design(kAboutGlyph)},
  {"SpeedButton3", "GroupBox2", K::SpeedButton,  360, 152,  73,  65, "",                                 "", kHand, true, design(kCameraGlyph)},
  {"Label11",      "GroupBox2", K::Label,        370, 200,  51,  13, "Скриншот",                         "", {F::Tahoma11, C::Hand, false, false, true}},
  // The family/model/stepping panel.
  {"Label3",       "Panel1",    K::Label,          6,   6,  39,  13, "Модель",                           "", kPlain},
  {"Label4",       "Panel1",    K::Label,         52,   6,  48,  13, "Степпинг",                         "", kPlain},
  {"Edit3",        "Panel1",    K::Edit,           4,  20,  33,  21, "",                                 "", kField},
  {"Edit4",        "Panel1",    K::Edit,          54,  20,  33,  21, "",                                 "", kField},
  {"Label2",       "Panel1",    K::Label,          6,  41,  54,  13, "Семейство",                        "", kTransparentLabel},
  {"Edit2",        "Panel1",    K::Edit,           4,  53,  48,  21, "",                                 "", kField},
  {"Button3",      "Panel1",    K::Button,        50,  74,  47,  22, "Скрыть",                           "", kHand},
  // Never shown: the scratch field of the link hand-over.
  {"Edit20",       "",          K::Edit,           8, 360, 121,  21, "1",                                "", kPlain, false},
};

const DesignRow kAboutDialog[] = {
  {"Image1",       "",          K::Image,          8,   8,  97,  97, "",                                 "", kPlain, true, design(kAboutLogo)},
  {"Label1",       "",          K::Label,        120,  16, 141,  13, "",                                 "", kPlain},  // titleLine()
  {"Label2",       "",          K::Label,        120,  32, 164,  13, "Author: the Wexmora developers",   "", kPlain},
  {"Label3",       "",          K::Label,        120,  48,  77,  13, "License: FreeWare",                "", kPlain},
  {"Label4",       "",          K::Label,        120,  64, 108,  13, "",                                 "", {F::Tahoma11, C::Hand, false, false, false, true}},
  {"Button2",      "",          K::Button,       112,  80,  97,  25, "Сайт программы",                   "", kHand},
  {"Button1",      "",          K::Button,       224,  80,  65,  25, "Закрыть",                          "", kHand},
};
// clang-format on

template <std::size_t N>
std::vector<Control> build(const DesignRow (&rows)[N]) {
  std::vector<Control> controls;
  controls.reserve(N);
  for (const auto& r : rows)
    controls.push_back(
        {r.name, r.parent, r.kind, r.text, r.hint, r.left, r.top, r.width, r.height, r.visible, r.picture, r.style});
  return controls;
}

}  // namespace

std::string TForm4::titleLine(std::string_view lastYear) {
  return site::capitalNameAndVersion() + " (2022-" + std::string(lastYear) + ")";
}

TForm15::TForm15() {
  caption = site::capitalNameAndVersion() + "   - " + site::base();
  width = kClientWidth + 2 * kFrameWidth;
  height = kClientHeight + kTitleHeight + kFrameWidth;
  setControls(build(kMainWindow));
}

TForm4::TForm4() {
  caption = site::nameAndVersion();
  left = 974;
  top = 158;
  width = 312;
  height = 151;
  setControls(build(kAboutDialog));
  (*this)["Label1"].text = titleLine(std::to_string(kDesignYear));
  (*this)["Label4"].text = site::base();
}

}  // namespace wexmora
