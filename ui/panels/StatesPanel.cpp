#include "ui/panels/StatesPanel.h"

#include "ui/model/Experiment.h"
#include "ui/texts/TextCatalog.h"
#include "ui/views/AmplitudeTable.h"
#include "ui/widgets/InterfaceZoom.h"
#include "ui/widgets/WidgetBuilders.h"

#include <QFontDatabase>
#include <QFontMetricsF>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTableWidget>
#include <QVBoxLayout>

namespace Fasoria {

namespace {

/// The notebook widget discards its oldest lines beyond this many blocks.
constexpr int kMaxLogBlocks = 500;

QVBoxLayout *paneLayout(QWidget *pane, const char *name)
{
    QVBoxLayout *layout = named(new QVBoxLayout(pane), name);
    layout->setSpacing(4);
    layout->setContentsMargins(4, 4, 4, 4);
    return layout;
}

} // namespace

StatesPanel::StatesPanel(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("statesPane"));
    // Never less than the title, the table's header and the sum need: a splitter would lay them over each other.
    keepContentHeight(this, 130);
    QVBoxLayout *statesLayout = paneLayout(this, "statesPaneLayout");
    m_statesTitle = namedLabel("m_statesTitle", true);
    InterfaceZoom::setFontSize(m_statesTitle, 0, true);
    m_table = named(new QTableWidget, "m_table");
    // Tab goes on to the next control instead of walking the cells (the arrows still do).
    m_table->setTabKeyNavigation(false);
    AmplitudeTable::setUp(m_table);
    m_normLabel = namedLabel("m_normLabel", true);
    statesLayout->addWidget(m_statesTitle);
    statesLayout->addWidget(m_table);
    statesLayout->addWidget(m_normLabel);
}

void StatesPanel::refresh(const Experiment &experiment, Language language)
{
    if (const StateVector *state = experiment.state()) {
        AmplitudeTable::fill(m_table, *state, experiment.histogram(), experiment.shotsTotal());
        m_normLabel->setText(AmplitudeTable::normText(*state, language));
    }
}

void StatesPanel::applyLanguage(Language language)
{
    m_statesTitle->setText(uiText(TextKey::StatesTitle, language));
    m_normLabel->setToolTip(uiText(TextKey::ColumnProbabilityTip, language));
    AmplitudeTable::applyLanguage(m_table, language);
    AmplitudeTable::applyLearningHeaders(m_table, language);
}

void StatesPanel::selectBasis(std::uint64_t basis)
{
    if (basis >= static_cast<std::uint64_t>(m_table->rowCount())) {
        return;
    }
    // The table allows no selection: the row becomes the current one, which its focus frame marks.
    const int row = static_cast<int>(basis);
    m_table->setCurrentCell(row, 0);
    m_table->scrollTo(m_table->model()->index(row, 0), QAbstractItemView::PositionAtCenter);
}

NotebookPanel::NotebookPanel(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("notebookPane"));
    keepContentHeight(this, 120);
    QVBoxLayout *notebookLayout = paneLayout(this, "notebookPaneLayout");
    m_logTitle = namedLabel("m_logTitle", true);
    InterfaceZoom::setFontSize(m_logTitle, 0, true);
    m_log = named(new QPlainTextEdit, "m_log");
    m_log->setReadOnly(true);
    m_log->setTabChangesFocus(true);
    m_log->setMinimumHeight(125);
    QFont logFont = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    logFont.setStyleHint(QFont::TypeWriter);
    m_log->setFont(logFont);
    InterfaceZoom::setFontSize(m_log, 10, false);
    m_log->setTabStopDistance(4 * QFontMetricsF(m_log->font()).horizontalAdvance(QLatin1Char(' ')));
    m_log->setMaximumBlockCount(kMaxLogBlocks);
    notebookLayout->addWidget(m_logTitle);
    notebookLayout->addWidget(m_log);
}

void NotebookPanel::appendLine(const QString &line)
{
    m_log->appendPlainText(line);
}

void NotebookPanel::clear()
{
    m_log->clear();
}

void NotebookPanel::showLines(const QStringList &lines)
{
    m_log->setUpdatesEnabled(false);
    m_log->clear();
    for (const QString &line : lines) {
        m_log->appendPlainText(line);
    }
    m_log->moveCursor(QTextCursor::End);
    m_log->setUpdatesEnabled(true);
}

void NotebookPanel::applyLanguage(Language language)
{
    m_logTitle->setText(uiText(TextKey::NotebookTitle, language));
    m_log->setToolTip(uiText(TextKey::NotebookTip, language));
}

} // namespace Fasoria
