#include "ui/widgets/Prompts.h"

#include "ui/texts/TextCatalog.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QInputDialog>
#include <QPushButton>

#include <exception>

namespace Fasoria {

QMessageBox::StandardButton Prompts::message(QMessageBox::Icon icon, const QString &title, const QString &text,
                                             QMessageBox::StandardButtons buttons,
                                             QMessageBox::StandardButton defaultButton) const
{
    if (m_messageBoxHandler) {
        return m_messageBoxHandler(m_parent, icon, title, text, buttons, defaultButton);
    }
    const std::unique_ptr<QMessageBox> box = messageBox(icon, title, text, buttons, m_parent);
    box->setDefaultButton(defaultButton);
    return static_cast<QMessageBox::StandardButton>(box->exec());
}

void Prompts::guarded(const std::function<void()> &action, Language language) const
{
    try {
        action();
    } catch (const std::exception &error) {
        message(QMessageBox::Warning, uiText(TextKey::AppTitle, language), QString::fromUtf8(error.what()));
    }
}

std::unique_ptr<QMessageBox> Prompts::messageBox(QMessageBox::Icon icon, const QString &title, const QString &text,
                                                 QMessageBox::StandardButtons buttons, QWidget *parent)
{
    auto box = std::make_unique<QMessageBox>(icon, title, QString(), buttons, parent);
    // Messages quote file names, members and texts read from files: never let the box guess markup in them.
    box->setTextFormat(Qt::PlainText);
    box->setText(text);
    return box;
}

std::unique_ptr<QMessageBox> Prompts::reportBox(const ReportBox &box, QWidget *parent, QAbstractButton **extra)
{
    std::unique_ptr<QMessageBox> message = messageBox(box.icon, box.title, box.text, QMessageBox::Ok, parent);
    message->setDetailedText(box.detailedText);
    // A report of dozens of lines wants more width than a question box takes by itself.
    constexpr int kReportWidth = 620;
    if (auto *grid = qobject_cast<QGridLayout *>(message->layout())) {
        grid->addItem(new QSpacerItem(kReportWidth, 0, QSizePolicy::Minimum, QSizePolicy::Expanding), grid->rowCount(),
                      0, 1, grid->columnCount());
    }
    QPushButton *button = message->addButton(box.extraButton, QMessageBox::ActionRole);
    if (extra) {
        *extra = button;
    }
    return message;
}

bool Prompts::report(const ReportBox &box) const
{
    if (m_reportBoxHandler) {
        return m_reportBoxHandler(m_parent, box);
    }
    QAbstractButton *extra = nullptr;
    const std::unique_ptr<QMessageBox> message = reportBox(box, m_parent, &extra);
    message->exec();
    return message->clickedButton() == extra;
}

QString Prompts::fileName(FileDialogMode mode, const QString &title, const QString &proposed, const QString &filter,
                          QString *selectedFilter) const
{
    if (m_fileDialogHandler) {
        return m_fileDialogHandler(m_parent, mode, title, proposed, filter);
    }
    if (mode == FileDialogMode::Open) {
        return QFileDialog::getOpenFileName(m_parent, title, proposed, filter, selectedFilter);
    }
    return QFileDialog::getSaveFileName(m_parent, title, proposed, filter, selectedFilter,
                                        mode == FileDialogMode::SaveInto ? QFileDialog::DontConfirmOverwrite
                                                                         : QFileDialog::Options());
}

std::optional<double> Prompts::angle(const QString &title, const QString &label, double degrees) const
{
    if (m_angleHandler) {
        return m_angleHandler(m_parent, title, label, degrees);
    }
    QInputDialog dialog(m_parent);
    dialog.setObjectName(QStringLiteral("m_angleDialog"));
    dialog.setInputMode(QInputDialog::DoubleInput);
    dialog.setWindowTitle(title);
    dialog.setLabelText(label);
    // The form's angle field: whole turns either way, one decimal.
    dialog.setDoubleRange(-360.0, 360.0);
    dialog.setDoubleDecimals(1);
    dialog.setDoubleStep(15.0);
    dialog.setDoubleValue(degrees);
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return dialog.doubleValue();
}

bool Prompts::confirmAppendedName(const QString &chosen, const QString &path, Language language) const
{
    if (path == chosen || !QFileInfo::exists(path)) {
        return true;
    }
    return message(QMessageBox::Question, uiText(MoreText::ReplaceTitle, language),
                   uiText(MoreText::ReplaceQuestion, language).arg(QDir::toNativeSeparators(path)),
                   QMessageBox::Yes | QMessageBox::No, QMessageBox::No) == QMessageBox::Yes;
}

} // namespace Fasoria

namespace Fasoria {

QString Prompts::saveFileName(const QString &title, const QString &proposed, const QString &filter,
                              const std::function<QString(const QString &)> &complete, Language language) const
{
    const QString chosen = fileName(FileDialogMode::Save, title, proposed, filter);
    if (chosen.isEmpty()) {
        return QString();
    }
    const QString path = complete(chosen);
    return confirmAppendedName(chosen, path, language) ? path : QString();
}

} // namespace Fasoria
