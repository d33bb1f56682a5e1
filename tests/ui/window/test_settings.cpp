// What the window reads from the settings store when it starts and writes when it closes.
#include "Help/Resources.h"
#include "tests/ui/WindowHarness.h"
#include "ui/texts/TextCatalog.h"
#include "ui/window/MainWindow.h"

#include <QComboBox>
#include <QPushButton>
#include <QSettings>
#include <QSpinBox>
#include <QSplitter>
#include <QStandardPaths>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

using namespace Fasoria;

namespace {

const QStringList kWrittenAtClose = {QStringLiteral("parameters/algorithm"),
                                     QStringLiteral("parameters/deutsch"),
                                     QStringLiteral("parameters/iterations"),
                                     QStringLiteral("parameters/marked"),
                                     QStringLiteral("parameters/qubits"),
                                     QStringLiteral("parameters/secret"),
                                     QStringLiteral("splitters/circuitChart"),
                                     QStringLiteral("splitters/main"),
                                     QStringLiteral("splitters/rightData"),
                                     QStringLiteral("splitters/rightMain"),
                                     QStringLiteral("ui/language"),
                                     QStringLiteral("ui/leftTab"),
                                     QStringLiteral("ui/lessonIndex"),
                                     QStringLiteral("window/geometry"),
                                     QStringLiteral("window/state")};

QStringList storedKeys()
{
    QStringList keys = QSettings().allKeys();
    keys.sort();
    return keys;
}

} // namespace

class TestSettings : public WindowHarness
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void firstStartWithEmptyStore();
    void language_data();
    void language();
    void leftTab_data();
    void leftTab();
    void lessonIndex_data();
    void lessonIndex();
    void generatorParameters_data();
    void generatorParameters();
    void generatorRangesFollowTheKind();
    void unusableLayoutIsSkipped();
    void closeWritesWhatTheNextStartRestores();
    void refusedCloseWritesNothing_data();
    void refusedCloseWritesNothing();

private:
    void start() { m_window = std::make_unique<MainWindow>(); }
    /// Shows the window and returns the sizes of mainSplitter, rightMainSplitter and rightDataSplitter once the
    /// deferred restoration has run.
    QList<QList<int>> shownSplitterSizes();

    QTemporaryDir m_store;
};

void TestSettings::initTestCase()
{
    QVERIFY(m_store.isValid());
    QStandardPaths::setTestModeEnabled(true);
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_store.path());
    QCoreApplication::setOrganizationName(QStringLiteral("NemboticaTest"));
    QCoreApplication::setApplicationName(QStringLiteral("FasoriaSettingsTest"));
    initResources();
}

void TestSettings::init()
{
    QSettings().clear();
}

void TestSettings::cleanup()
{
    m_window.reset();
}

QList<QList<int>> TestSettings::shownSplitterSizes()
{
    m_window->show();
    if (!QTest::qWaitForWindowExposed(m_window.get())) {
        return {};
    }
    QTest::qWait(20);
    return {part<QSplitter>("mainSplitter")->sizes(), part<QSplitter>("rightMainSplitter")->sizes(),
            part<QSplitter>("rightDataSplitter")->sizes()};
}

void TestSettings::firstStartWithEmptyStore()
{
    start();
    QCOMPARE(m_window->language(), Italian);
    QCOMPARE(part<QComboBox>("m_languageCombo")->currentIndex(), 0);
    QCOMPARE(part<QComboBox>("m_lessons")->currentIndex(), 0);
    QCOMPARE(m_window->experiment().lessonIndex(), 0);
    QCOMPARE(part<QTabWidget>("m_leftTabs")->currentIndex(), 0);
    QCOMPARE(m_window->size(), QSize(1260, 900));
    const QList<QList<int>> sizes = shownSplitterSizes();
    QCOMPARE(sizes.size(), 3);
    // The initial sizes hold as far as the panes' minimum sizes let them: the left panel is never narrower
    // than its tab titles, the vertical splitters keep their 450:340 and 240:180 shares to a pixel, or give a
    // pane the height its texts need.
    QCOMPARE(sizes[0][0], qMax(420, part<QWidget>("leftPanel")->minimumSizeHint().width()));
    const auto shareHolds = [this](const QList<int> &split, int first, int second, const char *secondPane) {
        return qAbs(split[0] * second - split[1] * first) <= first + second ||
               split[1] == part<QWidget>(secondPane)->minimumHeight();
    };
    QVERIFY2(shareHolds(sizes[1], 450, 340, "rightDataSplitter"), qPrintable(QString::number(sizes[1][0])));
    QVERIFY2(shareHolds(sizes[2], 240, 180, "notebookPane"), qPrintable(QString::number(sizes[2][0])));
    // Reading writes nothing.
    QVERIFY(storedKeys().isEmpty());
}

void TestSettings::language_data()
{
    QTest::addColumn<QVariant>("stored");
    QTest::addColumn<int>("language");
    QTest::newRow("en") << QVariant(QStringLiteral("en")) << 1;
    QTest::newRow("upper-case-EN") << QVariant(QStringLiteral("EN")) << 0;
    QTest::newRow("it") << QVariant(QStringLiteral("it")) << 0;
    QTest::newRow("english") << QVariant(QStringLiteral("english")) << 0;
    QTest::newRow("number") << QVariant(1) << 0;
}

void TestSettings::language()
{
    QFETCH(QVariant, stored);
    QFETCH(int, language);
    QSettings().setValue(QStringLiteral("ui/language"), stored);
    start();
    QCOMPARE(static_cast<int>(m_window->language()), language);
    QCOMPARE(part<QComboBox>("m_languageCombo")->currentIndex(), language);
    QCOMPARE(part<QTabWidget>("m_leftTabs")->tabText(0), uiText(TextKey::TabLesson, static_cast<Language>(language)));
}

void TestSettings::leftTab_data()
{
    QTest::addColumn<QVariant>("stored");
    QTest::addColumn<int>("tab");
    QTest::newRow("beyond-the-last") << QVariant(9) << 3;
    QTest::newRow("negative") << QVariant(-2) << 0;
    QTest::newRow("editor") << QVariant(2) << 2;
    QTest::newRow("measurements") << QVariant(3) << 3;
    QTest::newRow("qubits") << QVariant(4) << 4;
    QTest::newRow("not-a-number") << QVariant(QStringLiteral("tab")) << 0;
}

void TestSettings::leftTab()
{
    QFETCH(QVariant, stored);
    QFETCH(int, tab);
    QSettings().setValue(QStringLiteral("ui/leftTab"), stored);
    start();
    QCOMPARE(part<QTabWidget>("m_leftTabs")->currentIndex(), tab);
}

void TestSettings::lessonIndex_data()
{
    QTest::addColumn<QVariant>("stored");
    QTest::addColumn<int>("lesson");
    QTest::addColumn<bool>("challenge");
    QTest::newRow("one-past-the-last") << QVariant(21) << 0 << false;
    QTest::newRow("negative") << QVariant(-1) << 0 << false;
    QTest::newRow("last") << QVariant(20) << 20 << false;
    QTest::newRow("challenge") << QVariant(4) << 4 << true;
    QTest::newRow("not-a-number") << QVariant(QStringLiteral("seven")) << 0 << false;
}

void TestSettings::lessonIndex()
{
    QFETCH(QVariant, stored);
    QFETCH(int, lesson);
    QFETCH(bool, challenge);
    QSettings().setValue(QStringLiteral("ui/lessonIndex"), stored);
    start();
    QCOMPARE(part<QComboBox>("m_lessons")->currentIndex(), lesson);
    QCOMPARE(m_window->experiment().lessonIndex(), lesson);
    QCOMPARE(m_window->experiment().isChallengeMode(), challenge);
    QCOMPARE(m_window->experiment().workingCircuit() != nullptr, challenge);
    QCOMPARE(m_window->experiment().logEvents().size(), std::size_t{1});
}

void TestSettings::generatorParameters_data()
{
    // Values in the order of the keys: algorithm, qubits, marked, iterations, secret, deutsch.
    QTest::addColumn<bool>("write");
    QTest::addColumn<QList<int>>("stored");
    QTest::addColumn<QList<int>>("applied");
    QTest::addColumn<int>("largestValue");
    QTest::newRow("defaults") << false << QList<int>{} << QList<int>{0, 3, 5, 2, 5, 0} << 7;
    QTest::newRow("grover-clamped") << true << QList<int>{0, 4, 12, 9, 12, 3} << QList<int>{0, 3, 7, 4, 7, 3} << 7;
    QTest::newRow("bernstein-vazirani-four")
        << true << QList<int>{1, 4, 15, 0, 15, 1} << QList<int>{1, 4, 15, 1, 15, 1} << 15;
    QTest::newRow("bernstein-vazirani-one")
        << true << QList<int>{1, 1, 5, 2, 5, 0} << QList<int>{1, 1, 1, 2, 1, 0} << 1;
    QTest::newRow("deutsch") << true << QList<int>{2, 1, 3, 2, 3, 3} << QList<int>{2, 2, 3, 2, 3, 3} << 3;
    QTest::newRow("selectors-out-of-range")
        << true << QList<int>{7, 3, 5, 2, 5, -1} << QList<int>{0, 3, 5, 2, 5, 0} << 7;
    QTest::newRow("negative") << true << QList<int>{-1, -5, -1, -1, -1, 4} << QList<int>{0, 2, 0, 1, 0, 0} << 3;
}

void TestSettings::generatorParameters()
{
    QFETCH(bool, write);
    QFETCH(QList<int>, stored);
    QFETCH(QList<int>, applied);
    QFETCH(int, largestValue);
    const char *const keys[] = {"parameters/algorithm",  "parameters/qubits", "parameters/marked",
                                "parameters/iterations", "parameters/secret", "parameters/deutsch"};
    if (write) {
        QSettings settings;
        for (int i = 0; i < 6; ++i) {
            settings.setValue(QString::fromLatin1(keys[i]), stored[i]);
        }
    }
    start();
    const QList<int> shown = {
        part<QComboBox>("m_paramKindCombo")->currentIndex(), part<QSpinBox>("m_paramQubitsSpin")->value(),
        part<QSpinBox>("m_paramMarkedSpin")->value(),        part<QSpinBox>("m_paramIterationsSpin")->value(),
        part<QSpinBox>("m_paramSecretSpin")->value(),        part<QComboBox>("m_paramDeutschCombo")->currentIndex()};
    QCOMPARE(shown, applied);
    QCOMPARE(part<QSpinBox>("m_paramMarkedSpin")->maximum(), largestValue);
    QCOMPARE(part<QSpinBox>("m_paramSecretSpin")->maximum(), largestValue);
}

void TestSettings::generatorRangesFollowTheKind()
{
    start();
    auto *kind = part<QComboBox>("m_paramKindCombo");
    auto *qubits = part<QSpinBox>("m_paramQubitsSpin");
    QCOMPARE(kind->itemText(1), QStringLiteral("Bernstein-Vazirani"));
    QCOMPARE(part<QComboBox>("m_paramDeutschCombo")->itemText(3), QStringLiteral("f(x) = 1-x (bilanciata)"));
    kind->setCurrentIndex(1);
    QCOMPARE(qubits->minimum(), 1);
    QCOMPARE(qubits->maximum(), 4);
    qubits->setValue(4);
    QCOMPARE(part<QSpinBox>("m_paramSecretSpin")->maximum(), 15);
    kind->setCurrentIndex(0);
    QCOMPARE(qubits->value(), 3);
    QCOMPARE(part<QSpinBox>("m_paramMarkedSpin")->maximum(), 7);
    part<QComboBox>("m_languageCombo")->setCurrentIndex(1);
    QCOMPARE(part<QComboBox>("m_paramDeutschCombo")->itemText(0), QStringLiteral("f(x) = 0 (constant)"));
}

void TestSettings::unusableLayoutIsSkipped()
{
    start();
    const QList<QList<int>> fresh = shownSplitterSizes();
    m_window.reset();
    {
        QSettings settings;
        for (const char *key :
             {"window/geometry", "window/state", "splitters/main", "splitters/rightMain", "splitters/rightData"}) {
            settings.setValue(QString::fromLatin1(key), QByteArray("not a layout"));
        }
    }
    start();
    QCOMPARE(m_window->size(), QSize(1260, 900));
    QCOMPARE(shownSplitterSizes(), fresh);
}

void TestSettings::closeWritesWhatTheNextStartRestores()
{
    start();
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    part<QComboBox>("m_languageCombo")->setCurrentIndex(1);
    part<QComboBox>("m_lessons")->setCurrentIndex(2);
    part<QTabWidget>("m_leftTabs")->setCurrentIndex(3);
    part<QComboBox>("m_paramKindCombo")->setCurrentIndex(1);
    part<QSpinBox>("m_paramQubitsSpin")->setValue(4);
    part<QSpinBox>("m_paramSecretSpin")->setValue(11);
    part<QSpinBox>("m_paramIterationsSpin")->setValue(3);
    part<QComboBox>("m_paramDeutschCombo")->setCurrentIndex(2);
    m_window->resize(1180, 860);
    part<QSplitter>("mainSplitter")->setSizes({500, 580});
    part<QSplitter>("rightDataSplitter")->setSizes({150, 300});
    QTest::qWait(20);
    const QList<int> mainSizes = part<QSplitter>("mainSplitter")->sizes();
    const QList<int> dataSizes = part<QSplitter>("rightDataSplitter")->sizes();
    QVERIFY(mainSizes != (QList<int>{420, 840}));
    // The language is stored at once, the rest only at close.
    QCOMPARE(storedKeys(), QStringList{QStringLiteral("ui/language")});

    QVERIFY(m_window->close());
    QCOMPARE(storedKeys(), kWrittenAtClose);
    QCOMPARE(QSettings().value(QStringLiteral("ui/language")).toString(), QStringLiteral("en"));
    m_window.reset();

    start();
    QCOMPARE(m_window->language(), English);
    QCOMPARE(m_window->experiment().lessonIndex(), 2);
    QCOMPARE(part<QTabWidget>("m_leftTabs")->currentIndex(), 3);
    QCOMPARE(part<QComboBox>("m_paramKindCombo")->currentIndex(), 1);
    QCOMPARE(part<QSpinBox>("m_paramQubitsSpin")->value(), 4);
    QCOMPARE(part<QSpinBox>("m_paramSecretSpin")->value(), 11);
    QCOMPARE(part<QSpinBox>("m_paramIterationsSpin")->value(), 3);
    QCOMPARE(part<QComboBox>("m_paramDeutschCombo")->currentIndex(), 2);
    QCOMPARE(m_window->size(), QSize(1180, 860));
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    QTRY_COMPARE(part<QSplitter>("mainSplitter")->sizes(), mainSizes);
    QCOMPARE(part<QSplitter>("rightDataSplitter")->sizes(), dataSizes);
}

void TestSettings::refusedCloseWritesNothing_data()
{
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("prefilled");
    QTest::newRow("cancel") << static_cast<int>(QMessageBox::Cancel) << false;
    QTest::newRow("save-without-a-name") << static_cast<int>(QMessageBox::Save) << false;
    QTest::newRow("cancel-keeps-the-last-run") << static_cast<int>(QMessageBox::Cancel) << true;
}

void TestSettings::refusedCloseWritesNothing()
{
    QFETCH(int, answer);
    QFETCH(bool, prefilled);
    // What a previous run left: lesson 2 on the measurements tab, Deutsch with its third function.
    const QList<std::pair<QString, QVariant>> lastRun = {{QStringLiteral("ui/lessonIndex"), 2},
                                                         {QStringLiteral("ui/leftTab"), 3},
                                                         {QStringLiteral("parameters/algorithm"), 2},
                                                         {QStringLiteral("parameters/deutsch"), 2}};
    if (prefilled) {
        QSettings settings;
        for (const auto &[name, value] : lastRun) {
            settings.setValue(name, value);
        }
    }
    start();
    int questions = 0;
    auto reply = static_cast<QMessageBox::StandardButton>(answer);
    m_window->setMessageBoxHandler([&](QWidget *, QMessageBox::Icon, const QString &title, const QString &,
                                       QMessageBox::StandardButtons, QMessageBox::StandardButton) {
        questions += title == uiText(TextKey::ModifiedTitle, Italian) ? 1 : 0;
        return reply;
    });
    m_window->setFileDialogHandler([](QWidget *, Fasoria::FileDialogMode, const QString &, const QString &,
                                      const QString &) { return QString(); });
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    QTest::mouseClick(part<QPushButton>("m_editCopyButton"), Qt::LeftButton);
    QTest::mouseClick(part<QPushButton>("m_insertButton"), Qt::LeftButton);
    part<QTabWidget>("m_leftTabs")->setCurrentIndex(2);

    part<QComboBox>("m_paramKindCombo")->setCurrentIndex(0);
    part<QComboBox>("m_paramDeutschCombo")->setCurrentIndex(1);

    QVERIFY(!m_window->close());
    QCOMPARE(questions, 1);
    QVERIFY(m_window->isVisible());
    QVERIFY(m_window->experiment().document().isModified());
    if (prefilled) {
        QCOMPARE(storedKeys().size(), lastRun.size());
        for (const auto &[name, value] : lastRun) {
            QCOMPARE(QSettings().value(name).toInt(), value.toInt());
        }
        return;
    }
    QVERIFY(storedKeys().isEmpty());

    reply = QMessageBox::Discard;
    QVERIFY(m_window->close());
    QCOMPARE(storedKeys(), kWrittenAtClose);
    QCOMPARE(QSettings().value(QStringLiteral("ui/leftTab")).toInt(), 2);
}

QTEST_MAIN(TestSettings)
#include "test_settings.moc"
