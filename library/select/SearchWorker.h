#pragma once
// The selection window's search off the GUI thread: the folder scan, the candidates and the tree
// query run on a thread of their own with their own database connection, and the built tree is
// handed back to the window's thread. A new search or a cancel drops the results of the one
// before, which stops at its next folder or row.
#include <QObject>
#include <QStringList>
#include <QThread>
#include <atomic>
#include <memory>
#include <mutex>
#include <optional>

#include "decoder/AudioEngine.h"
#include "decoder/SongFiles.h"
#include "library/db/SqlDb.h"
#include "library/select/SongTreeStore.h"
#include "library/select/TreeBuild.h"

namespace sorv {

struct SearchRequest {
  bool rescan = false;  // scan the folders and record the candidates first
  QStringList searchPaths;
  SongFiles which = SongFiles::Mp3Only;
  QString dbPath;
  int knownFileCount = 0;  // the files of the last scan, when not rescanning
  TreeOrder order = TreeOrder::Anime;
  QString fromWhere;
};

struct SearchOutcome {
  std::optional<int> fileCount;  // set once a scan has recorded its candidates
  // The tree query ran (there were files): its nodes, kept after a build error too.
  std::unique_ptr<SongTreeStore> tree;
  TreeBuildResult build;
  QString message;  // the message box to show, if any
};

// The search's database connection, kept from one search to the next: its candidates live in a
// temporary table of its own, so that two players on one database never see each other's files.
struct FileIdentity {
  unsigned long long device = 0, inode = 0;
  bool operator==(const FileIdentity&) const = default;
};

struct SearchSession {
  QString dbPath;
  FileIdentity dbFile;
  int schemaVersion = 0;  // of the stored schema, when the connection was opened
  std::unique_ptr<SqlDb> db;
};

// The whole search on the calling thread; progress gets the caption of each step.
SearchOutcome runSearchWork(const SearchRequest& request, SearchSession& session,
                            AudioEngine& decoder, const std::atomic<bool>& cancelled,
                            const std::function<void(const QString&)>& progress);

class SearchRunner : public QObject {
  Q_OBJECT

 public:
  explicit SearchRunner(AudioEngine& decoder, QObject* parent = nullptr);
  // Cancels and waits for the threads still running.
  ~SearchRunner() override;

  // Cancels the search that runs, if any, and starts this one. The search frees the tree shown
  // before, retired, so that a large one does not hold up the window.
  void start(const SearchRequest& request, std::unique_ptr<SongTreeStore> retired);
  // The search that runs sends nothing more. True when there was one.
  bool cancel();
  bool running() const { return current_ != nullptr; }

 signals:
  void progress(const QString& caption);
  // The outcome is the receiver's to take.
  void finished(std::shared_ptr<SearchOutcome> outcome);

 private:
  AudioEngine& decoder_;
  std::shared_ptr<std::atomic<bool>> current_;  // the cancel flag of the search that reports
  // One search at a time on the session: a cancelled one may still be leaving the database.
  struct Turn {
    std::mutex mutex;
    SearchSession session;
  };
  std::shared_ptr<Turn> turn_ = std::make_shared<Turn>();
  QList<QThread*> threads_;
};

}  // namespace sorv
