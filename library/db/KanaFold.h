#pragma once
// One spelling for the many ways a Japanese reading gets typed: katakana and hiragana, half- and
// full-width forms and ASCII case fold together, so がんだむ, ガンダム, ｶﾞﾝﾀﾞﾑ and the full-width
// ＧＵＮＤＡＭ of gundam meet. Used by the search and by the tree's index letters.
#include <string>
#include <string_view>

namespace sorv {

// One character folded: katakana and half-width katakana to hiragana, full-width ASCII and
// the ideographic space to ASCII, ASCII letters to lower case; anything else as it is.
char32_t foldKanaChar(char32_t c);
// The folded characters of UTF-8 text into out (replaced). A half-width voiced or semi-voiced
// mark joins the kana before it (ｶﾞ → が), as the full-width form writes it.
void foldKanaText(std::string_view utf8, std::u32string& out);

}  // namespace sorv
