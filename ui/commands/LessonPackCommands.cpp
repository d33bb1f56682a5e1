#include "ui/commands/LessonPackCommands.h"

#include "ui/commands/FileCommands.h"
#include "ui/texts/TextCatalog.h"
#include "ui/widgets/Prompts.h"

#include <QDir>
#include <QMessageBox>
#include <QStringList>

namespace Fasoria {

namespace {

// clang-format off
constexpr TextPair kOpenPackTitle = {"Apri pacchetto di lezioni", "Open lesson pack"};
constexpr TextPair kPackFilter = {"Pacchetto di lezioni Fasoria (*.lessons.json);;Tutti i file (*)",
                                  "Fasoria lesson pack (*.lessons.json);;All files (*)"};
constexpr TextPair kPackRefused = {"Il pacchetto di lezioni %1 non si può aprire: %2",
                                   "The lesson pack %1 cannot be opened: %2"};
constexpr TextPair kPackOpened = {"Pacchetto \"%1\" aperto, lezioni in fondo all'elenco: %2",
                                  "Pack \"%1\" opened, lessons at the end of the list: %2"};
constexpr TextPair kPacksDroppedTitle = {"Pacchetti di lezioni", "Lesson packs"};
constexpr TextPair kPacksDropped = {"Questi pacchetti di lezioni non si possono più aprire e sono stati tolti "
                                    "dall'elenco delle lezioni:",
                                    "These lesson packs can no longer be opened and were taken out of the lesson "
                                    "list:"};
constexpr TextPair kPacksClosed = {"Pacchetti di lezioni chiusi", "Lesson packs closed"};
// clang-format on

} // namespace

LessonPackCommands::LessonPackCommands(LessonLibrary &library, FileCommands &files, const Prompts &prompts,
                                       QObject *parent)
    : QObject(parent), m_library(library), m_files(files), m_prompts(prompts)
{}

void LessonPackCommands::openPack()
{
    const QString path = m_prompts.fileName(FileDialogMode::Open, uiText(kOpenPackTitle, m_language), QString(),
                                            uiText(kPackFilter, m_language));
    if (!path.isEmpty()) {
        openPackFile(path);
    }
}

bool LessonPackCommands::openPackFile(const QString &path)
{
    QString error;
    if (!m_library.open(path, &error)) {
        m_prompts.message(QMessageBox::Warning, uiText(TextKey::OpenErrorTitle, m_language),
                          uiText(kPackRefused, m_language).arg(QDir::toNativeSeparators(path), error));
        return false;
    }
    const OpenPack &pack = *m_library.packFrom(path);
    emit statusMessage(uiText(kPackOpened, m_language)
                           .arg(m_language == Language::Italian ? pack.titleIt : pack.titleEn)
                           .arg(pack.lessons.size()));
    if (!pack.lessons.empty()) {
        m_files.startLessonAfresh(pack.lessons.front());
    }
    return true;
}

void LessonPackCommands::openRemembered(const QStringList &paths)
{
    std::vector<DroppedPack> dropped = m_library.openRemembered(paths);
    m_dropped.insert(m_dropped.end(), dropped.begin(), dropped.end());
}

void LessonPackCommands::reportDropped()
{
    if (m_dropped.empty()) {
        return;
    }
    QStringList lines{uiText(kPacksDropped, m_language)};
    for (const DroppedPack &pack : m_dropped) {
        lines << QStringLiteral("%1: %2").arg(QDir::toNativeSeparators(pack.path), pack.reason);
    }
    m_dropped.clear();
    m_prompts.message(QMessageBox::Warning, uiText(kPacksDroppedTitle, m_language), lines.join(QLatin1Char('\n')));
}

void LessonPackCommands::closePacks()
{
    m_library.closeAll();
    emit statusMessage(uiText(kPacksClosed, m_language));
}

} // namespace Fasoria
