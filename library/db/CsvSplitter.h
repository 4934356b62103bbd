#pragma once
// Splits UTF-8 CSV text into records as it arrives, piece by piece, remembering the line each
// record starts on. Fields with commas, quotes or line breaks are quoted, quotes doubled; a
// carriage return outside quotes is dropped and empty lines give no record.
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace sorv {

class CsvSplitter {
 public:
  using OnRecord = std::function<void(std::span<const std::string> fields, int line)>;
  explicit CsvSplitter(OnRecord onRecord) : onRecord_(std::move(onRecord)) {}

  // The next piece of the text; may end anywhere, even inside a quoted field.
  void feed(std::string_view text);
  // The end of the text: the last record. Throws DbError naming the line when a quoted field is
  // never closed.
  void finish();

 private:
  void take(char c);
  void endField();
  void endRecord();

  OnRecord onRecord_;
  std::vector<std::string> fields_;  // kept between records for their buffers
  std::size_t fieldCount_ = 0;
  bool quoted_ = false, quoteSeen_ = false, started_ = false;
  int line_ = 1, recordLine_ = 1;
};

}  // namespace sorv
