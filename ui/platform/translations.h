// SPDX-License-Identifier: GPL-3.0-or-later
// Qt's own translations (captions such as "Annulla") for the system locale, so
// Qt's boxes, save dialog and the cells' menu speak the user's language. Where
// neither Qt's folder nor the program's has one, the Italian one built into the
// Windows exe, the window's own language. Returns whether a translation was
// installed; a missing one is not an error. Throws only std::bad_alloc.
#pragma once

class QCoreApplication;

namespace zelva {

// The translator is owned by `app` and lives as long as it.
bool installQtTranslations(QCoreApplication& app);

} // namespace zelva
