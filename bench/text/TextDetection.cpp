// Names the encoding of every word and title of the legacy-text corpus with our detector,
// libuchardet and ICU's charset detector, and prints one Markdown row per class and detector.
// usage: bench_text_detection [SAMPLES_PER_CLASS]   (default: every word, 20,000 titles)
#include <uchardet/uchardet.h>
#include <unicode/ucsdet.h>

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <string_view>

#include "decoder/LegacyText.h"
#include "tests/common/LegacyCorpus.h"

namespace {

using sorv::LegacyCharset;

// Both libraries answer with their own names; the Latin answers of the Windows family count
// as Latin-1, every other name as wrong.
std::optional<LegacyCharset> fromName(std::string_view name) {
  std::string upper;
  for (char c : name) upper += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  if (upper == "SHIFT_JIS" || upper == "CP932" || upper == "WINDOWS-31J")
    return LegacyCharset::Cp932;
  if (upper == "EUC-JP") return LegacyCharset::EucJp;
  if (upper == "UTF-8") return LegacyCharset::Utf8;
  if (upper == "ISO-8859-1" || upper == "WINDOWS-1252" || upper == "ISO-8859-15")
    return LegacyCharset::Latin1;
  return std::nullopt;
}

std::optional<LegacyCharset> uchardetGuess(std::string_view bytes) {
  uchardet_t detector = uchardet_new();
  uchardet_handle_data(detector, bytes.data(), bytes.size());
  uchardet_data_end(detector);
  const auto answer = fromName(uchardet_get_charset(detector));
  uchardet_delete(detector);
  return answer;
}

// ICU ranks every charset it knows; "first" takes its best answer, otherwise its best answer
// among the four encodings in question (UTF-8, CP932, EUC-JP, Latin-1).
std::optional<LegacyCharset> icuGuess(std::string_view bytes, bool first) {
  UErrorCode status = U_ZERO_ERROR;
  UCharsetDetector* detector = ucsdet_open(&status);
  ucsdet_setText(detector, bytes.data(), static_cast<int32_t>(bytes.size()), &status);
  int32_t count = 0;
  const UCharsetMatch** matches = ucsdet_detectAll(detector, &count, &status);
  std::optional<LegacyCharset> answer;
  for (int32_t i = 0; U_SUCCESS(status) && i < count && !answer; ++i) {
    answer = fromName(ucsdet_getName(matches[i], &status));
    if (first) break;
  }
  ucsdet_close(detector);
  return answer;
}

}  // namespace

int main(int argc, char** argv) {
  const std::size_t perClass = argc > 1 ? std::strtoul(argv[1], nullptr, 10) : 0;
  const auto corpus = sorv::test::buildLegacyCorpus(perClass);
  if (corpus.empty()) {
    std::fprintf(stderr, "the dictionaries are missing: run scripts/setup.sh\n");
    return 1;
  }
  const struct {
    const char* name;
    std::function<std::optional<LegacyCharset>(std::string_view)> guess;
  } detectors[] = {
      {"Sorvane", [](std::string_view b) { return sorv::detectLegacyCharset(b); }},
      {"libuchardet 0.0.7", uchardetGuess},
      {"ICU 72 ucsdet, first answer", [](std::string_view b) { return icuGuess(b, true); }},
      {"ICU 72 ucsdet, best of ours", [](std::string_view b) { return icuGuess(b, false); }},
  };
  std::printf(
      "| class | detector | words | right | wrong | right %% |\n|---|---|---|---|---|---|\n");
  for (const auto& cls : corpus) {
    for (const auto& detector : detectors) {
      std::size_t right = 0;
      for (const std::string& sample : cls.samples)
        right += detector.guess(sample) == cls.truth ? 1 : 0;
      const std::size_t total = cls.samples.size();
      std::printf("| %s | %s | %zu | %zu | %zu | %.3f |\n", cls.name.c_str(), detector.name, total,
                  right, total - right, total ? 100.0 * right / total : 0.0);
    }
    std::fflush(stdout);
  }
  return 0;
}
