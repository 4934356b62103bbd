#include "library/db/TextBlocks.h"

#include <algorithm>

#include "decoder/LegacyText.h"
#include "decoder/TextEncoding.h"

namespace sorv {

namespace {

constexpr std::size_t kBlockBytes = 256 << 10;

bool isAscii(std::string_view bytes) {
  return std::none_of(bytes.begin(), bytes.end(), [](char c) { return c & 0x80; });
}

void appendUtf8(std::string& out, char32_t c) {
  char buffer[4];
  int n = 0;
  if (c < 0x80) {
    buffer[n++] = static_cast<char>(c);
  } else if (c < 0x800) {
    buffer[n++] = static_cast<char>(0xC0 | (c >> 6));
    buffer[n++] = static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    buffer[n++] = static_cast<char>(0xE0 | (c >> 12));
    buffer[n++] = static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    buffer[n++] = static_cast<char>(0x80 | (c & 0x3F));
  } else {
    buffer[n++] = static_cast<char>(0xF0 | (c >> 18));
    buffer[n++] = static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    buffer[n++] = static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    buffer[n++] = static_cast<char>(0x80 | (c & 0x3F));
  }
  out.append(buffer, n);
}

// The charset of the whole file, read into memory at once.
FileCharset detectWhole(TextBlocks& blocks) {
  std::string whole;
  blocks.rewind();
  for (std::string_view block; blocks.next(block);) whole += block;
  const LegacyCharset charset = detectLegacyCharset(whole);
  if (charset != LegacyCharset::Utf8 && !decodeStrictly(whole, charset)) return std::nullopt;
  return charset;
}

}  // namespace

bool TextBlocks::next(std::string_view& block) {
  buffer_.erase(0, begin_);
  begin_ = 0;
  // Reads on until a block's worth that ends at a line end is in, or the file ends.
  while (!atEnd_ && (buffer_.size() < kBlockBytes || buffer_.find('\n') == std::string::npos)) {
    const std::size_t had = buffer_.size();
    buffer_.resize(had + kBlockBytes);
    const qint64 got = in_.read(buffer_.data() + had, static_cast<qint64>(kBlockBytes));
    buffer_.resize(had + static_cast<std::size_t>(std::max<qint64>(got, 0)));
    atEnd_ = got <= 0;
  }
  if (buffer_.empty()) return false;
  const std::size_t take = atEnd_ ? buffer_.size() : buffer_.rfind('\n') + 1;
  const std::size_t skip = atStart_ && buffer_.starts_with("\xEF\xBB\xBF") ? 3 : 0;
  atStart_ = false;
  block = std::string_view(buffer_).substr(skip, take - skip);
  begin_ = take;
  return true;
}

void TextBlocks::rewind() {
  in_.seek(0);
  buffer_.clear();
  begin_ = 0;
  atEnd_ = false;
  atStart_ = true;
}

FileCharset detectFileCharset(TextBlocks& blocks) {
  std::optional<LegacyCharset> agreed;
  bool strict = true;
  for (std::string_view block; blocks.next(block);) {
    if (isAscii(block)) continue;  // reads the same in every charset and scores nothing
    const LegacyCharset charset = detectLegacyCharset(block);
    if (agreed && *agreed != charset) return detectWhole(blocks);
    agreed = charset;
    // Only the fallback when no charset reads every byte can fail to read a block.
    strict = strict && (charset != LegacyCharset::Latin1 || decodeStrictly(block, charset));
  }
  if (!strict) return std::nullopt;
  return agreed.value_or(LegacyCharset::Utf8);
}

void appendUtf8Block(std::string_view block, const FileCharset& charset, std::string& out) {
  if (charset == LegacyCharset::Utf8) {
    out += block;
  } else if (const auto text = charset ? decodeStrictly(block, *charset) : std::nullopt) {
    for (const LegacyChar& c : *text) appendUtf8(out, c.code);
  } else {
    for (char c : block) appendUtf8(out, static_cast<unsigned char>(c));
  }
}

}  // namespace sorv
