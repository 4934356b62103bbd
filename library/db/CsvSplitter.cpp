#include "library/db/CsvSplitter.h"

#include "library/db/SqlDb.h"

namespace sorv {

namespace {

// How many bytes from `from` on are plain field text: not a quote or line end, and outside
// quotes not a comma or carriage return either.
std::size_t plainRun(std::string_view text, std::size_t from, bool quoted) {
  std::size_t end = from;
  for (; end < text.size(); ++end) {
    const char c = text[end];
    if (c == '"' || c == '\n' || (!quoted && (c == ',' || c == '\r'))) break;
  }
  return end - from;
}

}  // namespace

void CsvSplitter::feed(std::string_view text) {
  for (std::size_t i = 0; i < text.size();) {
    const std::size_t run = quoteSeen_ ? 0 : plainRun(text, i, quoted_);
    if (run == 0) {
      take(text[i++]);
      continue;
    }
    // Plain text goes into the field at once.
    if (fields_.empty()) fields_.resize(1);
    if (!quoted_ && !started_) recordLine_ = line_;
    started_ = true;
    fields_[fieldCount_].append(text.substr(i, run));
    i += run;
  }
}

void CsvSplitter::finish() {
  // A file cut short inside a quoted field would otherwise give a song made of the rest.
  if (quoted_ && !quoteSeen_) {
    throw DbError(QStringLiteral("line %1: a quoted field is never closed").arg(recordLine_));
  }
  quoted_ = quoteSeen_ = false;
  endRecord();
}

void CsvSplitter::take(char c) {
  if (fields_.empty()) fields_.resize(1);
  if (quoteSeen_) {  // a quote inside quotes: doubled, or the end of the quoted part
    quoteSeen_ = false;
    if (c == '"') {
      fields_[fieldCount_] += c;
      return;
    }
    quoted_ = false;
  }
  if (c == '\n') ++line_;
  if (quoted_) {
    if (c == '"') {
      quoteSeen_ = true;
    } else {
      fields_[fieldCount_] += c;
    }
  } else if (c == '\n') {
    endRecord();
  } else if (c != '\r') {
    if (!started_) recordLine_ = line_;
    started_ = true;
    if (c == '"') {
      quoted_ = true;
    } else if (c == ',') {
      endField();
    } else {
      fields_[fieldCount_] += c;
    }
  }
}

void CsvSplitter::endField() {
  ++fieldCount_;
  if (fields_.size() <= fieldCount_) fields_.resize(fieldCount_ + 1);
  fields_[fieldCount_].clear();
}

void CsvSplitter::endRecord() {
  if (fields_.empty()) fields_.resize(1);
  if (started_ || !fields_[fieldCount_].empty() || fieldCount_ > 0) {
    onRecord_(std::span<const std::string>(fields_.data(), fieldCount_ + 1), recordLine_);
  }
  fieldCount_ = 0;
  fields_[0].clear();
  started_ = false;
}

}  // namespace sorv
