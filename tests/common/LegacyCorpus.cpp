#include "tests/common/LegacyCorpus.h"

#include <iconv.h>

#include <algorithm>
#include <fstream>
#include <random>

namespace sorv::test {

namespace {

constexpr std::size_t kId3v1Field = 30;
constexpr std::size_t kTitlesWhenAll = 20000;

std::optional<std::string> convert(const std::string& text, const char* to, const char* from) {
  iconv_t cd = iconv_open(to, from);
  if (cd == reinterpret_cast<iconv_t>(-1)) return std::nullopt;
  std::string out(text.size() * 4 + 8, '\0');
  char* in = const_cast<char*>(text.data());
  char* outPtr = out.data();
  std::size_t inLeft = text.size();
  std::size_t outLeft = out.size();
  const bool ok = iconv(cd, &in, &inLeft, &outPtr, &outLeft) != static_cast<std::size_t>(-1);
  iconv_close(cd);
  if (!ok) return std::nullopt;
  out.resize(out.size() - outLeft);
  return out;
}

const char* iconvName(LegacyCharset charset) {
  switch (charset) {
    case LegacyCharset::Cp932:
      return "CP932";
    case LegacyCharset::EucJp:
      return "EUC-JP";
    case LegacyCharset::Latin1:
      return "ISO-8859-1";
    case LegacyCharset::Utf8:
      break;
  }
  return "UTF-8";
}

bool hasHighByte(const std::string& bytes) {
  return std::any_of(bytes.begin(), bytes.end(), [](char c) { return c & 0x80; });
}

bool isAscii(const std::string& text) {
  return !hasHighByte(text);
}

// No ASCII at all (leaves out SKK's okurigana keys, affix marks and Lisp expressions), and at
// least two characters: one kanji alone is as much an EUC-JP as a CP932 character.
bool isAllJapanese(const std::string& word) {
  const auto chars =
      std::count_if(word.begin(), word.end(), [](char c) { return (c & 0xC0) != 0x80; });
  return chars >= 2 && std::all_of(word.begin(), word.end(), [](char c) { return c & 0x80; });
}

std::vector<std::string> readLines(const char* path) {
  std::vector<std::string> lines;
  std::ifstream file(path, std::ios::binary);
  for (std::string line; std::getline(file, line);)
    if (!line.empty()) lines.push_back(line);
  return lines;
}

// Readings and candidates of SKK's dictionary (EUC-JP), as UTF-8, without annotations.
std::vector<std::string> japaneseWords() {
  std::vector<std::string> words;
  for (const std::string& line : readLines("/usr/share/skk/SKK-JISYO.L")) {
    if (line.rfind(";;", 0) == 0) continue;
    const auto utf8 = convert(line, "UTF-8", "EUC-JP");
    if (!utf8) continue;
    const std::size_t blank = utf8->find(' ');
    if (blank == std::string::npos) continue;
    const std::string reading = utf8->substr(0, blank);
    if (isAllJapanese(reading)) words.push_back(reading);
    std::size_t start = utf8->find('/', blank);
    while (start != std::string::npos) {
      const std::size_t end = utf8->find('/', start + 1);
      if (end == std::string::npos) break;
      std::string word = utf8->substr(start + 1, end - start - 1);
      word = word.substr(0, word.find(';'));
      if (isAllJapanese(word)) words.push_back(word);
      start = end;
    }
  }
  std::sort(words.begin(), words.end());
  words.erase(std::unique(words.begin(), words.end()), words.end());
  return words;
}

struct WordList {
  std::vector<std::string> accented;  // UTF-8 words with a non-ASCII letter
  std::vector<std::string> plain;     // ASCII words
};

WordList latinWords(const char* path) {
  WordList list;
  for (const std::string& word : readLines(path)) {
    if (word.find('\'') != std::string::npos) continue;
    (isAscii(word) ? list.plain : list.accented).push_back(word);
  }
  return list;
}

std::size_t utf8Length(unsigned char lead) {
  return lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
}

// The encoded title cut to the ID3v1 field, between two characters.
std::string cutToField(const std::string& utf8, LegacyCharset charset) {
  std::string out;
  for (std::size_t i = 0; i < utf8.size();) {
    const std::size_t n = utf8Length(static_cast<unsigned char>(utf8[i]));
    const auto encoded = encodeText(utf8.substr(i, n), charset);
    if (!encoded || out.size() + encoded->size() > kId3v1Field) break;
    out += *encoded;
    i += n;
  }
  return out;
}

class CorpusMaker {
 public:
  explicit CorpusMaker(std::size_t perClass) : perClass_(perClass) {}

  void addWords(std::vector<CorpusClass>& out, const std::string& name, LegacyCharset charset,
                std::vector<std::string> words) {
    std::shuffle(words.begin(), words.end(), random_);
    CorpusClass cls{name, charset, {}};
    for (const std::string& word : words) {
      if (perClass_ && cls.samples.size() >= perClass_) break;
      const auto encoded = encodeText(word, charset);
      if (encoded && hasHighByte(*encoded)) cls.samples.push_back(*encoded);
    }
    out.push_back(std::move(cls));
  }

  // Titles made by makeTitle, whole and cut to the ID3v1 field.
  template <typename MakeTitle>
  void addTitles(std::vector<CorpusClass>& out, const std::string& name, LegacyCharset charset,
                 MakeTitle makeTitle) {
    CorpusClass whole{name + ", " + iconvName(charset), charset, {}};
    CorpusClass cut{whole.name + ", cut to 30 bytes", charset, {}};
    const std::size_t count = perClass_ ? perClass_ : kTitlesWhenAll;
    for (std::size_t tries = 0; whole.samples.size() < count && tries < count * 10; ++tries) {
      const std::string title = makeTitle();
      const auto encoded = encodeText(title, charset);
      const std::string field = cutToField(title, charset);
      if (!encoded || !hasHighByte(field)) continue;
      whole.samples.push_back(*encoded);
      cut.samples.push_back(field);
    }
    out.push_back(std::move(whole));
    out.push_back(std::move(cut));
  }

  const std::string& pick(const std::vector<std::string>& words) {
    return words[std::uniform_int_distribution<std::size_t>(0, words.size() - 1)(random_)];
  }
  int between(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random_); }

 private:
  std::size_t perClass_;
  std::mt19937 random_{20260101};
};

std::string capitalized(std::string word) {
  if (!word.empty() && word[0] >= 'a' && word[0] <= 'z') word[0] = static_cast<char>(word[0] - 32);
  return word;
}

}  // namespace

std::optional<std::string> encodeText(const std::string& utf8, LegacyCharset charset) {
  return convert(utf8, iconvName(charset), "UTF-8");
}

std::vector<CorpusClass> buildLegacyCorpus(std::size_t perClass) {
  const std::vector<std::string> japanese = japaneseWords();
  const struct {
    const char* name;
    WordList words;
  } languages[] = {{"French", latinWords("/usr/share/dict/french")},
                   {"German", latinWords("/usr/share/dict/ngerman")},
                   {"Spanish", latinWords("/usr/share/dict/spanish")},
                   {"Italian", latinWords("/usr/share/dict/italian")}};
  std::vector<CorpusClass> corpus;
  if (japanese.empty()) return corpus;
  for (const auto& language : languages)
    if (language.words.accented.empty()) return corpus;

  CorpusMaker maker(perClass);
  for (LegacyCharset charset : {LegacyCharset::Cp932, LegacyCharset::EucJp}) {
    // The wave dash each encoding's own tools write.
    const char* tilde = charset == LegacyCharset::Cp932 ? "～" : "〜";
    const char* separators[] = {"", " ", "・", tilde, "　", "「", "」"};
    maker.addWords(corpus, std::string("Japanese words, ") + iconvName(charset), charset, japanese);
    maker.addTitles(corpus, "Japanese titles", charset, [&] {
      std::string title = maker.pick(japanese);
      for (int n = maker.between(1, 4); n > 0; --n)
        title += separators[maker.between(0, 6)] + maker.pick(japanese);
      return title;
    });
    maker.addTitles(corpus, "ASCII + Japanese titles", charset, [&] {
      const auto& ascii = languages[maker.between(0, 3)].words.plain;
      std::string title = capitalized(maker.pick(ascii));
      for (int n = maker.between(1, 3); n > 0; --n) {
        const bool jp = maker.between(0, 1);
        title += (jp ? separators[maker.between(0, 6)] : " ") +
                 (jp ? maker.pick(japanese) : capitalized(maker.pick(ascii)));
      }
      return maker.between(0, 1) ? title : maker.pick(japanese) + " " + title;
    });
  }
  // What is already UTF-8 must stay so.
  maker.addWords(corpus, "Japanese words, UTF-8", LegacyCharset::Utf8, japanese);
  for (const auto& language : languages)
    maker.addWords(corpus, std::string(language.name) + " words, ISO-8859-1", LegacyCharset::Latin1,
                   language.words.accented);
  const auto europeanTitle = [&] {
    const WordList& words = languages[maker.between(0, 3)].words;
    std::vector<std::string> parts{maker.pick(words.accented)};
    for (int n = maker.between(1, 5); n > 0; --n)
      parts.push_back(maker.pick(maker.between(0, 2) ? words.plain : words.accented));
    std::string title = capitalized(parts[0]);
    for (std::size_t i = 1; i < parts.size(); ++i) title += " " + parts[i];
    return title;
  };
  maker.addTitles(corpus, "European titles", LegacyCharset::Latin1, europeanTitle);
  maker.addTitles(corpus, "European titles", LegacyCharset::Utf8, europeanTitle);
  return corpus;
}

}  // namespace sorv::test
