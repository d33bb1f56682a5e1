#pragma once

#include "core/Language.h"
#include "ui/model/LessonLibrary.h"

#include <QObject>
#include <QString>
#include <QStringList>

#include <vector>

namespace Fasoria {

class FileCommands;
class Prompts;

/// Teachers' lesson packs in the window: opened from the File menu, the command line or a double click, kept
/// between runs, closed again. A pack is read completely before the selector changes; a refused one is
/// reported with the file's name and the reader's reason, and changes nothing.
class LessonPackCommands : public QObject
{
    Q_OBJECT

public:
    LessonPackCommands(LessonLibrary &library, FileCommands &files, const Prompts &prompts, QObject *parent = nullptr);

    void setLanguage(Language language) { m_language = language; }

    /// Asks for a pack file and opens it (openPackFile).
    void openPack();
    /// Opens the pack at `path` and goes to its first lesson, after the save-before-continue question (the pack
    /// stays open when the student keeps the work in hand). A refused pack shows the "Open error" warning with
    /// the file and the reason and returns false.
    bool openPackFile(const QString &path);
    /// Opens the packs remembered from the last run without asking anything; those that can no longer be
    /// opened are dropped and kept for reportDropped().
    void openRemembered(const QStringList &paths);
    /// One warning naming every pack openRemembered() dropped, and why; nothing when none was.
    void reportDropped();
    /// Takes the open packs' lessons out of the selector; the lesson shown stays until another is chosen.
    void closePacks();

signals:
    void statusMessage(const QString &text);

private:
    LessonLibrary &m_library;
    FileCommands &m_files;
    const Prompts &m_prompts;
    std::vector<DroppedPack> m_dropped;
    Language m_language = Italian;
};

} // namespace Fasoria
