#include "Help/dialog/HelpDialog.h"

#include "Help/model/HelpModel.h"
#include "Help/model/ReferencePages.h"
#include "ui/widgets/AccessibleNames.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QShowEvent>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QTextBrowser>
#include <QTextCursor>
#include <QTextDocument>
#include <QTimer>
#include <QVBoxLayout>

using namespace Fasoria;

namespace {

// clang-format off
constexpr TextPair kTabTitles[] = {
    {"Porte quantistiche", "Quantum gates"},
    {"Concetti fondamentali", "Fundamentals"},
    {"Algoritmi e oracoli", "Algorithms"},
    {"Esercizi", "Exercises"},
    {"Manuale completo", "Full handbook"},
};
constexpr TextPair kSearchPlaceholder = {"Cerca nel manuale...", "Search in handbook..."};
constexpr TextPair kFindText = {"Trova successivo", "Find next"};
constexpr TextPair kNotFound = {"Non trovato", "Not found"};
// clang-format on

constexpr int kDefaultWidth = 960;
constexpr int kDefaultHeight = 720;

QTextBrowser *pageView(QWidget *page, const char *name)
{
    auto *view = new QTextBrowser(page);
    view->setObjectName(QString::fromLatin1(name));
    view->setOpenExternalLinks(true);
    auto *layout = new QVBoxLayout(page);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(view);
    return view;
}

QWidget *page(QTabWidget *tabs, const char *name)
{
    auto *widget = new QWidget(tabs);
    widget->setObjectName(QString::fromLatin1(name));
    tabs->addTab(widget, QString());
    return widget;
}

} // namespace

HelpDialog::HelpDialog(Language language, QWidget *parent) : QDialog(parent), m_language(language)
{
    setObjectName(QStringLiteral("HelpDialog"));
    // A window of its own beside the main window, with the usual title-bar buttons, not a dialog box.
    setWindowFlags(Qt::Window);
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(false);
    buildWidgets();
    connectSignals();
    applyTexts();
    refillTopics();
    restoreSettings();
}

void HelpDialog::buildWidgets()
{
    resize(kDefaultWidth, kDefaultHeight);
    auto *rootLayout = new QVBoxLayout(this);
    m_tabs = new QTabWidget(this);
    m_tabs->setObjectName(QStringLiteral("m_tabs"));
    rootLayout->addWidget(m_tabs);

    m_gatesPage = page(m_tabs, "m_gatesPage");
    m_gates = pageView(m_gatesPage, "m_gates");
    m_basicsPage = page(m_tabs, "m_basicsPage");
    m_basics = pageView(m_basicsPage, "m_basics");
    m_algorithmsPage = page(m_tabs, "m_algorithmsPage");
    m_algorithms = pageView(m_algorithmsPage, "m_algorithms");
    m_examplesPage = page(m_tabs, "m_examplesPage");
    m_examples = pageView(m_examplesPage, "m_examples");
    m_manualPage = buildManualPage();
}

QWidget *HelpDialog::buildManualPage()
{
    QWidget *manual = page(m_tabs, "m_manualPage");
    auto *manualLayout = new QVBoxLayout(manual);
    manualLayout->setContentsMargins(4, 4, 4, 4);
    auto *searchLayout = new QHBoxLayout();
    m_manualTopic = new QComboBox(manual);
    m_manualTopic->setObjectName(QStringLiteral("m_manualTopic"));
    m_manualTopic->setMaxVisibleItems(20);
    m_manualSearch = new QLineEdit(manual);
    m_manualSearch->setObjectName(QStringLiteral("m_manualSearch"));
    m_manualSearch->setClearButtonEnabled(true);
    m_findButton = new QPushButton(manual);
    m_findButton->setObjectName(QStringLiteral("m_findButton"));
    // Return in the search line searches once; a default button would take the same key press again.
    m_findButton->setAutoDefault(false);
    searchLayout->addWidget(m_manualTopic, 3);
    searchLayout->addWidget(m_manualSearch, 2);
    searchLayout->addWidget(m_findButton);
    m_findStatus = new QLabel(manual);
    m_findStatus->setObjectName(QStringLiteral("m_findStatus"));
    m_findStatus->setTextFormat(Qt::PlainText);
    searchLayout->addWidget(m_findStatus);
    manualLayout->addLayout(searchLayout);
    m_manualBrowser = new QTextBrowser(manual);
    m_manualBrowser->setObjectName(QStringLiteral("m_manualBrowser"));
    m_manualBrowser->setOpenExternalLinks(true);
    manualLayout->addWidget(m_manualBrowser);
    return manual;
}

void HelpDialog::connectSignals()
{
    connect(m_manualTopic, QOverload<int>::of(&QComboBox::currentIndexChanged), this,
            [this](int index) { topicChosen(index); });
    connect(m_findButton, &QPushButton::clicked, this, [this] { findNext(); });
    connect(m_manualSearch, &QLineEdit::returnPressed, this, [this] { findNext(); });
    connect(m_manualSearch, &QLineEdit::textEdited, this, [this] { showFindResult(false); });
    connect(m_manualBrowser, &QTextBrowser::sourceChanged, this, [this](const QUrl &source) { handbookShown(source); });
}

void HelpDialog::setLanguage(Language language)
{
    m_language = language;
    applyTexts();
    refillTopics();
}

void HelpDialog::applyTexts()
{
    setWindowTitle(helpWindowTitle(m_language));
    for (int i = 0; i < m_tabs->count(); ++i) {
        m_tabs->setTabText(i, uiText(kTabTitles[i], m_language));
    }
    m_manualSearch->setPlaceholderText(uiText(kSearchPlaceholder, m_language));
    m_findButton->setText(uiText(kFindText, m_language));
    showFindResult(m_notFound);
    m_gates->setHtml(referencePage(ReferencePage::Gates, m_language));
    m_basics->setHtml(referencePage(ReferencePage::Basics, m_language));
    m_algorithms->setHtml(referencePage(ReferencePage::Algorithms, m_language));
    m_examples->setHtml(referencePage(ReferencePage::Examples, m_language));
    nameFocusableWidgets(this);
}

void HelpDialog::refillTopics()
{
    fillTopics(m_language);
    loadHandbook(currentAnchor());
}

void HelpDialog::fillTopics(Language language)
{
    const QString remembered = currentAnchor();
    m_topicLanguage = language;
    m_refillingTopics = true;
    {
        const QSignalBlocker blocker(m_manualTopic);
        m_manualTopic->clear();
        for (const HelpTopic &topic : helpTopics(language)) {
            m_manualTopic->addItem(topic.label, topic.anchor);
        }
        m_manualTopic->setCurrentIndex(qMax(0, m_manualTopic->findData(remembered)));
    }
    m_refillingTopics = false;
}

void HelpDialog::loadHandbook(const QString &anchor)
{
    const QString code = languageCode(m_language);
    if (!hasHandbook(code)) {
        m_manualBrowser->setHtml(handbookMissingHtml(m_language));
        return;
    }
    m_manualBrowser->setSource(handbookUrl(code));
    if (!anchor.isEmpty()) {
        m_manualBrowser->scrollToAnchor(anchor);
    }
}

void HelpDialog::handbookShown(const QUrl &source)
{
    Language shown = m_topicLanguage;
    if (handbookLanguage(source, &shown) && languageCode(shown) != languageCode(m_topicLanguage)) {
        fillTopics(shown);
    }
}

void HelpDialog::topicChosen(int index)
{
    if (m_refillingTopics) {
        return;
    }
    const QString anchor = m_manualTopic->itemData(index).toString();
    if (!anchor.isEmpty()) {
        m_manualBrowser->scrollToAnchor(anchor);
    }
}

void HelpDialog::openHandbook()
{
    m_tabs->setCurrentIndex(kManualTab);
}

void HelpDialog::openLesson(int lessonIndex)
{
    openAnchor(lessonAnchor(lessonIndex));
}

void HelpDialog::openAnchor(const QString &anchor)
{
    const int index = m_manualTopic->findData(anchor);
    m_tabs->setCurrentIndex(kManualTab);
    if (index < 0) {
        return;
    }
    {
        // The scroll below is the one navigation; the selection alone must not scroll first.
        const QSignalBlocker blocker(m_manualTopic);
        m_manualTopic->setCurrentIndex(index);
    }
    m_manualBrowser->scrollToAnchor(anchor);
}

void HelpDialog::openSection(const QString &topic, const QString &section)
{
    openAnchor(topic);
    if (m_manualTopic->currentData().toString() == topic) {
        m_manualBrowser->scrollToAnchor(section);
    }
}

void HelpDialog::findNext()
{
    const QString text = m_manualSearch->text().trimmed();
    if (text.isEmpty()) {
        return;
    }
    // Searching the document, not the view, leaves the cursor and the scroll position untouched until a match
    // is found: a text that occurs nowhere changes nothing but the message beside the search line.
    QTextDocument *document = m_manualBrowser->document();
    QTextCursor found = document->find(text, m_manualBrowser->textCursor());
    if (found.isNull()) {
        found = document->find(text, 0);
    }
    if (!found.isNull()) {
        m_manualBrowser->setTextCursor(found);
    }
    showFindResult(found.isNull());
}

void HelpDialog::showFindResult(bool notFound)
{
    m_notFound = notFound;
    m_findStatus->setText(notFound ? uiText(kNotFound, m_language) : QString());
}

QString HelpDialog::currentAnchor() const
{
    return m_manualTopic->currentData().toString();
}

void HelpDialog::restoreSettings()
{
    const QSettings settings;
    const QByteArray geometry = settings.value(QString::fromLatin1(kHelpGeometryKey)).toByteArray();
    if (!geometry.isEmpty()) {
        restoreGeometry(geometry);
    }
    const int topic = m_manualTopic->findData(settings.value(QString::fromLatin1(kHelpTopicKey)).toString());
    if (topic >= 0) {
        m_manualTopic->setCurrentIndex(topic);
    }
    const int tab = restoredTab(settings.value(QString::fromLatin1(kHelpTabKey)), m_tabs->count());
    if (tab >= 0) {
        m_tabs->setCurrentIndex(tab);
    }
}

void HelpDialog::saveSettings() const
{
    QSettings settings;
    settings.setValue(QString::fromLatin1(kHelpGeometryKey), saveGeometry());
    settings.setValue(QString::fromLatin1(kHelpTabKey), m_tabs->currentIndex());
    settings.setValue(QString::fromLatin1(kHelpTopicKey), currentAnchor());
}

void HelpDialog::done(int result)
{
    saveSettings();
    QDialog::done(result);
}

void HelpDialog::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (m_shown) {
        return;
    }
    m_shown = true;
    // A topic chosen before the first show is scrolled to while the window still takes its size, and the
    // wider final layout moves the anchor up; once the window has its final geometry, scroll there again.
    QTimer::singleShot(0, this, [this] {
        const QString anchor = currentAnchor();
        if (m_manualBrowser->isVisible() && !anchor.isEmpty()) {
            m_manualBrowser->scrollToAnchor(anchor);
        }
    });
}

void HelpDialog::closeEvent(QCloseEvent *event)
{
    // QDialog would turn the close into reject() and so into done(), which saves; accepting here saves once
    // and lets the window close and delete itself.
    saveSettings();
    event->accept();
}
