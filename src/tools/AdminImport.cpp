// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/AdminImport.h"

#include "base/Clock.h"
#include "db/Database.h"
#include "db/Lookups.h"
#include "exchange/ContactImporter.h"
#include "exchange/ImportCleaner.h"
#include "exchange/ImportFile.h"
#include "exchange/ImportTargets.h"
#include "featureapi/Session.h"
#include "tools/AdminSchema.h"
#include "tools/StderrPrompter.h"

#include <QTextStream>

using namespace exchange;

namespace {

int usage(QTextStream& err) {
    err << "用法: mavor-admin import --user NAME [--duplicates skip|merge|add] "
           "[--encoding utf8|gb18030] FILE PATH\n";
    return 2;
}

void printLines(QTextStream& out, const QString& title, const QList<ImportLine>& lines) {
    if (lines.isEmpty())
        return;
    out << title << ":\n";
    for (const ImportLine& l : lines)
        out << "  第 " << l.line << " 行 " << l.name << ": " << l.text << "\n";
}

} // namespace

int adminImport(QStringList args, QTextStream& out, QTextStream& err) {
    QHash<QString, QString> options;
    QStringList paths;
    if (!adminschema::splitOptions(args,
                                   {QStringLiteral("--user"), QStringLiteral("--duplicates"),
                                    QStringLiteral("--encoding")},
                                   &options, &paths))
        return usage(err);
    const QString user = options.value(QStringLiteral("--user"));
    const QString duplicates =
        options.value(QStringLiteral("--duplicates"), QStringLiteral("skip"));
    const QString encodingName = options.value(QStringLiteral("--encoding"));
    if (user.isEmpty() || paths.size() != 2)
        return usage(err);
    DuplicatePolicy policy;
    if (duplicates == u"skip")
        policy = DuplicatePolicy::Skip;
    else if (duplicates == u"merge")
        policy = DuplicatePolicy::Merge;
    else if (duplicates == u"add")
        policy = DuplicatePolicy::Add;
    else
        return usage(err);

    StderrPrompter prompter;
    Database db(&prompter);
    if (!adminschema::openCurrent(db, paths.at(1), "import", err))
        return 1;
    Lookups lookups(db);
    Session session;
    session.userCode = lookups.userCode(user);
    if (session.userCode < 0) {
        err << "import: 用户“" << user << "”不存在\n";
        return 1;
    }
    session.departmentCode = lookups.departmentOfUser(session.userCode);

    ImportFile file;
    if (!file.open(paths.at(0))) {
        err << "import: " << file.error() << "\n";
        return 1;
    }
    ImportCleaner cleaner(db);
    std::unique_ptr<ContactSource> source;
    if (file.format() == FileFormat::VCard) {
        source = file.vcardSource([&cleaner](const QString& n) { return cleaner.isRelation(n); });
    } else {
        Encoding encoding = file.detectedEncoding();
        if (!encodingName.isEmpty() && !parseEncoding(encodingName, &encoding))
            return usage(err);
        QList<QStringList> first;
        if (!file.preview(encoding, 1, &first) || first.isEmpty()) {
            err << "import: "
                << (file.error().isEmpty() ? QStringLiteral("文件中没有数据") : file.error())
                << "\n";
            return 1;
        }
        const CsvMapping mapping = CsvMapping::guess(first.first(), {});
        if (!mapping.targets.contains(QStringLiteral("base_name")) &&
            !mapping.targets.contains(targets::kFamilyName) &&
            !mapping.targets.contains(targets::kGivenName)) {
            err << "import: 第一行中找不到姓名列, 无法确定各列的内容\n";
            return 1;
        }
        source = file.csvSource(encoding, mapping);
    }
    SystemClock clock;
    ContactImporter importer(db, prompter, session, clock);
    const ImportSummary s = importer.run(*source, cleaner, policy);
    if (!s.error.isEmpty()) {
        err << "import: " << s.error << " (未导入任何人脉)\n";
        return 1;
    }
    out << "import: " << paths.at(0) << "\n"
        << "  导入 " << s.imported << ", 合并 " << s.merged << ", 跳过重复 " << s.skipped
        << ", 拒绝 " << s.refused << "\n";
    printLines(out, QStringLiteral("拒绝"), s.refusals);
    printLines(out, QStringLiteral("重复"), s.duplicates);
    printLines(out, QStringLiteral("修改"), s.notes);
    if (s.unlisted > 0)
        out << "  另有 " << s.unlisted << " 行未列出\n";
    return 0;
}
