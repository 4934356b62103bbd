#include <gtest/gtest.h>

#include <cstdio>

#include "decoder/LegacyText.h"
#include "decoder/TagText.h"
#include "decoder/TextEncoding.h"
#include "tests/common/LegacyCorpus.h"

namespace sorv {
namespace {

using test::encodeText;

TEST(LegacyTextTest, DetectsEveryCorpusClassAtLeast999In1000) {
  const auto corpus = test::buildLegacyCorpus(2000);
  ASSERT_FALSE(corpus.empty()) << "skkdic and the word lists are missing: run scripts/setup.sh";
  for (const test::CorpusClass& cls : corpus) {
    std::size_t wrong = 0;
    for (const std::string& sample : cls.samples) {
      const LegacyCharset got = detectLegacyCharset(sample);
      if (got == cls.truth) continue;
      ++wrong;
      std::printf("%s: read as %s: %s\n", cls.name.c_str(), legacyCharsetName(got),
                  legacyTextToUtf8(sample).c_str());
    }
    EXPECT_GE(cls.samples.size(), 1000u) << cls.name;
    EXPECT_LE(wrong * 1000, cls.samples.size()) << cls.name << ": " << wrong << " wrong";
  }
}

TEST(LegacyTextTest, ReadsRealTitlesAndNamesExactly) {
  const struct {
    LegacyCharset charset;
    const char* text;
  } titles[] = {
      {LegacyCharset::Cp932, "残酷な天使のテーゼ"},
      {LegacyCharset::Cp932, "ムーンライト伝説"},
      {LegacyCharset::Cp932, "もってけ！セーラーふく"},
      {LegacyCharset::Cp932, "仮面ライダーBLACK RX"},
      {LegacyCharset::Cp932, "勇者王誕生！"},
      {LegacyCharset::Cp932, "影山ヒロノブ"},
      {LegacyCharset::Cp932, "ささきいさお"},
      {LegacyCharset::Cp932, "ゆいかおり・小倉唯"},
      {LegacyCharset::Cp932, "シェリル・ノーム starring May'n"},
      {LegacyCharset::Cp932, "ハッピー☆マテリアル"},
      {LegacyCharset::Cp932, "恋愛サーキュレーション～千石撫子"},
      {LegacyCharset::Cp932, "Pure Heart ～世界で一番アナタが好き～"},
      {LegacyCharset::Cp932, "ドラゴンボールZ ①"},
      {LegacyCharset::Cp932, "①ＯＰテーマ"},
      {LegacyCharset::Cp932, "Ｄｒ．スランプ アラレちゃん"},
      {LegacyCharset::Cp932, "銀河鉄道999"},
      {LegacyCharset::Cp932, "ｱﾆﾒ ｿﾝｸﾞ ﾍﾞｽﾄ"},
      {LegacyCharset::Cp932, "ｳﾙﾄﾗﾏﾝ ｾﾌﾞﾝ"},
      {LegacyCharset::EucJp, "新世紀エヴァンゲリオン"},
      {LegacyCharset::EucJp, "機動戦士ガンダム"},
      {LegacyCharset::EucJp, "うる星やつら"},
      {LegacyCharset::EucJp, "鉄腕アトム"},
      {LegacyCharset::Latin1, "Grüße Übung"},
      {LegacyCharset::Latin1, "Déjà vu"},
      {LegacyCharset::Latin1, "Les Misérables"},
      {LegacyCharset::Latin1, "Ça plane pour moi"},
      {LegacyCharset::Latin1, "À la claire fontaine"},
      {LegacyCharset::Latin1, "L'été indien"},
      {LegacyCharset::Latin1, "Père Noël"},
      {LegacyCharset::Latin1, "Über den Wolken"},
      {LegacyCharset::Latin1, "Die Ärzte"},
      {LegacyCharset::Latin1, "Straße"},
      {LegacyCharset::Latin1, "Mötley Crüe"},
      {LegacyCharset::Latin1, "Canción del mariachi"},
      {LegacyCharset::Latin1, "España cañí"},
      {LegacyCharset::Latin1, "Sin él"},
      {LegacyCharset::Latin1, "Così fan tutte"},
      {LegacyCharset::Latin1, "Città vuota"},
      {LegacyCharset::Latin1, "Grândola, Vila Morena"},
      {LegacyCharset::Latin1, "Sigur Rós"},
      {LegacyCharset::Utf8, "交響詩篇エウレカセブン"},
      {LegacyCharset::Utf8, "Beyoncé"},
  };
  for (const auto& title : titles) {
    const auto bytes =
        title.charset == LegacyCharset::Utf8 ? title.text : encodeText(title.text, title.charset);
    ASSERT_TRUE(bytes) << title.text;
    EXPECT_EQ(detectLegacyCharset(*bytes), title.charset) << title.text;
    EXPECT_EQ(legacyTextToUtf8(*bytes), title.text);
  }
}

TEST(LegacyTextTest, ReadsStrictlyAndNeverDropsAByte) {
  // Pairs shaped like CP932 characters that CP932 does not define, a user-defined code, a lead
  // byte at the end: never CP932.
  for (const char* bytes : {"\x85\x40", "\xF0\x40", "\xFC\xDF", "ab\x83"})
    EXPECT_FALSE(decodeStrictly(bytes, LegacyCharset::Cp932)) << bytes;
  EXPECT_FALSE(decodeStrictly("\xAD\xA1", LegacyCharset::EucJp));  // no such JIS X 0208 row
  EXPECT_FALSE(decodeStrictly("\x81", LegacyCharset::Latin1));     // undefined in Windows-1252
  EXPECT_EQ(decodeStrictly("\x83\x65", LegacyCharset::Cp932)->front().code, U'テ');
  // Bytes that no candidate reads keep one character each.
  EXPECT_EQ(legacyTextToUtf8("a\x81 b"), "a\xC2\x81 b");
  // Tag fields: cut at NUL, blanks dropped, then read as what they are.
  EXPECT_EQ(decodeTagBytes("Gr\xFC\xDF"
                           "e \xDC"
                           "bung"),
            "Grüße Übung");
  EXPECT_EQ(decodeTagBytes("\x83\x65\x83\x58\x83\x67"), "テスト");
  EXPECT_EQ(decodeTagBytes(std::string("Title  \0junk", 12)), "Title");
  EXPECT_EQ(decodeLegacyText("\xEF\xBB\xBFユニ"), "ユニ");
}

}  // namespace
}  // namespace sorv
