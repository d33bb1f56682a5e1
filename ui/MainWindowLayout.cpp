// The fixed structure of the main window: widget tree, object names, spacing, sizes, menus and selectors.
#include "core/Gate.h"
#include "curriculum/LessonCatalog.h"
#include "ui/AmplitudeTable.h"
#include "ui/CircuitView.h"
#include "ui/MainWindow.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QSpinBox>
#include <QSplitter>
#include <QStatusBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>

#include <utility>

namespace {

constexpr int kWindowWidth = 1260;
constexpr int kWindowHeight = 900;
/// The notebook widget discards its oldest lines beyond this many blocks.
constexpr int kMaxLogBlocks = 500;
constexpr std::uint64_t kShotCounts[] = {10, 100, 1000, 10000};
constexpr int kDefaultShotsIndex = 2;

template <typename T>
T *named(T *object, const char *name)
{
    object->setObjectName(QString::fromLatin1(name));
    return object;
}

QLabel *label(const char *name, bool wrapping = false)
{
    QLabel *result = named(new QLabel, name);
    result->setWordWrap(wrapping);
    return result;
}

QPushButton *button(const char *name)
{
    return named(new QPushButton, name);
}

void setFontStyle(QWidget *widget, int pointSize, bool bold)
{
    QFont font = widget->font();
    if (pointSize > 0) {
        font.setPointSize(pointSize);
    }
    font.setBold(bold);
    widget->setFont(font);
}

QSpinBox *spinBox(const char *name, int minimum, int maximum, int width)
{
    QSpinBox *spin = named(new QSpinBox, name);
    spin->setRange(minimum, maximum);
    if (width > 0) {
        spin->setFixedWidth(width);
    }
    return spin;
}

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

void addScrollTabEnd(QVBoxLayout *layout)
{
    layout->addItem(new QSpacerItem(0, 0, QSizePolicy::Minimum, QSizePolicy::Expanding));
}

} // namespace

void MainWindow::buildWidgetTree()
{
    setObjectName(QStringLiteral("MainWindow"));
    QWidget *central = named(new QWidget(this), "centralwidget");
    QVBoxLayout *rootLayout = named(new QVBoxLayout(central), "rootLayout");
    rootLayout->setSpacing(9);
    buildHeader(rootLayout);

    m_mainSplitter = named(new QSplitter(Qt::Horizontal), "mainSplitter");
    m_mainSplitter->addWidget(buildLeftPanel());
    m_mainSplitter->addWidget(buildRightSide());
    rootLayout->addWidget(m_mainSplitter, 1);
    setCentralWidget(central);

    buildMenus();
    statusBar()->setObjectName(QStringLiteral("statusbar"));
    resize(kWindowWidth, kWindowHeight);
}

void MainWindow::buildHeader(QVBoxLayout *rootLayout)
{
    QHBoxLayout *headerLayout = named(new QHBoxLayout, "headerLayout");
    m_title = label("m_title");
    setFontStyle(m_title, 14, true);
    m_languageLabel = label("m_languageLabel");
    m_languageCombo = named(new QComboBox, "m_languageCombo");
    m_languageCombo->setMinimumWidth(105);
    m_simpleMode = named(new QCheckBox, "m_simpleMode");
    m_learningButton = button("m_learningButton");
    headerLayout->addWidget(m_title, 1);
    headerLayout->addWidget(m_languageLabel);
    headerLayout->addWidget(m_languageCombo);
    headerLayout->addWidget(m_simpleMode);
    headerLayout->addWidget(m_learningButton);
    rootLayout->addLayout(headerLayout);

    m_subtitle = label("m_subtitle", true);
    m_subtitle->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    m_subtitle->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    m_subtitle->setMaximumHeight(44);
    rootLayout->addWidget(m_subtitle);
}

QWidget *MainWindow::buildLeftPanel()
{
    QWidget *leftPanel = named(new QWidget, "leftPanel");
    QVBoxLayout *leftLayout = named(new QVBoxLayout(leftPanel), "leftLayout");
    leftLayout->setSpacing(7);
    leftLayout->setContentsMargins(3, 3, 3, 3);
    buildExerciseBox(leftLayout);
    buildLeftTabs(leftLayout);
    return leftPanel;
}

void MainWindow::buildExerciseBox(QVBoxLayout *leftLayout)
{
    m_exerciseBox = named(new QGroupBox, "m_exerciseBox");
    QVBoxLayout *exerciseLayout = named(new QVBoxLayout(m_exerciseBox), "exerciseLayout");
    m_lessons = named(new QComboBox, "m_lessons");
    exerciseLayout->addWidget(m_lessons);

    m_resourceBox = named(new QGroupBox, "m_resourceBox");
    QVBoxLayout *resourceLayout = named(new QVBoxLayout(m_resourceBox), "resourceLayout");
    resourceLayout->setSpacing(3);
    m_qubitCount = label("m_qubitCount");
    setFontStyle(m_qubitCount, 16, true);
    m_resourceSummary = label("m_resourceSummary");
    m_initialState = label("m_initialState", true);
    resourceLayout->addWidget(m_qubitCount);
    resourceLayout->addWidget(m_resourceSummary);
    resourceLayout->addWidget(m_initialState);
    exerciseLayout->addWidget(m_resourceBox);

    m_question = label("m_question", true);
    m_question->setMinimumHeight(45);
    m_stepStatus = label("m_stepStatus");
    exerciseLayout->addWidget(m_question);
    exerciseLayout->addWidget(m_stepStatus);

    QHBoxLayout *buttons = named(new QHBoxLayout, "exerciseButtonsLayout");
    m_resetButton = button("m_resetButton");
    m_previousButton = button("m_previousButton");
    m_nextButton = button("m_nextButton");
    buttons->addWidget(m_resetButton);
    buttons->addWidget(m_previousButton);
    buttons->addWidget(m_nextButton);
    exerciseLayout->addLayout(buttons);
    leftLayout->addWidget(m_exerciseBox);
}

void MainWindow::buildLeftTabs(QVBoxLayout *leftLayout)
{
    m_leftTabs = named(new QTabWidget, "m_leftTabs");
    m_leftTabs->setDocumentMode(true);
    m_leftTabs->setTabsClosable(false);
    // All four titles stay readable: the panel widens instead of scrolling a title out of sight.
    m_leftTabs->setUsesScrollButtons(false);

    QVBoxLayout *lesson = addScrollTab(m_leftTabs, "tabLesson", "lessonScroll", "lessonContent", "lessonTabLayout");
    buildLessonTab(lesson);
    addScrollTabEnd(lesson);
    QVBoxLayout *algorithms =
        addScrollTab(m_leftTabs, "tabAlgorithms", "algorithmsScroll", "algorithmsContent", "algorithmsTabLayout");
    buildAlgorithmsTab(algorithms);
    addScrollTabEnd(algorithms);
    QVBoxLayout *editor = addScrollTab(m_leftTabs, "tabEditor", "editorScroll", "editorContent", "editorTabLayout");
    buildEditorTab(editor);
    addScrollTabEnd(editor);
    QVBoxLayout *measure =
        addScrollTab(m_leftTabs, "tabMeasure", "measureScroll", "measureContent", "measureTabLayout");
    buildMeasureTab(measure);
    addScrollTabEnd(measure);
    leftLayout->addWidget(m_leftTabs, 1);
}

void MainWindow::buildLessonTab(QVBoxLayout *content)
{
    m_lessonHelpButton = button("m_lessonHelpButton");
    content->addWidget(m_lessonHelpButton);

    m_challengeBox = named(new QGroupBox, "m_challengeBox");
    QVBoxLayout *challengeLayout = named(new QVBoxLayout(m_challengeBox), "challengeLayout");
    m_challengeGoal = label("m_challengeGoal", true);
    QHBoxLayout *challengeButtons = named(new QHBoxLayout, "challengeButtonsLayout");
    m_challengeCheckButton = button("m_challengeCheckButton");
    m_challengeHintButton = button("m_challengeHintButton");
    challengeButtons->addWidget(m_challengeCheckButton);
    challengeButtons->addWidget(m_challengeHintButton);
    m_challengeHint = label("m_challengeHint", true);
    m_challengeResult = label("m_challengeResult", true);
    challengeLayout->addWidget(m_challengeGoal);
    challengeLayout->addLayout(challengeButtons);
    challengeLayout->addWidget(m_challengeHint);
    challengeLayout->addWidget(m_challengeResult);
    content->addWidget(m_challengeBox);

    m_explanationBox = named(new QGroupBox, "m_explanationBox");
    QVBoxLayout *explanationLayout = named(new QVBoxLayout(m_explanationBox), "explanationLayout");
    m_explanation = label("m_explanation", true);
    m_explanation->setMinimumHeight(70);
    explanationLayout->addWidget(m_explanation);
    content->addWidget(m_explanationBox);
}

void MainWindow::buildAlgorithmsTab(QVBoxLayout *content)
{
    m_parametricBox = named(new QGroupBox, "m_parametricBox");
    QVBoxLayout *parametricLayout = named(new QVBoxLayout(m_parametricBox), "parametricLayout");
    m_paramIntro = label("m_paramIntro", true);
    parametricLayout->addWidget(m_paramIntro);
    QFormLayout *form = named(new QFormLayout, "parametricForm");
    m_paramKindLabel = label("m_paramKindLabel");
    m_paramKindCombo = named(new QComboBox, "m_paramKindCombo");
    m_paramQubitsLabel = label("m_paramQubitsLabel");
    m_paramQubitsSpin = spinBox("m_paramQubitsSpin", 2, 3, 0);
    m_paramMarkedLabel = label("m_paramMarkedLabel");
    m_paramMarkedSpin = spinBox("m_paramMarkedSpin", 0, 7, 0);
    m_paramIterationsLabel = label("m_paramIterationsLabel");
    m_paramIterationsSpin = spinBox("m_paramIterationsSpin", 1, 4, 0);
    m_paramSecretLabel = label("m_paramSecretLabel");
    m_paramSecretSpin = spinBox("m_paramSecretSpin", 0, 7, 0);
    m_paramDeutschLabel = label("m_paramDeutschLabel");
    m_paramDeutschCombo = named(new QComboBox, "m_paramDeutschCombo");
    form->addRow(m_paramKindLabel, m_paramKindCombo);
    form->addRow(m_paramQubitsLabel, m_paramQubitsSpin);
    form->addRow(m_paramMarkedLabel, m_paramMarkedSpin);
    form->addRow(m_paramIterationsLabel, m_paramIterationsSpin);
    form->addRow(m_paramSecretLabel, m_paramSecretSpin);
    form->addRow(m_paramDeutschLabel, m_paramDeutschCombo);
    parametricLayout->addLayout(form);
    m_paramCreateButton = button("m_paramCreateButton");
    m_paramHint = label("m_paramHint", true);
    parametricLayout->addWidget(m_paramCreateButton);
    parametricLayout->addWidget(m_paramHint);
    content->addWidget(m_parametricBox);

    m_algorithmBox = named(new QGroupBox, "m_algorithmBox");
    QVBoxLayout *algorithmLayout = named(new QVBoxLayout(m_algorithmBox), "algorithmLayout");
    const std::pair<QLabel **, const char *> texts[] = {
        {&m_algorithmIntro, "m_algorithmIntro"},         {&m_algorithmOracle, "m_algorithmOracle"},
        {&m_algorithmClassical, "m_algorithmClassical"}, {&m_algorithmStats, "m_algorithmStats"},
        {&m_algorithmReadout, "m_algorithmReadout"},     {&m_algorithmProbability, "m_algorithmProbability"},
        {&m_algorithmCaveat, "m_algorithmCaveat"}};
    for (const auto &[member, name] : texts) {
        *member = label(name, true);
        algorithmLayout->addWidget(*member);
    }
    m_algorithmCheckpointLabel = label("m_algorithmCheckpointLabel");
    algorithmLayout->addWidget(m_algorithmCheckpointLabel);
    QHBoxLayout *checkpoint = named(new QHBoxLayout, "algorithmCheckpointLayout");
    m_algorithmCheckpointCombo = named(new QComboBox, "m_algorithmCheckpointCombo");
    m_algorithmGotoButton = button("m_algorithmGotoButton");
    checkpoint->addWidget(m_algorithmCheckpointCombo);
    checkpoint->addWidget(m_algorithmGotoButton);
    algorithmLayout->addLayout(checkpoint);
    m_algorithmRunButton = button("m_algorithmRunButton");
    algorithmLayout->addWidget(m_algorithmRunButton);
    content->addWidget(m_algorithmBox);
}

void MainWindow::buildEditorTab(QVBoxLayout *content)
{
    m_editorBox = named(new QGroupBox, "m_editorBox");
    QVBoxLayout *editorLayout = named(new QVBoxLayout(m_editorBox), "editorLayout");
    editorLayout->setSpacing(4);
    editorLayout->setContentsMargins(8, 8, 8, 8);

    QHBoxLayout *top = named(new QHBoxLayout, "editorTopLayout");
    m_editCopyButton = button("m_editCopyButton");
    m_restoreOriginalButton = button("m_restoreOriginalButton");
    top->addWidget(m_editCopyButton);
    top->addWidget(m_restoreOriginalButton);
    editorLayout->addLayout(top);

    QHBoxLayout *qubits = named(new QHBoxLayout, "editorQubitLayout");
    qubits->setSpacing(6);
    m_editQubitLabel = label("m_editQubitLabel");
    m_editQubitSpin = spinBox("m_editQubitSpin", 1, 8, 54);
    m_applyQubitsButton = button("m_applyQubitsButton");
    qubits->addWidget(m_editQubitLabel);
    qubits->addWidget(m_editQubitSpin);
    qubits->addWidget(m_applyQubitsButton);
    editorLayout->addLayout(qubits);

    QGridLayout *parameters = named(new QGridLayout, "editorParametersGrid");
    parameters->setHorizontalSpacing(7);
    parameters->setVerticalSpacing(5);
    m_gateLabel = label("m_gateLabel");
    m_gateCombo = named(new QComboBox, "m_gateCombo");
    // The gate names must stay readable in both languages even in a narrow panel.
    m_gateCombo->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    m_gateCombo->setSizePolicy(QSizePolicy::Minimum, QSizePolicy::Fixed);
    m_targetLabel = label("m_targetLabel");
    m_targetSpin = spinBox("m_targetSpin", 0, 7, 55);
    m_controlLabel = label("m_controlLabel");
    m_controlSpin = spinBox("m_controlSpin", 0, 7, 55);
    m_angleLabel = label("m_angleLabel");
    m_angleSpin = named(new QDoubleSpinBox, "m_angleSpin");
    m_angleSpin->setRange(-360.0, 360.0);
    m_angleSpin->setDecimals(1);
    m_angleSpin->setSingleStep(15.0);
    m_angleSpin->setFixedWidth(95);
    parameters->addWidget(m_gateLabel, 0, 0);
    parameters->addWidget(m_gateCombo, 0, 1);
    parameters->addWidget(m_targetLabel, 0, 2);
    parameters->addWidget(m_targetSpin, 0, 3);
    parameters->addWidget(m_controlLabel, 1, 0);
    parameters->addWidget(m_controlSpin, 1, 1);
    parameters->addWidget(m_angleLabel, 1, 2);
    parameters->addWidget(m_angleSpin, 1, 3);
    parameters->setColumnStretch(1, 1);
    parameters->setColumnStretch(3, 1);
    editorLayout->addLayout(parameters);

    QGridLayout *buttons = named(new QGridLayout, "editorButtonsGrid");
    buttons->setSpacing(5);
    m_insertButton = button("m_insertButton");
    m_replaceButton = button("m_replaceButton");
    m_removeButton = button("m_removeButton");
    m_moveLeftButton = button("m_moveLeftButton");
    m_moveRightButton = button("m_moveRightButton");
    buttons->addWidget(m_insertButton, 0, 0);
    buttons->addWidget(m_replaceButton, 0, 1);
    buttons->addWidget(m_removeButton, 1, 0);
    buttons->addWidget(m_moveLeftButton, 1, 1);
    buttons->addWidget(m_moveRightButton, 2, 0);
    editorLayout->addLayout(buttons);
    m_editorHint = label("m_editorHint", true);
    editorLayout->addWidget(m_editorHint);
    content->addWidget(m_editorBox);
}

void MainWindow::buildMeasureTab(QVBoxLayout *content)
{
    m_predictionBox = named(new QGroupBox, "m_predictionBox");
    QVBoxLayout *predictionLayout = named(new QVBoxLayout(m_predictionBox), "predictionLayout");
    m_predictionHint = label("m_predictionHint", true);
    QHBoxLayout *predictionButtons = named(new QHBoxLayout, "predictionButtonsLayout");
    m_predictionCombo = named(new QComboBox, "m_predictionCombo");
    m_predictionButton = button("m_predictionButton");
    predictionButtons->addWidget(m_predictionCombo, 1);
    predictionButtons->addWidget(m_predictionButton);
    m_predictionResult = label("m_predictionResult", true);
    predictionLayout->addWidget(m_predictionHint);
    predictionLayout->addLayout(predictionButtons);
    predictionLayout->addWidget(m_predictionResult);
    content->addWidget(m_predictionBox);

    m_measureBox = named(new QGroupBox, "m_measureBox");
    QVBoxLayout *measureLayout = named(new QVBoxLayout(m_measureBox), "measureLayout");
    m_measureButton = button("m_measureButton");
    m_shotsButton = button("m_shotsButton");
    m_shotsHint = label("m_shotsHint", true);
    m_shotsCombo = named(new QComboBox, "m_shotsCombo");
    measureLayout->addWidget(m_measureButton);
    measureLayout->addWidget(m_shotsButton);
    measureLayout->addWidget(m_shotsHint);
    measureLayout->addWidget(m_shotsCombo);
    content->addWidget(m_measureBox);

    m_testButton = button("m_testButton");
    content->addWidget(m_testButton);
}

QWidget *MainWindow::buildRightSide()
{
    m_rightMainSplitter = named(new QSplitter(Qt::Vertical), "rightMainSplitter");
    m_rightMainSplitter->setChildrenCollapsible(false);

    m_circuitBox = named(new QGroupBox, "m_circuitBox");
    m_circuitBox->setMinimumHeight(170);
    QVBoxLayout *circuitLayout = named(new QVBoxLayout(m_circuitBox), "circuitLayout");
    circuitLayout->setSpacing(4);
    circuitLayout->setContentsMargins(7, 9, 7, 6);
    QHBoxLayout *toolbar = named(new QHBoxLayout, "circuitToolbarLayout");
    m_circuitStage = label("m_circuitStage");
    m_zoomOutButton = button("m_zoomOutButton");
    m_zoomInButton = button("m_zoomInButton");
    m_fitButton = button("m_fitButton");
    toolbar->addWidget(m_circuitStage, 1);
    toolbar->addWidget(m_zoomOutButton);
    toolbar->addWidget(m_zoomInButton);
    toolbar->addWidget(m_fitButton);
    circuitLayout->addLayout(toolbar);
    m_circuitView = named(new CircuitView, "m_circuitView");
    circuitLayout->addWidget(m_circuitView);
    m_circuitHint = label("m_circuitHint", true);
    circuitLayout->addWidget(m_circuitHint);
    m_rightMainSplitter->addWidget(m_circuitBox);

    m_rightDataSplitter = named(new QSplitter(Qt::Vertical), "rightDataSplitter");
    m_rightDataSplitter->setChildrenCollapsible(false);
    QWidget *statesPane = named(new QWidget, "statesPane");
    statesPane->setMinimumHeight(130);
    QVBoxLayout *statesLayout = named(new QVBoxLayout(statesPane), "statesPaneLayout");
    statesLayout->setSpacing(4);
    statesLayout->setContentsMargins(4, 4, 4, 4);
    m_statesTitle = label("m_statesTitle");
    setFontStyle(m_statesTitle, 0, true);
    m_table = named(new QTableWidget, "m_table");
    m_normLabel = label("m_normLabel", true);
    statesLayout->addWidget(m_statesTitle);
    statesLayout->addWidget(m_table);
    statesLayout->addWidget(m_normLabel);
    m_rightDataSplitter->addWidget(statesPane);

    QWidget *notebookPane = named(new QWidget, "notebookPane");
    notebookPane->setMinimumHeight(120);
    QVBoxLayout *notebookLayout = named(new QVBoxLayout(notebookPane), "notebookPaneLayout");
    notebookLayout->setSpacing(4);
    notebookLayout->setContentsMargins(4, 4, 4, 4);
    m_logTitle = label("m_logTitle");
    setFontStyle(m_logTitle, 0, true);
    m_log = named(new QPlainTextEdit, "m_log");
    m_log->setReadOnly(true);
    m_log->setMinimumHeight(125);
    notebookLayout->addWidget(m_logTitle);
    notebookLayout->addWidget(m_log);
    m_rightDataSplitter->addWidget(notebookPane);
    m_rightMainSplitter->addWidget(m_rightDataSplitter);
    return m_rightMainSplitter;
}

void MainWindow::buildMenus()
{
    menuBar()->setObjectName(QStringLiteral("menubar"));
    m_fileMenu = named(menuBar()->addMenu(QString()), "m_fileMenu");
    m_helpMenu = named(menuBar()->addMenu(QString()), "m_helpMenu");
    const auto action = [this](const char *name) { return named(new QAction(this), name); };
    m_actionNew = action("m_actionNew");
    m_actionOpen = action("m_actionOpen");
    m_actionSave = action("m_actionSave");
    m_actionSaveAs = action("m_actionSaveAs");
    m_actionExport = action("m_actionExport");
    m_actionExit = action("m_actionExit");
    m_actionSaveSession = action("m_actionSaveSession");
    m_actionOpenSession = action("m_actionOpenSession");
    m_actionWorksheet = action("m_actionWorksheet");
    m_actionUndo = action("m_actionUndo");
    m_actionRedo = action("m_actionRedo");
    m_actionHelp = action("m_actionHelp");
    m_actionLessonHelp = action("m_actionLessonHelp");
    m_actionFreewareLicense = action("m_actionFreewareLicense");

    m_fileMenu->addAction(m_actionNew);
    m_fileMenu->addAction(m_actionOpen);
    m_fileMenu->addSeparator();
    m_fileMenu->addAction(m_actionSave);
    m_fileMenu->addAction(m_actionSaveAs);
    m_fileMenu->addSeparator();
    m_fileMenu->addAction(m_actionExport);
    m_fileMenu->addSeparator();
    m_fileMenu->addAction(m_actionExit);
    m_fileMenu->addAction(m_actionSaveSession);
    m_fileMenu->addAction(m_actionOpenSession);
    m_fileMenu->addAction(m_actionWorksheet);
    m_fileMenu->addAction(m_actionUndo);
    m_fileMenu->addAction(m_actionRedo);
    m_helpMenu->addAction(m_actionHelp);
    m_helpMenu->addAction(m_actionLessonHelp);
    m_helpMenu->addSeparator();
    m_helpMenu->addAction(m_actionFreewareLicense);
}

void MainWindow::fillFixedSelectors()
{
    m_languageCombo->addItem(QStringLiteral("Italiano"));
    m_languageCombo->addItem(QStringLiteral("English"));
    // The texts are written by the language pass.
    for (std::size_t i = 0; i < Fasoria::lessonCatalog().size(); ++i) {
        m_lessons->addItem(QString());
    }
    for (std::int32_t kind = 0; kind < Fasoria::kGateKindCount; ++kind) {
        m_gateCombo->addItem(QString());
    }
    for (int i = 0; i < 3; ++i) {
        m_paramKindCombo->addItem(QString());
    }
    for (int i = 0; i < 4; ++i) {
        m_paramDeutschCombo->addItem(QString());
    }
    for (std::uint64_t shots : kShotCounts) {
        m_shotsCombo->addItem(QString::number(shots), QVariant::fromValue<qulonglong>(shots));
    }
    m_shotsCombo->setCurrentIndex(kDefaultShotsIndex);
}

void MainWindow::applyFixedSettings()
{
    AmplitudeTable::setUp(m_table);
    QFont logFont = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    logFont.setStyleHint(QFont::TypeWriter);
    logFont.setPointSize(10);
    m_log->setFont(logFont);
    m_log->setTabStopDistance(4 * QFontMetricsF(logFont).horizontalAdvance(QLatin1Char(' ')));
    m_log->setMaximumBlockCount(kMaxLogBlocks);
}

void MainWindow::applyStretchAndSizes()
{
    m_mainSplitter->setStretchFactor(0, 0);
    m_mainSplitter->setStretchFactor(1, 1);
    m_mainSplitter->setSizes({420, 840});
    m_rightMainSplitter->setStretchFactor(0, 3);
    m_rightMainSplitter->setStretchFactor(1, 2);
    m_rightMainSplitter->setSizes({450, 340});
    m_rightDataSplitter->setStretchFactor(0, 3);
    m_rightDataSplitter->setStretchFactor(1, 2);
    m_rightDataSplitter->setSizes({240, 180});
}
