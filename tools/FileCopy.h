#pragma once
// Copying one file for the copy window.
#include <QString>

namespace sorv {

enum class CopyResult { Copied, SameFile, Failed };

// Copies source to target, replacing a target that exists. The new content is written beside
// the target and renamed over it only when complete, so a failed copy leaves the old target as
// it was. A target that is the source itself is left alone (SameFile), never truncated.
CopyResult copyReplacing(const QString& source, const QString& target);

}  // namespace sorv
