#include "Help/dialog/HelpWindows.h"

#include "Help/dialog/HelpDialog.h"
#include "Help/dialog/LicenseDialog.h"
#include "curriculum/LessonCatalog.h"

namespace Fasoria {

void HelpWindows::setLanguage(Language language)
{
    m_language = language;
    if (m_handbook) {
        m_handbook->setLanguage(language);
    }
    if (m_license) {
        m_license->setLanguage(language);
    }
}

HelpDialog *HelpWindows::handbook()
{
    if (!m_handbook) {
        m_handbook = new HelpDialog(m_language, m_parent);
    }
    m_handbook->setLanguage(m_language);
    return m_handbook;
}

void HelpWindows::raise(QWidget *window)
{
    window->show();
    window->raise();
    window->activateWindow();
}

void HelpWindows::showHandbook()
{
    handbook()->openHandbook();
    raise(m_handbook);
}

void HelpWindows::showAnchor(const QString &anchor)
{
    handbook()->openAnchor(anchor);
    raise(m_handbook);
}

void HelpWindows::showLesson(int lessonIndex, bool generatedAlgorithm)
{
    if (generatedAlgorithm) {
        handbook()->openAnchor(QStringLiteral("chapter-oracles"));
    } else if (lessonIndex >= static_cast<int>(lessonCatalog().size())) {
        // A teacher's pack lesson has no page of its own: the handbook's section on packs says what it is.
        handbook()->openSection(QStringLiteral("chapter-teacher"), QStringLiteral("teacher-packs"));
    } else {
        handbook()->openLesson(lessonIndex);
    }
    raise(m_handbook);
}

void HelpWindows::showLicense()
{
    if (!m_license) {
        m_license = new LicenseDialog(m_language, m_parent);
    }
    m_license->setLanguage(m_language);
    raise(m_license);
}

} // namespace Fasoria
