#pragma once
// Words and titles in the encodings of Windows-era files, made from dictionaries that Debian
// packages install (SKK's Japanese dictionary, the French, German, Spanish and Italian word
// lists), to measure how often an encoding detector names the right encoding.
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "decoder/LegacyCharsets.h"

namespace sorv::test {

struct CorpusClass {
  std::string name;
  LegacyCharset truth;
  std::vector<std::string> samples;  // encoded bytes, each with at least one non-ASCII byte
};

// Every class, each cut to at most perClass samples drawn with a fixed seed (0: all of them).
// Titles come whole and as an ID3v1 field: cut to 30 bytes between two characters, as a
// tagger that encodes first and then cuts on a character boundary writes them. Empty when the
// dictionaries are not installed.
std::vector<CorpusClass> buildLegacyCorpus(std::size_t perClass);
// The UTF-8 text in one encoding; nothing when a character has no code there.
std::optional<std::string> encodeText(const std::string& utf8, LegacyCharset charset);

}  // namespace sorv::test
