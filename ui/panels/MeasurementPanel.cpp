#include "ui/panels/MeasurementPanel.h"

#include "ui/model/Experiment.h"
#include "ui/model/LogEvent.h"
#include "ui/model/PanelTexts.h"
#include "ui/texts/TextCatalog.h"
#include "ui/widgets/WidgetBuilders.h"

#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace Fasoria {

namespace {

constexpr std::uint64_t kPreparationCounts[] = {10, 100, 1000, 10000};
constexpr int kDefaultPreparationsIndex = 2;

constexpr TextPair kShotsButton = {"Ripeti %1 preparazioni", "Repeat %1 preparations"};
constexpr TextPair kShotsTip = {"Numero di preparazioni e misure indipendenti",
                                "Number of independent preparations and measurements"};
constexpr TextPair kWholeCircuitButton = {"Prepara tutto il circuito", "Prepare the whole circuit"};
constexpr TextPair kWholeCircuitTip = {"Va all'ultimo passo e ripete %1 preparazioni dell'intero circuito.",
                                       "Goes to the last stage and repeats %1 preparations of the whole circuit."};

QString ket(const QString &label)
{
    return QLatin1Char('|') + label + QLatin1Char('>');
}

} // namespace

MeasurementPanel::MeasurementPanel(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("measurementPanel"));
    build();
    connect(m_predictionButton, &QPushButton::clicked, this, [this] {
        const int index = m_predictionCombo->currentIndex();
        if (index > 0) {
            emit recordRequested(static_cast<std::uint64_t>(index - 1));
        }
    });
    connect(m_predictionCombo, QOverload<int>::of(&QComboBox::currentIndexChanged), this,
            [this] { refreshRecordButton(); });
    connect(m_measureButton, &QPushButton::clicked, this, &MeasurementPanel::measureRequested);
    connect(m_shotsButton, &QPushButton::clicked, this, &MeasurementPanel::preparationsRequested);
    connect(m_wholeCircuitButton, &QPushButton::clicked, this, &MeasurementPanel::wholeCircuitRequested);
    connect(m_testButton, &QPushButton::clicked, this, &MeasurementPanel::validationRequested);
    connect(m_shotsCombo, QOverload<int>::of(&QComboBox::currentIndexChanged), this,
            &MeasurementPanel::preparationsChosen);
}

void MeasurementPanel::build()
{
    QVBoxLayout *content = named(new QVBoxLayout(this), "measurementPanelLayout");
    content->setSpacing(9);
    content->setContentsMargins(0, 0, 0, 0);

    m_predictionBox = named(new QGroupBox, "m_predictionBox");
    QVBoxLayout *predictionLayout = named(new QVBoxLayout(m_predictionBox), "predictionLayout");
    m_predictionHint = namedLabel("m_predictionHint", true);
    QHBoxLayout *predictionButtons = named(new QHBoxLayout, "predictionButtonsLayout");
    m_predictionCombo = named(new QComboBox, "m_predictionCombo");
    m_predictionButton = namedButton("m_predictionButton");
    predictionButtons->addWidget(m_predictionCombo, 1);
    predictionButtons->addWidget(m_predictionButton);
    m_predictionResult = namedLabel("m_predictionResult", true);
    predictionLayout->addWidget(m_predictionHint);
    predictionLayout->addLayout(predictionButtons);
    predictionLayout->addWidget(m_predictionResult);
    content->addWidget(m_predictionBox);

    m_measureBox = named(new QGroupBox, "m_measureBox");
    QVBoxLayout *measureLayout = named(new QVBoxLayout(m_measureBox), "measureLayout");
    m_measureButton = namedButton("m_measureButton");
    m_shotsButton = namedButton("m_shotsButton");
    m_preparationStage = namedLabel("m_preparationStage", true);
    m_wholeCircuitButton = namedButton("m_wholeCircuitButton");
    // Offered by refresh only while a prediction waits for the end of the circuit.
    m_preparationStage->hide();
    m_wholeCircuitButton->hide();
    m_shotsHint = namedLabel("m_shotsHint", true);
    m_shotsCombo = named(new QComboBox, "m_shotsCombo");
    for (const std::uint64_t shots : kPreparationCounts) {
        m_shotsCombo->addItem(QString::number(shots), QVariant::fromValue<qulonglong>(shots));
    }
    m_shotsCombo->setCurrentIndex(kDefaultPreparationsIndex);
    measureLayout->addWidget(m_measureButton);
    measureLayout->addWidget(m_shotsButton);
    measureLayout->addWidget(m_preparationStage);
    measureLayout->addWidget(m_wholeCircuitButton);
    measureLayout->addWidget(m_shotsHint);
    measureLayout->addWidget(m_shotsCombo);
    content->addWidget(m_measureBox);

    m_testButton = namedButton("m_testButton");
    content->addWidget(m_testButton);
}

void MeasurementPanel::applyLanguage(Language language)
{
    m_predictionBox->setTitle(uiText(TextKey::PredictionBox, language));
    m_predictionButton->setText(uiText(TextKey::PredictionButton, language));
    m_predictionButton->setToolTip(uiText(TextKey::PredictionHint, language));
    m_predictionCombo->setToolTip(uiText(TextKey::PredictionHint, language));
    if (m_predictionCombo->count() > 0) {
        m_predictionCombo->setItemText(0, uiText(TextKey::PredictionPlaceholder, language));
    }
    const auto setButton = [language](QPushButton *button, TextKey text, TextKey tip) {
        button->setText(uiText(text, language));
        button->setToolTip(uiText(tip, language));
    };
    m_measureBox->setTitle(uiText(TextKey::MeasureBox, language));
    setButton(m_measureButton, TextKey::MeasureButton, TextKey::MeasureTip);
    setButton(m_shotsButton, TextKey::ShotsButton, TextKey::ShotsTip);
    m_wholeCircuitButton->setText(uiText(kWholeCircuitButton, language));
    m_shotsHint->setText(uiText(TextKey::ShotsHint, language));
    m_shotsHint->setToolTip(uiText(TextKey::ShotsTip, language));
    setButton(m_testButton, TextKey::ValidationButton, TextKey::ValidationTip);
}

void MeasurementPanel::fillPredictionCombo(std::int32_t qubits, Language language)
{
    if (qubits != m_predictionQubits || m_predictionCombo->count() == 0) {
        const QSignalBlocker blocker(m_predictionCombo);
        m_predictionCombo->clear();
        m_predictionCombo->addItem(QString());
        const std::uint64_t dimension = std::uint64_t{1} << qubits;
        for (std::uint64_t index = 0; index < dimension; ++index) {
            m_predictionCombo->addItem(ket(basisLabel(index, qubits)));
        }
        m_predictionCombo->setCurrentIndex(0);
        m_predictionQubits = qubits;
    }
    m_predictionCombo->setItemText(0, uiText(TextKey::PredictionPlaceholder, language));
}

void MeasurementPanel::refresh(const Experiment &experiment, Language language)
{
    fillPredictionCombo(experiment.shownCircuit().qubitCount, language);
    // A refill for another qubit count starts at the placeholder; a recorded prediction stays on show.
    if (experiment.prediction() >= 0) {
        setPrediction(experiment.prediction());
    }
    m_predictionHint->setText(predictionHintText(experiment, language));
    if (!experiment.state()) {
        return;
    }
    m_predictionOpen = experiment.canRecordPrediction() && experiment.prediction() < 0;
    m_predictionCombo->setEnabled(m_predictionOpen);
    refreshRecordButton();
    m_predictionResult->setText(predictionText(experiment, language));
    m_measureButton->setEnabled(experiment.canMeasure());
    m_shotsButton->setEnabled(experiment.canMeasure());
    // A prediction is recorded at stage 0, and preparations of that stage would say nothing about it.
    const QString stage = preparationStageText(experiment, language);
    m_preparationStage->setText(stage);
    m_preparationStage->setVisible(!stage.isEmpty());
    m_wholeCircuitButton->setVisible(!stage.isEmpty());
}

void MeasurementPanel::refreshRecordButton()
{
    m_predictionButton->setEnabled(m_predictionOpen && m_predictionCombo->currentIndex() > 0);
}

void MeasurementPanel::resetPrediction()
{
    const QSignalBlocker blocker(m_predictionCombo);
    m_predictionCombo->setCurrentIndex(0);
}

std::uint64_t MeasurementPanel::selectedPreparations() const
{
    return m_shotsCombo->currentData().toULongLong();
}

void MeasurementPanel::selectPreparations(std::uint64_t count)
{
    const int index = m_shotsCombo->findData(QVariant::fromValue<qulonglong>(count));
    if (index >= 0) {
        const QSignalBlocker blocker(m_shotsCombo);
        m_shotsCombo->setCurrentIndex(index);
    }
}

void MeasurementPanel::setPrediction(std::int32_t basisIndex)
{
    const int index = basisIndex + 1;
    if (index >= 0 && index < m_predictionCombo->count()) {
        const QSignalBlocker blocker(m_predictionCombo);
        m_predictionCombo->setCurrentIndex(index);
    }
}

void MeasurementPanel::applyPreparationTexts(Language language)
{
    m_shotsButton->setText(uiText(kShotsButton, language).arg(selectedPreparations()));
    m_wholeCircuitButton->setToolTip(uiText(kWholeCircuitTip, language).arg(selectedPreparations()));
    // One name in both languages, as the selector is announced.
    m_shotsCombo->setAccessibleName(QStringLiteral("Preparazioni / Preparations"));
    m_shotsCombo->setToolTip(uiText(kShotsTip, language));
}

QString predictionText(const Experiment &experiment, Language language)
{
    const std::int32_t prediction = experiment.prediction();
    if (prediction < 0) {
        return uiText(TextKey::PredictionMissing, language);
    }
    const auto predicted = static_cast<std::uint64_t>(prediction);
    const QString label = basisLabel(predicted, experiment.shownCircuit().qubitCount);
    const std::uint64_t step = experiment.currentStep();
    const std::uint64_t steps = experiment.stepCount();
    if (step == 0 && steps > 0) {
        return catalogText(TextKey::PredictionRecorded, language, label);
    }
    QString text = catalogText(TextKey::PredictionShort, language, label);
    if (step < steps) {
        return text + uiText(TextKey::PredictionIncomplete, language);
    }
    text +=
        catalogText(TextKey::PredictionTheory, language, fixedText(experiment.predictionProbabilityAtEnd() * 100.0, 2));
    const std::uint64_t total = experiment.lastShotsTotal();
    if (total > 0 && predicted < experiment.lastShotsCounts().size()) {
        const std::uint64_t count = experiment.lastShotsCounts()[static_cast<std::size_t>(predicted)];
        text += catalogText(TextKey::PredictionObserved, language, QString::number(count), QString::number(total),
                            fixedText(static_cast<double>(count) * 100.0 / static_cast<double>(total), 2));
    }
    return text;
}

} // namespace Fasoria
