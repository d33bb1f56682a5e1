#pragma once

#include "core/Language.h"
#include "education/model/Worksheet.h"

#include <QObject>
#include <QString>

class QWidget;

namespace Fasoria {

class Experiment;
class Prompts;
class StudySession;

/// The worksheet of the work in hand on paper: exported as a PDF file, or printed through the printer dialog
/// with a preview. Both take the page the HTML export writes, with the circuit and the chart drawn by the
/// window's views; a refusal is shown and writes nothing.
class WorksheetCommands : public QObject
{
    Q_OBJECT

public:
    WorksheetCommands(const Experiment &experiment, const StudySession &session, const Prompts &prompts,
                      QWidget *window, QObject *parent = nullptr);

    void setLanguage(Language language) { m_language = language; }

    /// The worksheet of the work in hand, pictures included.
    WorksheetInput input() const;
    /// Writes the A4 PDF to `path`, or to a file the student chooses when `path` is empty; false when nothing
    /// was chosen or the file could not be written (the message is shown).
    bool exportPdf(const QString &path);
    /// The printer dialog's preview of the worksheet, A4 unless the printer's settings say otherwise.
    void print();

signals:
    void statusMessage(const QString &text);

private:
    const Experiment &m_experiment;
    const StudySession &m_session;
    const Prompts &m_prompts;
    QWidget *m_window;
    Language m_language = Italian;
};

} // namespace Fasoria
