// A teacher's own challenge, opened from its file and answered like a lesson's.
#include "editor/ChallengeFile.h"
#include "ui/texts/TextCatalog.h"
#include "ui/window/MainWindow.h"

using namespace Fasoria;

namespace {

const char *const kChallengeFilter = "Fasoria challenge (*.challenge.json);;All files (*)";

} // namespace

void MainWindow::openChallenge()
{
    if (!confirmDiscard()) {
        return;
    }
    const QString path = m_prompts.fileName(FileDialogMode::Open, uiText(MoreText::OpenChallengeTitle, m_language),
                                            QString(), QString::fromLatin1(kChallengeFilter));
    if (!path.isEmpty()) {
        openChallengeFile(path);
    }
}

bool MainWindow::openChallengeFile(const QString &path)
{
    // The file is read and checked completely before anything in the window changes.
    ChallengeFile challenge;
    QString error;
    if (!loadChallengeFile(path, challenge, &error) || !m_experiment.openCustomChallenge(challenge, &error)) {
        showMessage(QMessageBox::Warning, uiText(TextKey::OpenErrorTitle, m_language), error);
        return false;
    }
    startLearningSession();
    resetToStep(EditAction::WorkingCopyCreated, 0);
    return true;
}
