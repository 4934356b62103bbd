#include "library/select/SearchWorker.h"

#include <sqlite3.h>
#include <sys/stat.h>

#include <QFile>

#include "library/db/SqlDb.h"
#include "library/select/SongScan.h"

namespace sorv {

namespace {

FileIdentity fileIdentity(const QString& path) {
  struct stat info {};
  if (stat(QFile::encodeName(path).constData(), &info) != 0) return {};
  return {info.st_dev, info.st_ino};
}

// A long sort inside one step of the tree query must not outlast a cancel either. The
// connection outlives the search and its flag: the handler goes with the search.
class InterruptOnCancel {
 public:
  InterruptOnCancel(SqlDb& db, const std::atomic<bool>& cancelled) : db_(db) {
    sqlite3_progress_handler(
        db.handle(), 10000,
        [](void* flag) { return static_cast<const std::atomic<bool>*>(flag)->load() ? 1 : 0; },
        const_cast<std::atomic<bool>*>(&cancelled));
  }
  ~InterruptOnCancel() { sqlite3_progress_handler(db_.handle(), 0, nullptr, nullptr); }
  InterruptOnCancel(const InterruptOnCancel&) = delete;
  InterruptOnCancel& operator=(const InterruptOnCancel&) = delete;

 private:
  SqlDb& db_;
};

void buildTree(const SearchRequest& request, SqlDb& db, AudioEngine& decoder, int fileCount,
               const std::atomic<bool>& cancelled, SearchOutcome& outcome) {
  if (fileCount < 1) return;
  outcome.tree = std::make_unique<SongTreeStore>();
  outcome.build =
      buildSongTree(request.order, db, request.fromWhere, decoder, *outcome.tree, cancelled);
  outcome.message = outcome.build.message;
}

int schemaVersion(SqlDb& db) {
  SqlStatement version = db.prepare(QStringLiteral("PRAGMA main.schema_version"));
  return version.next() ? static_cast<int>(version.number(0)) : 0;
}

// The session's connection to the request's database, opened with its own candidates (those of
// the last scan) when there is none yet or the database has changed.
SqlDb& sessionDb(const SearchRequest& request, SearchSession& session) {
  // A file put in the database's place (a compaction, an import) is another database; stored
  // views made anew need their temporary twins made anew.
  const FileIdentity file = fileIdentity(request.dbPath);
  if (!session.db || session.dbPath != request.dbPath || session.dbFile != file ||
      schemaVersion(*session.db) != session.schemaVersion) {
    auto db = std::make_unique<SqlDb>(request.dbPath);
    const int version = schemaVersion(*db);
    useOwnCandidates(*db);
    if (session.db) copyCandidates(*session.db, *db);
    session.db = std::move(db);
    session.schemaVersion = version;
    session.dbPath = request.dbPath;
    session.dbFile = file;
  }
  return *session.db;
}

}  // namespace

SearchOutcome runSearchWork(const SearchRequest& request, SearchSession& session,
                            AudioEngine& decoder, const std::atomic<bool>& cancelled,
                            const std::function<void(const QString&)>& progress) {
  SearchOutcome outcome;
  QVector<FolderListing> listings;
  if (request.rescan) {
    try {
      listings = scanSearchPaths(request.searchPaths, request.which, &cancelled);
    } catch (const ScanError& e) {
      outcome.message = e.examined + u':' + e.description();
      return outcome;
    }
    if (cancelled) return outcome;
    progress(QStringLiteral("選曲（ファイル検索中）"));
  }
  try {
    SqlDb& db = sessionDb(request, session);
    const InterruptOnCancel interrupt(db, cancelled);
    if (request.rescan) {
      outcome.fileCount = writeCandidates(db, listings, &cancelled);
    }
    buildTree(request, db, decoder, outcome.fileCount.value_or(request.knownFileCount), cancelled,
              outcome);
  } catch (const DbError& e) {
    outcome.message = e.description();
  }
  return outcome;
}

SearchRunner::SearchRunner(AudioEngine& decoder, QObject* parent)
    : QObject(parent), decoder_(decoder) {}

SearchRunner::~SearchRunner() {
  cancel();
  for (QThread* thread : threads_) {
    thread->wait();
    delete thread;
  }
}

bool SearchRunner::cancel() {
  if (!current_) return false;
  *current_ = true;
  current_.reset();
  return true;
}

void SearchRunner::start(const SearchRequest& request, std::unique_ptr<SongTreeStore> retired) {
  cancel();
  auto cancelled = std::make_shared<std::atomic<bool>>(false);
  current_ = cancelled;
  // Posted to this object's thread, and dropped there once another search has taken over.
  const auto report = [this, cancelled](auto deliver) {
    QMetaObject::invokeMethod(
        this,
        [this, cancelled, deliver] {
          if (cancelled == current_) deliver();
        },
        Qt::QueuedConnection);
  };
  QThread* thread = QThread::create(
      [this, request, cancelled, report, turn = turn_, retired = std::move(retired)]() mutable {
        retired.reset();
        const std::lock_guard<std::mutex> lock(turn->mutex);
        auto outcome = std::make_shared<SearchOutcome>(runSearchWork(
            request, turn->session, decoder_, *cancelled,
            [&](const QString& caption) { report([this, caption] { emit progress(caption); }); }));
        report([this, outcome] {
          current_.reset();
          emit finished(outcome);
        });
      });
  threads_ << thread;
  connect(thread, &QThread::finished, this, [this, thread] {
    threads_.removeOne(thread);
    thread->deleteLater();
  });
  thread->start();
}

}  // namespace sorv
