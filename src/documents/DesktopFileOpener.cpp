#include "documents/DesktopFileOpener.h"

#include <QDesktopServices>
#include <QUrl>

bool DesktopFileOpener::open(const QString& path) {
    // A local file URL keeps blanks, quotes and Chinese names of the path intact.
    return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}
