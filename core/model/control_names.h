#pragma once
// What each control of the two windows means, named once. The values are the
// form designer's component names, which the window's design table gives the
// controls; every other file names a control through these constants, so
// that "the model key" reads as such wherever it is written or read.
namespace wexmora::main_controls {

// The frame of the upper part, with the pictures, and the data sheet's group.
inline constexpr const char* kPicturesFrame = "GroupBox1";
inline constexpr const char* kSheetGroup = "GroupBox2";

// The pictures: family badge, front and back photos (links to the photo
// pages), the QR code of the detailed page.
inline constexpr const char* kBadgeImage = "Image1";
inline constexpr const char* kFrontPhotoImage = "Image2";
inline constexpr const char* kBackPhotoImage = "Image3";
inline constexpr const char* kQrImage = "Image4";
inline constexpr const char* kMoreCaption = "Label22";  // "Подробнее..." over the QR code

// The three captions over the front photo: model key, base clock, socket.
inline constexpr const char* kPhotoModelKey = "Label1";
inline constexpr const char* kPhotoBaseClock = "Label14";
inline constexpr const char* kPhotoSocket = "Label15";

// The data sheet: each field with its caption.
inline constexpr const char* kBrandString = "Edit1";
inline constexpr const char* kSocket = "Edit11";
inline constexpr const char* kSocketCaption = "Label28";
inline constexpr const char* kModelKey = "Edit7";
inline constexpr const char* kModelKeyCaption = "Label7";
inline constexpr const char* kBaseClock = "Edit5";
inline constexpr const char* kBaseClockCaption = "Label5";
inline constexpr const char* kTurboClock = "Edit6";
inline constexpr const char* kTurboClockCaption = "Label6";
inline constexpr const char* kCores = "Edit8";
inline constexpr const char* kCoresCaption = "Label8";
inline constexpr const char* kThreads = "Edit9";
inline constexpr const char* kThreadsCaption = "Label9";
inline constexpr const char* kPcie = "Edit16";
inline constexpr const char* kPcieCaption = "Label24";
inline constexpr const char* kSegment = "Edit15";
inline constexpr const char* kSegmentCaption = "Label17";
inline constexpr const char* kCodeName = "Edit12";
inline constexpr const char* kCodeNameCaption = "Label12";
inline constexpr const char* kProductLine = "Edit18";
inline constexpr const char* kProductLineCaption = "Label26";
inline constexpr const char* kGraphics = "Edit19";
inline constexpr const char* kGraphicsCaption = "Label27";
inline constexpr const char* kMemory = "Edit14";
inline constexpr const char* kMemoryCaption = "Label16";
inline constexpr const char* kLithography = "Edit13";
inline constexpr const char* kLithographyCaption = "Label13";
inline constexpr const char* kMaxTemperature = "Edit10";
inline constexpr const char* kMaxTemperatureCaption = "Label10";
inline constexpr const char* kL3Cache = "Edit17";
inline constexpr const char* kL3CacheCaption = "Label25";
inline constexpr const char* kTechnologies = "Memo2";
inline constexpr const char* kTechnologiesCaption = "Label18";

// The language selector, the close button, the about and screenshot buttons.
inline constexpr const char* kLanguage = "ComboBox1";
inline constexpr const char* kLanguageCaption = "Label23";
inline constexpr const char* kClose = "Button2";
inline constexpr const char* kAboutButton = "SpeedButton4";
inline constexpr const char* kScreenshotButton = "SpeedButton3";
inline constexpr const char* kScreenshotCaption = "Label11";

// The family/model/stepping panel, the button that shows or hides it and
// the panel's own hide button.
inline constexpr const char* kIdentityPanel = "Panel1";
inline constexpr const char* kIdentityButton = "SpeedButton5";
inline constexpr const char* kIdentityHide = "Button3";
inline constexpr const char* kFamily = "Edit2";
inline constexpr const char* kFamilyCaption = "Label2";
inline constexpr const char* kModel = "Edit3";
inline constexpr const char* kModelCaption = "Label3";
inline constexpr const char* kStepping = "Edit4";
inline constexpr const char* kSteppingCaption = "Label4";

// The hidden field the model key is handed over in before the links are built.
inline constexpr const char* kHandOver = "Edit20";

}  // namespace wexmora::main_controls

namespace wexmora::about_controls {

// The about dialog: logo, title line, author, licence, the site's address
// (a link), the site button and the close button.
inline constexpr const char* kLogo = "Image1";
inline constexpr const char* kTitle = "Label1";
inline constexpr const char* kAuthor = "Label2";
inline constexpr const char* kLicense = "Label3";
inline constexpr const char* kSiteLink = "Label4";
inline constexpr const char* kSiteButton = "Button2";
inline constexpr const char* kClose = "Button1";

}  // namespace wexmora::about_controls
