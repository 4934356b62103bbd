#pragma once
// Files written whole. The content goes to a temporary file beside the target, named
// ".sorvane-tmp-" and six random letters and locked (flock) for as long as it is written, and
// takes the target's place by one rename only once every byte is on disk. Every write is checked
// as it happens, so a full disk or a quota is a failure, never a short file: the target stays as
// it was and no temporary file is left. The lock tells a live writer's temporary file from a dead
// one's, which removeStaleTemporaries clears without touching anything else.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "decoder/RegularFile.h"

namespace sorv {

class WholeFileWriter {
 public:
  // What takes the target's place: the file a symbolic link names (a kept file) or the link
  // itself; and whether an existing target is replaced or the commit refused.
  enum class Link { Follow, Replace };
  enum class Existing { Replace, Keep };

  WholeFileWriter() = default;
  ~WholeFileWriter();  // an unfinished file is removed
  WholeFileWriter(const WholeFileWriter&) = delete;
  WholeFileWriter& operator=(const WholeFileWriter&) = delete;

  // Starts the temporary file beside target; an existing target's mode (and owner, where the
  // system allows) pass to the new file. False with errno set when no file could be made.
  bool open(const std::string& target, Link link = Link::Follow);
  // Appends bytes; false when not every one reached the file.
  bool write(const void* data, std::size_t bytes);
  // Overwrites bytes written before (a header completed at the end).
  bool writeAt(uint64_t offset, const void* data, std::size_t bytes);
  // Puts the file on disk and in the target's place. False, with the target as it was, on any
  // failure here or in an earlier write; with Existing::Keep also when the target exists
  // (errno EEXIST).
  bool commit(Existing existing = Existing::Replace);
  // Removes the temporary file.
  void abandon();

  // The temporary file, for a writer of its own (which must finish before the commit).
  const std::string& temporaryPath() const { return temporary_; }

 private:
  Descriptor fd_;
  std::string target_;
  std::string temporary_;
  bool failed_ = false;
};

// Writes content as the whole file target (through a link). Where the folder takes no new file
// but the target itself may be written, it is written in place: space for the new content is
// reserved first, and the old content goes back should a write fail.
bool writeWholeFile(const std::string& target, std::string_view content);

// True for the names of our temporary files.
bool isTemporaryName(std::string_view name);
// Removes the temporary files in folder that no running writer holds.
void removeStaleTemporaries(const std::string& folder);

}  // namespace sorv
