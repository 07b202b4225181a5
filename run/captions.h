// The start button's two captions, which are also the run state.
#pragma once

namespace shoutotsu {

inline constexpr const char* kStartCaption = "スタート";
inline constexpr const char* kClearCaption = "クリア";
// Their names in the page's text tables.
inline constexpr const char* kStartCaptionName = "start";
inline constexpr const char* kClearCaptionName = "start:clear";

} // namespace shoutotsu
