// SPDX-License-Identifier: GPL-3.0-or-later
// Keeps a cell to one line, as a one-line edit box on Windows does: text that
// arrives with a line break (a paste, a drop) keeps only its first line, and
// what follows the insertion stays. Text without a break is left exactly as it
// is. Throws only std::bad_alloc.
#pragma once

#include <QValidator>

namespace zelva {

class OneLineValidator final : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& text, int& cursor) const override;
};

} // namespace zelva
