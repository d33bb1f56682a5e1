#include "ui/panels/AlgorithmLabPanel.h"

#include "ui/model/Experiment.h"
#include "ui/model/PanelTexts.h"
#include "ui/texts/TextCatalog.h"
#include "ui/widgets/WidgetBuilders.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QSettings>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include <utility>

namespace Fasoria {

namespace {

// clang-format off
constexpr TextPair kDeutschItems[] = {{"f(x) = 0 (costante)", "f(x) = 0 (constant)"},
                                      {"f(x) = 1 (costante)", "f(x) = 1 (constant)"},
                                      {"f(x) = x (bilanciata)", "f(x) = x (balanced)"},
                                      {"f(x) = 1-x (bilanciata)", "f(x) = 1-x (balanced)"}};
// clang-format on

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

AlgorithmLabPanel::AlgorithmLabPanel(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("algorithmLabPanel"));
    QVBoxLayout *content = named(new QVBoxLayout(this), "algorithmLabLayout");
    content->setSpacing(9);
    content->setContentsMargins(0, 0, 0, 0);
    buildGenerator();
    buildAlgorithmBox();
    content->addWidget(m_parametricBox);
    content->addWidget(m_algorithmBox);

    // The ranges follow the kind and the qubit count before any value depending on them is applied.
    connect(m_paramKindCombo, QOverload<int>::of(&QComboBox::currentIndexChanged), this,
            [this] { refreshGenerator(m_generatedSteps, m_language); });
    connect(m_paramQubitsSpin, QOverload<int>::of(&QSpinBox::valueChanged), this,
            [this] { refreshGenerator(m_generatedSteps, m_language); });
    connect(m_paramCreateButton, &QPushButton::clicked, this, &AlgorithmLabPanel::generateRequested);
    connect(m_algorithmGotoButton, &QPushButton::clicked, this, [this] {
        if (m_algorithmCheckpointCombo->currentIndex() >= 0) {
            emit goToStageRequested(m_algorithmCheckpointCombo->currentData().toULongLong());
        }
    });
    connect(m_algorithmRunButton, &QPushButton::clicked, this, &AlgorithmLabPanel::runCompleteRequested);
}

void AlgorithmLabPanel::buildGenerator()
{
    m_parametricBox = named(new QGroupBox, "m_parametricBox");
    QVBoxLayout *parametricLayout = named(new QVBoxLayout(m_parametricBox), "parametricLayout");
    m_paramIntro = namedLabel("m_paramIntro", true);
    parametricLayout->addWidget(m_paramIntro);
    QFormLayout *form = named(new QFormLayout, "parametricForm");
    m_paramKindLabel = namedLabel("m_paramKindLabel");
    m_paramKindCombo = named(new QComboBox, "m_paramKindCombo");
    for (const GeneratorKindItem &item : kGeneratorKindItems) {
        m_paramKindCombo->addItem(QString::fromLatin1(item.text));
    }
    m_paramQubitsLabel = namedLabel("m_paramQubitsLabel");
    m_paramQubitsSpin = namedSpinBox("m_paramQubitsSpin", 2, 3);
    m_paramMarkedLabel = namedLabel("m_paramMarkedLabel");
    m_paramMarkedSpin = namedSpinBox("m_paramMarkedSpin", 0, 7);
    m_paramIterationsLabel = namedLabel("m_paramIterationsLabel");
    m_paramIterationsSpin = namedSpinBox("m_paramIterationsSpin", 1, 4);
    m_paramSecretLabel = namedLabel("m_paramSecretLabel");
    m_paramSecretSpin = namedSpinBox("m_paramSecretSpin", 0, 7);
    m_paramDeutschLabel = namedLabel("m_paramDeutschLabel");
    m_paramDeutschCombo = named(new QComboBox, "m_paramDeutschCombo");
    for (std::size_t i = 0; i < std::size(kDeutschItems); ++i) {
        m_paramDeutschCombo->addItem(QString());
    }
    form->addRow(m_paramKindLabel, m_paramKindCombo);
    form->addRow(m_paramQubitsLabel, m_paramQubitsSpin);
    form->addRow(m_paramMarkedLabel, m_paramMarkedSpin);
    form->addRow(m_paramIterationsLabel, m_paramIterationsSpin);
    form->addRow(m_paramSecretLabel, m_paramSecretSpin);
    form->addRow(m_paramDeutschLabel, m_paramDeutschCombo);
    parametricLayout->addLayout(form);
    m_paramCreateButton = namedButton("m_paramCreateButton");
    m_paramHint = namedLabel("m_paramHint", true);
    parametricLayout->addWidget(m_paramCreateButton);
    parametricLayout->addWidget(m_paramHint);
}

void AlgorithmLabPanel::buildAlgorithmBox()
{
    m_algorithmBox = named(new QGroupBox, "m_algorithmBox");
    QVBoxLayout *algorithmLayout = named(new QVBoxLayout(m_algorithmBox), "algorithmLayout");
    const std::pair<QLabel **, const char *> texts[] = {
        {&m_algorithmIntro, "m_algorithmIntro"},         {&m_algorithmOracle, "m_algorithmOracle"},
        {&m_algorithmClassical, "m_algorithmClassical"}, {&m_algorithmStats, "m_algorithmStats"},
        {&m_algorithmReadout, "m_algorithmReadout"},     {&m_algorithmProbability, "m_algorithmProbability"},
        {&m_algorithmCaveat, "m_algorithmCaveat"}};
    for (const auto &[member, name] : texts) {
        *member = namedLabel(name, true);
        algorithmLayout->addWidget(*member);
    }
    m_algorithmCheckpointLabel = namedLabel("m_algorithmCheckpointLabel", true);
    algorithmLayout->addWidget(m_algorithmCheckpointLabel);
    QHBoxLayout *checkpoint = named(new QHBoxLayout, "algorithmCheckpointLayout");
    m_algorithmCheckpointCombo = named(new QComboBox, "m_algorithmCheckpointCombo");
    // Long checkpoint names must not widen the whole left panel.
    m_algorithmCheckpointCombo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    m_algorithmCheckpointCombo->setMinimumContentsLength(12);
    m_algorithmGotoButton = namedButton("m_algorithmGotoButton");
    checkpoint->addWidget(m_algorithmCheckpointCombo, 1);
    checkpoint->addWidget(m_algorithmGotoButton);
    algorithmLayout->addLayout(checkpoint);
    m_algorithmRunButton = namedButton("m_algorithmRunButton");
    algorithmLayout->addWidget(m_algorithmRunButton);
    m_algorithmHandbookLink = namedLinkLabel("m_algorithmHandbookLink");
    m_algorithmHandbookLink->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
    algorithmLayout->addWidget(m_algorithmHandbookLink);
    connect(m_algorithmHandbookLink, &QLabel::linkActivated, this, &AlgorithmLabPanel::handbookRequested);
}

void AlgorithmLabPanel::refreshGenerator(std::int64_t generatedSteps, Language language)
{
    m_generatedSteps = generatedSteps;
    m_language = language;
    const AlgorithmKind kind = parameters().kind;
    const bool deutsch = kind == AlgorithmKind::Deutsch;
    m_paramQubitsLabel->setVisible(!deutsch);
    m_paramQubitsSpin->setVisible(!deutsch);
    for (QWidget *grover : std::initializer_list<QWidget *>{m_paramMarkedLabel, m_paramMarkedSpin,
                                                            m_paramIterationsLabel, m_paramIterationsSpin}) {
        grover->setVisible(kind == AlgorithmKind::Grover);
    }
    m_paramSecretLabel->setVisible(kind == AlgorithmKind::BernsteinVazirani);
    m_paramSecretSpin->setVisible(kind == AlgorithmKind::BernsteinVazirani);
    m_paramDeutschLabel->setVisible(deutsch);
    m_paramDeutschCombo->setVisible(deutsch);
    {
        const QSignalBlocker blocker(m_paramQubitsSpin);
        const int previous = m_paramQubitsSpin->value();
        const bool bernsteinVazirani = kind == AlgorithmKind::BernsteinVazirani;
        m_paramQubitsSpin->setRange(bernsteinVazirani ? 1 : 2, bernsteinVazirani ? 4 : 3);
        m_paramQubitsSpin->setValue(previous);
    }
    const int largestValue = (1 << m_paramQubitsSpin->value()) - 1;
    m_paramMarkedSpin->setMaximum(largestValue);
    m_paramSecretSpin->setMaximum(largestValue);

    m_parametricBox->setTitle(uiText(TextKey::ParametricBox, language));
    m_parametricBox->setToolTip(uiText(TextKey::ParametricNote, language));
    m_paramIntro->setText(uiText(TextKey::ParametricIntro, language));
    m_paramKindLabel->setText(uiText(TextKey::AlgorithmLabel, language));
    m_paramQubitsLabel->setText(uiText(TextKey::DataQubitsLabel, language));
    m_paramMarkedLabel->setText(uiText(TextKey::MarkedLabel, language));
    m_paramIterationsLabel->setText(uiText(TextKey::IterationsLabel, language));
    m_paramSecretLabel->setText(uiText(TextKey::SecretLabel, language));
    m_paramDeutschLabel->setText(uiText(TextKey::FunctionLabel, language));
    m_paramCreateButton->setText(uiText(TextKey::GenerateButton, language));
    m_paramCreateButton->setToolTip(uiText(TextKey::ParametricNote, language));
    const QSignalBlocker kindBlocker(m_paramKindCombo);
    const QSignalBlocker deutschBlocker(m_paramDeutschCombo);
    for (int i = 0; i < m_paramKindCombo->count(); ++i) {
        m_paramKindCombo->setItemText(i, QString::fromLatin1(kGeneratorKindItems[i].text));
    }
    for (int i = 0; i < m_paramDeutschCombo->count(); ++i) {
        m_paramDeutschCombo->setItemText(i, uiText(kDeutschItems[i], language));
    }
    m_paramHint->setText(generatedSteps >= 0 ? uiText(TextKey::ParametricReady, language).arg(generatedSteps)
                                             : uiText(TextKey::GenerateHint, language));
}

AlgorithmParameters AlgorithmLabPanel::parameters() const
{
    AlgorithmParameters parameters;
    const int index = m_paramKindCombo->currentIndex();
    parameters.kind = kGeneratorKindItems[index >= 0 && index < 3 ? index : 0].kind;
    parameters.qubits = m_paramQubitsSpin->value();
    parameters.groverTarget = m_paramMarkedSpin->value();
    parameters.groverIterations = m_paramIterationsSpin->value();
    parameters.bvSecret = m_paramSecretSpin->value();
    parameters.deutschFunction = m_paramDeutschCombo->currentIndex();
    return parameters;
}

void AlgorithmLabPanel::refresh(const Experiment &experiment, Language language)
{
    const std::optional<AlgorithmPresentation> shown = presentAlgorithm(experiment, language);
    m_algorithmBox->setVisible(shown.has_value());
    if (!shown || !experiment.state()) {
        return;
    }
    const std::uint64_t steps = experiment.stepCount();
    m_algorithmBox->setTitle(uiText(TextKey::AlgorithmBox, language));
    m_algorithmIntro->setText(shown->title);
    m_algorithmOracle->setText(uiText(TextKey::Oracle, language).arg(shown->oracle));
    m_algorithmClassical->setText(uiText(TextKey::ClassicalMethod, language).arg(shown->classical));
    m_algorithmStats->setText(catalogText(TextKey::QueryStats, language, QString::number(shown->classicalQueries),
                                          QString::number(shown->quantumQueries), QString::number(steps)));
    m_algorithmStats->setToolTip(uiText(TextKey::QueryCaveat, language));
    m_algorithmReadout->setText(uiText(TextKey::Readout, language).arg(shown->readout));
    m_algorithmCaveat->setText(shown->caveat);
    m_algorithmCaveat->setToolTip(uiText(TextKey::QueryCaveat, language));
    m_algorithmCheckpointLabel->setText(uiText(TextKey::CheckpointLabel, language));
    m_algorithmGotoButton->setText(uiText(TextKey::GoToStageButton, language));
    m_algorithmGotoButton->setToolTip(uiText(TextKey::GoToStageTip, language));
    {
        const QSignalBlocker blocker(m_algorithmCheckpointCombo);
        m_algorithmCheckpointCombo->clear();
        for (const AlgorithmStage &stage : shown->stages) {
            m_algorithmCheckpointCombo->addItem(
                checkpointText(stage, steps, language),
                QVariant::fromValue<qulonglong>(static_cast<qulonglong>(std::max<std::int64_t>(stage.gateIndex, 0))));
        }
        m_algorithmCheckpointCombo->setCurrentIndex(
            shown->stages.empty() ? -1 : currentCheckpoint(shown->stages, experiment.currentStep()));
    }
    m_algorithmRunButton->setText(uiText(TextKey::RunCompleteButton, language));
    m_algorithmRunButton->setToolTip(uiText(TextKey::RunCompleteTip, language));
    m_algorithmProbability->setText(correctOutputText(experiment, *shown, language));
    m_algorithmHandbookLink->setText(uiText(MoreText::AlgorithmHandbookLink, language));
    m_algorithmRunButton->setEnabled(experiment.currentStep() != steps || experiment.isMeasured());
}

void AlgorithmLabPanel::readSettings(const QSettings &settings)
{
    applyIndex(m_paramKindCombo, settings, "parameters/algorithm");
    m_paramQubitsSpin->setValue(settings.value(key("parameters/qubits"), 3).toInt());
    m_paramMarkedSpin->setValue(settings.value(key("parameters/marked"), 5).toInt());
    m_paramIterationsSpin->setValue(settings.value(key("parameters/iterations"), 2).toInt());
    m_paramSecretSpin->setValue(settings.value(key("parameters/secret"), 5).toInt());
    applyIndex(m_paramDeutschCombo, settings, "parameters/deutsch");
}

void AlgorithmLabPanel::writeSettings(QSettings &settings) const
{
    settings.setValue(key("parameters/algorithm"), m_paramKindCombo->currentIndex());
    settings.setValue(key("parameters/qubits"), m_paramQubitsSpin->value());
    settings.setValue(key("parameters/marked"), m_paramMarkedSpin->value());
    settings.setValue(key("parameters/iterations"), m_paramIterationsSpin->value());
    settings.setValue(key("parameters/secret"), m_paramSecretSpin->value());
    settings.setValue(key("parameters/deutsch"), m_paramDeutschCombo->currentIndex());
}

} // namespace Fasoria
