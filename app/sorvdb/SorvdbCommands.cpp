#include "app/sorvdb/SorvdbCommands.h"

#include <QFile>
#include <QFileInfo>
#include <functional>
#include <limits>
#include <map>

#include "app/sorvdb/MdbImport.h"
#include "core/State.h"
#include "core/session/DroppedFiles.h"
#include "decoder/RegularFile.h"
#include "library/db/LoudnessCache.h"
#include "library/db/SongCsv.h"
#include "library/db/SongDb.h"
#include "library/db/SongSchema.h"
#include "library/db/SqlDb.h"

namespace sorv {

namespace {

struct Command {
  bool opensDb;  // the first argument is a song database to read or change
  int minArgs;
  int maxArgs;
  const char* usage;
  const char* help;
  std::function<int(const QStringList&, QTextStream&, QTextStream&)> run;
};

int fail(QTextStream& err, const QString& text) {
  err << "sorvdb: " << text << Qt::endl;
  return kExitBadInput;
}

// The words without "--force"; force tells whether it was there.
QStringList withoutForce(const QStringList& args, bool& force) {
  QStringList files = args;
  force = files.removeAll(QStringLiteral("--force")) > 0;
  return files;
}

bool refuseToReplace(const QString& path, bool force, QTextStream& err) {
  if (!QFile::exists(path) || force) return false;
  fail(err, path + ": the file exists; add --force to replace it");
  return true;
}

int init(const QStringList& args, QTextStream& out, QTextStream& err) {
  bool force = false;
  const QStringList files = withoutForce(args, force);
  if (files.size() != 1) return kExitUsage;
  const QString path = files.first();
  if (refuseToReplace(path, force, err)) return kExitBadInput;
  if (QFile::exists(path) && !QFile::remove(path)) return fail(err, path + ": cannot remove it");
  try {
    createSongDb(path);
  } catch (const DbError& e) {
    return fail(err, e.description());
  }
  out << "created " << path << Qt::endl;
  return kExitOk;
}

int importCsv(const QStringList& args, QTextStream& out, QTextStream& err) {
  // Never blocks on a FIFO or a device named as the file.
  std::FILE* handle = openRegularFile(QFile::encodeName(args[1]).toStdString());
  QFile csv;
  if (!handle || !csv.open(handle, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
    if (handle) std::fclose(handle);
    return fail(err, args[1] + ": cannot read it as a file");
  }
  try {
    SqlDb db(args[0]);
    const SongCsvImport done = importSongCsv(db, csv);
    out << "imported " << done.songs << " songs";
    if (done.replaced > 0) out << " (" << done.replaced << " replaced)";
    out << Qt::endl;
    return kExitOk;
  } catch (const DbError& e) {
    return fail(err, args[1] + ": " + e.description() + " (nothing was imported)");
  }
}

void printReport(QTextStream& out, const MdbImportReport& report, const QString& target) {
  out << "copied columns: " << report.copiedColumns.join(QStringLiteral(", ")) << '\n';
  for (const QString& column : report.skippedColumns) {
    out << "skipped column " << column << " (the song table has no such column)\n";
  }
  for (const QString& column : report.absentColumns) {
    out << "not in the old song table: " << column << '\n';
  }
  for (const QString& song : report.missingKana) out << "no kana reading: " << song << '\n';
  out << "imported " << report.songs << " songs into " << target << Qt::endl;
}

int importMdb(const QStringList& args, QTextStream& out, QTextStream& err) {
  bool force = false;
  const QStringList files = withoutForce(args, force);
  if (files.size() != 2) return kExitUsage;
  const QString &old = files[0], &target = files[1];
  if (refuseToReplace(target, force, err)) return kExitBadInput;
  if (QFileInfo::exists(target) &&
      QFileInfo(old).canonicalFilePath() == QFileInfo(target).canonicalFilePath()) {
    return fail(err, target + ": is the file to import from; name another one");
  }
  try {
    printReport(out, importSongMdb(old, target), target);
    return kExitOk;
  } catch (const DbError& e) {
    return fail(err, e.description() + " (nothing was written)");
  }
}

int exportCsv(const QStringList& args, QTextStream& out, QTextStream& err) {
  try {
    SqlDb db(args[0]);
    out << QString::fromUtf8(exportSongCsv(db));
    out.flush();
    return kExitOk;
  } catch (const DbError& e) {
    return fail(err, e.description());
  }
}

int lookup(const QStringList& args, QTextStream& out, QTextStream& err) {
  State s;
  QString error;
  const LookupResult result = lookupSong(args[0], args[1], s, &error);
  if (result == LookupResult::Failed) return fail(err, args[0] + ": " + error);
  if (result == LookupResult::NotFound) err << "no song has the file name " << args[1] << Qt::endl;
  out << "SongTitle\t" << s.songTitle << "\nSongArtist\t" << s.songArtist << "\nSongProgram\t"
      << s.songProgram << "\nSongKind\t" << s.songKind << "\nSongYear\t" << s.songYear
      << "\nSongAnimeKind\t" << s.songAnimeKind << "\nSongGenre\t" << s.songGenre << Qt::endl;
  return kExitOk;
}

int sql(const QStringList& args, QTextStream& out, QTextStream& err) {
  try {
    SqlDb db(args[0]);
    SqlStatement statement = db.prepare(args[1]);
    while (statement.next()) {
      QStringList fields;
      for (int i = 0; i < statement.columnCount(); ++i) fields << statement.text(i);
      out << fields.join(u'\t') << '\n';
    }
    out.flush();
    return kExitOk;
  } catch (const DbError& e) {
    return fail(err, e.description());
  }
}

// Measures every song file below the folders that the database does not know as it is now;
// one line per file on out, a progress line on err.
int loudness(const QStringList& args, QTextStream& out, QTextStream& err) {
  const QStringList files =
      collectSongFiles(args.mid(1), SongFiles::AllFormats, std::numeric_limits<int>::max());
  try {
    SqlDb db(args[0]);
    LoudnessCache cache(db);
    int failed = 0;
    for (int i = 0; i < files.size(); ++i) {
      err << "\rloudness " << (i + 1) << "/" << files.size() << Qt::flush;
      const auto loudness = cache.songLoudness(files[i], false);
      if (!loudness) ++failed;
      out << (loudness ? QString::asprintf("%.2f LUFS\t%.4f", loudness->lufs, loudness->peak)
                       : QStringLiteral("-\t-"))
          << '\t' << files[i] << '\n';
    }
    err << (files.isEmpty() ? "no song files found" : "") << Qt::endl;
    out.flush();
    return failed == 0 ? kExitOk
                       : fail(err, QString::number(failed) + " files could not be measured");
  } catch (const DbError& e) {
    return fail(err, e.description());
  }
}

const std::map<QString, Command>& commands() {
  static const std::map<QString, Command> commands{
      {"init",
       {false, 1, 2, "init DB [--force]",
        "Creates an empty song database. An existing file is kept unless --force is given.", init}},
      {"import-csv",
       {true, 2, 2, "import-csv DB FILE.csv",
        "Adds the songs of a CSV file (UTF-8 or CP932) whose header names song-table "
        "columns. A song whose file name the database already holds replaces that row (the "
        "count is printed), as does a later line of the file with the same file name. A bad "
        "row is reported with its line number and nothing is imported.",
        importCsv}},
      {"import-mdb",
       {false, 2, 3, "import-mdb OLD.mdb NEW_DB [--force]",
        "Makes a new song database from the song table of a Jet (Microsoft Access) song "
        "database. Columns of the same names are copied, other columns are listed and skipped, "
        "and songs without kana readings are listed (their readings are left empty). An "
        "existing NEW_DB is kept unless --force is given, and is replaced only once the new "
        "database is complete.",
        importMdb}},
      {"export-csv",
       {true, 1, 1, "export-csv DB", "Writes the song table as UTF-8 CSV to standard output.",
        exportCsv}},
      {"loudness",
       {true, 2, 1000000, "loudness DB DIR...",
        "Measures the loudness (EBU R128) of every song file in the folders and below, and keeps "
        "it in the song database for loudness matching; files measured before and unchanged "
        "since, and files with ReplayGain tags, are not decoded again. Prints LUFS, peak and "
        "path per file.",
        loudness}},
      {"lookup",
       {true, 2, 2, "lookup DB FILENAME",
        "Prints the current-song record that the player fills for a file name.", lookup}},
      {"sql",
       {true, 2, 2, "sql DB \"STATEMENT\"",
        "Runs one statement (\"*\" and \"?\" are like-wildcards, and ORDER BY "
        "kana_order(reading) sorts readings as the song tree does) and prints its rows as "
        "tab-separated text.",
        sql}},
  };
  return commands;
}

// A database of an earlier form is rebuilt before the command reads it, and the user told.
void bringToCurrentForm(const QString& path, QTextStream& err) {
  if (!QFileInfo(path).isFile()) return;  // the command says what is wrong
  QString error;
  switch (upgradeSongDb(path, &error)) {
    case SongDbUpgrade::NotNeeded:
      break;
    case SongDbUpgrade::Done:
      err << "sorvdb: brought " << path << " to the current form" << Qt::endl;
      break;
    case SongDbUpgrade::Failed:
      err << "sorvdb: " << path << ": left in its earlier form (" << error << ")" << Qt::endl;
      break;
  }
}

void printUsage(QTextStream& stream) {
  stream << "usage: sorvdb COMMAND ARGS... (sorvdb COMMAND --help for more)\n";
  for (const auto& [name, command] : commands()) stream << "  sorvdb " << command.usage << '\n';
  stream << "exit codes: 0 ok, 1 bad input, 2 usage" << Qt::endl;
}

}  // namespace

int runSorvdb(const QStringList& args, QTextStream& out, QTextStream& err) {
  if (args.size() == 1 && args.first() == QStringLiteral("--version")) {
    out << "sorvdb " << kVersionText << Qt::endl;
    return kExitOk;
  }
  if (args.isEmpty() || args.first() == QStringLiteral("--help")) {
    printUsage(args.isEmpty() ? err : out);
    return args.isEmpty() ? kExitUsage : kExitOk;
  }
  const auto found = commands().find(args.first());
  if (found == commands().end()) {
    err << "sorvdb: unknown command " << args.first() << '\n';
    printUsage(err);
    return kExitUsage;
  }
  const Command& command = found->second;
  const QStringList rest = args.mid(1);
  if (rest.contains(QStringLiteral("--help"))) {
    out << "usage: sorvdb " << command.usage << "\n" << command.help << Qt::endl;
    return kExitOk;
  }
  const bool usageFits = rest.size() >= command.minArgs && rest.size() <= command.maxArgs;
  if (usageFits && command.opensDb) bringToCurrentForm(rest.first(), err);
  const int code = usageFits ? command.run(rest, out, err) : kExitUsage;
  if (code == kExitUsage) err << "usage: sorvdb " << command.usage << Qt::endl;
  // Output that never reached its file (a full disk, a closed pipe) is no success.
  out.flush();
  if (code == kExitOk && out.status() != QTextStream::Ok)
    return fail(err, QStringLiteral("cannot write the output"));
  return code;
}

}  // namespace sorv
