// SPDX-License-Identifier: GPL-3.0-or-later
// What a screen reader is told beyond what the screen shows, in the form's own
// words: a cell's description is its tooltip continued by the description the
// form gives it, and an announcement of new values names each cell by its
// accessible name. Throws only std::bad_alloc.
#pragma once

#include <span>

#include <QString>

class QLineEdit;

namespace zelva {

// The description to give `cell`; `hint` follows it where not empty.
QString spokenDescription(const QLineEdit& cell, const QString& hint);

// "title: name<between>value; name<between>value." for each of `cells` that holds text.
QString spokenValues(const QString& title, std::span<QLineEdit* const> cells, const QString& between);

} // namespace zelva
