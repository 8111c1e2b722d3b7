// SPDX-License-Identifier: GPL-3.0-or-later
// Qt's own file dialog in Chinese on a desktop set to another language: the
// type column of a folder reads 文件夹, with Qt's Chinese catalogue loaded too.
#include "startup/QtTextsZh.h"

#include <QAbstractFileIconProvider>
#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTemporaryDir>
#include <QTest>

class TestQtTexts : public QObject {
    Q_OBJECT
  private slots:
    void fileDialogTypes() {
        QTranslator qtbase;
        if (qtbase.load(QLocale(QLocale::Chinese, QLocale::China), QStringLiteral("qtbase"),
                        QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
            QCoreApplication::installTranslator(&qtbase);
        QtTextsZh texts;
        QCoreApplication::installTranslator(&texts);
        QTemporaryDir dir;
        QCOMPARE(QAbstractFileIconProvider().type(QFileInfo(dir.path())), QStringLiteral("文件夹"));
        QCOMPARE(QAbstractFileIconProvider().type(QFileInfo(QStringLiteral("/"))),
                 QStringLiteral("驱动器"));
        // Texts of other contexts are left to the catalogue.
        QCOMPARE(texts.translate("QFileDialog", "Folder"), QString());
    }
};

QTEST_MAIN(TestQtTexts)
#include "tst_qttexts.moc"
