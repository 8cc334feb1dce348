// SPDX-License-Identifier: GPL-3.0-or-later
// Qt's own translations (button captions such as "Annulla") for the system
// locale, so message boxes and the save dialog speak the user's language.
// Returns whether a translation was installed; a missing one is not an error.
#pragma once

class QCoreApplication;

namespace zelva {

// The translator is owned by `app` and lives as long as it.
bool installQtTranslations(QCoreApplication& app);

} // namespace zelva
