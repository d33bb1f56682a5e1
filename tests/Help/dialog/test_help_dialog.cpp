// The help window driven through its widgets: tabs and texts in both languages, the handbook's anchors as the
// browser sees them, search, navigation to lessons and chapters, the language switch, the settings it
// restores and saves, the handbook's own links to the other language, and the message shown when the handbook
// is not compiled in.
#include "fasoria/Version.h"

#include "Help/Resources.h"
#include "Help/dialog/HelpDialog.h"
#include "Help/model/HelpModel.h"
#include "tests/Help/SettingsSandbox.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QScrollBar>
#include <QSettings>
#include <QTabBar>
#include <QTabWidget>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextCursor>
#include <QTextLayout>
#include <QtTest>

#include <memory>

using namespace Fasoria;

namespace {

/// Every anchor name the document carries, as the browser's scrolling finds them.
QSet<QString> documentAnchors(const QTextDocument *document)
{
    QSet<QString> anchors;
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
        for (const QString &name : block.charFormat().anchorNames()) {
            anchors.insert(name);
        }
        for (QTextBlock::iterator it = block.begin(); !it.atEnd(); ++it) {
            for (const QString &name : it.fragment().charFormat().anchorNames()) {
                anchors.insert(name);
            }
        }
    }
    return anchors;
}

/// Top of the line holding the anchor `name` in the browser's document, where scrolling to it puts the view;
/// −1 when the document has no such anchor.
int anchorTop(QTextBrowser *browser, const QString &name)
{
    // The same search as the browser's: the block's own format first, then its fragments.
    for (QTextBlock block = browser->document()->begin(); block.isValid(); block = block.next()) {
        int position = -1;
        if (block.charFormat().anchorNames().contains(name)) {
            position = block.position();
        }
        for (QTextBlock::iterator it = block.begin(); position < 0 && !it.atEnd(); ++it) {
            if (it.fragment().charFormat().anchorNames().contains(name)) {
                position = it.fragment().position();
            }
        }
        if (position >= 0) {
            const QTextLayout *layout = block.layout();
            const QTextLine line = layout->lineForTextPosition(position - block.position());
            return qRound(layout->position().y() + (line.isValid() ? line.y() : 0.0));
        }
    }
    return -1;
}

/// Clicks the first link of the browser's document that leads to `href`, as the user would; false when the
/// document has no such link.
bool clickLink(QTextBrowser *browser, const QString &href)
{
    for (QTextBlock block = browser->document()->begin(); block.isValid(); block = block.next()) {
        for (QTextBlock::iterator it = block.begin(); !it.atEnd(); ++it) {
            if (it.fragment().charFormat().anchorHref() != href) {
                continue;
            }
            QTextCursor cursor(browser->document());
            cursor.setPosition(it.fragment().position() + 1);
            QScrollBar *bar = browser->verticalScrollBar();
            bar->setValue(bar->value() + browser->cursorRect(cursor).top() - browser->viewport()->height() / 2);
            QTest::mouseClick(browser->viewport(), Qt::LeftButton, {}, browser->cursorRect(cursor).center());
            return true;
        }
    }
    return false;
}

/// A long document with "alpha" only at its top, "gamma" twice in the middle, and "omega" at its end.
QString searchDocument()
{
    QString html = QStringLiteral("<p>alpha opens the text</p>");
    for (int i = 0; i < 80; ++i) {
        html += QStringLiteral("<p>filler line %1</p>").arg(i);
        if (i == 40 || i == 50) {
            html += QStringLiteral("<p>gamma in the middle</p>");
        }
    }
    return html + QStringLiteral("<p>omega closes it</p>");
}

} // namespace

class TestHelpDialog : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void structureAndTexts_data();
    void structureAndTexts();
    void handbookCarriesEveryTopicAnchor_data();
    void handbookCarriesEveryTopicAnchor();
    void searchWrapsAroundOnce();
    void returnSearchesOnce();
    void absentOrEmptyTextLeavesTheView_data();
    void absentOrEmptyTextLeavesTheView();
    void searchWithoutMatchSaysSo_data();
    void searchWithoutMatchSaysSo();
    void chosenTopicScrollsToItsAnchor();
    void openHandbookKeepsTheTopic();
    void handbookLanguageLinkSwitchesTheTopics_data();
    void handbookLanguageLinkSwitchesTheTopics();
    void openLessonShowsItsPage();
    void openSectionScrollsInsideItsTopic();
    void openAnchor_data();
    void openAnchor();
    void languageSwitchKeepsTheTopic_data();
    void languageSwitchKeepsTheTopic();
    void storedTopic_data();
    void storedTopic();
    void storedTab_data();
    void storedTab();
    void closingSavesThenDeletes_data();
    void closingSavesThenDeletes();
    void missingHandbook();

private:
    void start(Language language);
    template <typename T>
    T *part(const char *name) const
    {
        T *widget = m_dialog->findChild<T *>(QString::fromLatin1(name));
        if (!widget) {
            qFatal("no widget %s", name);
        }
        return widget;
    }
    void show();
    /// Shows the window on its handbook tab.
    void showManual();
    /// Where the view should be after scrolling to `anchor`: its top, unless the document ends first.
    void verifyScrolledTo(const QString &anchor);

    SettingsSandbox m_store;
    QPointer<HelpDialog> m_dialog;
};

void TestHelpDialog::initTestCase()
{
    QVERIFY(m_store.enter(QStringLiteral("FasoriaHelpTest")));
}

void TestHelpDialog::init()
{
    QSettings().clear();
}

void TestHelpDialog::cleanup()
{
    delete m_dialog;
}

void TestHelpDialog::start(Language language)
{
    delete m_dialog;
    m_dialog = new HelpDialog(language);
}

void TestHelpDialog::showManual()
{
    part<QTabWidget>("m_tabs")->setCurrentIndex(HelpDialog::kManualTab);
    show();
}

void TestHelpDialog::show()
{
    m_dialog->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_dialog));
}

void TestHelpDialog::verifyScrolledTo(const QString &anchor)
{
    auto *browser = part<QTextBrowser>("m_manualBrowser");
    const int top = anchorTop(browser, anchor);
    QVERIFY2(top >= 0, qPrintable(anchor));
    QScrollBar *bar = browser->verticalScrollBar();
    QTRY_COMPARE(bar->value(), qMin(top, bar->maximum()));
}

void TestHelpDialog::structureAndTexts_data()
{
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QStringList>("tabs");
    QTest::addColumn<QString>("placeholder");
    QTest::addColumn<QString>("find");
    QTest::newRow("it") << 0 << "Fasoria | Guida"
                        << QStringList{"Porte quantistiche", "Concetti fondamentali", "Algoritmi e oracoli", "Esercizi",
                                       "Manuale completo"}
                        << "Cerca nel manuale..."
                        << "Trova successivo";
    QTest::newRow("en") << 1 << "Fasoria | Help"
                        << QStringList{"Quantum gates", "Fundamentals", "Algorithms", "Exercises", "Full handbook"}
                        << "Search in handbook..."
                        << "Find next";
}

void TestHelpDialog::structureAndTexts()
{
    QFETCH(int, language);
    QFETCH(QString, title);
    QFETCH(QStringList, tabs);
    QFETCH(QString, placeholder);
    QFETCH(QString, find);
    const auto lang = static_cast<Language>(language);
    start(lang);
    QCOMPARE(m_dialog->windowType(), Qt::Window);
    QVERIFY(!m_dialog->isModal());
    QVERIFY(m_dialog->testAttribute(Qt::WA_DeleteOnClose));
    QCOMPARE(m_dialog->windowTitle(), title);
    auto *tabWidget = part<QTabWidget>("m_tabs");
    QCOMPARE(tabWidget->count(), 5);
    const char *pages[] = {"m_gatesPage", "m_basicsPage", "m_algorithmsPage", "m_examplesPage", "m_manualPage"};
    for (int i = 0; i < 5; ++i) {
        QCOMPARE(tabWidget->widget(i)->objectName(), QString::fromLatin1(pages[i]));
        QCOMPARE(tabWidget->tabText(i), tabs[i]);
    }
    for (const char *view : {"m_gates", "m_basics", "m_algorithms", "m_examples"}) {
        QVERIFY(part<QTextBrowser>(view)->isReadOnly());
        QVERIFY(part<QTextBrowser>(view)->toPlainText().size() > 500);
    }
    QCOMPARE(part<QLineEdit>("m_manualSearch")->placeholderText(), placeholder);
    QCOMPARE(part<QPushButton>("m_findButton")->text(), find);
    auto *topics = part<QComboBox>("m_manualTopic");
    const QVector<HelpTopic> expected = helpTopics(lang);
    QCOMPARE(topics->count(), expected.size());
    for (int i = 0; i < topics->count(); ++i) {
        QCOMPARE(topics->itemText(i), expected[i].label);
        QCOMPARE(topics->itemData(i).toString(), expected[i].anchor);
    }
    QCOMPARE(topics->currentIndex(), 0);
    // The reference pages follow the language switch.
    const QString gates = part<QTextBrowser>("m_gates")->toPlainText();
    m_dialog->setLanguage(static_cast<Language>(1 - language));
    QVERIFY(part<QTextBrowser>("m_gates")->toPlainText() != gates);
    QVERIFY(m_dialog->windowTitle() != title);
}

void TestHelpDialog::handbookCarriesEveryTopicAnchor_data()
{
    QTest::addColumn<int>("language");
    QTest::newRow("it") << 0;
    QTest::newRow("en") << 1;
}

void TestHelpDialog::handbookCarriesEveryTopicAnchor()
{
    QFETCH(int, language);
    const auto lang = static_cast<Language>(language);
    start(lang);
    auto *browser = part<QTextBrowser>("m_manualBrowser");
    QCOMPARE(browser->source(), QUrl(QStringLiteral("qrc:/manual/%1/index.html").arg(languageCode(lang))));
    const QSet<QString> anchors = documentAnchors(browser->document());
    for (const HelpTopic &topic : helpTopics(lang)) {
        QVERIFY2(anchors.contains(topic.anchor), qPrintable(topic.anchor));
    }
    QVERIFY(browser->toPlainText().contains(QString::fromLatin1(kApplicationVersion)));
}

void TestHelpDialog::searchWrapsAroundOnce()
{
    start(English);
    showManual();
    auto *browser = part<QTextBrowser>("m_manualBrowser");
    browser->setHtml(searchDocument());
    browser->moveCursor(QTextCursor::End);
    QScrollBar *bar = browser->verticalScrollBar();
    QVERIFY(bar->maximum() > 0);
    QVERIFY(bar->value() > bar->maximum() / 2);
    QTest::keyClicks(part<QLineEdit>("m_manualSearch"), QStringLiteral("alpha"));
    QTest::mouseClick(part<QPushButton>("m_findButton"), Qt::LeftButton);
    // "alpha" lies only above the cursor: found after moving to the start, and the view follows it.
    QCOMPARE(browser->textCursor().selectedText(), QStringLiteral("alpha"));
    QCOMPARE(browser->textCursor().selectionStart(), 0);
    QVERIFY(browser->viewport()->rect().contains(browser->cursorRect()));

    // Surrounding blanks are ignored; the next match lies below the cursor, with no wrap-around.
    part<QLineEdit>("m_manualSearch")->clear();
    QTest::keyClicks(part<QLineEdit>("m_manualSearch"), QStringLiteral("  omega "));
    QTest::mouseClick(part<QPushButton>("m_findButton"), Qt::LeftButton);
    QCOMPARE(browser->textCursor().selectedText(), QStringLiteral("omega"));
    QVERIFY(bar->value() > bar->maximum() / 2);
    QVERIFY(browser->viewport()->rect().contains(browser->cursorRect()));
}

void TestHelpDialog::returnSearchesOnce()
{
    start(Italian);
    showManual();
    auto *browser = part<QTextBrowser>("m_manualBrowser");
    browser->setHtml(searchDocument());
    const int first = browser->document()->find(QStringLiteral("gamma")).selectionStart();
    QTest::keyClicks(part<QLineEdit>("m_manualSearch"), QStringLiteral("gamma"));
    QTest::keyClick(part<QLineEdit>("m_manualSearch"), Qt::Key_Return);
    QCOMPARE(browser->textCursor().selectionStart(), first);
    QTest::keyClick(part<QLineEdit>("m_manualSearch"), Qt::Key_Return);
    QVERIFY(browser->textCursor().selectionStart() > first);
    QCOMPARE(browser->textCursor().selectedText(), QStringLiteral("gamma"));
    // Past the last one the search wraps round to the first.
    QTest::keyClick(part<QLineEdit>("m_manualSearch"), Qt::Key_Return);
    QCOMPARE(browser->textCursor().selectionStart(), first);
}

void TestHelpDialog::absentOrEmptyTextLeavesTheView_data()
{
    QTest::addColumn<QString>("search");
    QTest::newRow("absent-word") << QStringLiteral("zyzzyva");
    QTest::newRow("blanks-only") << QStringLiteral("   ");
}

void TestHelpDialog::absentOrEmptyTextLeavesTheView()
{
    QFETCH(QString, search);
    start(English);
    showManual();
    auto *browser = part<QTextBrowser>("m_manualBrowser");
    browser->setHtml(searchDocument());
    QTextCursor cursor = browser->document()->find(QStringLiteral("gamma"));
    browser->setTextCursor(cursor);
    QScrollBar *bar = browser->verticalScrollBar();
    bar->setValue(bar->maximum() / 3);
    const int scroll = bar->value();
    QTest::keyClicks(part<QLineEdit>("m_manualSearch"), search);
    QTest::mouseClick(part<QPushButton>("m_findButton"), Qt::LeftButton);
    QTest::keyClick(part<QLineEdit>("m_manualSearch"), Qt::Key_Return);
    QCOMPARE(bar->value(), scroll);
    QCOMPARE(browser->textCursor().selectionStart(), cursor.selectionStart());
    QCOMPARE(browser->textCursor().selectionEnd(), cursor.selectionEnd());
}

void TestHelpDialog::searchWithoutMatchSaysSo_data()
{
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("notFound");
    QTest::addColumn<QString>("switched");
    QTest::newRow("it") << 0 << QStringLiteral("Non trovato") << QStringLiteral("Not found");
    QTest::newRow("en") << 1 << QStringLiteral("Not found") << QStringLiteral("Non trovato");
}

void TestHelpDialog::searchWithoutMatchSaysSo()
{
    QFETCH(int, language);
    QFETCH(QString, notFound);
    QFETCH(QString, switched);
    start(static_cast<Language>(language));
    showManual();
    auto *status = part<QLabel>("m_findStatus");
    auto *search = part<QLineEdit>("m_manualSearch");
    QCOMPARE(status->textFormat(), Qt::PlainText);
    QCOMPARE(status->text(), QString());
    QTest::keyClicks(search, QStringLiteral("zyzzyva"));
    QTest::mouseClick(part<QPushButton>("m_findButton"), Qt::LeftButton);
    QCOMPARE(status->text(), notFound);
    QVERIFY(status->isVisible());
    // The message follows the interface language, also when the window is re-translated while it shows.
    m_dialog->setLanguage(static_cast<Language>(1 - language));
    QCOMPARE(status->text(), switched);
    m_dialog->setLanguage(static_cast<Language>(language));
    QCOMPARE(status->text(), notFound);
    // Editing the text takes the message back; a search that finds says nothing.
    QTest::keyClick(search, Qt::Key_Backspace);
    QCOMPARE(status->text(), QString());
    QTest::keyClick(search, Qt::Key_A);
    QTest::keyClick(search, Qt::Key_Return);
    QCOMPARE(status->text(), notFound);
    search->selectAll();
    QTest::keyClicks(search, QStringLiteral("Fasoria"));
    QTest::keyClick(search, Qt::Key_Return);
    QCOMPARE(part<QTextBrowser>("m_manualBrowser")->textCursor().selectedText(), QStringLiteral("Fasoria"));
    QCOMPARE(status->text(), QString());
}

void TestHelpDialog::chosenTopicScrollsToItsAnchor()
{
    start(English);
    show();
    QTest::mouseClick(part<QTabWidget>("m_tabs")->tabBar(), Qt::LeftButton, {},
                      part<QTabWidget>("m_tabs")->tabBar()->tabRect(HelpDialog::kManualTab).center());
    QCOMPARE(part<QTabWidget>("m_tabs")->currentIndex(), HelpDialog::kManualTab);
    auto *topics = part<QComboBox>("m_manualTopic");
    topics->setFocus();
    for (int i = 0; i < 5; ++i) {
        QTest::keyClick(topics, Qt::Key_Down);
    }
    QCOMPARE(topics->currentData().toString(), QStringLiteral("chapter-oracles"));
    verifyScrolledTo(QStringLiteral("chapter-oracles"));
    QTest::keyClick(topics, Qt::Key_End);
    QCOMPARE(topics->currentData().toString(), QStringLiteral("lesson-21"));
    verifyScrolledTo(QStringLiteral("lesson-21"));
}

void TestHelpDialog::openHandbookKeepsTheTopic()
{
    QSettings().setValue(QString::fromLatin1(kHelpTabKey), 1);
    QSettings().setValue(QString::fromLatin1(kHelpTopicKey), QStringLiteral("lesson-07"));
    start(English);
    QCOMPARE(part<QTabWidget>("m_tabs")->currentIndex(), 1);
    m_dialog->openHandbook();
    show();
    QCOMPARE(part<QTabWidget>("m_tabs")->currentIndex(), HelpDialog::kManualTab);
    QCOMPARE(part<QComboBox>("m_manualTopic")->currentData().toString(), QStringLiteral("lesson-07"));
    verifyScrolledTo(QStringLiteral("lesson-07"));

    // In an open window it shows the handbook where the reader left it.
    auto *topics = part<QComboBox>("m_manualTopic");
    topics->setCurrentIndex(topics->findData(QStringLiteral("chapter-faq")));
    part<QTabWidget>("m_tabs")->setCurrentIndex(0);
    m_dialog->openHandbook();
    QCOMPARE(part<QTabWidget>("m_tabs")->currentIndex(), HelpDialog::kManualTab);
    QCOMPARE(topics->currentData().toString(), QStringLiteral("chapter-faq"));
    verifyScrolledTo(QStringLiteral("chapter-faq"));
}

void TestHelpDialog::openLessonShowsItsPage()
{
    start(Italian);
    show();
    m_dialog->openLesson(6);
    QCOMPARE(part<QTabWidget>("m_tabs")->currentIndex(), HelpDialog::kManualTab);
    QCOMPARE(part<QComboBox>("m_manualTopic")->currentData().toString(), QStringLiteral("lesson-07"));
    QCOMPARE(part<QComboBox>("m_manualTopic")->currentText(), QStringLiteral("07 - La moneta da costruire"));
    verifyScrolledTo(QStringLiteral("lesson-07"));
}

void TestHelpDialog::openAnchor_data()
{
    QTest::addColumn<QString>("anchor");
    QTest::addColumn<QString>("selected");
    QTest::newRow("oracles") << QStringLiteral("chapter-oracles") << QStringLiteral("chapter-oracles");
    QTest::newRow("education") << QStringLiteral("chapter-education") << QStringLiteral("chapter-education");
    QTest::newRow("unknown-keeps-the-topic") << QStringLiteral("chapter-nowhere") << QStringLiteral("lesson-03");
}

void TestHelpDialog::openAnchor()
{
    QFETCH(QString, anchor);
    QFETCH(QString, selected);
    start(English);
    show();
    m_dialog->openLesson(2);
    part<QTabWidget>("m_tabs")->setCurrentIndex(0);
    m_dialog->openAnchor(anchor);
    QCOMPARE(part<QTabWidget>("m_tabs")->currentIndex(), HelpDialog::kManualTab);
    QCOMPARE(part<QComboBox>("m_manualTopic")->currentData().toString(), selected);
    verifyScrolledTo(selected);
}

void TestHelpDialog::openSectionScrollsInsideItsTopic()
{
    start(Italian);
    show();
    m_dialog->openSection(QStringLiteral("chapter-teacher"), QStringLiteral("teacher-packs"));
    QCOMPARE(part<QComboBox>("m_manualTopic")->currentData().toString(), QStringLiteral("chapter-teacher"));
    verifyScrolledTo(QStringLiteral("teacher-packs"));
}

void TestHelpDialog::languageSwitchKeepsTheTopic_data()
{
    QTest::addColumn<int>("from");
    QTest::addColumn<QString>("label");
    QTest::newRow("it-to-en") << 0 << QStringLiteral("07 - Build a quantum coin");
    QTest::newRow("en-to-it") << 1 << QStringLiteral("07 - La moneta da costruire");
}

void TestHelpDialog::languageSwitchKeepsTheTopic()
{
    QFETCH(int, from);
    QFETCH(QString, label);
    start(static_cast<Language>(from));
    show();
    m_dialog->openLesson(6);
    const QString shown = part<QTextBrowser>("m_manualBrowser")->toPlainText();
    const auto to = static_cast<Language>(1 - from);
    m_dialog->setLanguage(to);
    QCOMPARE(m_dialog->language(), to);
    auto *topics = part<QComboBox>("m_manualTopic");
    QCOMPARE(topics->currentData().toString(), QStringLiteral("lesson-07"));
    QCOMPARE(topics->currentText(), label);
    auto *browser = part<QTextBrowser>("m_manualBrowser");
    QCOMPARE(browser->source(), handbookUrl(languageCode(to)));
    QVERIFY(browser->toPlainText() != shown);
    verifyScrolledTo(QStringLiteral("lesson-07"));
    QCOMPARE(part<QTabWidget>("m_tabs")->currentIndex(), HelpDialog::kManualTab);
}

void TestHelpDialog::handbookLanguageLinkSwitchesTheTopics_data()
{
    handbookCarriesEveryTopicAnchor_data();
}

void TestHelpDialog::handbookLanguageLinkSwitchesTheTopics()
{
    QFETCH(int, language);
    const auto shown = static_cast<Language>(language);
    const auto other = static_cast<Language>(1 - language);
    start(shown);
    showManual();
    m_dialog->openLesson(6);
    const QString searchPlaceholder = part<QLineEdit>("m_manualSearch")->placeholderText();
    auto *browser = part<QTextBrowser>("m_manualBrowser");
    auto *topics = part<QComboBox>("m_manualTopic");
    const auto verifyTopicsIn = [&](Language expected) {
        const QVector<HelpTopic> labels = helpTopics(expected);
        QCOMPARE(topics->count(), labels.size());
        for (int i = 0; i < topics->count(); ++i) {
            QCOMPARE(topics->itemText(i), labels[i].label);
        }
        QCOMPARE(topics->currentData().toString(), QStringLiteral("lesson-07"));
    };

    QVERIFY(clickLink(browser, QStringLiteral("../%1/index.html").arg(languageCode(other))));
    QTRY_COMPARE(browser->source(), handbookUrl(languageCode(other)));
    verifyTopicsIn(other);
    // The window itself keeps the interface language; choosing a topic scrolls the page now shown.
    QCOMPARE(m_dialog->language(), shown);
    QCOMPARE(part<QLineEdit>("m_manualSearch")->placeholderText(), searchPlaceholder);
    topics->setCurrentIndex(topics->findData(QStringLiteral("chapter-glossary")));
    QCOMPARE(browser->source(), handbookUrl(languageCode(other)));
    verifyScrolledTo(QStringLiteral("chapter-glossary"));
    topics->setCurrentIndex(topics->findData(QStringLiteral("lesson-07")));

    // The link back, and the browser's own history, bring the topics back with the page.
    QVERIFY(clickLink(browser, QStringLiteral("../%1/index.html").arg(languageCode(shown))));
    QTRY_COMPARE(browser->source(), handbookUrl(languageCode(shown)));
    verifyTopicsIn(shown);
    browser->backward();
    QCOMPARE(browser->source(), handbookUrl(languageCode(other)));
    verifyTopicsIn(other);

    // The interface language, set again, shows its own handbook and topics.
    m_dialog->setLanguage(shown);
    QCOMPARE(browser->source(), handbookUrl(languageCode(shown)));
    verifyTopicsIn(shown);
}

void TestHelpDialog::storedTopic_data()
{
    QTest::addColumn<QVariant>("stored");
    QTest::addColumn<QString>("selected");
    QTest::newRow("unknown-anchor") << QVariant(QStringLiteral("lesson-99")) << QStringLiteral("chapter-start");
    QTest::newRow("absent") << QVariant() << QStringLiteral("chapter-start");
    QTest::newRow("lesson") << QVariant(QStringLiteral("lesson-07")) << QStringLiteral("lesson-07");
    QTest::newRow("chapter") << QVariant(QStringLiteral("chapter-faq")) << QStringLiteral("chapter-faq");
}

void TestHelpDialog::storedTopic()
{
    QFETCH(QVariant, stored);
    QFETCH(QString, selected);
    if (stored.isValid()) {
        QSettings().setValue(QString::fromLatin1(kHelpTopicKey), stored);
    }
    start(English);
    QCOMPARE(part<QComboBox>("m_manualTopic")->currentData().toString(), selected);
    part<QTabWidget>("m_tabs")->setCurrentIndex(HelpDialog::kManualTab);
    show();
    verifyScrolledTo(selected);
}

void TestHelpDialog::storedTab_data()
{
    QTest::addColumn<QVariant>("stored");
    QTest::addColumn<int>("tab");
    QTest::newRow("minus-one-ignored") << QVariant(-1) << 0;
    QTest::newRow("five-ignored") << QVariant(5) << 0;
    QTest::newRow("fundamentals") << QVariant(1) << 1;
    QTest::newRow("handbook") << QVariant(4) << 4;
}

void TestHelpDialog::storedTab()
{
    QFETCH(QVariant, stored);
    QFETCH(int, tab);
    QSettings().setValue(QString::fromLatin1(kHelpTabKey), stored);
    start(Italian);
    QCOMPARE(part<QTabWidget>("m_tabs")->currentIndex(), tab);
}

void TestHelpDialog::closingSavesThenDeletes_data()
{
    QTest::addColumn<bool>("escape");
    QTest::newRow("close-button") << false;
    QTest::newRow("escape-key") << true;
}

void TestHelpDialog::closingSavesThenDeletes()
{
    QFETCH(bool, escape);
    start(English);
    QCOMPARE(m_dialog->size(), QSize(960, 720));
    show();
    m_dialog->resize(800, 610);
    auto *tabs = part<QTabWidget>("m_tabs");
    QTest::mouseClick(tabs->tabBar(), Qt::LeftButton, {}, tabs->tabBar()->tabRect(2).center());
    QCOMPARE(tabs->currentIndex(), 2);
    m_dialog->openLesson(11);
    tabs->setCurrentIndex(3);
    QVERIFY(QSettings().allKeys().isEmpty());

    const QPointer<HelpDialog> closing = m_dialog;
    if (escape) {
        QTest::keyClick(part<QTabWidget>("m_tabs"), Qt::Key_Escape);
    } else {
        QVERIFY(m_dialog->close());
    }
    QTRY_VERIFY(closing.isNull());
    const QSettings settings;
    QCOMPARE(settings.value(QString::fromLatin1(kHelpTabKey)).toInt(), 3);
    QCOMPARE(settings.value(QString::fromLatin1(kHelpTopicKey)).toString(), QStringLiteral("lesson-12"));
    QVERIFY(!settings.value(QString::fromLatin1(kHelpGeometryKey)).toByteArray().isEmpty());

    // A new window opens where the last one was closed.
    start(Italian);
    QCOMPARE(m_dialog->size(), QSize(800, 610));
    QCOMPARE(part<QTabWidget>("m_tabs")->currentIndex(), 3);
    QCOMPARE(part<QComboBox>("m_manualTopic")->currentData().toString(), QStringLiteral("lesson-12"));
}

void TestHelpDialog::missingHandbook()
{
    start(Italian);
    auto *browser = part<QTextBrowser>("m_manualBrowser");
    QVERIFY(documentAnchors(browser->document()).contains(QStringLiteral("lesson-07")));
    Q_CLEANUP_RESOURCE(resources);
    m_dialog->setLanguage(Italian);
    QTextDocument message;
    message.setHtml(handbookMissingHtml(Italian));
    QCOMPARE(browser->toPlainText(), message.toPlainText());
    m_dialog->setLanguage(English);
    QTextDocument english;
    english.setHtml(handbookMissingHtml(English));
    QCOMPARE(browser->toPlainText(), english.toPlainText());
    m_dialog->setLanguage(Italian);
    QCOMPARE(browser->toPlainText(), message.toPlainText());
    // Once the handbook is back, the document shown before the message is read again, not taken as still shown.
    initResources();
    m_dialog->setLanguage(Italian);
    QVERIFY(documentAnchors(browser->document()).contains(QStringLiteral("lesson-07")));
    QCOMPARE(browser->source(), handbookUrl(QStringLiteral("it")));
    m_dialog->openLesson(6);
    QCOMPARE(part<QComboBox>("m_manualTopic")->currentData().toString(), QStringLiteral("lesson-07"));
}

QTEST_MAIN(TestHelpDialog)
#include "test_help_dialog.moc"
