// The fixed structure of the main window: widget tree, object names, spacing, sizes and menus.
#include "ui/model/LeftTabs.h"
#include "ui/panels/AlgorithmLabPanel.h"
#include "ui/panels/ChartPanel.h"
#include "ui/panels/CircuitPanel.h"
#include "ui/panels/EditorPanel.h"
#include "ui/panels/ExercisePanel.h"
#include "ui/panels/LessonPanel.h"
#include "ui/panels/MeasurementPanel.h"
#include "ui/panels/StatesPanel.h"
#include "ui/views/AmplitudeTable.h"
#include "ui/views/CircuitView.h"
#include "ui/views/QubitStatePanel.h"
#include "ui/widgets/InterfaceZoom.h"
#include "ui/widgets/WidgetBuilders.h"
#include "ui/window/MainWindow.h"
#include "ui/window/WindowActions.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSplitter>
#include <QStatusBar>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>

using namespace Fasoria;

namespace {

constexpr int kWindowWidth = 1260;
constexpr int kWindowHeight = 900;

/// A left tab: a page holding a frameless scroll area whose content layout the caller fills; the spacer that
/// closes it is added by addScrollTabEnd.
QVBoxLayout *addScrollTab(QTabWidget *tabs, const char *pageName, const char *scrollName, const char *contentName,
                          const char *layoutName)
{
    QWidget *page = named(new QWidget, pageName);
    auto *pageLayout = new QVBoxLayout(page);
    pageLayout->setSpacing(0);
    pageLayout->setContentsMargins(0, 0, 0, 0);
    QScrollArea *scroll = named(new QScrollArea, scrollName);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidgetResizable(true);
    QWidget *content = named(new QWidget, contentName);
    QVBoxLayout *layout = named(new QVBoxLayout(content), layoutName);
    layout->setSpacing(9);
    layout->setContentsMargins(5, 7, 8, 6);
    scroll->setWidget(content);
    pageLayout->addWidget(scroll);
    tabs->addTab(page, QString());
    return layout;
}

/// The window's content inside its scroll area. Word-wrapped labels give its layout a height for width, and the
/// scroll area would hold the content at that preferred height, scrolling a window that has room for every
/// part at its minimum; this content asks only for its minimum, so a window scrolls only when it is smaller.
class CentralWidget : public QWidget
{
public:
    using QWidget::QWidget;

    int heightForWidth(int) const override { return minimumSizeHint().height(); }
};

void addScrollTabEnd(QVBoxLayout *layout)
{
    layout->addItem(new QSpacerItem(0, 0, QSizePolicy::Minimum, QSizePolicy::Expanding));
}

} // namespace

void MainWindow::buildWidgetTree()
{
    setObjectName(QStringLiteral("MainWindow"));
    QWidget *central = named(new CentralWidget(this), "centralwidget");
    QVBoxLayout *rootLayout = named(new QVBoxLayout(central), "rootLayout");
    rootLayout->setSpacing(9);
    rootLayout->addLayout(buildHeader());
    m_subtitle = namedLabel("m_subtitle", true);
    m_subtitle->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    m_subtitle->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    InterfaceZoom::setMaximumHeight(m_subtitle, 44);
    rootLayout->addWidget(m_subtitle);

    m_mainSplitter = named(new QSplitter(Qt::Horizontal), "mainSplitter");
    m_mainSplitter->addWidget(buildLeftPanel());
    m_mainSplitter->addWidget(buildRightSide());
    rootLayout->addWidget(m_mainSplitter, 1);
    // On a small screen or at a large zoom the window scrolls rather than squeeze its parts over each other.
    auto *scroll = named(new QScrollArea, "centralScroll");
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidgetResizable(true);
    scroll->setWidget(central);
    // A frame around the parts, not a stop of the keyboard's way through them.
    scroll->setFocusPolicy(Qt::NoFocus);
    setCentralWidget(scroll);

    m_actions = std::make_unique<WindowActions>(this);
    statusBar()->setObjectName(QStringLiteral("statusbar"));
    resize(kWindowWidth, kWindowHeight);

    m_mainSplitter->setStretchFactor(0, 0);
    m_mainSplitter->setStretchFactor(1, 1);
    m_mainSplitter->setSizes({420, 840});
    m_rightMainSplitter->setStretchFactor(0, 3);
    m_rightMainSplitter->setStretchFactor(1, 2);
    m_rightMainSplitter->setSizes({450, 340});
    m_circuitChartSplitter->setStretchFactor(0, 3);
    m_circuitChartSplitter->setStretchFactor(1, 2);
    m_circuitChartSplitter->setSizes({500, 340});
    m_rightDataSplitter->setStretchFactor(0, 3);
    m_rightDataSplitter->setStretchFactor(1, 2);
    m_rightDataSplitter->setSizes({240, 180});
}

QLayout *MainWindow::buildHeader()
{
    QHBoxLayout *headerLayout = named(new QHBoxLayout, "headerLayout");
    m_title = namedLabel("m_title", true);
    InterfaceZoom::setFontSize(m_title, 14, true);
    m_languageLabel = namedLabel("m_languageLabel");
    m_languageCombo = named(new QComboBox, "m_languageCombo");
    InterfaceZoom::setMinimumWidth(m_languageCombo, 105);
    m_languageCombo->addItem(QStringLiteral("Italiano"));
    m_languageCombo->addItem(QStringLiteral("English"));
    m_simpleMode = named(new QCheckBox, "m_simpleMode");
    m_learningButton = namedButton("m_learningButton");
    headerLayout->addWidget(m_title, 1);
    headerLayout->addWidget(m_languageLabel);
    headerLayout->addWidget(m_languageCombo);
    headerLayout->addWidget(m_simpleMode);
    headerLayout->addWidget(m_learningButton);
    return headerLayout;
}

QWidget *MainWindow::buildLeftPanel()
{
    QWidget *leftPanel = named(new QWidget, "leftPanel");
    QVBoxLayout *leftLayout = named(new QVBoxLayout(leftPanel), "leftLayout");
    leftLayout->setSpacing(7);
    leftLayout->setContentsMargins(3, 3, 3, 3);
    m_exercisePanel = new ExercisePanel;
    leftLayout->addWidget(m_exercisePanel);

    m_leftTabs = named(new QTabWidget, "m_leftTabs");
    m_leftTabs->setDocumentMode(true);
    m_leftTabs->setTabsClosable(false);
    // Every title stays readable (fitLeftPanel): the panel widens rather than hide a page behind arrows.
    m_leftTabs->setUsesScrollButtons(true);
    m_leftTabs->tabBar()->setElideMode(Qt::ElideNone);

    QVBoxLayout *lesson = addScrollTab(m_leftTabs, "tabLesson", "lessonScroll", "lessonContent", "lessonTabLayout");
    m_lessonPanel = new LessonPanel;
    lesson->addWidget(m_lessonPanel);
    addScrollTabEnd(lesson);

    QVBoxLayout *algorithms =
        addScrollTab(m_leftTabs, "tabAlgorithms", "algorithmsScroll", "algorithmsContent", "algorithmsTabLayout");
    m_algorithmLab = new AlgorithmLabPanel;
    algorithms->addWidget(m_algorithmLab);
    addScrollTabEnd(algorithms);

    QVBoxLayout *editor = addScrollTab(m_leftTabs, "tabEditor", "editorScroll", "editorContent", "editorTabLayout");
    m_editorPanel = new EditorPanel;
    editor->addWidget(m_editorPanel);
    addScrollTabEnd(editor);

    QVBoxLayout *measure =
        addScrollTab(m_leftTabs, "tabMeasure", "measureScroll", "measureContent", "measureTabLayout");
    m_measurementPanel = new MeasurementPanel;
    measure->addWidget(m_measurementPanel);
    addScrollTabEnd(measure);

    // After the four pages the lesson relies on: one sphere per qubit, which scrolls by itself.
    QWidget *qubits = named(new QWidget, "tabQubits");
    auto *qubitsLayout = named(new QVBoxLayout(qubits), "qubitsTabLayout");
    qubitsLayout->setContentsMargins(0, 4, 0, 0);
    m_qubitStatePanel = new QubitStatePanel;
    qubitsLayout->addWidget(m_qubitStatePanel);
    m_leftTabs->addTab(qubits, QString());
    leftLayout->addWidget(m_leftTabs, 1);
    return leftPanel;
}

QWidget *MainWindow::buildRightSide()
{
    m_rightMainSplitter = named(new QSplitter(Qt::Vertical), "rightMainSplitter");
    m_rightMainSplitter->setChildrenCollapsible(false);

    m_circuitPanel = new CircuitPanel;
    m_circuitView = m_circuitPanel->view();
    // The chart beside the drawing: every probability of a small register in view at the first start,
    // without scrolling and without taking height from the table, and still there in the beginner view.
    m_circuitChartSplitter = named(new QSplitter(Qt::Horizontal), "circuitChartSplitter");
    m_circuitChartSplitter->setChildrenCollapsible(false);
    m_circuitChartSplitter->addWidget(m_circuitPanel);
    m_chartPanel = new ChartPanel;
    m_circuitChartSplitter->addWidget(m_chartPanel);
    m_rightMainSplitter->addWidget(m_circuitChartSplitter);

    m_rightDataSplitter = named(new QSplitter(Qt::Vertical), "rightDataSplitter");
    m_rightDataSplitter->setChildrenCollapsible(false);
    m_statesPanel = new StatesPanel;
    m_rightDataSplitter->addWidget(m_statesPanel);
    m_notebookPanel = new NotebookPanel;
    m_rightDataSplitter->addWidget(m_notebookPanel);
    m_rightMainSplitter->addWidget(m_rightDataSplitter);
    return m_rightMainSplitter;
}

void MainWindow::fitLeftPanel()
{
    // The editor's rows do not wrap: the left panel widens to hold them in the current language rather than
    // cutting them off or scrolling them sideways. Room for the vertical scroll bar is kept for a short window.
    auto *scroll = findChild<QScrollArea *>(QStringLiteral("editorScroll"));
    // Layouts of a tab never shown keep the sizes they measured before the texts were set.
    QWidget *content = scroll->widget();
    for (QLayout *layout : content->findChildren<QLayout *>()) {
        layout->invalidate();
    }
    const int editorWidth = content->minimumSizeHint().width() + scroll->verticalScrollBar()->sizeHint().width();
    scroll->setMinimumWidth(editorWidth);

    // The panel is as wide as all five tab titles, so that none hides behind the bar's scroll arrows, and as the
    // editor's rows: a minimum set on the tabs replaces the one their pages ask for, so it must hold both.
    const QTabBar *bar = m_leftTabs->tabBar();
    int allTabs = 0;
    for (int tab = 0; tab < bar->count(); ++tab) {
        allTabs += bar->tabRect(tab).width();
    }
    m_leftTabs->setMinimumWidth(std::max(allTabs, editorWidth));
}
