// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFont>
#include <QRect>
#include <QStringList>
#include <QTimer>
#include <QWidget>

// The small "小贴士" window that slides up from the bottom-right corner of the
// work area, stays a few seconds, slides back down and closes itself. It shows
// one to four lines of text below its heading; the number of lines is its mode.
// Open it through NoticeHost, which keeps it to one window at a time.
class CNoticeWnd : public QWidget {
    Q_OBJECT
  public:
    enum class Phase { Hidden, Rising, Still, Falling, Done };

    static constexpr int kWidth = 181;
    static constexpr int kHeight = 116;
    static constexpr int kStep = 3;
    static constexpr int kTickMs = 20;
    static constexpr int kStillMs = 5000;
    static constexpr int kMaxMode = 4;

    static const QString kTitle;
    static const QString kHeading;

    // mode 1 to 4; lines 1 and 2 read "小贴士" unless given.
    CNoticeWnd(int mode, const QStringList& lines, QWidget* parent);

    int mode() const { return mode_; }
    QString lineText(int line) const; // line 1 to 4
    QStringList shownLines() const;   // the first `mode` lines

    Phase phase() const { return phase_; }
    bool isFinished() const { return phase_ == Phase::Done; }
    // The part of the window that has slid into view so far.
    int visibleHeight() const { return visible_; }
    // Where the window rests: right edge and bottom of the work area.
    QRect restingGeometry() const;

    // Where each shown line is drawn, relative to the full window.
    QList<QRect> lineRects() const;
    QFont lineFont() const { return lineFont_; }

    // Changes the pace; the defaults are kTickMs and kStillMs.
    void setTimings(int tickMs, int stillMs);

  public slots:
    // Starts sliding up from the bottom of the work area.
    void start();
    // One animation step: up or down by kStep pixels.
    void tick();
    // Ends the still phase early and slides down.
    void slideDown();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    void placeAt(int height);
    void layoutLines();
    QRect workArea() const;

    int mode_;
    QStringList lines_;
    QFont headingFont_;
    QFont lineFont_;
    QList<QRect> lineRects_;
    Phase phase_ = Phase::Hidden;
    int visible_ = 0;
    QRect workArea_;
    QTimer ticker_;
    QTimer stillTimer_;
};
