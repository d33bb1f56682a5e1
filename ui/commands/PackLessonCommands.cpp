#include "ui/commands/PackLessonCommands.h"

#include "editor/LessonPack.h"
#include "ui/dialogs/PackLessonDialog.h"
#include "ui/model/Experiment.h"
#include "ui/texts/TextCatalog.h"
#include "ui/widgets/Prompts.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <optional>

namespace Fasoria {

namespace {

const char *const kPackFilter = "Fasoria lesson pack (*.lessons.json);;JSON (*.json)";
const char *const kProposedName = "Fasoria.lessons.json";
const char *const kMessageTitle = "Fasoria";

} // namespace

PackLessonCommands::PackLessonCommands(const Experiment &experiment, const Prompts &prompts, QWidget *window,
                                       QObject *parent)
    : QObject(parent), m_experiment(experiment), m_prompts(prompts), m_window(window)
{}

QString PackLessonCommands::saveAsPackLesson()
{
    if (!m_experiment.workingCircuit()) {
        return QString();
    }
    // The pack may exist (the lesson is added to it) or not yet: the dialog must not ask to replace it.
    const QString chosen = m_prompts.fileName(FileDialogMode::SaveInto, uiText(MoreText::PackLessonTitle, m_language),
                                              QString::fromLatin1(kProposedName), QString::fromLatin1(kPackFilter));
    return chosen.isEmpty() ? QString() : saveAsPackLessonTo(chosen);
}

QString PackLessonCommands::saveAsPackLessonTo(const QString &chosenName)
{
    const Circuit *circuit = m_experiment.workingCircuit();
    if (!circuit || chosenName.isEmpty()) {
        return QString();
    }
    const QString path = lessonPackFileName(chosenName);
    std::optional<LessonPack> existing;
    if (QFileInfo::exists(path) || QFileInfo(path).isSymLink()) {
        LessonPack pack;
        QString error;
        if (!loadLessonPackFile(path, pack, &error)) {
            warn(uiText(MoreText::PackLessonUnreadable, m_language).arg(QDir::toNativeSeparators(path), error));
            return QString();
        }
        existing = std::move(pack);
    }
    PackLessonDialog dialog(*circuit, path, std::move(existing), m_language, m_window);
    const int result = m_dialogRunner ? m_dialogRunner(dialog) : dialog.exec();
    if (result != QDialog::Accepted || !writeLesson(path, dialog)) {
        return QString();
    }
    emit statusMessage(
        uiText(MoreText::PackLessonSaved, m_language).arg(dialog.lesson()->id, QDir::toNativeSeparators(path)));
    emit packSaved(path);
    return path;
}

bool PackLessonCommands::writeLesson(const QString &path, const PackLessonDialog &dialog)
{
    const std::optional<PackLesson> lesson = dialog.lesson();
    if (!lesson) {
        return false;
    }
    const PackLessonForm &form = dialog.form();
    QString error;
    // A new pack is made only now, and taken away again when the lesson cannot go in, so a refusal never
    // leaves an empty pack behind; createLessonPackFile never writes over a file, so the one removed is ours.
    const bool created = form.isNewPack();
    if (created && !createLessonPackFile(path, form.packTitles().first, form.packTitles().second, &error)) {
        warn(uiText(MoreText::PackLessonNotSaved, m_language).arg(QDir::toNativeSeparators(path), error));
        return false;
    }
    if (!addLessonToPackFile(path, *lesson, &error)) {
        if (created) {
            QFile::remove(path);
        }
        warn(uiText(MoreText::PackLessonNotSaved, m_language).arg(QDir::toNativeSeparators(path), error));
        return false;
    }
    return true;
}

void PackLessonCommands::warn(const QString &text) const
{
    m_prompts.message(QMessageBox::Warning, QString::fromLatin1(kMessageTitle), text);
}

} // namespace Fasoria
