// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "documents/DocRecord.h"

#include <QList>
#include <QStringList>
#include <optional>

class Clock;

// The document form as data and its rules: the fields with their captions and
// limits, the entries of its lists, the checks of "确定" and the date text.
// The same form serves contact documents and my data.
namespace docform {

enum class Kind {
    EditableList, // a drop-down list that also takes typed text (the year)
    List,         // a drop-down list; the value is one of its entries
    Edit,         // one line
    MultiLine,    // several lines, Enter breaks the line, vertical scroll bar
};

struct FieldSpec {
    DocField field;
    QString caption; // the label before the control ("提交时间:"); may be empty
    QString unit;    // the label after it ("年"); may be empty
    Kind kind;
    int limit; // most characters taken
};

// The fields in the order the form shows them.
const QList<FieldSpec>& fields();
const FieldSpec& field(DocField which);

// The year list: ten years, this year first, down to this year minus nine.
QStringList years(const Clock& clock);
QStringList months();  // "01".."12"
QStringList days();    // "01".."31"
QStringList hours();   // "01".."24"
QStringList minutes(); // "00", "05", ... "55"

// The form's window caption for a store and a mode.
QString caption(DocKind kind, DocMode mode);

struct Failure {
    QString message;
    DocField field; // the field focused
};
// The checks of "确定", in their order, stopping at the first failure: the
// date, the file (given and present on disk), the title, the category.
std::optional<Failure> check(const DocValues& values);

// Whether a document file is there to be opened or saved.
bool fileExists(const QString& path);
// The bare file name of a path ("a/b.txt" gives "b.txt").
QString bareName(const QString& path);

// "%s-%s-%s" of year, month and day: the stored date.
QString dateText(const DocValues& values);
// The list's date split back: characters 0-3, 5-6 and 8-9.
void splitDate(const QString& date, DocValues& values);

// The messages the form and the lists share.
inline const QString kFileMissing = QStringLiteral("文件不存在,请重新输入!");
inline const QString kCategoryLookupFailed = QStringLiteral("数据库操作失败,请与系统管理员联系!");

} // namespace docform
