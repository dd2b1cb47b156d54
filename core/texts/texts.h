#pragma once
// The texts of the interface in its two languages, one entry per text: the
// captions and hints the language routines set, the words they translate
// and fill in, the about dialog's texts, the notes on a sheet's source and
// the words of wexmora-info's own lines and of its explanation.
// The table itself is texts.cpp; the routines look their texts up by entry.
#include <span>
#include <string>
#include <string_view>

namespace wexmora {

enum class Language { Russian, English };

// One entry of the table. The first entries are the main window's captions
// and hints, in the order ruslang sets them; the rest follow by subject.
enum class TextId {
  // Captions (the control's text) and hints of the main window's controls.
  FrontPhotoHint,
  BackPhotoHint,
  MoreCaption,
  BrandStringHint,
  AboutButtonHint,
  IdentityButtonHint,
  BadgeHint,
  QrHint,
  SheetGroupCaption,
  ModelCaption,
  SteppingCaption,
  FamilyCaption,
  SocketCaption,
  SocketHint,
  ModelKeyCaption,
  ModelKeyHint,
  BaseClockCaption,
  BaseClockHint,
  TurboClockCaption,
  TurboClockHint,
  CoresCaption,
  CoresHint,
  ThreadsCaption,
  ThreadsHint,
  L3CacheCaption,
  L3CacheHint,
  SegmentCaption,
  CodeNameHint,
  CodeNameCaption,
  ProductLineHint,
  ProductLineCaption,
  GraphicsHint,
  GraphicsCaption,
  MemoryHint,
  MemoryCaption,
  LithographyHint,
  LithographyCaption,
  MaxTemperatureHint,
  MaxTemperatureCaption,
  TechnologiesCaption,
  CloseCaption,
  IdentityHideCaption,
  LanguageHint,
  TechnologiesHint,
  PcieCaption,
  PcieHint,
  CloseHint,
  ScreenshotCaption,
  ScreenshotButtonHint,
  // The integrated-graphics answer and the market segments with their hints.
  GraphicsYes,
  SegmentDesktop,
  SegmentDesktopHint,
  SegmentServer,
  SegmentServerHint,
  SegmentEmbedded,
  SegmentEmbeddedHint,
  SegmentMobile,
  SegmentMobileHint,
  // Empty fields and the window with no processor identified.
  Unknown,
  NoRecord,
  Lga1150NoRecord,
  NoProcessorCaption,
  NoProcessorHint,
  NoProcessorQrHint,
  // The about dialog.
  AboutClose,
  AboutSite,
  AboutCaptionStart,
  // What a screen reader calls the controls that no caption names: the
  // actions by what they do, the pictures by what they show.
  NameBrandString,
  NameFrontPhoto,
  NameBackPhoto,
  NameQrCode,
  NameBadge,
  NameIdentityButton,
  NameAboutButton,
  NameScreenshotButton,
  NameIdentityPanel,
  NameSiteLink,
  // Where a sheet from outside the catalogue comes from.
  SourceExtended,
  SourceMachine,
  SourceBrand,
  // wexmora-info: the captions of its own lines and the words of --explain.
  InfoBrandCaption,
  InfoSourceCaption,
  CoreTypesCaption,
  CoreTypesPerformance,
  CoreTypesEfficient,
  CoreTypesLowPower,
  ExplainTitle,
  ExplainBrand,
  ExplainLength,
  ExplainKeyRules,
  ExplainNoKeyRule,
  ExplainChainShortBrand,
  ExplainChainKeyGiven,
  ExplainRule,
  ExplainSuffix,
  ExplainPattern,
  ExplainNoPattern,
  ExplainOverwritten,
  ExplainBadgeLeft,
  ExplainModelKey,
  ExplainCatalogue,
  ExplainEntry,
  ExplainKey,
  ExplainNoEntry,
  ExplainBadgeRules,
  ExplainNoBadgeRule,
  ExplainBadge,
  ExplainBadgeHeading,
  ExplainLeft,
  ExplainTop,
  ExplainDecidesBadge,
  ExplainDecidesLeft,
  ExplainDecidesBoth,
  ExplainNoBadge,
  ExplainCorrections,
  ExplainNoCorrection,
  ExplainBaseClock,
  ExplainLga1150Fill,
  ExplainNothingFilled,
  ExplainNoProcessor,
  ExplainLanguage,
  ExplainStored,
  ExplainNothingStored,
  ExplainIndex,
  ExplainRoutine,
  ExplainNoRoutine,
  ExplainModelNumber,
  ExplainReadBy,
  ExplainNoModelNumber,
  ExplainShown,
  ExplainExtendedTable,
  ExplainLineAndClock,
  ExplainDie,
  ExplainDieUncertain,
  ExplainCandidates,
  ExplainNone,
  ExplainRowFound,
  ExplainNoRow,
  ExplainRefined,
  ExplainSource,
  ExplainNoSource,
  // The check of the sheet against this machine (core/check/): the
  // heading, the all-agree line, the facts, the findings and their reasons.
  CheckHeading,
  CheckRunsAsSpecified,
  CheckFactMachine,
  CheckFactCores,
  CheckFactThreads,
  CheckFactCpus,
  CheckFactTurbo,
  CheckFactBase,
  CheckFactTechnologies,
  CheckFactL3,
  CheckFactIdentity,
  FindVirtualMachine,
  FindFewer,
  FindUsable,
  FindTurboOff,
  FindClockBelow,
  FindBaseClock,
  FindTechMissing,
  FindTechMore,
  FindIdentity,
  ReasonHypervisor,
  ReasonVirtualCpus,
  ReasonMaxcpus,
  ReasonOffline,
  ReasonFewer,
  ReasonSmtOff,
  ReasonSmtFirmware,
  ReasonQuota,
  ReasonCpuset,
  ReasonTurboOff,
  ReasonClockLimit,
  ReasonClockBelow,
  ReasonBrandChanged,
  ReasonVirtTaken,
  ReasonVirtOff,
  ReasonHiddenByHypervisor,
  ReasonVectorsOff,
  ReasonTsxOff,
  ReasonNotOffered,
  ReasonSheetOmits,
  ReasonL3Smaller,
  ReasonL3Virtual,
  ExplainCheck,
  ExplainCheckNothing,

  Count  // the number of entries
};

// One row of the table: an entry and its text in each language. A language
// that has no text for the entry (the system shows it in one language only)
// leaves it null.
struct Translation {
  TextId id;
  const char* russian;
  const char* english;
};

// The whole table, one row per entry in the order of TextId.
std::span<const Translation> translations();

// The entry's text in `language`; empty where that language has none.
std::string_view textOf(TextId id, Language language);

// The about dialog's caption: "О программе Wexmora v.<version>" or
// "About Wexmora v.<version>".
std::string aboutCaption(Language language);

}  // namespace wexmora
