#pragma once

#include "core/Language.h"

#include <QWidget>

#include <cstdint>

class QLabel;
class QPlainTextEdit;
class QTableWidget;

namespace Fasoria {

class Experiment;

/// The pane of the amplitude table: its title, the table and the norm line under it.
class StatesPanel : public QWidget
{
    Q_OBJECT

public:
    explicit StatesPanel(QWidget *parent = nullptr);

    /// The displayed state with the histogram of the last preparations.
    void refresh(const Experiment &experiment, Language language);
    void applyLanguage(Language language);
    /// Makes the row of basis state `basis` the current one and scrolls it into view; ignored outside the table.
    void selectBasis(std::uint64_t basis);

private:
    QLabel *m_statesTitle = nullptr;
    QTableWidget *m_table = nullptr;
    QLabel *m_normLabel = nullptr;
};

/// The pane of the laboratory notebook: its title and the read-only lines of the events.
class NotebookPanel : public QWidget
{
    Q_OBJECT

public:
    explicit NotebookPanel(QWidget *parent = nullptr);

    void appendLine(const QString &line);
    void clear();
    /// All the lines at once, the last one in sight.
    void showLines(const QStringList &lines);
    void applyLanguage(Language language);

private:
    QLabel *m_logTitle = nullptr;
    QPlainTextEdit *m_log = nullptr;
};

} // namespace Fasoria
