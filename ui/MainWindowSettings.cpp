// What the window remembers between runs: language, lesson, tab, geometry, splitters and the generator's
// parameters. Missing keys take their defaults and values that do not fit are clamped or ignored; nothing
// about settings is ever reported to the user.
#include "curriculum/LessonCatalog.h"
#include "ui/MainWindow.h"

#include <QByteArray>
#include <QComboBox>
#include <QSettings>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QSplitter>
#include <QTabWidget>

#include <algorithm>
#include <utility>

using namespace Fasoria;

namespace {

constexpr int kLastLeftTab = 3;
constexpr int kWindowStateVersion = 0;
/// Kind selector index of Bernstein-Vazirani, the one kind whose data register may have 1 or 4 qubits.
constexpr int kBernsteinVaziraniIndex = 1;

const char *const kKindItems[] = {"Grover", "Bernstein-Vazirani", "Deutsch"};
const char *const kDeutschItemsIt[] = {"f(x) = 0 (costante)", "f(x) = 1 (costante)", "f(x) = x (bilanciata)",
                                       "f(x) = 1-x (bilanciata)"};
const char *const kDeutschItemsEn[] = {"f(x) = 0 (constant)", "f(x) = 1 (constant)", "f(x) = x (balanced)",
                                       "f(x) = 1-x (balanced)"};

QString key(const char *name)
{
    return QString::fromLatin1(name);
}

/// A stored selector index is applied only when the selector has that item: an index outside it would leave
/// the selector with no choice at all.
void applyIndex(QComboBox *combo, const QSettings &settings, const char *name)
{
    const int index = settings.value(key(name), 0).toInt();
    if (index >= 0 && index < combo->count()) {
        combo->setCurrentIndex(index);
    }
}

} // namespace

void MainWindow::readStartupSettings()
{
    const QSettings settings;
    m_language =
        settings.value(key("ui/language"), QStringLiteral("it")).toString() == QLatin1String("en") ? English : Italian;
    {
        const QSignalBlocker blocker(m_languageCombo);
        m_languageCombo->setCurrentIndex(isEnglish(m_language) ? 1 : 0);
    }
    const int lesson = settings.value(key("ui/lessonIndex"), 0).toInt();
    if (lesson >= 0 && static_cast<std::size_t>(lesson) < lessonCatalog().size()) {
        m_experiment.chooseLesson(lesson);
        const QSignalBlocker blocker(m_lessons);
        m_lessons->setCurrentIndex(lesson);
    }
    m_leftTabs->setCurrentIndex(std::clamp(settings.value(key("ui/leftTab"), 0).toInt(), 0, kLastLeftTab));
    const QByteArray geometry = settings.value(key("window/geometry")).toByteArray();
    if (!geometry.isEmpty()) {
        restoreGeometry(geometry);
    }
    const QByteArray state = settings.value(key("window/state")).toByteArray();
    if (!state.isEmpty()) {
        restoreState(state, kWindowStateVersion);
    }
}

void MainWindow::readGeneratorSettings()
{
    // The kind and the qubit count are connected to refreshGeneratorControls, so each value below meets the
    // range set by the values applied before it, and the spin boxes clamp it.
    const QSettings settings;
    applyIndex(m_paramKindCombo, settings, "parameters/algorithm");
    m_paramQubitsSpin->setValue(settings.value(key("parameters/qubits"), 3).toInt());
    m_paramMarkedSpin->setValue(settings.value(key("parameters/marked"), 5).toInt());
    m_paramIterationsSpin->setValue(settings.value(key("parameters/iterations"), 2).toInt());
    m_paramSecretSpin->setValue(settings.value(key("parameters/secret"), 5).toInt());
    applyIndex(m_paramDeutschCombo, settings, "parameters/deutsch");
}

void MainWindow::restoreSplitters()
{
    const QSettings settings;
    const std::pair<QSplitter *, const char *> splitters[] = {{m_mainSplitter, "splitters/main"},
                                                              {m_rightMainSplitter, "splitters/rightMain"},
                                                              {m_rightDataSplitter, "splitters/rightData"}};
    for (const auto &[splitter, name] : splitters) {
        const QByteArray state = settings.value(key(name)).toByteArray();
        if (!state.isEmpty()) {
            splitter->restoreState(state);
        }
    }
}

void MainWindow::writeSettings()
{
    QSettings settings;
    settings.setValue(key("window/geometry"), saveGeometry());
    settings.setValue(key("window/state"), saveState(kWindowStateVersion));
    settings.setValue(key("splitters/main"), m_mainSplitter->saveState());
    settings.setValue(key("splitters/rightMain"), m_rightMainSplitter->saveState());
    settings.setValue(key("splitters/rightData"), m_rightDataSplitter->saveState());
    settings.setValue(key("ui/leftTab"), m_leftTabs->currentIndex());
    settings.setValue(key("ui/lessonIndex"), m_lessons->currentIndex());
    settings.setValue(key("ui/language"), isEnglish(m_language) ? QStringLiteral("en") : QStringLiteral("it"));
    settings.setValue(key("parameters/algorithm"), m_paramKindCombo->currentIndex());
    settings.setValue(key("parameters/qubits"), m_paramQubitsSpin->value());
    settings.setValue(key("parameters/marked"), m_paramMarkedSpin->value());
    settings.setValue(key("parameters/iterations"), m_paramIterationsSpin->value());
    settings.setValue(key("parameters/secret"), m_paramSecretSpin->value());
    settings.setValue(key("parameters/deutsch"), m_paramDeutschCombo->currentIndex());
    settings.sync();
}

void MainWindow::refreshGeneratorControls()
{
    // Ranges and item texts; the rest of the generator panel comes with the algorithm lab.
    const bool bernsteinVazirani = m_paramKindCombo->currentIndex() == kBernsteinVaziraniIndex;
    {
        const QSignalBlocker blocker(m_paramQubitsSpin);
        const int previous = m_paramQubitsSpin->value();
        m_paramQubitsSpin->setRange(bernsteinVazirani ? 1 : 2, bernsteinVazirani ? 4 : 3);
        m_paramQubitsSpin->setValue(previous);
    }
    const int largestValue = (1 << m_paramQubitsSpin->value()) - 1;
    m_paramMarkedSpin->setMaximum(largestValue);
    m_paramSecretSpin->setMaximum(largestValue);

    const QSignalBlocker kindBlocker(m_paramKindCombo);
    const QSignalBlocker deutschBlocker(m_paramDeutschCombo);
    for (int i = 0; i < m_paramKindCombo->count() && i < 3; ++i) {
        m_paramKindCombo->setItemText(i, QString::fromLatin1(kKindItems[i]));
    }
    for (int i = 0; i < m_paramDeutschCombo->count() && i < 4; ++i) {
        m_paramDeutschCombo->setItemText(i,
                                         QString::fromUtf8(pick(m_language, kDeutschItemsIt[i], kDeutschItemsEn[i])));
    }
}
