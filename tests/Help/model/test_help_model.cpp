// What the help and terms windows show, without a window: the topic list, anchors, resource paths, missing-
// resource texts, restore rules, the compiled-in resources and the reference pages.
#include "Help/Resources.h"
#include "Help/model/HelpModel.h"
#include "Help/model/ReferencePages.h"
#include "curriculum/LessonCatalog.h"

#include <QFile>
#include <QRegularExpression>
#include <QResource>
#include <QSet>
#include <QtTest>

using namespace Fasoria;

namespace {

QString readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly | QIODevice::Text) ? QString::fromUtf8(file.readAll()) : QString();
}

} // namespace

class TestHelpModel : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();

    void languageCode_data();
    void languageCode();
    void lessonAnchor_data();
    void lessonAnchor();
    void topicLabels_data();
    void topicLabels();
    void topicListFollowsTheCatalog_data();
    void topicListFollowsTheCatalog();
    void restoredTab_data();
    void restoredTab();
    void resourcePaths_data();
    void resourcePaths();
    void handbookLanguageOfAPage_data();
    void handbookLanguageOfAPage();
    void missingResourceTexts_data();
    void missingResourceTexts();
    void resourcesAreUncompressed_data();
    void resourcesAreUncompressed();
    void terms_data();
    void terms();
    void referencePages_data();
    void referencePages();
    void exercisesListTheCatalogLessons_data();
    void exercisesListTheCatalogLessons();
};

void TestHelpModel::initTestCase()
{
    initResources();
}

void TestHelpModel::languageCode_data()
{
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("code");
    QTest::newRow("english") << 1 << QStringLiteral("en");
    QTest::newRow("italian") << 0 << QStringLiteral("it");
    QTest::newRow("any-other-value-is-italian") << 7 << QStringLiteral("it");
    QTest::newRow("negative-is-italian") << -1 << QStringLiteral("it");
}

void TestHelpModel::languageCode()
{
    QFETCH(int, language);
    QFETCH(QString, code);
    QCOMPARE(Fasoria::languageCode(static_cast<Language>(language)), code);
}

void TestHelpModel::lessonAnchor_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("anchor");
    QTest::newRow("first") << 0 << QStringLiteral("lesson-01");
    QTest::newRow("seventh") << 6 << QStringLiteral("lesson-07");
    QTest::newRow("ninth-padded") << 8 << QStringLiteral("lesson-09");
    QTest::newRow("tenth-two-digits") << 9 << QStringLiteral("lesson-10");
    QTest::newRow("last") << 20 << QStringLiteral("lesson-21");
}

void TestHelpModel::lessonAnchor()
{
    QFETCH(int, index);
    QFETCH(QString, anchor);
    QCOMPARE(Fasoria::lessonAnchor(index), anchor);
}

void TestHelpModel::topicLabels_data()
{
    QTest::addColumn<int>("language");
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("anchor");
    QTest::addColumn<QString>("label");
    QTest::newRow("it-first-chapter") << 0 << 0 << "chapter-start"
                                      << "Da zero";
    QTest::newRow("en-first-chapter") << 1 << 0 << "chapter-start"
                                      << "Start here";
    QTest::newRow("it-qubit") << 0 << 1 << "chapter-model" << QStringLiteral("Che cos'è un qubit");
    QTest::newRow("en-oracles") << 1 << 5 << "chapter-oracles"
                                << "Algorithms and oracles";
    QTest::newRow("it-faq") << 0 << 8 << "chapter-faq"
                            << "Domande e problemi";
    QTest::newRow("en-faq") << 1 << 8 << "chapter-faq"
                            << "Questions and troubleshooting";
    QTest::newRow("it-last-chapter") << 0 << 12 << "chapter-education"
                                     << "Laboratorio didattico 0.16";
    QTest::newRow("en-last-chapter") << 1 << 12 << "chapter-education"
                                     << "Learning lab 0.16";
    QTest::newRow("it-first-lesson") << 0 << 13 << "lesson-01"
                                     << "01 - La moneta quantistica";
    QTest::newRow("en-first-lesson") << 1 << 13 << "lesson-01"
                                     << "01 - The quantum coin";
    QTest::newRow("it-lesson-09") << 0 << 21 << "lesson-09" << QStringLiteral("09 - Quattro possibilità");
    QTest::newRow("en-lesson-07") << 1 << 19 << "lesson-07"
                                  << "07 - Build a quantum coin";
    QTest::newRow("en-last-lesson") << 1 << 33 << "lesson-21"
                                    << "21 - Grover: a second iteration";
}

void TestHelpModel::topicLabels()
{
    QFETCH(int, language);
    QFETCH(int, index);
    QFETCH(QString, anchor);
    QFETCH(QString, label);
    const QVector<HelpTopic> topics = helpTopics(static_cast<Language>(language));
    QVERIFY(index < topics.size());
    QCOMPARE(topics[index].anchor, anchor);
    QCOMPARE(topics[index].label, label);
}

void TestHelpModel::topicListFollowsTheCatalog_data()
{
    QTest::addColumn<int>("language");
    QTest::newRow("it") << 0;
    QTest::newRow("en") << 1;
}

void TestHelpModel::topicListFollowsTheCatalog()
{
    QFETCH(int, language);
    const QVector<HelpTopic> topics = helpTopics(static_cast<Language>(language));
    const LessonCatalog &lessons = lessonCatalog();
    const QStringList chapters = {"chapter-start",    "chapter-model",    "chapter-gates",  "chapter-workflow",
                                  "chapter-learning", "chapter-oracles",  "chapter-limits", "chapter-validation",
                                  "chapter-faq",      "chapter-glossary", "chapter-math",   "chapter-teacher",
                                  "chapter-education"};
    QCOMPARE(topics.size(), 13 + static_cast<int>(lessons.size()));
    QSet<QString> anchors;
    for (int i = 0; i < topics.size(); ++i) {
        anchors.insert(topics[i].anchor);
        QVERIFY2(!topics[i].label.trimmed().isEmpty(), qPrintable(topics[i].anchor));
        if (i < 13) {
            QCOMPARE(topics[i].anchor, chapters[i]);
            continue;
        }
        const Lesson &lesson = lessons[static_cast<std::size_t>(i - 13)];
        QCOMPARE(topics[i].anchor, Fasoria::lessonAnchor(i - 13));
        QCOMPARE(topics[i].label, QString::fromUtf8(language == 1 ? lesson.titleEn : lesson.titleIt));
    }
    QCOMPARE(anchors.size(), topics.size());
}

void TestHelpModel::restoredTab_data()
{
    QTest::addColumn<QVariant>("stored");
    QTest::addColumn<int>("tab");
    QTest::newRow("absent") << QVariant() << -1;
    QTest::newRow("minus-one") << QVariant(-1) << -1;
    QTest::newRow("five-past-the-last") << QVariant(5) << -1;
    QTest::newRow("first") << QVariant(0) << 0;
    QTest::newRow("last") << QVariant(4) << 4;
    QTest::newRow("number-as-text") << QVariant(QStringLiteral("3")) << 3;
    QTest::newRow("non-numeric-text-reads-as-0") << QVariant(QStringLiteral("manual")) << 0;
}

void TestHelpModel::restoredTab()
{
    QFETCH(QVariant, stored);
    QFETCH(int, tab);
    QCOMPARE(Fasoria::restoredTab(stored, 5), tab);
}

void TestHelpModel::resourcePaths_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<bool>("present");
    QTest::newRow("en") << QStringLiteral("en") << true;
    QTest::newRow("it") << QStringLiteral("it") << true;
    QTest::newRow("fr-missing") << QStringLiteral("fr") << false;
}

void TestHelpModel::resourcePaths()
{
    QFETCH(QString, code);
    QFETCH(bool, present);
    QCOMPARE(handbookResourcePath(code), QStringLiteral(":/manual/%1/index.html").arg(code));
    QCOMPARE(handbookUrl(code).toString(), QStringLiteral("qrc:/manual/%1/index.html").arg(code));
    QCOMPARE(licenseResourcePath(code), QStringLiteral(":/licenses/%1.txt").arg(code));
    QCOMPARE(hasHandbook(code), present);
    QCOMPARE(QFile::exists(licenseResourcePath(code)), present);
}

void TestHelpModel::handbookLanguageOfAPage_data()
{
    QTest::addColumn<QString>("url");
    QTest::addColumn<bool>("handbook");
    QTest::addColumn<int>("language");
    QTest::newRow("english") << "qrc:/manual/en/index.html" << true << 1;
    QTest::newRow("italian-at-an-anchor") << "qrc:/manual/it/index.html#lesson-07" << true << 0;
    QTest::newRow("terms") << "qrc:/licenses/en.txt" << false << -1;
    QTest::newRow("other-language") << "qrc:/manual/fr/index.html" << false << -1;
    QTest::newRow("outside-the-program") << "https://example.org/manual/en/index.html" << false << -1;
    QTest::newRow("a-file-of-that-name") << "file:///manual/en/index.html" << false << -1;
}

void TestHelpModel::handbookLanguageOfAPage()
{
    QFETCH(QString, url);
    QFETCH(bool, handbook);
    QFETCH(int, language);
    auto found = static_cast<Language>(-1);
    QCOMPARE(handbookLanguage(QUrl(url), &found), handbook);
    QCOMPARE(static_cast<int>(found), language);
}

void TestHelpModel::missingResourceTexts_data()
{
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("handbook");
    QTest::addColumn<QString>("terms");
    QTest::newRow("en") << 1 << "<h2>Handbook resource missing</h2><p>Check the Qt RCC build of Help/FasoriaHelp.</p>"
                        << "License resource missing. Check Help/FasoriaHelp.";
    QTest::newRow("it") << 0
                        << "<h2>Manuale non disponibile</h2><p>Controllare la compilazione RCC di "
                           "Help/FasoriaHelp.</p>"
                        << "Licenza non disponibile. Controllare Help/FasoriaHelp.";
}

void TestHelpModel::missingResourceTexts()
{
    QFETCH(int, language);
    QFETCH(QString, handbook);
    QFETCH(QString, terms);
    const auto lang = static_cast<Language>(language);
    QCOMPARE(handbookMissingHtml(lang), handbook);
    QCOMPARE(licenseMissingText(lang), terms);
    // A language whose terms are not compiled in falls back to the message, in the window's language.
    QCOMPARE(licenseText(QStringLiteral("fr"), lang), terms);
}

void TestHelpModel::resourcesAreUncompressed_data()
{
    QTest::addColumn<QString>("path");
    for (const char *path : {":/icons/Fasoria.png", ":/manual/en/index.html", ":/manual/it/index.html",
                             ":/licenses/en.txt", ":/licenses/it.txt"}) {
        QTest::newRow(path) << QString::fromLatin1(path);
    }
}

void TestHelpModel::resourcesAreUncompressed()
{
    QFETCH(QString, path);
    const QResource resource(path);
    QVERIFY(resource.isValid());
    QVERIFY(resource.size() > 0);
    QCOMPARE(resource.compressionAlgorithm(), QResource::NoCompression);
}

void TestHelpModel::terms_data()
{
    QTest::addColumn<int>("language");
    QTest::addColumn<QStringList>("notices");
    QTest::newRow("en") << 1
                        << QStringList{QStringLiteral("GNU Lesser General Public License version 3"),
                                       QStringLiteral("https://download.qt.io/"),
                                       QStringLiteral("qtbase-opensource-src")};
    QTest::newRow("it") << 0
                        << QStringList{QStringLiteral("TRADUZIONE DI CORTESIA"), QStringLiteral("prevale"),
                                       QStringLiteral("GNU Lesser General Public License versione 3"),
                                       QStringLiteral("https://download.qt.io/"),
                                       QStringLiteral("qtbase-opensource-src")};
}

void TestHelpModel::terms()
{
    QFETCH(int, language);
    QFETCH(QStringList, notices);
    const auto lang = static_cast<Language>(language);
    const QString text = licenseText(Fasoria::languageCode(lang), lang);
    // Both languages carry the repository's license word for word: the English text is the one that prevails.
    const QString license = readAll(QStringLiteral(FASORIA_SOURCE_DIR "/LICENSE"));
    QVERIFY(license.startsWith(QStringLiteral("MIT License")));
    QVERIFY(license.contains(QStringLiteral("Copyright (c) 2026 The Fasoria developers")));
    QVERIFY(text.contains(license));
    for (const QString &notice : notices) {
        QVERIFY2(text.simplified().contains(notice), qPrintable(notice));
    }
}

void TestHelpModel::referencePages_data()
{
    QTest::addColumn<int>("page");
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("heading");
    QTest::newRow("gates-en") << 0 << 1 << "Quantum gates: the available operations";
    QTest::newRow("gates-it") << 0 << 0 << "Porte quantistiche: le operazioni disponibili";
    QTest::newRow("basics-en") << 1 << 1 << "What is Fasoria calculating?";
    QTest::newRow("basics-it") << 1 << 0 << "Che cosa calcola Fasoria?";
    QTest::newRow("algorithms-en") << 2 << 1 << "The algorithm laboratory";
    QTest::newRow("algorithms-it") << 2 << 0 << "Il laboratorio degli algoritmi";
    QTest::newRow("examples-en") << 3 << 1 << "Exercises: demonstrations and challenges";
    QTest::newRow("examples-it") << 3 << 0 << "Esercizi: dimostrazioni e sfide";
}

void TestHelpModel::referencePages()
{
    QFETCH(int, page);
    QFETCH(int, language);
    QFETCH(QString, heading);
    const QString html = referencePage(static_cast<ReferencePage>(page), static_cast<Language>(language));
    const QString head = referencePageHead();
    for (const char *rule : {"font-family: 'Segoe UI'", "font-size: 11pt", "line-height: 1.45", "#276a89", "#eeeeee",
                             "border-collapse: collapse", "#cccccc", "#f1f5f8"}) {
        QVERIFY2(head.contains(QString::fromLatin1(rule)), rule);
    }
    QVERIFY(html.startsWith(head));
    QVERIFY(html.endsWith(QStringLiteral("</body></html>")));
    QVERIFY(html.contains(QStringLiteral("<h2>%1</h2>").arg(heading)));
    // Every placeholder of the prose was replaced by an interface text or a table.
    const QRegularExpressionMatch leftover = QRegularExpression(QStringLiteral("\\{[a-z0-9]+\\}")).match(html);
    QVERIFY2(!leftover.hasMatch(), qPrintable(leftover.captured()));
    const QString other = referencePage(static_cast<ReferencePage>(page), static_cast<Language>(1 - language));
    QVERIFY(!other.contains(heading));
}

void TestHelpModel::exercisesListTheCatalogLessons_data()
{
    topicListFollowsTheCatalog_data();
}

void TestHelpModel::exercisesListTheCatalogLessons()
{
    QFETCH(int, language);
    const QString html = referencePage(ReferencePage::Examples, static_cast<Language>(language));
    const LessonCatalog &lessons = lessonCatalog();
    // The demonstrations and the challenges (01..14), each with its goal, escaped for HTML.
    for (std::size_t i = 0; i < 14; ++i) {
        const Lesson &lesson = lessons[i];
        const QString title = QString::fromUtf8(language == 1 ? lesson.titleEn : lesson.titleIt);
        const QString question = QString::fromUtf8(language == 1 ? lesson.questionEn : lesson.questionIt);
        QVERIFY2(html.contains(QStringLiteral("<td>%1</td>").arg(title.toHtmlEscaped())), qPrintable(title));
        QVERIFY2(html.contains(question.toHtmlEscaped()), qPrintable(question));
    }
    QVERIFY(!html.contains(QStringLiteral("|1>")));
    // The prose names the buttons as the window shows them.
    QVERIFY(html.contains(language == 1 ? QStringLiteral("Check solution") : QStringLiteral("Verifica soluzione")));
}

QTEST_GUILESS_MAIN(TestHelpModel)
#include "test_help_model.moc"
