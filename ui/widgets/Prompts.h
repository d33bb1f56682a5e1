#pragma once

#include "core/Language.h"

#include <QMessageBox>
#include <QString>

#include <functional>
#include <memory>
#include <optional>

class QAbstractButton;
class QWidget;

namespace Fasoria {

/// What a file dialog is asked for.
enum class FileDialogMode
{
    Open,
    Save,
    /// A file to write into that may already exist (a pack a lesson is added to): the save dialog without its
    /// question about replacing the file.
    SaveInto
};

/// A message box that reports a result: an OK button, a detailed text the user can unfold and one extra
/// button for a follow-up action (such as exporting the report).
struct ReportBox
{
    QMessageBox::Icon icon = QMessageBox::Information;
    QString title;
    QString text;
    QString detailedText;
    QString extraButton;
};

/// The questions a window asks its user: message boxes and file dialogs. Tests install handlers that
/// answer at once, so that every dialog of the window and of the dialogs it owns is deterministic; without
/// a handler the real dialogs are shown.
class Prompts
{
public:
    /// Shows a message box and returns the button chosen.
    using MessageBoxHandler = std::function<QMessageBox::StandardButton(
        QWidget *parent, QMessageBox::Icon icon, const QString &title, const QString &text,
        QMessageBox::StandardButtons buttons, QMessageBox::StandardButton defaultButton)>;
    /// Asks for a file name (proposed is the name offered when saving); an empty text means none was chosen.
    using FileDialogHandler = std::function<QString(QWidget *parent, FileDialogMode mode, const QString &title,
                                                    const QString &proposed, const QString &filter)>;
    /// Asks for an angle in degrees, starting from `degrees`; none when the question was cancelled.
    using AngleHandler = std::function<std::optional<double>(QWidget *parent, const QString &title,
                                                             const QString &label, double degrees)>;
    /// Shows a report box and tells whether its extra button was chosen.
    using ReportBoxHandler = std::function<bool(QWidget *parent, const ReportBox &box)>;

    /// Dialogs are centred on `parent`.
    explicit Prompts(QWidget *parent) : m_parent(parent) {}

    /// An empty handler restores the real dialogs.
    void setMessageBoxHandler(MessageBoxHandler handler) { m_messageBoxHandler = std::move(handler); }
    void setFileDialogHandler(FileDialogHandler handler) { m_fileDialogHandler = std::move(handler); }
    void setReportBoxHandler(ReportBoxHandler handler) { m_reportBoxHandler = std::move(handler); }
    void setAngleHandler(AngleHandler handler) { m_angleHandler = std::move(handler); }

    QMessageBox::StandardButton message(QMessageBox::Icon icon, const QString &title, const QString &text,
                                        QMessageBox::StandardButtons buttons = QMessageBox::Ok,
                                        QMessageBox::StandardButton defaultButton = QMessageBox::NoButton) const;
    /// The message box message() shows, not yet shown: its text is plain, whatever it looks like.
    static std::unique_ptr<QMessageBox> messageBox(QMessageBox::Icon icon, const QString &title, const QString &text,
                                                   QMessageBox::StandardButtons buttons, QWidget *parent);
    /// True when the user chose the box's extra button, false for OK or closing it.
    bool report(const ReportBox &box) const;
    /// The message box report() shows, not yet shown; *extra receives its extra button.
    static std::unique_ptr<QMessageBox> reportBox(const ReportBox &box, QWidget *parent, QAbstractButton **extra);
    /// *selectedFilter (when given) receives the filter the user chose in the real dialog; an installed
    /// handler chooses none, and it is left empty.
    QString fileName(FileDialogMode mode, const QString &title, const QString &proposed, const QString &filter,
                     QString *selectedFilter = nullptr) const;

    /// A small editor of an angle in degrees with one decimal, within the editor form's −360..360; none when the
    /// user cancelled it.
    std::optional<double> angle(const QString &title, const QString &label, double degrees) const;

    /// Runs one user action; an error it raises is shown as a warning, and the program goes on.
    void guarded(const std::function<void()> &action, Language language) const;

    /// True when `path`, the chosen name with an ending appended, may be written: it is the name chosen, no
    /// file of that name exists, or the user agreed to replace it (the file dialog asked about the name
    /// typed, not the one with the ending).
    bool confirmAppendedName(const QString &chosen, const QString &path, Language language) const;
    /// Asks for a file to save to and completes the chosen name with `complete` (which appends the ending the
    /// file needs); empty when nothing was chosen or the user would not replace the completed file.
    QString saveFileName(const QString &title, const QString &proposed, const QString &filter,
                         const std::function<QString(const QString &)> &complete, Language language) const;

private:
    QWidget *m_parent;
    MessageBoxHandler m_messageBoxHandler;
    FileDialogHandler m_fileDialogHandler;
    ReportBoxHandler m_reportBoxHandler;
    AngleHandler m_angleHandler;
};

} // namespace Fasoria
