#pragma once
// The Windows font names the program draws with stand for fonts that Linux has.

namespace sorv {

// "ＭＳ Ｐゴシック" draws as IPAPGothic, "Arial" as Liberation Sans. Call once after the
// application object exists.
void registerFontSubstitutions();

inline constexpr const char* kGothic = "ＭＳ Ｐゴシック";
inline constexpr const char* kArial = "Arial";

}  // namespace sorv
