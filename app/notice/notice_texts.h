#pragma once
// The fixed texts of the clock, the information panel and the update prompts,
// as GBK (code page 936) bytes; the UTF-8 text is beside each definition.

namespace notice::text {

extern const char kClockCaption[];
extern const char kLinkHint[];
extern const char kCurrentVersionCaption[];
extern const char kLatestVersionCaption[];
extern const char kAuthorCaption[];
extern const char kVersionSuffix[];
extern const char kInfoCaption[];
extern const char kUpdateIntro[];
extern const char kLatestLine[];
extern const char kChangeLogLine[];
extern const char kAskCaption[];
extern const char kAskText[];
extern const char kMandatoryFlag[];

}  // namespace notice::text
