#pragma once

#include "core/Gate.h"
#include "core/Language.h"

#include <array>
#include <utility>

class QAction;
class QMainWindow;
class QMenu;

namespace Fasoria {

class Experiment;

/// The window's menus and their actions, with their object names, order, shortcuts and texts. They are
/// children of the window, so they stand in its tree under their names; the window connects them.
struct WindowActions
{
    /// Builds the menus on the window's menu bar.
    explicit WindowActions(QMainWindow *window);
    void applyLanguage(Language language);
    /// Enables what the experiment allows: saving a working circuit, exporting a state, undo and redo,
    /// deleting the shown stage's gate.
    void refresh(const Experiment &experiment);
    /// Enables the interface zoom commands that can still change `percent`.
    void refreshZoom(int percent);

    QMenu *fileMenu = nullptr;
    QMenu *editMenu = nullptr;
    QMenu *viewMenu = nullptr;
    QMenu *helpMenu = nullptr;
    QAction *actionNew = nullptr;
    QAction *actionOpen = nullptr;
    QAction *actionSave = nullptr;
    QAction *actionSaveAs = nullptr;
    QAction *actionExport = nullptr;
    QAction *actionExit = nullptr;
    QAction *actionSaveSession = nullptr;
    QAction *actionOpenSession = nullptr;
    QAction *actionWorksheet = nullptr;
    QAction *actionWorksheetPdf = nullptr;
    QAction *actionPrintWorksheet = nullptr;
    QAction *actionUndo = nullptr;
    QAction *actionRedo = nullptr;
    /// The Edit menu's gate commands, on the drawing's chosen wire after the shown stage.
    QAction *actionDeleteGate = nullptr;
    QAction *actionClearNotebook = nullptr;
    QAction *actionInsertH = nullptr;
    QAction *actionInsertX = nullptr;
    QAction *actionInsertZ = nullptr;
    QAction *actionInsertP = nullptr;
    QAction *actionInsertCnot = nullptr;
    /// Each insert action with the kind it inserts.
    std::array<std::pair<QAction *, GateKind>, 5> insertActions() const
    {
        return {{{actionInsertH, GateKind::H},
                 {actionInsertX, GateKind::X},
                 {actionInsertZ, GateKind::Z},
                 {actionInsertP, GateKind::P},
                 {actionInsertCnot, GateKind::Cnot}}};
    }
    QAction *actionOpenChallenge = nullptr;
    QAction *actionOpenLessonPack = nullptr;
    QAction *actionCloseLessonPacks = nullptr;
    QAction *actionSaveAsPackLesson = nullptr;
    QAction *actionImportQasm = nullptr;
    QAction *actionExportQasm = nullptr;
    QAction *actionExportPicture = nullptr;
    QAction *actionExportChart = nullptr;
    QAction *actionZoomIn = nullptr;
    QAction *actionZoomOut = nullptr;
    QAction *actionActualSize = nullptr;
    QAction *actionDrawingZoomIn = nullptr;
    QAction *actionDrawingZoomOut = nullptr;
    QAction *actionDrawingFit = nullptr;
    QAction *actionChartNonZeroOnly = nullptr;
    QAction *actionHelp = nullptr;
    QAction *actionLessonHelp = nullptr;
    QAction *actionFreewareLicense = nullptr;
};

} // namespace Fasoria
