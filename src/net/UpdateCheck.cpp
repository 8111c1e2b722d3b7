// SPDX-License-Identifier: GPL-3.0-or-later
#include "net/UpdateCheck.h"

#include "base/Prompter.h"
#include "net/ProcessLauncher.h"
#include "net/UpdateUrl.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStringDecoder>
#include <optional>

namespace {

const QString kNewVersion = QStringLiteral("发现新版本!");
const QString kUpdaterMissing = QStringLiteral("文件缺失!不能自动下载!");
const QString kUpdater = QStringLiteral("download");
const QString kEndMarker = QStringLiteral("$$$$");
constexpr double kVersionTolerance = 0.000001;

struct VersionInfo {
    double version = 0;
    QString kept; // everything after "#", the end marker included
};

// The server is outside our control, so anything but "<version>#<arguments>$$$$"
// (a plain decimal version, valid UTF-8) is no information rather than a reason
// to stop: a broken or hostile server must never keep a user out of their data.
std::optional<VersionInfo> parseVersionInfo(const QByteArray& body) {
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(body);
    if (utf8.hasError())
        return std::nullopt;
    const qsizetype end = text.indexOf(kEndMarker);
    if (end < 0)
        return std::nullopt;
    text = text.left(end + kEndMarker.size());
    const qsizetype hash = text.indexOf(QLatin1Char('#'));
    if (hash < 0)
        return std::nullopt;

    static const QRegularExpression decimal(QStringLiteral("^[0-9]+(\\.[0-9]+)?$"));
    const QString versionText = text.left(hash).trimmed();
    if (!decimal.match(versionText).hasMatch())
        return std::nullopt;
    bool ok = false;
    const double version = versionText.toDouble(&ok);
    if (!ok)
        return std::nullopt;
    // The text goes to the updater as one argument: never one it could take
    // for an option, and nothing that could end or rewrite its command line.
    const QString kept = text.mid(hash + 1);
    if (kept.trimmed().startsWith(QLatin1Char('-')))
        return std::nullopt;
    for (const QChar c : kept)
        if (c.category() == QChar::Other_Control || c.category() == QChar::Other_Format ||
            c == QChar::LineSeparator || c == QChar::ParagraphSeparator)
            return std::nullopt;
    return VersionInfo{version, kept};
}

} // namespace

UpdateCheck::UpdateCheck(Prompter& prompter, QString programDir, QString url,
                         ProcessLauncher& launcher, HttpSettings http)
    : prompter_(prompter), programDir_(std::move(programDir)), url_(std::move(url)),
      launcher_(launcher), http_(http) {}

HttpSettings UpdateCheck::defaultHttpSettings() {
    HttpSettings settings;
    settings.totalTimeoutMs = 30000;
    settings.maxResponseBytes = 64 * 1024;
    return settings;
}

UpdateOutcome UpdateCheck::run() {
    keptText_.clear();
    if (url_.trimmed().isEmpty())
        return UpdateOutcome::Proceed;

    // A failed request or an answer other than 200 is no information, like an empty text.
    const HttpResponse response = HttpClient(http_).request(url_);
    if (!response.ok || response.statusCode != 200)
        return UpdateOutcome::Proceed;
    const auto info = parseVersionInfo(response.body);
    if (!info)
        return UpdateOutcome::Proceed;
    keptText_ = info->kept;

    if (!(info->version - kRunningVersion > kVersionTolerance))
        return UpdateOutcome::Proceed;

    prompter_.notice(Prompter::kNoticeCaption, kNewVersion, PromptIcon::Question);
    const QString updater = QDir(programDir_).filePath(kUpdater);
    if (QFileInfo(updater).isFile() && launcher_.startDetached(updater, {keptText_}))
        return UpdateOutcome::ExitForUpdate;
    // Without the updater this run goes on as it is; the notice comes again next time.
    prompter_.inform(kUpdaterMissing);
    return UpdateOutcome::Proceed;
}

QString configuredUpdateUrl() {
    if (qEnvironmentVariableIsSet("MAVOR_UPDATE_URL"))
        return qEnvironmentVariable("MAVOR_UPDATE_URL").trimmed();
    return QString::fromUtf8(kBuiltInUpdateUrl).trimmed();
}
