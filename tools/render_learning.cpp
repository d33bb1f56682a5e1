// Renders every tab of the learning lab in both languages to PNG files, for looking at them.
// Usage: render_learning <output directory>

#include "tools/OutputFolder.h"

#include "education/dialog/LearningDialog.h"
#include "education/model/LearningLab.h"
#include "ui/model/Experiment.h"
#include "ui/texts/TextCatalog.h"
#include "ui/widgets/InterfaceStyle.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QTabWidget>

#include <cstdio>

using namespace Fasoria;

namespace {

constexpr int kSignLesson = 3;
constexpr int kEquallyLikely = 3;
constexpr int kBasisXX = 1;

/// Lesson 4's H-Z-H after its second gate with 1000 preparations, a recorded prediction, preset "H / H-Z"
/// and the study texts filled in.
void prepare(Experiment &experiment, LearningLab &lab, LearningDialog &dialog)
{
    experiment.chooseLesson(kSignLesson);
    experiment.restart();
    dialog.setDistributionDraft(kEquallyLikely);
    dialog.setReasonDraft(QStringLiteral("Z only flips a sign, so the coin stays fair."));
    lab.recordPrediction(ExperimentView::of(experiment), kEquallyLikely, dialog.reasonDraft());
    experiment.nextStep();
    experiment.nextStep();
    experiment.repeatPreparations(1000);
    lab.applyPreset(0);
    dialog.setQuestion(QStringLiteral("Does a sign that never changes a probability matter?"));
    dialog.setNotes(QStringLiteral("After H-Z both outcomes still read 50%.\nThe table shows -180.0 on |1>."));
    dialog.setConclusion(QStringLiteral("The last H turns the relative phase into the outcome 1."));
    dialog.findChild<QComboBox *>(QStringLiteral("basis"))->setCurrentIndex(kBasisXX);
}

bool saveTabs(LearningDialog &dialog, const QDir &directory, Language language)
{
    auto *tabs = dialog.findChild<QTabWidget *>(QStringLiteral("tabs"));
    const QString suffix = languageCode(language);
    for (int tab = 0; tab < tabs->count(); ++tab) {
        tabs->setCurrentIndex(tab);
        QApplication::processEvents();
        const QString path = directory.filePath(QStringLiteral("learning-tab%1-%2.png").arg(tab).arg(suffix));
        if (!dialog.grab().save(path)) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
            return false;
        }
        std::printf("%s\n", qPrintable(path));
    }
    return true;
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    QApplication::setStyle(Fasoria::createInterfaceStyle());
    QDir directory;
    if (const int status = openOutputFolder(argc, argv, &directory)) {
        return status;
    }

    Experiment experiment;
    LearningLab lab;
    LearningDialog dialog;
    prepare(experiment, lab, dialog);
    dialog.show();
    for (Language language : {English, Italian}) {
        LearningWindowState window;
        window.nextEnabled = experiment.currentStep() < experiment.stepCount();
        window.preparations = 1000;
        window.sessionStatus = sessionStatusText(QString(), true, language);
        dialog.refresh(lab, ExperimentView::of(experiment), window, language);
        if (!saveTabs(dialog, directory, language)) {
            return 1;
        }
    }

    // The largest preset: eight rows and descriptions long enough to be cut.
    auto *preset = dialog.findChild<QComboBox *>(QStringLiteral("preset"));
    preset->setCurrentIndex(3);
    lab.applyPreset(preset->currentIndex());
    dialog.findChild<QTabWidget *>(QStringLiteral("tabs"))->setCurrentIndex(1);
    for (Language language : {English, Italian}) {
        LearningWindowState window;
        window.sessionStatus = sessionStatusText(QString(), true, language);
        dialog.refresh(lab, ExperimentView::of(experiment), window, language);
        QApplication::processEvents();
        const QString path =
            directory.filePath(QStringLiteral("learning-grover-%1.png").arg(Fasoria::languageCode(language)));
        if (!dialog.grab().save(path)) {
            return 1;
        }
        std::printf("%s\n", qPrintable(path));
    }
    return 0;
}
