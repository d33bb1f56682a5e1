#include "ui/window/WindowActions.h"

#include "core/GateText.h"
#include "ui/model/Experiment.h"
#include "ui/texts/TextCatalog.h"
#include "ui/widgets/InterfaceZoom.h"

#include <QAction>
#include <QKeySequence>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>

namespace Fasoria {

namespace {

// Menu texts that are not part of the interface catalog.
// clang-format off
constexpr TextPair kHelpText = {"Manuale completo (F1)", "Complete handbook (F1)"};
constexpr TextPair kLessonHelpText = {"Manuale della lezione corrente (Maiusc+F1)",
                                      "Current lesson handbook (Shift+F1)"};
constexpr TextPair kLicenseText = {"Licenza Freeware...", "Freeware license..."};
constexpr TextPair kLicenseTip = {"Leggi le condizioni di utilizzo e distribuzione del programma",
                                  "Read the program use and redistribution terms"};
constexpr TextPair kSaveSessionText = {"Salva sessione didattica...", "Save learning session..."};
constexpr TextPair kOpenSessionText = {"Apri sessione didattica...", "Open learning session..."};
constexpr TextPair kWorksheetText = {"Esporta scheda HTML...", "Export HTML worksheet..."};
constexpr TextPair kWorksheetPdfText = {"Esporta scheda come PDF...", "Export worksheet as PDF..."};
constexpr TextPair kPrintWorksheetText = {"Stampa scheda...", "Print worksheet..."};
constexpr TextPair kUndoText = {"Annulla modifica circuito", "Undo circuit edit"};
constexpr TextPair kRedoText = {"Ripristina modifica circuito", "Redo circuit edit"};
constexpr TextPair kViewMenu = {"&Visualizza", "&View"};
constexpr TextPair kEditMenu = {"&Modifica", "&Edit"};
constexpr TextPair kDeleteGateText = {"Elimina la porta del passo mostrato", "Delete the shown stage's gate"};
constexpr TextPair kClearNotebookText = {"Svuota il quaderno...", "Clear notebook..."};
constexpr TextPair kInsertText = {"Inserisci %1 sul filo scelto", "Insert %1 on the chosen wire"};
constexpr TextPair kInsertTip = {"Dopo il passo mostrato, sul filo scelto nel disegno con Su e Giù",
                                 "After the shown stage, on the wire chosen in the drawing with Up and Down"};
constexpr TextPair kZoomInText = {"Ingrandisci interfaccia", "Zoom in"};
constexpr TextPair kZoomOutText = {"Riduci interfaccia", "Zoom out"};
constexpr TextPair kActualSizeText = {"Dimensione reale", "Actual size"};
constexpr TextPair kDrawingZoomInText = {"Ingrandisci il disegno del circuito", "Zoom in on the circuit drawing"};
constexpr TextPair kDrawingZoomOutText = {"Riduci il disegno del circuito", "Zoom out of the circuit drawing"};
constexpr TextPair kDrawingFitText = {"Adatta il disegno del circuito", "Fit the circuit drawing"};
constexpr TextPair kChartNonZeroOnlyText = {"Grafico: solo stati possibili", "Chart: possible states only"};
constexpr TextPair kChartNonZeroOnlyTip = {"Mostra solo gli stati con probabilità o conteggio diversi da zero",
                                           "Shows only the states with a non-zero probability or count"};
constexpr TextPair kOpenLessonPackText = {"Apri pacchetto di lezioni...", "Open lesson pack..."};
constexpr TextPair kOpenLessonPackTip = {"Aggiunge all'elenco delle lezioni quelle di un pacchetto scritto da un insegnante",
                                         "Adds the lessons of a pack a teacher wrote to the lesson list"};
constexpr TextPair kCloseLessonPacksText = {"Chiudi i pacchetti di lezioni", "Close lesson packs"};
constexpr TextPair kCloseLessonPacksTip = {"Toglie dall'elenco delle lezioni quelle dei pacchetti aperti",
                                           "Takes the open packs' lessons out of the lesson list"};
constexpr TextPair kExportChartText = {"Esporta grafico delle probabilità...", "Export probability chart..."};
// clang-format on

} // namespace

WindowActions::WindowActions(QMainWindow *window)
{
    QMenuBar *bar = window->menuBar();
    bar->setObjectName(QStringLiteral("menubar"));
    fileMenu = bar->addMenu(QString());
    fileMenu->setObjectName(QStringLiteral("m_fileMenu"));
    editMenu = bar->addMenu(QString());
    editMenu->setObjectName(QStringLiteral("m_editMenu"));
    viewMenu = bar->addMenu(QString());
    viewMenu->setObjectName(QStringLiteral("m_viewMenu"));
    helpMenu = bar->addMenu(QString());
    helpMenu->setObjectName(QStringLiteral("m_helpMenu"));
    const auto action = [window](const char *name) {
        auto *created = new QAction(window);
        created->setObjectName(QString::fromLatin1(name));
        return created;
    };
    actionNew = action("m_actionNew");
    actionOpen = action("m_actionOpen");
    actionSave = action("m_actionSave");
    actionSaveAs = action("m_actionSaveAs");
    actionExport = action("m_actionExport");
    actionExit = action("m_actionExit");
    actionSaveSession = action("m_actionSaveSession");
    actionOpenSession = action("m_actionOpenSession");
    actionWorksheet = action("m_actionWorksheet");
    actionWorksheetPdf = action("m_actionWorksheetPdf");
    actionPrintWorksheet = action("m_actionPrintWorksheet");
    actionPrintWorksheet->setShortcut(QKeySequence::Print);
    actionUndo = action("m_actionUndo");
    actionRedo = action("m_actionRedo");
    actionHelp = action("m_actionHelp");
    actionLessonHelp = action("m_actionLessonHelp");
    actionFreewareLicense = action("m_actionFreewareLicense");
    actionOpenChallenge = action("m_actionOpenChallenge");
    actionOpenLessonPack = action("m_actionOpenLessonPack");
    actionCloseLessonPacks = action("m_actionCloseLessonPacks");
    actionSaveAsPackLesson = action("m_actionSaveAsPackLesson");
    actionImportQasm = action("m_actionImportQasm");
    actionExportQasm = action("m_actionExportQasm");
    actionExportPicture = action("m_actionExportPicture");
    actionExportChart = action("m_actionExportChart");
    actionZoomIn = action("m_actionZoomIn");
    actionZoomOut = action("m_actionZoomOut");
    actionActualSize = action("m_actionActualSize");
    actionDrawingZoomIn = action("m_actionDrawingZoomIn");
    actionDrawingZoomOut = action("m_actionDrawingZoomOut");
    actionDrawingFit = action("m_actionDrawingFit");
    actionChartNonZeroOnly = action("m_actionChartNonZeroOnly");
    actionChartNonZeroOnly->setCheckable(true);
    actionDeleteGate = action("m_actionDeleteGate");
    actionInsertH = action("m_actionInsertH");
    actionInsertX = action("m_actionInsertX");
    actionInsertZ = action("m_actionInsertZ");
    actionInsertP = action("m_actionInsertP");
    actionInsertCnot = action("m_actionInsertCnot");
    actionClearNotebook = action("m_actionClearNotebook");

    fileMenu->addAction(actionNew);
    fileMenu->addAction(actionOpen);
    fileMenu->addSeparator();
    fileMenu->addAction(actionSave);
    fileMenu->addAction(actionSaveAs);
    fileMenu->addSeparator();
    fileMenu->addAction(actionExport);
    fileMenu->addSeparator();
    fileMenu->addAction(actionExit);
    fileMenu->addAction(actionSaveSession);
    fileMenu->addAction(actionOpenSession);
    fileMenu->addAction(actionWorksheet);
    fileMenu->addAction(actionUndo);
    fileMenu->addAction(actionRedo);
    fileMenu->addSeparator();
    for (QAction *exchange :
         {actionOpenChallenge, actionOpenLessonPack, actionCloseLessonPacks, actionSaveAsPackLesson, actionImportQasm,
          actionExportQasm, actionExportPicture, actionExportChart, actionWorksheetPdf, actionPrintWorksheet}) {
        fileMenu->addAction(exchange);
    }
    // Undo and Redo are the File menu's own actions, so both menus show one state and one shortcut.
    editMenu->addAction(actionUndo);
    editMenu->addAction(actionRedo);
    editMenu->addSeparator();
    editMenu->addAction(actionDeleteGate);
    for (const auto &entry : insertActions()) {
        editMenu->addAction(entry.first);
    }
    editMenu->addSeparator();
    editMenu->addAction(actionClearNotebook);
    viewMenu->addAction(actionZoomIn);
    viewMenu->addAction(actionZoomOut);
    viewMenu->addAction(actionActualSize);
    viewMenu->addSeparator();
    viewMenu->addAction(actionDrawingZoomIn);
    viewMenu->addAction(actionDrawingZoomOut);
    viewMenu->addAction(actionDrawingFit);
    viewMenu->addSeparator();
    viewMenu->addAction(actionChartNonZeroOnly);
    helpMenu->addAction(actionHelp);
    helpMenu->addAction(actionLessonHelp);
    helpMenu->addSeparator();
    helpMenu->addAction(actionFreewareLicense);

    actionNew->setShortcut(QKeySequence::New);
    actionOpen->setShortcut(QKeySequence::Open);
    actionSave->setShortcut(QKeySequence::Save);
    actionSaveAs->setShortcut(QKeySequence::SaveAs);
    actionHelp->setShortcut(QKeySequence::HelpContents);
    actionLessonHelp->setShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F1));
    actionSaveSession->setShortcut(QKeySequence(QStringLiteral("Ctrl+Alt+S")));
    actionUndo->setShortcut(QKeySequence::Undo);
    actionRedo->setShortcut(QKeySequence::Redo);
    // Ctrl+= too: on most keyboards "+" needs Shift, and a teacher at the projector presses the key it shares.
    actionZoomIn->setShortcuts({QKeySequence(QStringLiteral("Ctrl++")), QKeySequence(QStringLiteral("Ctrl+="))});
    actionZoomOut->setShortcut(QKeySequence(QStringLiteral("Ctrl+-")));
    actionActualSize->setShortcut(QKeySequence(QStringLiteral("Ctrl+0")));
}

void WindowActions::applyLanguage(Language language)
{
    fileMenu->setTitle(uiText(TextKey::FileMenu, language));
    helpMenu->setTitle(uiText(TextKey::HelpMenu, language));
    actionNew->setText(uiText(TextKey::NewAction, language));
    actionOpen->setText(uiText(TextKey::OpenAction, language));
    actionSave->setText(uiText(TextKey::SaveAction, language));
    actionSaveAs->setText(uiText(TextKey::SaveAsAction, language));
    actionExport->setText(uiText(TextKey::ExportAction, language));
    actionExit->setText(uiText(TextKey::ExitAction, language));
    actionHelp->setText(uiText(kHelpText, language));
    actionLessonHelp->setText(uiText(kLessonHelpText, language));
    actionFreewareLicense->setText(uiText(kLicenseText, language));
    actionFreewareLicense->setToolTip(uiText(kLicenseTip, language));
    actionSaveSession->setText(uiText(kSaveSessionText, language));
    actionOpenSession->setText(uiText(kOpenSessionText, language));
    actionWorksheet->setText(uiText(kWorksheetText, language));
    actionWorksheetPdf->setText(uiText(kWorksheetPdfText, language));
    actionPrintWorksheet->setText(uiText(kPrintWorksheetText, language));
    actionUndo->setText(uiText(kUndoText, language));
    actionRedo->setText(uiText(kRedoText, language));
    actionOpenChallenge->setText(uiText(MoreText::OpenChallengeAction, language));
    actionOpenLessonPack->setText(uiText(kOpenLessonPackText, language));
    actionOpenLessonPack->setToolTip(uiText(kOpenLessonPackTip, language));
    actionCloseLessonPacks->setText(uiText(kCloseLessonPacksText, language));
    actionCloseLessonPacks->setToolTip(uiText(kCloseLessonPacksTip, language));
    actionSaveAsPackLesson->setText(uiText(MoreText::PackLessonAction, language));
    actionSaveAsPackLesson->setToolTip(uiText(MoreText::PackLessonActionTip, language));
    actionImportQasm->setText(uiText(MoreText::ImportQasmAction, language));
    actionExportQasm->setText(uiText(MoreText::ExportQasmAction, language));
    actionExportPicture->setText(uiText(MoreText::ExportPictureAction, language));
    actionExportChart->setText(uiText(kExportChartText, language));
    viewMenu->setTitle(uiText(kViewMenu, language));
    editMenu->setTitle(uiText(kEditMenu, language));
    actionDeleteGate->setText(uiText(kDeleteGateText, language));
    actionClearNotebook->setText(uiText(kClearNotebookText, language));
    for (const auto &[insert, kind] : insertActions()) {
        insert->setText(uiText(kInsertText, language).arg(QString::fromUtf8(gateKindName(kind, language))));
        insert->setToolTip(uiText(kInsertTip, language));
    }
    actionZoomIn->setText(uiText(kZoomInText, language));
    actionZoomOut->setText(uiText(kZoomOutText, language));
    actionActualSize->setText(uiText(kActualSizeText, language));
    actionDrawingZoomIn->setText(uiText(kDrawingZoomInText, language));
    actionDrawingZoomOut->setText(uiText(kDrawingZoomOutText, language));
    actionDrawingFit->setText(uiText(kDrawingFitText, language));
    actionChartNonZeroOnly->setText(uiText(kChartNonZeroOnlyText, language));
    actionChartNonZeroOnly->setToolTip(uiText(kChartNonZeroOnlyTip, language));
}

void WindowActions::refresh(const Experiment &experiment)
{
    const bool working = experiment.workingCircuit() != nullptr;
    actionSave->setEnabled(working);
    actionSaveAs->setEnabled(working);
    actionSaveAsPackLesson->setEnabled(working);
    actionExport->setEnabled(experiment.state() != nullptr);
    actionExportChart->setEnabled(experiment.state() != nullptr);
    actionUndo->setEnabled(working && experiment.document().history().canUndo());
    actionRedo->setEnabled(working && experiment.document().history().canRedo());
    actionDeleteGate->setEnabled(experiment.currentStep() > 0);
}

void WindowActions::refreshZoom(int percent)
{
    actionZoomIn->setEnabled(percent < InterfaceZoom::kMaximum);
    actionZoomOut->setEnabled(percent > InterfaceZoom::kMinimum);
    actionActualSize->setEnabled(percent != InterfaceZoom::kActual);
}

} // namespace Fasoria
