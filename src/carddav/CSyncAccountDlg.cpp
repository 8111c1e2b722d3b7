// SPDX-License-Identifier: GPL-3.0-or-later
#include "carddav/CSyncAccountDlg.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QCryptographicHash>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

using namespace carddav;

namespace {

QString digestOf(const QSslCertificate& certificate) {
    return QString::fromLatin1(certificate.digest(QCryptographicHash::Sha256).toHex());
}

// "AB:CD:..." in groups a person can compare with what the server's owner reads out.
QString shownDigest(const QString& hex) {
    QStringList pairs;
    for (int i = 0; i + 1 < hex.size(); i += 2)
        pairs << hex.mid(i, 2).toUpper();
    return pairs.join(u':');
}

} // namespace

CSyncAccountDlg::CSyncAccountDlg(const SyncAccount& account, QWidget* parent)
    : QDialog(parent), server_(new QLineEdit(this)), user_(new QLineEdit(this)),
      password_(new QLineEdit(this)), find_(new QPushButton(QStringLiteral("查找通讯录"), this)),
      books_(new QComboBox(this)), certificate_(new QLabel(this)),
      trust_(new QCheckBox(QStringLiteral("这是我自己的服务器, 信任这张证书"), this)),
      every_(new QSpinBox(this)), status_(new QLabel(this)),
      sync_(new QPushButton(QStringLiteral("保存并同步"), this)),
      trusted_(account.trustedCertificate) {
    setWindowTitle(QStringLiteral("通讯录同步"));
    server_->setPlaceholderText(QStringLiteral("https://dav.example.org/"));
    server_->setText(account.book.isEmpty() ? QString() : account.book.toString());
    user_->setText(account.user);
    password_->setEchoMode(QLineEdit::Password);
    password_->setText(account.password);
    if (account.isSet())
        books_->addItem(account.book.toString(), account.book);
    every_->setRange(0, 24 * 60);
    every_->setSuffix(QStringLiteral(" 分钟"));
    every_->setSpecialValueText(QStringLiteral("只在手动时"));
    every_->setValue(account.everyMinutes);
    certificate_->setWordWrap(true);
    status_->setWordWrap(true);
    certificate_->setVisible(!trusted_.isEmpty());
    trust_->setVisible(!trusted_.isEmpty());
    trust_->setChecked(!trusted_.isEmpty());
    if (!trusted_.isEmpty())
        certificate_->setText(
            QStringLiteral("已信任未经认证机构验证的证书\nSHA-256 %1").arg(shownDigest(trusted_)));

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("服务器地址:"), server_);
    form->addRow(QStringLiteral("用户名:"), user_);
    form->addRow(QStringLiteral("密码:"), password_);
    form->addRow(QString(), find_);
    form->addRow(QStringLiteral("通讯录:"), books_);
    form->addRow(QString(), certificate_);
    form->addRow(QString(), trust_);
    form->addRow(QStringLiteral("自动同步间隔:"), every_);
    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(sync_, QDialogButtonBox::AcceptRole);
    buttons->addButton(QDialogButtonBox::Cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(status_);
    layout->addWidget(buttons);
    setMinimumWidth(520);

    connect(find_, &QPushButton::clicked, this, &CSyncAccountDlg::discover);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(sync_, &QPushButton::clicked, this, [this] {
        if (books_->currentData().toUrl().isEmpty() && !discover())
            return;
        if (books_->currentData().toUrl().isEmpty()) {
            status_->setText(QStringLiteral("请先选择一个通讯录。"));
            return;
        }
        accept();
    });
    connect(trust_, &QCheckBox::toggled, this, [this](bool on) {
        trusted_ = on && !untrusted_.isNull() ? digestOf(untrusted_) : on ? trusted_ : QString();
    });
}

void CSyncAccountDlg::showCertificate() {
    certificate_->setText(
        QStringLiteral("服务器的证书没有经过认证机构验证。只有确认它是您自己的服务器"
                       "(例如与服务器上显示的指纹核对)时才信任它:\n"
                       "SHA-256 %1")
            .arg(shownDigest(digestOf(untrusted_))));
    certificate_->setVisible(true);
    trust_->setChecked(false);
    trust_->setVisible(true);
}

bool CSyncAccountDlg::discover() {
    QUrl url = QUrl::fromUserInput(server_->text().trimmed());
    if (!url.isValid() || (url.scheme() != u"https" && url.scheme() != u"http")) {
        status_->setText(QStringLiteral("请填写服务器地址, 例如 https://dav.example.org/"));
        return false;
    }
    Connection c;
    c.server = url;
    c.user = user_->text().trimmed();
    c.password = password_->text();
    c.trustedCertificate = trust_->isChecked() ? trusted_ : QString();
    status_->setText(QStringLiteral("正在连接 %1 ...").arg(url.host()));
    QApplication::setOverrideCursor(Qt::WaitCursor);
    CardDavClient client(c);
    QList<AddressBook> found;
    const bool ok = client.discover(&found);
    QApplication::restoreOverrideCursor();
    if (!ok) {
        if (!client.untrustedCertificate().isNull()) {
            untrusted_ = client.untrustedCertificate();
            showCertificate();
        }
        status_->setText(client.error());
        return false;
    }
    const QUrl previous = books_->currentData().toUrl();
    books_->clear();
    for (const AddressBook& b : found)
        books_->addItem(QStringLiteral("%1 (%2)").arg(b.name, b.url.path()), b.url);
    if (const int at = books_->findData(previous); at >= 0)
        books_->setCurrentIndex(at);
    status_->setText(found.isEmpty() ? QStringLiteral("服务器上这个用户还没有通讯录。")
                                     : QStringLiteral("找到 %1 个通讯录。").arg(found.size()));
    return !found.isEmpty();
}

SyncAccount CSyncAccountDlg::account() const {
    SyncAccount a;
    a.book = books_->currentData().toUrl();
    a.user = user_->text().trimmed();
    a.password = password_->text();
    a.trustedCertificate = trust_->isChecked() ? trusted_ : QString();
    a.everyMinutes = every_->value();
    return a;
}
