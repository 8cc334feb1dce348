// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/accessibility/accessible_line_edit.h"

#include <algorithm>

#include <QFontMetrics>
#include <QLineEdit>
#include <QValidator>

namespace zelva {

namespace {

// A cell holds one line: a line, a paragraph or the whole text are all of it.
bool wholeText(QAccessible::TextBoundaryType boundary)
{
    return boundary == QAccessible::LineBoundary || boundary == QAccessible::ParagraphBoundary
        || boundary == QAccessible::NoBoundary;
}

} // namespace

AccessibleLineEdit::AccessibleLineEdit(QLineEdit* edit)
    : QAccessibleWidget(edit, QAccessible::EditableText)
{
    addControllingSignal(QStringLiteral("textChanged(const QString&)"));
    addControllingSignal(QStringLiteral("returnPressed()"));
}

QLineEdit* AccessibleLineEdit::edit() const
{
    return static_cast<QLineEdit*>(widget());
}

QString AccessibleLineEdit::text(QAccessible::Text t) const
{
    if (t == QAccessible::Value)
        return edit()->text();
    return QAccessibleWidget::text(t);
}

void AccessibleLineEdit::setText(QAccessible::Text t, const QString& text)
{
    if (t != QAccessible::Value) {
        QAccessibleWidget::setText(t, text);
        return;
    }
    QString candidate = text;
    int position = 0;
    if (const QValidator* validator = edit()->validator();
        validator && validator->validate(candidate, position) != QValidator::Acceptable)
        return;
    edit()->setText(candidate);
}

QAccessible::State AccessibleLineEdit::state() const
{
    QAccessible::State state = QAccessibleWidget::state();
    if (edit()->isReadOnly())
        state.readOnly = true;
    else
        state.editable = true;
    state.selectableText = true;
    return state;
}

void* AccessibleLineEdit::interface_cast(QAccessible::InterfaceType t)
{
    if (t == QAccessible::TextInterface)
        return static_cast<QAccessibleTextInterface*>(this);
    if (t == QAccessible::EditableTextInterface)
        return static_cast<QAccessibleEditableTextInterface*>(this);
    return QAccessibleWidget::interface_cast(t);
}

void AccessibleLineEdit::selection(int selectionIndex, int* startOffset, int* endOffset) const
{
    *startOffset = *endOffset = 0;
    if (selectionIndex != 0 || !edit()->hasSelectedText())
        return;
    *startOffset = edit()->selectionStart();
    *endOffset = edit()->selectionEnd();
}

int AccessibleLineEdit::selectionCount() const
{
    return edit()->hasSelectedText() ? 1 : 0;
}

void AccessibleLineEdit::addSelection(int startOffset, int endOffset)
{
    setSelection(0, startOffset, endOffset);
}

void AccessibleLineEdit::removeSelection(int selectionIndex)
{
    if (selectionIndex == 0)
        edit()->deselect();
}

void AccessibleLineEdit::setSelection(int selectionIndex, int startOffset, int endOffset)
{
    if (selectionIndex == 0)
        edit()->setSelection(startOffset, endOffset - startOffset);
}

int AccessibleLineEdit::cursorPosition() const
{
    return edit()->cursorPosition();
}

void AccessibleLineEdit::setCursorPosition(int position)
{
    edit()->setCursorPosition(position);
}

QString AccessibleLineEdit::text(int startOffset, int endOffset) const
{
    if (startOffset > endOffset)
        return {};
    return edit()->text().mid(startOffset, endOffset - startOffset);
}

// Nothing comes before or after the one line; other boundaries are Qt's, at
// the caret where the offset is -2.
QString AccessibleLineEdit::textBeforeOffset(int offset, QAccessible::TextBoundaryType boundaryType,
                                             int* startOffset, int* endOffset) const
{
    if (!wholeText(boundaryType))
        return QAccessibleTextInterface::textBeforeOffset(offset == -2 ? cursorPosition() : offset,
                                                          boundaryType, startOffset, endOffset);
    *startOffset = *endOffset = -1;
    return {};
}

QString AccessibleLineEdit::textAfterOffset(int offset, QAccessible::TextBoundaryType boundaryType,
                                            int* startOffset, int* endOffset) const
{
    if (!wholeText(boundaryType))
        return QAccessibleTextInterface::textAfterOffset(offset == -2 ? cursorPosition() : offset,
                                                         boundaryType, startOffset, endOffset);
    *startOffset = *endOffset = -1;
    return {};
}

QString AccessibleLineEdit::textAtOffset(int offset, QAccessible::TextBoundaryType boundaryType,
                                         int* startOffset, int* endOffset) const
{
    if (!wholeText(boundaryType))
        return QAccessibleTextInterface::textAtOffset(offset == -2 ? cursorPosition() : offset,
                                                      boundaryType, startOffset, endOffset);
    *startOffset = 0;
    *endOffset = characterCount();
    return edit()->text();
}

int AccessibleLineEdit::characterCount() const
{
    return int(edit()->text().size());
}

QRect AccessibleLineEdit::characterRect(int offset) const
{
    const QString text = edit()->text();
    if (offset < 0 || offset >= text.size())
        return {};
    // Measured from the caret, the one place the edit tells in public, so that
    // the edit's scrolling and margins are already counted in.
    const QRect caret = edit()->inputMethodQuery(Qt::ImCursorRectangle).toRect();
    const QFontMetrics metrics(edit()->font());
    const int caretAt = edit()->cursorPosition();
    const int x = caret.x() + metrics.horizontalAdvance(text.left(offset))
                  - metrics.horizontalAdvance(text.left(caretAt));
    const QRect local(x, caret.y(), metrics.horizontalAdvance(text.mid(offset, 1)),
                      std::max(caret.height(), metrics.height()));
    return QRect(edit()->mapToGlobal(local.topLeft()), local.size());
}

int AccessibleLineEdit::offsetAtPoint(const QPoint& point) const
{
    return edit()->cursorPositionAt(edit()->mapFromGlobal(point));
}

void AccessibleLineEdit::scrollToSubstring(int startIndex, int endIndex)
{
    edit()->setCursorPosition(endIndex);
    edit()->setCursorPosition(startIndex);
}

QString AccessibleLineEdit::attributes(int offset, int* startOffset, int* endOffset) const
{
    // One face and colour throughout: a single run that covers the whole text.
    Q_UNUSED(offset);
    *startOffset = 0;
    *endOffset = characterCount();
    return {};
}

void AccessibleLineEdit::deleteText(int startOffset, int endOffset)
{
    edit()->setText(edit()->text().remove(startOffset, endOffset - startOffset));
}

void AccessibleLineEdit::insertText(int offset, const QString& text)
{
    edit()->setText(edit()->text().insert(offset, text));
}

void AccessibleLineEdit::replaceText(int startOffset, int endOffset, const QString& text)
{
    edit()->setText(edit()->text().replace(startOffset, endOffset - startOffset, text));
}

} // namespace zelva
