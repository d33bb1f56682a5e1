#pragma once

#include "core/Language.h"

#include <QDialog>
#include <QString>

class QCloseEvent;
class QShowEvent;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTabWidget;
class QTextBrowser;
class QUrl;

/// The help window: four short reference pages and the complete bilingual handbook compiled into the program,
/// navigated by chapter and lesson anchors and searchable. It is a separate, non-modal window that deletes
/// itself when closed, after saving its geometry, tab and topic ("help/geometry", "help/tab",
/// "help/manualTopic"); a new one restores them.
class HelpDialog : public QDialog
{
    Q_OBJECT

public:
    /// Index of the handbook tab in the tab widget.
    static constexpr int kManualTab = 4;

    explicit HelpDialog(Fasoria::Language language, QWidget *parent = nullptr);

    Fasoria::Language language() const { return m_language; }
    /// Rewrites every text, the reference pages and the topic list in `language`, keeping the current topic,
    /// and reloads the handbook in that language.
    void setLanguage(Fasoria::Language language);
    /// Shows the handbook tab at the topic already chosen (restored, or the last one shown).
    void openHandbook();
    /// Shows the handbook at catalog lesson `lessonIndex` (zero-based): topic "lesson-07" for index 6.
    void openLesson(int lessonIndex);
    /// Selects the topic whose anchor is `anchor`, shows the handbook tab and scrolls to it. An anchor that is
    /// not in the topic list only shows the handbook tab.
    void openAnchor(const QString &anchor);
    /// Selects the topic `topic` as openAnchor does and scrolls on to `section`, an anchor inside it.
    void openSection(const QString &topic, const QString &section);

    /// Every way of closing (the window's close button, Escape, close()) saves the settings exactly once.
    void done(int result) override;

protected:
    void closeEvent(QCloseEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void buildWidgets();
    QWidget *buildManualPage();
    void connectSignals();
    void applyTexts();
    void refillTopics();
    /// Rewrites the topic list in `language`, keeping the selected anchor, without navigating.
    void fillTopics(Fasoria::Language language);
    /// Keeps the topic list in the language of the handbook document the browser shows, also when the
    /// handbook's own link to the other language changed it.
    void handbookShown(const QUrl &source);
    /// Shows the handbook of the current language and scrolls to `anchor`, or the missing-handbook message.
    void loadHandbook(const QString &anchor);
    void topicChosen(int index);
    void findNext();
    void showFindResult(bool notFound);
    QString currentAnchor() const;
    void restoreSettings();
    void saveSettings() const;

    Fasoria::Language m_language = Fasoria::Italian;
    /// Language of the topic list, which follows the handbook document shown.
    Fasoria::Language m_topicLanguage = Fasoria::Italian;
    /// The last search found nothing; told beside the search line until the text or the next search changes it.
    bool m_notFound = false;
    /// Set while the topic list is refilled, so that the refill does not navigate.
    bool m_refillingTopics = false;
    bool m_shown = false;

    QTabWidget *m_tabs = nullptr;
    QWidget *m_gatesPage = nullptr;
    QWidget *m_basicsPage = nullptr;
    QWidget *m_algorithmsPage = nullptr;
    QWidget *m_examplesPage = nullptr;
    QWidget *m_manualPage = nullptr;
    QTextBrowser *m_gates = nullptr;
    QTextBrowser *m_basics = nullptr;
    QTextBrowser *m_algorithms = nullptr;
    QTextBrowser *m_examples = nullptr;
    QComboBox *m_manualTopic = nullptr;
    QLineEdit *m_manualSearch = nullptr;
    QPushButton *m_findButton = nullptr;
    QLabel *m_findStatus = nullptr;
    QTextBrowser *m_manualBrowser = nullptr;
};
