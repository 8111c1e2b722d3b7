// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "quickfind/QuickFinder.h"

#include <QLineEdit>

#include <functional>
#include <memory>
#include <mutex>
#include <thread>

class QListWidget;

// The find box of the main window's toolbar: what is typed is looked up at
// once among the live contacts, the best 20 drop down below it with the
// matched part marked. Enter or a click shows the chosen contact, the last
// entry every match; Esc closes the list and leaves everything as it was.
class CQuickFindBox : public QLineEdit {
    Q_OBJECT
  public:
    static constexpr int kShown = 20;

    CQuickFindBox(Database& db, QWidget* parent = nullptr);
    ~CQuickFindBox() override;

    // What a choice does: show one contact, or all the matches (their codes).
    void onChosen(std::function<void(qint64)> showOne,
                  std::function<void(const QList<qint64>&)> showAll);

    QSize sizeHint() const override;

    // The drop-down list (its last row, when there are matches, shows them all).
    QListWidget* popup() const { return popup_; }
    // Looks up the text now (typing waits for a pause of a few milliseconds).
    void search();

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    // Reads the keys on a thread of its own, once the window is up.
    void startLoading();
    void takeLoaded();
    // The finder, waiting for the reading when it is still under way.
    quickfind::QuickFinder& finder();
    void choose(int row);
    void closePopup();
    QString rowText(const quickfind::QuickFinder::Hit& hit) const;

    Database& db_;
    std::unique_ptr<quickfind::QuickFinder> finder_;
    std::thread loader_;
    std::mutex loadedLock_;
    std::unique_ptr<quickfind::QuickFinder> loaded_;
    QListWidget* popup_;
    QList<qint64> shown_; // the codes of the rows, in order
    qsizetype total_ = 0;
    std::function<void(qint64)> showOne_;
    std::function<void(const QList<qint64>&)> showAll_;
};
