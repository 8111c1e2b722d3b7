#pragma once

#include <QString>
#include <QTemporaryDir>

// A program directory of the test's own: a fresh copy of the delivered
// database and, on request, a settings file.
class TestHome {
  public:
    TestHome();
    bool isValid() const { return valid_; }
    QString dir() const { return dir_.path(); }
    QString databasePath() const { return dir_.path() + QStringLiteral("/mavor.tdb"); }
    QString settingsPath() const { return dir_.path() + QStringLiteral("/mavor.ini"); }
    QString file(const QString& name) const { return dir_.path() + u'/' + name; }

  private:
    QTemporaryDir dir_;
    bool valid_ = false;
};
