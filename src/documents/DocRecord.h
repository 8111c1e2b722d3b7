// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// The two document stores: files attached to a contact (table doc) and the
// user's own files, my data (table datum). Both share one form.
enum class DocKind { Contact, MyData };

// The form's modes; a form opened in neither is captioned as the manager.
enum class DocMode { Manage, Add, Modify };

// The form's fields, in the order it shows them.
enum class DocField { Year, Month, Day, Hour, Minute, Title, Category, File, Keyword, Description };

// What the document form holds. The category is the name chosen in its list;
// file is the bare file name of the path (no folder).
struct DocValues {
    QString code; // doc_code / datum_code as text; empty before the first save
    QString year;
    QString month;
    QString day;
    QString hour;
    QString minute;
    QString title;
    QString category;
    QString path; // the full path of the file, as picked or typed
    QString file; // bare file name with its extension
    QString keyword;
    QString description;

    friend bool operator==(const DocValues&, const DocValues&) = default;
};
