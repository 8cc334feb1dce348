// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/window/one_line_validator.h"

#include <algorithm>

namespace zelva {

namespace {

bool isLineBreak(QChar c)
{
    switch (c.unicode()) {
    case u'\n': case u'\r': case u'\v': case u'\f':
    case u'\u0085': case u'\u2028': case u'\u2029':
        return true;
    default:
        return false;
    }
}

} // namespace

QValidator::State OneLineValidator::validate(QString& text, int& cursor) const
{
    const auto first = std::find_if(text.cbegin(), text.cend(), isLineBreak);
    if (first == text.cend())
        return Acceptable;
    // The cell held no break before, so the break came with the text just inserted,
    // and that insertion ends at the cursor: drop from the break up to the cursor.
    // Text set as a whole has the cursor at its end, so it keeps its first line.
    const auto breakAt = static_cast<int>(first - text.cbegin());
    const int resumeAt = cursor > breakAt ? cursor : static_cast<int>(text.size());
    text.remove(breakAt, resumeAt - breakAt);
    cursor = breakAt;
    return Acceptable;
}

} // namespace zelva
