// What the window remembers between runs: language, lesson, tab, geometry, splitters and (through the
// algorithm lab) the generator's parameters. Missing keys take their defaults and values that do not fit are clamped or
// ignored; nothing about settings is ever reported to the user.
#include "curriculum/LessonCatalog.h"
#include "ui/model/LeftTabs.h"
#include "ui/panels/AlgorithmLabPanel.h"
#include "ui/panels/ExercisePanel.h"
#include "ui/window/MainWindow.h"

#include <QByteArray>
#include <QComboBox>
#include <QSettings>
#include <QSignalBlocker>
#include <QSplitter>
#include <QTabWidget>

#include <algorithm>
#include <utility>

using namespace Fasoria;

namespace {

constexpr int kWindowStateVersion = 0;

QString key(const char *name)
{
    return QString::fromLatin1(name);
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
        m_exercisePanel->showLesson(lesson);
    }
    const int leftTab = settings.value(key("ui/leftTab"), 0).toInt();
    m_leftTabs->setCurrentIndex(
        leftTab >= 0 && leftTab < m_leftTabs->count() ? leftTab : std::clamp(leftTab, 0, kMeasurementsTab));
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
    m_algorithmLab->readSettings(QSettings());
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
    settings.setValue(key("ui/lessonIndex"), m_exercisePanel->shownLesson());
    settings.setValue(key("ui/language"), isEnglish(m_language) ? QStringLiteral("en") : QStringLiteral("it"));
    m_algorithmLab->writeSettings(settings);
    settings.sync();
}
