// SPDX-License-Identifier: GPL-3.0-or-later
// Files handed to the desktop's opener: when it finds no program for a file
// (xdg-open ends with an error) or is not installed, the user is told.
#include "featureapi/DesktopTools.h"
#include "support/ScriptedPrompter.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class TestDesktopOpen : public QObject {
    Q_OBJECT
  private slots:
    void noProgramForTheFileIsTold() {
        QTemporaryDir bin;
        const QString opener = bin.filePath(QStringLiteral("xdg-open"));
        QFile script(opener);
        QVERIFY(script.open(QIODevice::WriteOnly));
        // Exit 3 with this text is what xdg-open does on a desktop without a viewer;
        // the second run finds one.
        script.write("#!/bin/sh\n"
                     "if [ -e \"$1.ok\" ]; then exit 0; fi\n"
                     "echo 'xdg-open: no method available' >&2\nexit 3\n");
        script.close();
        QVERIFY(script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
        const QByteArray path = qgetenv("PATH");
        qputenv("PATH", QFile::encodeName(bin.path()) + ':' + path);

        ScriptedPrompter prompter;
        const QString file = bin.filePath(QStringLiteral("帮助 index.html"));
        desktop::openFile(file, prompter);
        QTRY_COMPARE(prompter.texts(), QStringList{desktop::noViewerMessage(file)});

        QFile(file + QStringLiteral(".ok")).open(QIODevice::WriteOnly);
        desktop::openFile(file, prompter);
        QTest::qWait(300);
        QCOMPARE(prompter.texts().size(), 1);

        // No opener installed at all.
        qputenv("PATH", QFile::encodeName(bin.filePath(QStringLiteral("none"))));
        desktop::openFile(file, prompter);
        QTRY_COMPARE(prompter.texts().size(), 2);
        qputenv("PATH", path);
    }
};

QTEST_GUILESS_MAIN(TestDesktopOpen)
#include "tst_desktopopen.moc"
