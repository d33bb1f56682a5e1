// The handbook, the terms and the scientific validation: windows the main window opens on request and
// keeps in its language.
#include "Help/dialog/HelpDialog.h"
#include "Help/dialog/LicenseDialog.h"
#include "education/dialog/LearningDialog.h"
#include "ui/panels/AlgorithmLabPanel.h"
#include "ui/panels/MeasurementPanel.h"
#include "ui/window/MainWindow.h"
#include "ui/window/WindowActions.h"
#include "validation/dialog/ValidationDialog.h"

#include <QAction>
#include <QPushButton>

using namespace Fasoria;

void MainWindow::connectHelp()
{
    const auto onSignal = [this](auto *source, auto signal, const std::function<void()> &operation) {
        connect(source, signal, this, [this, operation] { guarded(operation); });
    };
    onSignal(m_actions->actionHelp, &QAction::triggered, [this] { showHelp(); });
    onSignal(m_actions->actionLessonHelp, &QAction::triggered, [this] { showLessonHelp(); });
    onSignal(m_lessonHelpButton, &QPushButton::clicked, [this] { showLessonHelp(); });
    onSignal(m_actions->actionFreewareLicense, &QAction::triggered, [this] { showLicense(); });
    onSignal(m_measurementPanel, &MeasurementPanel::validationRequested, [this] { runValidation(); });
    const auto openAnchor = [this](const QString &anchor) { guarded([this, anchor] { showHelpAt(anchor); }); };
    connect(m_algorithmLab, &AlgorithmLabPanel::handbookRequested, this, openAnchor);
    connect(m_learningDialog, &LearningDialog::handbookRequested, this, openAnchor);
}

HelpDialog *MainWindow::helpDialog()
{
    // The dialog deletes itself on close; the guarded pointer then reads null and a new one is made.
    if (!m_helpDialog) {
        m_helpDialog = new HelpDialog(m_language, this);
    }
    m_helpDialog->setLanguage(m_language);
    return m_helpDialog;
}

void MainWindow::raiseHelp()
{
    m_helpDialog->show();
    m_helpDialog->raise();
    m_helpDialog->activateWindow();
}

void MainWindow::showHelp()
{
    helpDialog()->openHandbook();
    raiseHelp();
}

void MainWindow::showLessonHelp()
{
    // A generated algorithm is no catalog lesson: its page is the chapter on algorithms and oracles.
    if (m_experiment.algorithm() != nullptr) {
        helpDialog()->openAnchor(QStringLiteral("chapter-oracles"));
    } else {
        helpDialog()->openLesson(m_experiment.lessonIndex());
    }
    raiseHelp();
}

void MainWindow::showHelpAt(const QString &anchor)
{
    helpDialog()->openAnchor(anchor);
    raiseHelp();
}

void MainWindow::showLicense()
{
    if (!m_licenseDialog) {
        m_licenseDialog = new LicenseDialog(m_language, this);
    }
    m_licenseDialog->setLanguage(m_language);
    m_licenseDialog->show();
    m_licenseDialog->raise();
    m_licenseDialog->activateWindow();
}

void MainWindow::runValidation()
{
    const ValidationOutcome outcome = runValidationDialog(m_prompts, m_language);
    m_experiment.recordValidation(static_cast<std::uint64_t>(outcome.passed),
                                  static_cast<std::uint64_t>(outcome.total));
}

void MainWindow::retranslateDialogs()
{
    if (m_helpDialog) {
        m_helpDialog->setLanguage(m_language);
    }
    if (m_licenseDialog) {
        m_licenseDialog->setLanguage(m_language);
    }
}
