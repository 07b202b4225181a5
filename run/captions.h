// The start button's two captions, which are also the run state.
#pragma once

namespace shoutotsu {

inline constexpr const char* kStartCaption = "スタート";
inline constexpr const char* kClearCaption = "クリア";

} // namespace shoutotsu
