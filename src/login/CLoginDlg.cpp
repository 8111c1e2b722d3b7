// SPDX-License-Identifier: GPL-3.0-or-later
#include "login/CLoginDlg.h"

#include "base/AppInfo.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

CLoginDlg::CLoginDlg(LoginCheck& check, QWidget* parent) : QDialog(parent), check_(check) {
    setObjectName(QStringLiteral("CLoginDlg"));
    setWindowTitle(app::kTitle);
    setWindowIcon(QIcon(QStringLiteral(":/app/mavor.png")));
    setFixedSize(440, 280);

    auto* heading = new QLabel(QStringLiteral("Halvora人脉"), this);
    QFont big = heading->font();
    big.setPointSize(big.pointSize() + 12);
    big.setBold(true);
    heading->setFont(big);
    heading->setStyleSheet(QStringLiteral("color: white;"));
    auto* subtitle = new QLabel(QStringLiteral("管理人脉 · 提升人脉等级"), this);
    subtitle->setStyleSheet(QStringLiteral("color: #dbe9f6;"));

    user_ = new QLineEdit(this);
    user_->setObjectName(QStringLiteral("userName"));
    user_->setMaxLength(kMaxChars);
    password_ = new QLineEdit(this);
    password_->setObjectName(QStringLiteral("password"));
    password_->setMaxLength(kMaxChars);
    password_->setEchoMode(QLineEdit::Password);
    remember_ = new QCheckBox(QStringLiteral("记住用户名和密码"), this);
    remember_->setStyleSheet(QStringLiteral("color: white;"));
    auto* login = new QPushButton(QStringLiteral("登录"), this);
    login->setDefault(true);
    login->setAutoDefault(true);

    auto* userLabel = new QLabel(QStringLiteral("用户名:"), this);
    auto* passwordLabel = new QLabel(QStringLiteral("密  码:"), this);
    for (QLabel* label : {userLabel, passwordLabel})
        label->setStyleSheet(QStringLiteral("color: white;"));
    userLabel->setBuddy(user_);
    passwordLabel->setBuddy(password_);

    auto* form = new QFormLayout;
    form->addRow(userLabel, user_);
    form->addRow(passwordLabel, password_);
    form->addRow(QString(), remember_);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(login);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(36, 24, 36, 20);
    layout->addWidget(heading);
    layout->addWidget(subtitle);
    layout->addStretch();
    layout->addLayout(form);
    layout->addLayout(buttons);

    connect(login, &QPushButton::clicked, this, &CLoginDlg::onLogin);

    const LoginCheck::Fields fields = check_.initialFields();
    user_->setText(fields.userName);
    password_->setText(fields.password);
    remember_->setChecked(fields.remember);
    user_->setFocus();
}

void CLoginDlg::showServer(const ServerAddress& server) {
    if (!server_) {
        server_ = new QLabel(this);
        server_->setObjectName(QStringLiteral("server"));
        server_->setWordWrap(true);
        static_cast<QVBoxLayout*>(layout())->addWidget(server_);
        setFixedSize(440, 320);
    }
    const bool unsafe = server.tls && server.tlsInsecure;
    server_->setStyleSheet(unsafe ? QStringLiteral("color: #ffd27f;")
                                  : QStringLiteral("color: #dbe9f6;"));
    server_->setText(QStringLiteral("团队服务器: ") + server.described());
}

QString CLoginDlg::userName() const {
    return user_->text();
}

void CLoginDlg::paintEvent(QPaintEvent*) {
    // The dialog's face: one picture over the whole form.
    QPainter painter(this);
    QLinearGradient gradient(0, 0, width(), height());
    gradient.setColorAt(0.0, QColor(0x1f, 0x6f, 0xb2));
    gradient.setColorAt(1.0, QColor(0x0d, 0x3b, 0x66));
    painter.fillRect(rect(), gradient);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(255, 255, 255, 28));
    painter.drawEllipse(QPointF(width() * 0.85, height() * 0.15), 120, 120);
    painter.drawEllipse(QPointF(width() * 0.95, height() * 0.9), 80, 80);
}

void CLoginDlg::onLogin() {
    const LoginCheck::Outcome outcome =
        check_.submit(user_->text(), password_->text(), remember_->isChecked());
    if (outcome.accepted) {
        accept();
        return;
    }
    if (outcome.focus == LoginCheck::Field::UserName)
        user_->setFocus();
    else if (outcome.focus == LoginCheck::Field::Password)
        password_->setFocus();
}
