#include "tools/AdminSchema.h"

#include "db/SchemaVersion.h"
#include "db/TextFormat.h"

namespace adminschema {

QString refusal(Database& db) {
    const int version = schema::versionOf(db);
    const int current = schema::current();
    if (version < 0)
        return QStringLiteral("无法读取数据库的版本");
    if (version < current)
        return text::format(
            "数据库是第 %d 版, 本程序需要第 %d 版: 请先用主程序打开它 (它会先留一份备份再升级)",
            version, current);
    if (version > current)
        return text::format("数据库是第 %d 版, 由更新的程序建立: 本程序只认第 %d 版", version,
                            current);
    return {};
}

} // namespace adminschema
