// SPDX-License-Identifier: GPL-3.0-or-later
#include "quickfind/CQuickFindBox.h"

#include "db/Database.h"
#include "db/ServerAddress.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QScreen>
#include <QTimer>

namespace {

QString marked(const QString& text, qsizetype begin, qsizetype end) {
    if (begin < 0 || end <= begin || end > text.size())
        return text.toHtmlEscaped();
    return text.left(begin).toHtmlEscaped() +
           QStringLiteral("<span style=\"color:#c0392b;font-weight:bold\">") +
           text.mid(begin, end - begin).toHtmlEscaped() + QStringLiteral("</span>") +
           text.mid(end).toHtmlEscaped();
}

} // namespace

CQuickFindBox::CQuickFindBox(Database& db, QWidget* parent)
    : QLineEdit(parent), db_(db), popup_(new QListWidget(this)) {
    setObjectName(QStringLiteral("quickFind"));
    setPlaceholderText(QStringLiteral("查找人脉: 姓名/拼音/首字母/号码 (Ctrl+F)"));
    setClearButtonEnabled(true);
    // Wide when there is room, never narrower than a name and its pinyin.
    setMinimumWidth(160);
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    popup_->setWindowFlags(Qt::ToolTip | Qt::FramelessWindowHint);
    popup_->setAttribute(Qt::WA_ShowWithoutActivating);
    popup_->setFocusPolicy(Qt::NoFocus);
    popup_->setObjectName(QStringLiteral("quickFindPopup"));
    popup_->setMouseTracking(true);
    popup_->viewport()->installEventFilter(this);
    // Typing quickly: one search after the last key of a burst.
    auto* pause = new QTimer(this);
    pause->setSingleShot(true);
    pause->setInterval(15);
    connect(pause, &QTimer::timeout, this, &CQuickFindBox::search);
    connect(this, &QLineEdit::textEdited, pause, qOverload<>(&QTimer::start));
    connect(this, &QLineEdit::textChanged, this, [this](const QString& text) {
        if (text.isEmpty())
            closePopup();
    });
    qApp->installEventFilter(this);
    // With many contacts the keys take a moment to read: they are read
    // beside the window once it shows, not when the box is first used.
    QTimer::singleShot(0, this, &CQuickFindBox::startLoading);
}

CQuickFindBox::~CQuickFindBox() {
    qApp->removeEventFilter(this);
    if (loader_.joinable())
        loader_.join();
}

void CQuickFindBox::startLoading() {
    if (finder_ || loader_.joinable())
        return;
    const QString path = db_.path();
    const ServerAddress server = db_.server();
    Database* target = &db_;
    loader_ = std::thread([this, path, server, target] {
        Database own;
        auto finder = std::make_unique<quickfind::QuickFinder>(own);
        // A failure here is only a slower first search: it reads them itself.
        if (server.isValid() ? own.openServer(server) : own.open(path))
            finder->update();
        finder->rebind(*target);
        {
            const std::lock_guard lock(loadedLock_);
            loaded_ = std::move(finder);
        }
        QMetaObject::invokeMethod(this, &CQuickFindBox::takeLoaded, Qt::QueuedConnection);
    });
}

void CQuickFindBox::takeLoaded() {
    if (loader_.joinable())
        loader_.join();
    const std::lock_guard lock(loadedLock_);
    if (!finder_)
        finder_ = std::move(loaded_);
    loaded_.reset();
}

quickfind::QuickFinder& CQuickFindBox::finder() {
    if (!finder_ && loader_.joinable()) {
        // Typed before the keys were read: only then does the box wait.
        QApplication::setOverrideCursor(Qt::WaitCursor);
        loader_.join();
        QApplication::restoreOverrideCursor();
    }
    if (!finder_)
        takeLoaded();
    if (!finder_)
        finder_ = std::make_unique<quickfind::QuickFinder>(db_);
    return *finder_;
}

QSize CQuickFindBox::sizeHint() const {
    return {250, QLineEdit::sizeHint().height()};
}

void CQuickFindBox::onChosen(std::function<void(qint64)> showOne,
                             std::function<void(const QList<qint64>&)> showAll) {
    showOne_ = std::move(showOne);
    showAll_ = std::move(showAll);
}

QString CQuickFindBox::rowText(const quickfind::QuickFinder::Hit& hit) const {
    const quickfind::Entry& e = *hit.entry;
    const quickfind::Match& m = hit.match;
    const auto grey = [](const QString& text) {
        return QStringLiteral("<span style=\"color:#666\">") + text + QStringLiteral("</span>");
    };
    QString name =
        m.field == quickfind::Field::Name ? marked(e.name, m.begin, m.end) : e.name.toHtmlEscaped();
    QString unit =
        m.field == quickfind::Field::Unit ? marked(e.unit, m.begin, m.end) : e.unit.toHtmlEscaped();
    QString text = QStringLiteral("<b>%1</b>&nbsp;&nbsp;%2&nbsp;&nbsp;%3")
                       .arg(name, grey(e.post.toHtmlEscaped()), unit);
    if (m.field == quickfind::Field::Branch)
        text += QStringLiteral("&nbsp;") + marked(e.branch, m.begin, m.end);
    if (m.field == quickfind::Field::Number) {
        const QString number = e.numbers.value(m.begin);
        const auto span = quickfind::numberSpan(number, quickfind::Query(this->text()).digits());
        text += QStringLiteral("&nbsp;&nbsp;") + marked(number, span.first, span.second);
    }
    if (m.field == quickfind::Field::Email)
        text += QStringLiteral("&nbsp;&nbsp;") + marked(e.email, m.begin, m.end);
    return text;
}

void CQuickFindBox::search() {
    const QString typed = text();
    popup_->clear();
    shown_.clear();
    total_ = 0;
    if (typed.trimmed().isEmpty()) {
        closePopup();
        return;
    }
    const auto hits = finder().find(typed, kShown, &total_);
    for (const auto& hit : hits) {
        auto* item = new QListWidgetItem(popup_);
        auto* label = new QLabel(rowText(hit));
        label->setTextFormat(Qt::RichText);
        label->setContentsMargins(6, 2, 6, 2);
        label->setAttribute(Qt::WA_TransparentForMouseEvents);
        item->setSizeHint(label->sizeHint());
        popup_->setItemWidget(item, label);
        shown_ << hit.entry->code;
    }
    auto* last = new QListWidgetItem(total_ > 0 ? QStringLiteral("显示全部 %1 条匹配").arg(total_)
                                                : QStringLiteral("没有匹配的人脉"),
                                     popup_);
    last->setForeground(QColor(total_ > 0 ? 0x1f5fa8 : 0x888888));
    if (total_ == 0)
        last->setFlags(Qt::NoItemFlags);
    popup_->setCurrentRow(hits.isEmpty() ? -1 : 0);
    const int rows = popup_->count();
    int height = 4;
    for (int i = 0; i < rows; ++i)
        height += popup_->sizeHintForRow(i);
    // Below the box, kept on the screen when the box sits at its right edge.
    QPoint below = mapToGlobal(QPoint(0, this->height()));
    const int wide = std::max(width(), 460);
    if (const QScreen* shown = screen())
        below.setX(std::max(shown->availableGeometry().left(),
                            std::min(below.x(), shown->availableGeometry().right() + 1 - wide)));
    popup_->setGeometry(below.x(), below.y(), wide, height);
    popup_->show();
    popup_->raise();
}

void CQuickFindBox::choose(int row) {
    if (row < 0 || row >= popup_->count())
        return;
    if (row < shown_.size()) {
        const qint64 code = shown_.at(row);
        closePopup();
        if (showOne_)
            showOne_(code);
        // The next letters typed start a new search.
        selectAll();
        return;
    }
    if (total_ <= 0)
        return;
    qsizetype total = 0;
    QList<qint64> codes;
    for (const auto& hit : finder().find(text(), -1, &total))
        codes << hit.entry->code;
    closePopup();
    if (showAll_)
        showAll_(codes);
    selectAll();
}

void CQuickFindBox::closePopup() {
    popup_->hide();
}

void CQuickFindBox::keyPressEvent(QKeyEvent* event) {
    const bool open = popup_->isVisible();
    switch (event->key()) {
    case Qt::Key_Down:
    case Qt::Key_Up:
        if (open) {
            const int step = event->key() == Qt::Key_Down ? 1 : -1;
            const int last = total_ > 0 ? popup_->count() - 1 : popup_->count() - 2;
            popup_->setCurrentRow(std::clamp(popup_->currentRow() + step, 0, std::max(0, last)));
            return;
        }
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (!open)
            search();
        choose(popup_->currentRow() >= 0 ? popup_->currentRow() : popup_->count() - 1);
        return;
    case Qt::Key_Escape:
        closePopup();
        clear();
        return;
    default:
        break;
    }
    QLineEdit::keyPressEvent(event);
}

void CQuickFindBox::focusInEvent(QFocusEvent* event) {
    QLineEdit::focusInEvent(event);
    // Whatever was saved meanwhile is read now, before the first key (a
    // look at the file's version, or nothing while the keys are being read).
    if (finder_)
        finder_->update();
}

bool CQuickFindBox::eventFilter(QObject* watched, QEvent* event) {
    if (watched == popup_->viewport() && event->type() == QEvent::MouseButtonRelease) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (QListWidgetItem* item = popup_->itemAt(mouse->position().toPoint()))
            choose(popup_->row(item));
        return true;
    }
    // A click anywhere else closes the list.
    if (popup_->isVisible() && event->type() == QEvent::MouseButtonPress && watched != this &&
        watched != popup_->viewport() && watched->isWidgetType()) {
        auto* widget = static_cast<QWidget*>(watched);
        if (widget->window() != popup_)
            closePopup();
    }
    return QLineEdit::eventFilter(watched, event);
}
