#pragma once

namespace shared {

// What either window's status panel says while the browser does not
// answer, followed by the failure's summary.
inline constexpr char16_t kBrowserNotAnsweringText[] = u"ﾌﾞﾗｳｻﾞが応答しません: ";

} // namespace shared
