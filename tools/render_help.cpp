// Renders the help window (every tab, the handbook at a few chapters, a search without a match and the other
// language's handbook) and the terms window in both languages to PNG files, for looking at them without a screen.
// Usage: render_help OUTPUT_DIRECTORY
#include "Help/Resources.h"
#include "Help/dialog/HelpDialog.h"
#include "Help/dialog/LicenseDialog.h"
#include "Help/model/HelpModel.h"
#include "ui/texts/TextCatalog.h"
#include "ui/widgets/InterfaceStyle.h"

#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QSettings>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>

#include <cstdio>

using namespace Fasoria;

namespace {

bool save(QWidget &window, const QDir &directory, const QString &name)
{
    for (int i = 0; i < 5; ++i) {
        QApplication::processEvents();
        QTest::qWait(20);
    }
    const QString path = directory.filePath(name + QStringLiteral(".png"));
    if (!window.grab().save(path)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        return false;
    }
    std::printf("%s\n", qPrintable(path));
    return true;
}

bool renderLanguage(Language language, const QDir &directory)
{
    const QString code = languageCode(language);
    bool ok = true;
    auto *help = new HelpDialog(language);
    help->show();
    auto *tabs = help->findChild<QTabWidget *>(QStringLiteral("m_tabs"));
    const char *pages[] = {"gates", "basics", "algorithms", "examples", "manual"};
    for (int i = 0; i < tabs->count(); ++i) {
        tabs->setCurrentIndex(i);
        ok = save(*help, directory, QStringLiteral("help-%1-%2").arg(code, QString::fromLatin1(pages[i]))) && ok;
    }
    for (const char *anchor : {"chapter-gates", "chapter-oracles", "chapter-education"}) {
        help->openAnchor(QString::fromLatin1(anchor));
        ok = save(*help, directory, QStringLiteral("help-%1-%2").arg(code, QString::fromLatin1(anchor))) && ok;
    }
    help->openLesson(6);
    ok = save(*help, directory, QStringLiteral("help-%1-lesson-07").arg(code)) && ok;
    help->openSection(QStringLiteral("chapter-teacher"), QStringLiteral("teacher-packs"));
    ok = save(*help, directory, QStringLiteral("help-%1-teacher-packs").arg(code)) && ok;
    // A search without a match, then the other language's handbook as its own link opens it.
    help->findChild<QLineEdit *>(QStringLiteral("m_manualSearch"))->setText(QStringLiteral("zyzzyva"));
    help->findChild<QPushButton *>(QStringLiteral("m_findButton"))->click();
    ok = save(*help, directory, QStringLiteral("help-%1-not-found").arg(code)) && ok;
    const QString other = isEnglish(language) ? QStringLiteral("it") : QStringLiteral("en");
    help->findChild<QTextBrowser *>(QStringLiteral("m_manualBrowser"))->setSource(handbookUrl(other));
    ok = save(*help, directory, QStringLiteral("help-%1-linked-%2").arg(code, other)) && ok;
    delete help;

    auto *terms = new LicenseDialog(language);
    terms->show();
    ok = save(*terms, directory, QStringLiteral("license-%1").arg(code)) && ok;
    delete terms;
    return ok;
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication application(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: render_help OUTPUT_DIRECTORY\n");
        return 2;
    }
    // The windows save their settings when they go: into a store that vanishes with the run.
    QTemporaryDir store;
    if (!store.isValid()) {
        std::fprintf(stderr, "cannot create a temporary settings directory\n");
        return 1;
    }
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, store.path());
    QCoreApplication::setOrganizationName(QStringLiteral("NemboticaRender"));
    QCoreApplication::setApplicationName(QStringLiteral("FasoriaHelpRender"));
    QApplication::setStyle(Fasoria::createInterfaceStyle());
    initResources();
    const QDir directory(QString::fromLocal8Bit(argv[1]));
    if (!directory.mkpath(QStringLiteral("."))) {
        std::fprintf(stderr, "cannot create %s\n", argv[1]);
        return 1;
    }
    const bool ok = renderLanguage(Italian, directory) && renderLanguage(English, directory);
    return ok ? 0 : 1;
}
