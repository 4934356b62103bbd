#include "library/db/KanaFold.h"

#include "decoder/TextEncoding.h"

namespace sorv {

namespace {

// Half-width katakana U+FF66..U+FF9D as hiragana.
constexpr char16_t kHalfWidth[] =
    u"をぁぃぅぇぉゃゅょっーあいうえおかきくけこさしすせそたちつてとなにぬねのはひふへほまみむめも"
    u"やゆよらりるれろわん";
constexpr char16_t kHalfWidthPunctuation[] = u"。「」、・";

bool takesVoicedMark(char32_t c) {
  return (c >= U'か' && c <= U'ぢ' && (c - U'か') % 2 == 0) ||
         (c >= U'つ' && c <= U'ど' && (c - U'つ') % 2 == 0) || c == U'う' ||
         (c >= U'は' && c <= U'ぽ' && (c - U'は') % 3 == 0);
}

// The kana with the half-width mark joined, or 0 when the mark does not go with it.
char32_t joinMark(char32_t kana, char32_t mark) {
  if (!takesVoicedMark(kana)) return 0;
  if (kana == U'う') return mark == 0xFF9E ? U'ゔ' : 0;
  const bool hRow = kana >= U'は' && kana <= U'ぽ';
  if (mark == 0xFF9F) return hRow ? kana + 2 : 0;
  return kana + 1;
}

}  // namespace

char32_t foldKanaChar(char32_t c) {
  if (c >= U'A' && c <= U'Z') return c + 0x20;
  if (c >= 0xFF01 && c <= 0xFF5E) return foldKanaChar(c - 0xFEE0);
  if (c == 0x3000) return U' ';
  if (c >= U'ァ' && c <= U'ヶ') return c - 0x60;
  if (c >= 0xFF66 && c <= 0xFF9D) return kHalfWidth[c - 0xFF66];
  if (c >= 0xFF61 && c <= 0xFF65) return kHalfWidthPunctuation[c - 0xFF61];
  return c;
}

void foldKanaText(std::string_view utf8, std::u32string& out) {
  out.clear();
  for (std::size_t i = 0; i < utf8.size();) {
    const char32_t c = nextUtf8Char(utf8, i);
    if ((c == 0xFF9E || c == 0xFF9F) && !out.empty()) {
      if (const char32_t joined = joinMark(out.back(), c)) {
        out.back() = joined;
        continue;
      }
    }
    out += foldKanaChar(c);
  }
}

}  // namespace sorv
