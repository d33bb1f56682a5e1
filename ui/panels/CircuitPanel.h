#pragma once

#include "core/Language.h"

#include <QGroupBox>

#include <cstdint>

class CircuitView;
class QLabel;
class QPushButton;

namespace Fasoria {

class Experiment;
class GatePalette;

/// The circuit box: the drawing of the shown circuit with its stage line, the zoom buttons, the colour key and
/// the gate palette, whose drags the drawing shows and takes.
class CircuitPanel : public QGroupBox
{
    Q_OBJECT

public:
    explicit CircuitPanel(QWidget *parent = nullptr);

    CircuitView *view() const { return m_circuitView; }
    GatePalette *palette() const { return m_palette; }
    /// Draws the shown circuit at the current stage, keeps that stage in sight and tells assistive technology
    /// the stage and its guidance.
    void refresh(const Experiment &experiment, Language language);
    /// The whole circuit in view, or, where that shrinks its gates below legibility, `stage` at reading size.
    void fitToStage(std::uint64_t stage);
    /// The zoom and fit buttons' commands, for the View menu.
    void zoomDrawing(int direction);
    void fitDrawing();
    void applyLanguage(Language language);

private:
    /// What assistive technology hears of the drawing; it is told only when a text changed.
    void describe(const QString &name, const QString &description);
    /// The drawing's accessible name: the step shown and the chosen wire.
    QString drawingName(std::uint64_t step, std::uint64_t steps) const;

    QLabel *m_circuitStage = nullptr;
    Language m_language = Italian;
    std::uint64_t m_shownStep = 0;
    std::uint64_t m_shownSteps = 0;
    QPushButton *m_zoomOutButton = nullptr;
    QPushButton *m_zoomInButton = nullptr;
    QPushButton *m_fitButton = nullptr;
    CircuitView *m_circuitView = nullptr;
    GatePalette *m_palette = nullptr;
    QLabel *m_circuitHint = nullptr;
};

} // namespace Fasoria
