#include "core/session/PlayList.h"

#include <malloc.h>

#include <QFileInfo>
#include <QUrl>

#include "core/LocalFileCheck.h"
#include "core/LocalNames.h"
#include "core/Messages.h"
#include "core/Paths.h"
#include "core/TextFields.h"
#include "core/session/DroppedFiles.h"

namespace sorv {

namespace {

// The entry lines of a list: header and comment lines ("#") and blank lines name nothing.
QStringList entryLines(QStringList lines) {
  // Lists written on Windows may start with a byte-order mark.
  if (!lines.isEmpty() && lines.first().startsWith(QChar(0xFEFF))) lines.first().remove(0, 1);
  QStringList entries;
  for (const QString& line : lines) {
    const QString text = line.trimmed();
    if (text.isEmpty() || text.startsWith(QLatin1Char('#'))) continue;
    entries << line;
  }
  return entries;
}

// The local file a "file:" URI names (percent-encoded, on this host), or nothing.
QString fileUriPath(const QString& text) {
  const QUrl url(text.trimmed(), QUrl::StrictMode);
  if (!url.isValid() || url.scheme().compare(QLatin1String("file"), Qt::CaseInsensitive) != 0)
    return QString();
  if (!url.host().isEmpty() && url.host().compare(QLatin1String("localhost"), Qt::CaseInsensitive))
    return QString();
  const QString path = localPathOfUrl(url);
  return isLocalFile(path) ? path : QString();
}

// The file a line names, or nothing when none is there: "file:" URIs as other players write
// them; relative names (".\name" of the Windows era like "./name") are files in the list's
// folder. Blanks around the line go unless the name itself holds them.
QString reachableEntry(const QString& line, const QString& folder, LocalFileCheck& files) {
  if (line.trimmed().startsWith(QLatin1String("file:"), Qt::CaseInsensitive))
    return fileUriPath(line);
  for (const QString& text : {line, line.trimmed()}) {
    QString name = unquoted(text);
    if (name.startsWith(QStringLiteral(".\\"))) name[1] = kSep;
    const QString path = absoluteFileName(name, folder);
    if (!path.isEmpty() && files.isFile(path)) return path;
  }
  return QString();
}

QString trailingBlanksRemoved(QString text) {
  while (text.endsWith(QLatin1Char(' '))) text.chop(1);
  return text;
}

// Entries named alike share one extension text: a long list holds a handful of them, not one
// for every entry.
const QString& sharedText(const QString& text, QString& last) {
  if (text != last) last = text;
  return last;
}

void clampListPos(State& s) {
  if (s.listCount <= 0)
    s.listPos = 0;
  else
    s.listPos = std::clamp(s.listPos, 1, s.listCount);
}

void readM3u(State& s, const QString& file, int resetFlag) {
  const std::optional<QStringList> lines = readTextLines(file);
  const QStringList entries = lines ? entryLines(*lines) : QStringList();
  if (entries.isEmpty()) {
    s.listCount = 0;
    s.listPos = 0;
    return;
  }
  const QString folder = QFileInfo(file).absolutePath();
  s.resizeList(entries.size());
  int kept = 0, droppedBefore = 0;
  LocalFileCheck files;
  QString extension;
  for (int i = 1; i <= entries.size(); ++i) {
    const QString path = reachableEntry(entries[i - 1], folder, files);
    if (!path.isEmpty()) {
      ++kept;
      s.entry(kept).file = path;
      s.entry(kept).extension = sharedText(trailingBlanksRemoved(path).right(3), extension);
    } else if (s.listPos >= i) {
      ++droppedBefore;
    }
  }
  s.listCount = kept;
  s.listPos = resetFlag == 1 ? (kept > 0 ? 1 : 0) : s.listPos - droppedBefore;
  clampListPos(s);
}

}  // namespace

void setFileTable(State& s, const QStringList& paths, const std::function<void(int)>& progress) {
  const int n = paths.size();
  s.listCount = n;
  if (n <= 0) return;
  s.resizeList(n);
  QString extension;
  for (int i = 1; i <= n; ++i) {
    if (hasAudioExtension(paths[i - 1], s.songFiles())) {
      s.entry(i).file = paths[i - 1];
      s.entry(i).extension = sharedText(paths[i - 1].right(3).toLower(), extension);
    }
    if (progress) progress(i);
  }
}

bool isPlayListFile(const QString& path) {
  return path.endsWith(QLatin1String(".m3u"), Qt::CaseInsensitive) ||
         path.endsWith(QLatin1String(".m3u8"), Qt::CaseInsensitive);
}

void openM3u(State& s, const QString& file, int resetFlag) {
  loadM3u(s, file, resetFlag);
  if (s.listCount <= 0) showMessage(file + QStringLiteral("が開けません。"));
}

void loadM3u(State& s, const QString& file, int resetFlag) {
  readM3u(s, file, resetFlag);
  // The file's text and the folder listings, freed between the entries that stay, would keep
  // some 100 bytes an entry of the heap: they go back to the system.
  ::malloc_trim(0);
}

}  // namespace sorv
