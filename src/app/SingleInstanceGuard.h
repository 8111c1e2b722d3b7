#pragma once

#include <QLockFile>
#include <QString>
#include <memory>

// Keeps a second copy of the program from running on the same key (start-up
// uses the title and the data directory). The lock lives in the session's
// runtime directory; a lock left behind by a crashed run is taken over.
class SingleInstanceGuard {
  public:
    explicit SingleInstanceGuard(const QString& key);
    bool tryAcquire();
    QString lockPath() const { return path_; }

  private:
    QString path_;
    std::unique_ptr<QLockFile> lock_;
};
