// SPDX-License-Identifier: GPL-3.0-or-later
#include "report/report_file.h"

#include <QSaveFile>
#include <QString>

namespace zelva {

bool replaceFileContents(const std::string& path, std::string_view bytes)
{
    QSaveFile file(QString::fromStdString(path));
    // No fallback to writing in place: that would bring back the half-written file.
    file.setDirectWriteFallback(false);
    // Unbuffered: commit() does not notice a failed final flush of a buffered
    // QSaveFile and would rename the truncated file over the earlier one.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return false;
    const auto size = static_cast<qint64>(bytes.size());
    if (file.write(bytes.data(), size) != size) {
        file.cancelWriting();
        return false;  // the destructor removes the temporary file
    }
    return file.commit();
}

} // namespace zelva
