// A main window for tests whose message boxes and file dialogs answer from queues and are recorded, with the
// circuits and file helpers the working-circuit tests share.
#pragma once

#include "core/Circuit.h"
#include "core/GateText.h"
#include "editor/CircuitEditor.h"
#include "tests/support/FileBytes.h"
#include "tests/ui/Fixtures.h"
#include "ui/window/MainWindow.h"

#include <QAction>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFile>
#include <QPushButton>
#include <QSettings>
#include <QSpinBox>
#include <QStandardPaths>
#include <QStringList>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

inline const QString kItalianTitle = QStringLiteral("Fasoria - laboratorio quantistico 0.16.0 - ");

/// H(q0), X(q1), Z(q0) on two qubits: every edit of the panel has a gate on each side of stage 2.
inline Fasoria::Circuit threeGates()
{
    using namespace Fasoria;
    Circuit circuit = customCircuit(2);
    circuit.steps.emplace_back(GateKind::H, 0, 0, 0.0);
    circuit.steps.emplace_back(GateKind::X, 1, 0, 0.0);
    circuit.steps.emplace_back(GateKind::Z, 0, 0, 0.0);
    return circuit;
}

inline QString gateLabels(const Fasoria::Circuit &circuit)
{
    QStringList labels;
    for (const Fasoria::LessonStep &step : circuit.steps) {
        labels << QString::fromStdString(Fasoria::gateLabel(step.gate));
    }
    return labels.join(QLatin1Char(' '));
}

inline QString editorText(const char *message, Fasoria::Language language)
{
    return QString::fromStdString(Fasoria::editorErrorText(message, language));
}

/// Base of the test classes: owns the window and what its dialogs were asked and answered.
class WindowHarness : public QObject
{
protected:
    /// Settings in `store`, never the user's, under the test's own application name, and test paths.
    static void useSandbox(const QTemporaryDir &store, const char *application)
    {
        QStandardPaths::setTestModeEnabled(true);
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, store.path());
        QCoreApplication::setOrganizationName(QStringLiteral("NemboticaTest"));
        QCoreApplication::setApplicationName(QString::fromLatin1(application));
    }

    /// A fresh window on an empty settings store; every record and queue starts empty.
    void startWindow()
    {
        QSettings().clear();
        m_answers.clear();
        m_titles.clear();
        m_messages.clear();
        m_buttons.clear();
        m_defaults.clear();
        m_fileNames.clear();
        m_dialogs.clear();
        m_window = std::make_unique<MainWindow>();
        m_window->setMessageBoxHandler([this](QWidget *, QMessageBox::Icon, const QString &title, const QString &text,
                                              QMessageBox::StandardButtons buttons,
                                              QMessageBox::StandardButton defaultButton) {
            m_titles << title;
            m_messages << text;
            m_buttons << buttons;
            m_defaults << defaultButton;
            return m_answers.isEmpty() ? QMessageBox::Ok : m_answers.takeFirst();
        });
        // Each question for a file is recorded as "mode|title|proposed name|filter".
        m_window->setFileDialogHandler([this](QWidget *, Fasoria::FileDialogMode mode, const QString &title,
                                              const QString &proposed, const QString &filter) {
            const QString kind =
                mode == Fasoria::FileDialogMode::Open ? QStringLiteral("open") : QStringLiteral("save");
            m_dialogs << QStringList{kind, title, proposed, filter}.join(QLatin1Char('|'));
            return m_fileNames.isEmpty() ? QString() : m_fileNames.takeFirst();
        });
    }

    template <typename T>
    T *part(const char *name) const
    {
        T *found = m_window->findChild<T *>(QString::fromLatin1(name));
        if (!found) {
            qFatal("missing %s", name);
        }
        return found;
    }
    void click(const char *button) { QTest::mouseClick(part<QPushButton>(button), Qt::LeftButton); }
    void trigger(const char *action) { part<QAction>(action)->trigger(); }
    void setPanel(Fasoria::GateKind kind, int target, int control, double degrees)
    {
        part<QComboBox>("m_gateCombo")->setCurrentIndex(static_cast<int>(kind));
        part<QSpinBox>("m_targetSpin")->setValue(target);
        part<QSpinBox>("m_controlSpin")->setValue(control);
        part<QDoubleSpinBox>("m_angleSpin")->setValue(degrees);
    }
    void startWorking(const Fasoria::Circuit &circuit, std::uint64_t stage)
    {
        QVERIFY(m_window->files().replaceWorkingCircuit(circuit));
        m_window->experiment().goToStep(stage);
        QCOMPARE(m_window->experiment().currentStep(), stage);
    }
    void answerNext(QMessageBox::StandardButton answer) { m_answers << answer; }
    QString lastMessage() const { return m_messages.isEmpty() ? QString() : m_messages.last(); }

    std::unique_ptr<MainWindow> m_window;
    QList<QMessageBox::StandardButton> m_answers;
    QStringList m_titles;
    QStringList m_messages;
    QList<QMessageBox::StandardButtons> m_buttons;
    QList<QMessageBox::StandardButton> m_defaults;
    QStringList m_fileNames;
    QStringList m_dialogs;
};
