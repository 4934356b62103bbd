#include "tests/decoder/FormatFiles.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <taglib/id3v2tag.h>
#include <taglib/wavfile.h>

namespace sorv::test {

namespace {

const QTemporaryDir& madeFolder() {
  static const QTemporaryDir dir;
  return dir;
}

const std::string kTone = "0.5*sin(2*PI*(300+200*floor(t))*t)";
const std::string kId3Wav = "pcm24.wav";

// An ID3v2 chunk whose Latin-1 frames hold Shift-JIS bytes, as Japanese tools of the MP3 era
// wrote them, instead of ffmpeg's INFO list.
bool addLegacyId3v2(const std::string& path) {
  TagLib::RIFF::WAV::File file(path.c_str());
  if (!file.isValid()) return false;
  const auto latin1 = [](const char* bytes) {
    return TagLib::String(bytes, TagLib::String::Latin1);
  };
  file.ID3v2Tag()->setTitle(latin1("\x83\x65\x83\x58\x83\x67\x8B\xC8"));
  file.ID3v2Tag()->setArtist(latin1("\x89\xCC\x8E\xE8"));
  file.ID3v2Tag()->setAlbum(latin1("\x83\x41\x83\x8B\x83\x6F\x83\x80"));
  return file.save(TagLib::RIFF::WAV::File::ID3v2, TagLib::File::StripNone, TagLib::ID3v2::v3);
}

bool make(const FormatCase& format, const std::string& path) {
  const int sourceRate = format.rate == 48000 ? 44100 : format.rate;
  std::vector<std::string> arguments{
      "-f", "lavfi", "-i",
      "aevalsrc=" + kTone + "|" + kTone + ":s=" + std::to_string(sourceRate) + ":d=3"};
  arguments.insert(arguments.end(), format.encode.begin(), format.encode.end());
  for (const auto& [key, value] :
       {std::pair{"title", kFormatTitle}, {"artist", kFormatArtist}, {"album", kFormatAlbum}}) {
    arguments.insert(arguments.end(), {"-metadata", std::string(key) + "=" + value});
  }
  arguments.push_back(path);
  return runFfmpeg(arguments) && (format.file != kId3Wav || addLegacyId3v2(path));
}

}  // namespace

const std::vector<FormatCase>& formatCases() {
  static const std::vector<FormatCase> list{
      {"flac16.flac", "FLAC", 44100, 16, {"-c:a", "flac", "-sample_fmt", "s16"}},
      {"flac24_96k.flac", "FLAC", 96000, 24, {"-c:a", "flac", "-sample_fmt", "s32"}},
      {"aac.m4a", "AAC", 44100, 0, {"-c:a", "aac", "-b:a", "128k"}},
      {"alac24.m4a", "ALAC", 44100, 24, {"-c:a", "alac", "-sample_fmt", "s32p"}},
      {"vorbis.ogg", "Vorbis", 44100, 0, {"-c:a", "libvorbis", "-q:a", "4"}},
      {"opus.opus", "Opus", 48000, 0, {"-c:a", "libopus", "-b:a", "96k"}},
      {"pcm16.wav", "PCM", 44100, 16, {"-c:a", "pcm_s16le"}},
      {"pcm24.wav", "PCM", 44100, 24, {"-c:a", "pcm_s24le", "-map_metadata", "-1"}},
      {"pcm16.aiff", "PCM", 44100, 16, {"-c:a", "pcm_s16be", "-write_id3v2", "1"}},
  };
  return list;
}

std::string formatFile(const FormatCase& format) {
  const std::string path = madeFolder().filePath(QString::fromStdString(format.file)).toStdString();
  if (QFile::exists(QString::fromStdString(path))) return path;
  return make(format, path) ? path : std::string();
}

bool runFfmpeg(const std::vector<std::string>& arguments) {
  QStringList list{"-loglevel", "error", "-y"};
  for (const std::string& argument : arguments) list << QString::fromStdString(argument);
  QProcess ffmpeg;
  ffmpeg.start("ffmpeg", list);
  return ffmpeg.waitForFinished(120000) && ffmpeg.exitStatus() == QProcess::NormalExit &&
         ffmpeg.exitCode() == 0;
}

}  // namespace sorv::test
