// The terms window: the compiled-in terms of the interface language, its Close button, the geometry it keeps
// and the message shown when the terms are not compiled in.
#include "Help/Resources.h"
#include "Help/dialog/LicenseDialog.h"
#include "Help/model/HelpModel.h"
#include "tests/Help/SettingsSandbox.h"

#include <QFile>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QScrollBar>
#include <QSettings>
#include <QtTest>

using namespace Fasoria;

namespace {

QString resourceText(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly | QIODevice::Text) ? QString::fromUtf8(file.readAll()) : QString();
}

QByteArray storedGeometry()
{
    return QSettings().value(QString::fromLatin1(kLicenseGeometryKey)).toByteArray();
}

} // namespace

class TestLicenseDialog : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void showsTheTerms_data();
    void showsTheTerms();
    void followsTheLanguage();
    void closeButtonSavesTheGeometry();
    void destructionSavesTheGeometry();
    void missingTerms_data();
    void missingTerms();

private:
    QPlainTextEdit *view() const { return m_dialog->findChild<QPlainTextEdit *>(QStringLiteral("m_licenseView")); }
    QPushButton *closeButton() const { return m_dialog->findChild<QPushButton *>(QStringLiteral("m_closeButton")); }

    SettingsSandbox m_store;
    QPointer<LicenseDialog> m_dialog;
};

void TestLicenseDialog::initTestCase()
{
    QVERIFY(m_store.enter(QStringLiteral("FasoriaLicenseTest")));
}

void TestLicenseDialog::init()
{
    QSettings().clear();
}

void TestLicenseDialog::cleanup()
{
    delete m_dialog;
}

void TestLicenseDialog::showsTheTerms_data()
{
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("close");
    QTest::newRow("en") << 1 << ":/licenses/en.txt"
                        << "Fasoria | License"
                        << "Close";
    QTest::newRow("it") << 0 << ":/licenses/it.txt"
                        << "Fasoria | Licenza"
                        << "Chiudi";
}

void TestLicenseDialog::showsTheTerms()
{
    QFETCH(int, language);
    QFETCH(QString, path);
    QFETCH(QString, title);
    QFETCH(QString, close);
    m_dialog = new LicenseDialog(static_cast<Language>(language));
    QCOMPARE(m_dialog->windowType(), Qt::Window);
    QVERIFY(!m_dialog->isModal());
    QVERIFY(m_dialog->testAttribute(Qt::WA_DeleteOnClose));
    QCOMPARE(m_dialog->windowTitle(), title);
    QVERIFY(view()->isReadOnly());
    const QString terms = resourceText(path);
    QVERIFY(terms.contains(QStringLiteral("MIT License")));
    QCOMPARE(view()->toPlainText(), terms);
    QCOMPARE(closeButton()->text(), close);
    // The view is wide enough for the longest line of the terms without a horizontal scroll bar.
    m_dialog->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_dialog));
    view()->setLineWrapMode(QPlainTextEdit::NoWrap);
    QCOMPARE(view()->horizontalScrollBar()->maximum(), 0);
}

void TestLicenseDialog::followsTheLanguage()
{
    m_dialog = new LicenseDialog(Italian);
    m_dialog->setLanguage(English);
    QCOMPARE(m_dialog->language(), English);
    QCOMPARE(view()->toPlainText(), resourceText(QStringLiteral(":/licenses/en.txt")));
    QCOMPARE(m_dialog->windowTitle(), QStringLiteral("Fasoria | License"));
    QCOMPARE(closeButton()->text(), QStringLiteral("Close"));
}

void TestLicenseDialog::closeButtonSavesTheGeometry()
{
    m_dialog = new LicenseDialog(English);
    m_dialog->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_dialog));
    m_dialog->resize(700, 430);
    QVERIFY(storedGeometry().isEmpty());
    const QPointer<LicenseDialog> closing = m_dialog;
    QTest::mouseClick(closeButton(), Qt::LeftButton);
    QVERIFY(!storedGeometry().isEmpty());
    QTRY_VERIFY(closing.isNull());

    m_dialog = new LicenseDialog(Italian);
    QCOMPARE(m_dialog->size(), QSize(700, 430));
}

void TestLicenseDialog::destructionSavesTheGeometry()
{
    m_dialog = new LicenseDialog(English);
    const QSize first = m_dialog->size();
    m_dialog->resize(first.width() + 40, 380);
    delete m_dialog;
    QVERIFY(!storedGeometry().isEmpty());
    m_dialog = new LicenseDialog(English);
    QCOMPARE(m_dialog->size(), QSize(first.width() + 40, 380));
}

void TestLicenseDialog::missingTerms_data()
{
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("message");
    QTest::newRow("en") << 1 << "License resource missing. Check Help/FasoriaHelp.";
    QTest::newRow("it") << 0 << "Licenza non disponibile. Controllare Help/FasoriaHelp.";
}

void TestLicenseDialog::missingTerms()
{
    QFETCH(int, language);
    QFETCH(QString, message);
    Q_CLEANUP_RESOURCE(resources);
    m_dialog = new LicenseDialog(static_cast<Language>(language));
    initResources();
    QCOMPARE(view()->toPlainText(), message);
    // The terms come back with the next language pass.
    m_dialog->setLanguage(static_cast<Language>(language));
    QVERIFY(view()->toPlainText().contains(QStringLiteral("MIT License")));
}

QTEST_MAIN(TestLicenseDialog)
#include "test_license_dialog.moc"
