#include "ui/window/WindowActions.h"

#include "ui/model/Experiment.h"
#include "ui/texts/TextCatalog.h"

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
constexpr TextPair kUndoText = {"Annulla modifica circuito", "Undo circuit edit"};
constexpr TextPair kRedoText = {"Ripristina modifica circuito", "Redo circuit edit"};
// clang-format on

} // namespace

WindowActions::WindowActions(QMainWindow *window)
{
    QMenuBar *bar = window->menuBar();
    bar->setObjectName(QStringLiteral("menubar"));
    fileMenu = bar->addMenu(QString());
    fileMenu->setObjectName(QStringLiteral("m_fileMenu"));
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
    actionUndo = action("m_actionUndo");
    actionRedo = action("m_actionRedo");
    actionHelp = action("m_actionHelp");
    actionLessonHelp = action("m_actionLessonHelp");
    actionFreewareLicense = action("m_actionFreewareLicense");
    actionOpenChallenge = action("m_actionOpenChallenge");
    actionImportQasm = action("m_actionImportQasm");
    actionExportQasm = action("m_actionExportQasm");
    actionExportPicture = action("m_actionExportPicture");

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
    for (QAction *exchange : {actionOpenChallenge, actionImportQasm, actionExportQasm, actionExportPicture}) {
        fileMenu->addAction(exchange);
    }
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
    actionUndo->setText(uiText(kUndoText, language));
    actionRedo->setText(uiText(kRedoText, language));
    actionOpenChallenge->setText(uiText(MoreText::OpenChallengeAction, language));
    actionImportQasm->setText(uiText(MoreText::ImportQasmAction, language));
    actionExportQasm->setText(uiText(MoreText::ExportQasmAction, language));
    actionExportPicture->setText(uiText(MoreText::ExportPictureAction, language));
}

void WindowActions::refresh(const Experiment &experiment)
{
    const bool working = experiment.workingCircuit() != nullptr;
    actionSave->setEnabled(working);
    actionSaveAs->setEnabled(working);
    actionExport->setEnabled(experiment.state() != nullptr);
    actionUndo->setEnabled(working && experiment.document().history().canUndo());
    actionRedo->setEnabled(working && experiment.document().history().canRedo());
}

} // namespace Fasoria
