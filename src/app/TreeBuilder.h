#pragma once

#include "app/TreeSink.h"

#include <QString>

class AutoResetEvent;
class Database;
class ReminderNodes;

// Builds the navigation tree from the database, step by step. It runs on the
// builder thread with that thread's own connection; between steps it gives the
// stop event 10 ms, and a stop ends the build at once with the done event set.
class TreeBuilder {
  public:
    static constexpr int kStepWaitMs = 10;

    static inline const QString kRootPattern = QStringLiteral("全部人脉");
    static inline const QString kRootCaption = QStringLiteral("全部人脉 <共%d个>");
    static inline const QString kDocumentsNode = QStringLiteral("文档资料");
    static inline const QString kTrashCaption = QStringLiteral("垃圾箱 <共%d个>");

    TreeBuilder(TreeSink& sink, ReminderNodes& reminders, AutoResetEvent& stop,
                AutoResetEvent& done, qint64 userCode);

    // True when the build ran to its end, false when it was stopped.
    bool run(Database& db);

  private:
    struct Folder {
        QString caption;
        QString listQuery;
        QString countFragment;
    };
    static const Folder kFolders[6];

    bool stopped();
    void buildFolder(Database& db, TreeNode root, const Folder& folder);
    void buildDocuments(Database& db);

    TreeSink& sink_;
    ReminderNodes& reminders_;
    AutoResetEvent& stop_;
    AutoResetEvent& done_;
    qint64 userCode_;
};
