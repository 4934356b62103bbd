#include "decoder/LyricTimer.h"

#include <algorithm>
#include <iterator>
#include <optional>
#include <sstream>

#include "decoder/LegacyPath.h"
#include "decoder/RegularFile.h"
#include "decoder/TextEncoding.h"

namespace sorv {

namespace {

void appendUtf8(std::string& out, uint32_t code) {
  if (code < 0x80) {
    out += static_cast<char>(code);
  } else if (code < 0x800) {
    out += static_cast<char>(0xC0 | (code >> 6));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else if (code < 0x10000) {
    out += static_cast<char>(0xE0 | (code >> 12));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (code >> 18));
    out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  }
}

std::string utf16ToUtf8(std::string_view bytes, bool bigEndian) {
  std::string out;
  auto unit = [&](std::size_t i) -> uint32_t {
    const auto a = static_cast<unsigned char>(bytes[i]);
    const auto b = static_cast<unsigned char>(bytes[i + 1]);
    return bigEndian ? (a << 8 | b) : (b << 8 | a);
  };
  for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
    uint32_t code = unit(i);
    if (code >= 0xD800 && code < 0xDC00 && i + 3 < bytes.size()) {
      const uint32_t low = unit(i + 2);
      if (low >= 0xDC00 && low < 0xE000) {
        code = 0x10000 + ((code - 0xD800) << 10) + (low - 0xDC00);
        i += 2;
      } else {
        code = 0xFFFD;
      }
    } else if (code >= 0xD800 && code < 0xE000) {
      code = 0xFFFD;
    }
    appendUtf8(out, code);
  }
  return out;
}

std::optional<int64_t> parseNumber(std::string_view text) {
  if (text.empty()) return std::nullopt;
  int64_t value = 0;
  for (char c : text) {
    if (c < '0' || c > '9' || value > 100000000) return std::nullopt;
    value = value * 10 + (c - '0');
  }
  return value;
}

// "mm:ss", "mm:ss.xx", "mm:ss:xx" (xx: hundredths, or thousandths with three digits).
std::optional<int64_t> parseTime(std::string_view tag) {
  const auto colon = tag.find(':');
  if (colon == std::string_view::npos) return std::nullopt;
  const auto minutes = parseNumber(tag.substr(0, colon));
  std::string_view rest = tag.substr(colon + 1);
  const auto split = rest.find_first_of(".:");
  const auto seconds = parseNumber(rest.substr(0, split));
  if (!minutes || !seconds || *seconds >= 60) return std::nullopt;
  int64_t fraction = 0;
  if (split != std::string_view::npos) {
    const std::string_view digits = rest.substr(split + 1);
    const auto value = parseNumber(digits);
    if (!value || digits.size() > 3) return std::nullopt;
    fraction = digits.size() == 1 ? *value * 100 : digits.size() == 2 ? *value * 10 : *value;
  }
  return (*minutes * 60 + *seconds) * 1000 + fraction;
}

std::optional<int64_t> parseOffset(std::string_view tag) {
  constexpr std::string_view kName = "offset:";
  if (tag.substr(0, kName.size()) != kName) return std::nullopt;
  std::string_view value = tag.substr(kName.size());
  const bool negative = !value.empty() && value.front() == '-';
  if (!value.empty() && (value.front() == '-' || value.front() == '+')) value.remove_prefix(1);
  const auto ms = parseNumber(value);
  if (!ms) return std::nullopt;
  return negative ? -*ms : *ms;
}

// Enhanced LRC times single words ("<00:00.80>行"); those tags are timing, not text.
std::string withoutWordTimes(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  while (!text.empty()) {
    const auto open = text.find('<');
    const auto close = text.find('>', open);
    if (close == std::string_view::npos) break;
    if (parseTime(text.substr(open + 1, close - open - 1))) {
      out += text.substr(0, open);
      text.remove_prefix(close + 1);
    } else {
      out += text.substr(0, open + 1);
      text.remove_prefix(open + 1);
    }
  }
  out += text;
  return out;
}

}  // namespace

std::string decodeLyricBytes(std::string_view bytes) {
  if (bytes.size() >= 2 && static_cast<unsigned char>(bytes[0]) == 0xFF &&
      static_cast<unsigned char>(bytes[1]) == 0xFE) {
    return utf16ToUtf8(bytes.substr(2), false);
  }
  if (bytes.size() >= 2 && static_cast<unsigned char>(bytes[0]) == 0xFE &&
      static_cast<unsigned char>(bytes[1]) == 0xFF) {
    return utf16ToUtf8(bytes.substr(2), true);
  }
  return decodeLegacyText(bytes);
}

void LyricTimer::clear() {
  lines_.clear();
  texts_.clear();
}

bool LyricTimer::load(const std::string& path) {
  clear();
  std::FILE* file = openRegularFile(path);
  if (!file) return false;
  std::string bytes;
  char block[65536];
  while (bytes.size() < kMaxBytes) {
    const std::size_t count =
        std::fread(block, 1, std::min(sizeof block, kMaxBytes - bytes.size()), file);
    if (count == 0) break;
    bytes.append(block, count);
  }
  const bool complete = !std::ferror(file);
  std::fclose(file);
  return complete && parse(bytes);
}

bool LyricTimer::parse(std::string_view bytes) {
  clear();
  bytes = bytes.substr(0, kMaxBytes);
  int64_t offset = 0;
  std::istringstream text(decodeLyricBytes(bytes));
  std::string row;
  while (std::getline(text, row)) {
    if (!row.empty() && row.back() == '\r') row.pop_back();
    std::vector<int64_t> times;
    std::string_view rest = row;
    while (!rest.empty() && rest.front() == '[') {
      const auto close = rest.find(']');
      if (close == std::string_view::npos) break;
      const std::string_view tag = rest.substr(1, close - 1);
      if (const auto time = parseTime(tag)) times.push_back(*time);
      if (const auto shift = parseOffset(tag)) offset = *shift;
      rest.remove_prefix(close + 1);
    }
    times.resize(std::min(times.size(), kMaxTimes - lines_.size()));
    if (times.empty()) continue;
    const auto text = static_cast<uint32_t>(texts_.size());
    texts_.push_back(truncateUtf8(withoutWordTimes(rest), kTextChars));
    for (const int64_t time : times) lines_.push_back({time, text});
  }
  for (auto& line : lines_) line.ms -= offset;
  std::stable_sort(lines_.begin(), lines_.end(),
                   [](const Line& a, const Line& b) { return a.ms < b.ms; });
  return !lines_.empty();
}

int LyricTimer::currentIndex(int64_t ms) const {
  const auto after = std::upper_bound(lines_.begin(), lines_.end(), ms + leadMs_,
                                      [](int64_t at, const Line& line) { return at < line.ms; });
  return static_cast<int>(after - lines_.begin()) - 1;
}

void LyricTimer::fill(int64_t ms, LyricsRecord& record) const {
  const int current = currentIndex(ms);
  record.value = current;
  // slot index -> line offset from the current line
  constexpr int kOffsets[5] = {2, 1, 0, -1, -2};
  for (int slot = 0; slot < 5; ++slot) {
    const int index = current + kOffsets[slot];
    const bool exists = index >= 0 && index < static_cast<int>(lines_.size());
    record.slot[slot] = exists ? texts_[lines_[index].text] : std::string();
  }
}

}  // namespace sorv
