// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLockFile>
#include <QString>
#include <memory>

// Keeps a second copy of the program from running on the same data directory.
// The lock file lives in that directory, which belongs to the user alone, so
// nobody else can plant it; a lock left behind by a crashed run is taken over.
class SingleInstanceGuard {
  public:
    enum class Result {
        Acquired,
        Running, // another copy of the program holds the lock
        Refused  // the lock cannot be ours: problem() says why, in one sentence
    };

    explicit SingleInstanceGuard(const QString& dataDir);
    Result acquire();
    QString problem() const { return problem_; }
    QString lockPath() const { return path_; }

  private:
    QString path_;
    QString problem_;
    std::unique_ptr<QLockFile> lock_;
};
