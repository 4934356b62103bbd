#include "tools/LibraryVersions.h"

#include <SDL2/SDL.h>
#include <ebur128.h>
#include <mpg123.h>
#include <sqlite3.h>
#include <taglib/taglib.h>

#include <QtGlobal>

extern "C" {
#include <libavutil/avutil.h>
}

namespace sorv {

namespace {

QString dotted(int major, int minor, int patch) {
  return QStringLiteral("%1.%2.%3").arg(major).arg(minor).arg(patch);
}

QString mpg123Version() {
#if MPG123_API_VERSION >= 48
  unsigned int major = 0, minor = 0, patch = 0;
  return QString::fromLatin1(mpg123_distversion(&major, &minor, &patch));
#else
  // Older releases have no call that names their version.
  return QStringLiteral(SORV_MPG123_VERSION);
#endif
}

QString sdlVersion() {
  SDL_version linked{};
  SDL_GetVersion(&linked);
  return dotted(linked.major, linked.minor, linked.patch);
}

QString ebur128Version() {
  int major = 0, minor = 0, patch = 0;
  ebur128_get_version(&major, &minor, &patch);
  return dotted(major, minor, patch);
}

}  // namespace

QList<LibraryVersion> libraryVersions() {
  return {
      {QStringLiteral("libmpg123"), mpg123Version()},
      {QStringLiteral("FFmpeg"), QString::fromLatin1(av_version_info())},
      {QStringLiteral("SDL"), sdlVersion()},
      {QStringLiteral("Qt"), QString::fromLatin1(qVersion())},
      {QStringLiteral("TagLib"),
       dotted(TAGLIB_MAJOR_VERSION, TAGLIB_MINOR_VERSION, TAGLIB_PATCH_VERSION)},
      {QStringLiteral("SQLite"), QString::fromLatin1(sqlite3_libversion())},
      {QStringLiteral("libebur128"), ebur128Version()},
      // kissfft has no call that names its version.
      {QStringLiteral("kissfft"), QStringLiteral(SORV_KISSFFT_VERSION)},
  };
}

}  // namespace sorv
