// Filling the pack lesson form as a teacher does: typing into its fields by object name and into the step
// table's cells through their editors. Each helper tells whether the text arrived.
#pragma once

#include <QApplication>
#include <QLineEdit>
#include <QString>
#include <QTableWidget>
#include <QtTest>

namespace Fasoria {

template <typename T>
inline T *child(const QWidget &dialog, const char *name)
{
    T *found = dialog.findChild<T *>(QString::fromLatin1(name));
    if (!found) {
        qWarning("no widget %s", name);
    }
    return found;
}

inline bool type(const QWidget &dialog, const char *name, const QString &text)
{
    QLineEdit *edit = child<QLineEdit>(dialog, name);
    if (!edit) {
        return false;
    }
    edit->selectAll();
    QTest::keyClicks(edit, text);
    return edit->text() == text;
}

/// Clicks the cell, opens its editor with F2, types and presses Enter, as a teacher fills the table.
inline bool typeCell(QTableWidget &table, int row, int column, const QString &text)
{
    QTableWidgetItem *item = table.item(row, column);
    if (!item) {
        return false;
    }
    table.scrollToItem(item);
    QTest::mouseClick(table.viewport(), Qt::LeftButton, Qt::NoModifier, table.visualItemRect(item).center());
    QTest::keyClick(&table, Qt::Key_F2);
    QLineEdit *editor = nullptr;
    for (QLineEdit *candidate : table.viewport()->findChildren<QLineEdit *>()) {
        if (candidate->isVisible()) {
            editor = candidate;
        }
    }
    if (!editor) {
        qWarning("the cell opened no editor");
        return false;
    }
    QTest::keyClicks(editor, text);
    QTest::keyClick(editor, Qt::Key_Return);
    // The delegate commits the typed text on its next turn of the event loop.
    QCoreApplication::processEvents();
    return item->text() == text;
}

inline bool fillLesson(const QWidget &dialog, const QString &id)
{
    return type(dialog, "m_lessonIdEdit", id) && type(dialog, "m_titleItEdit", QStringLiteral("Uno stato di Bell")) &&
           type(dialog, "m_titleEnEdit", QStringLiteral("A Bell state")) &&
           type(dialog, "m_questionItEdit", QStringLiteral("Che cosa misuri su q1?")) &&
           type(dialog, "m_questionEnEdit", QStringLiteral("What do you measure on q1?")) &&
           type(dialog, "m_explanationItEdit", QStringLiteral("I qubit sono sempre opposti.")) &&
           type(dialog, "m_explanationEnEdit", QStringLiteral("The qubits always disagree."));
}

} // namespace Fasoria
