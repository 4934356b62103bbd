#pragma once
// A text file of unknown encoding read in blocks that end at a line end, so that memory stays
// the same whatever the file's size. A line end byte is never part of a CP932, EUC-JP or UTF-8
// character, so every block holds whole characters.
#include <QIODevice>
#include <optional>
#include <string>

#include "decoder/LegacyCharsets.h"

namespace sorv {

class TextBlocks {
 public:
  explicit TextBlocks(QIODevice& in) : in_(in) {}
  // The next block (a UTF-8 byte order mark at the start of the file left out); false at the
  // end. The block stays valid until the next call.
  bool next(std::string_view& block);
  // Back to the start of the file.
  void rewind();

 private:
  QIODevice& in_;
  std::string buffer_;
  std::size_t begin_ = 0;  // where the unread part of buffer_ starts
  bool atEnd_ = false, atStart_ = true;
};

// How a file's bytes become UTF-8: in a charset, or (nullopt) each byte as its Latin-1
// character when no charset reads every byte.
using FileCharset = std::optional<LegacyCharset>;

// The encoding decodeLegacyText would find in the whole file. Each block is judged alone; when
// the blocks disagree, the file is judged whole after all (its size in memory then).
FileCharset detectFileCharset(TextBlocks& blocks);
// A block as UTF-8, appended to out.
void appendUtf8Block(std::string_view block, const FileCharset& charset, std::string& out);

}  // namespace sorv
