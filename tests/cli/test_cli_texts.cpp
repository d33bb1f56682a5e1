// Every text of the command-line tool exists in both languages with the same placeholders.

#include "cli/CliTexts.h"

#include <QRegularExpression>
#include <QSet>
#include <QtTest>

using namespace Fasoria;
using namespace Fasoria::Cli;

namespace {

QSet<QString> placeholders(const QString &text)
{
    static const QRegularExpression kPlaceholder(QStringLiteral("%[1-9]"));
    QSet<QString> found;
    for (auto match = kPlaceholder.globalMatch(text); match.hasNext();) {
        found.insert(match.next().captured());
    }
    return found;
}

} // namespace

class TestCliTexts : public QObject
{
    Q_OBJECT

private slots:
    void everyTextHasBothLanguages_data()
    {
        QTest::addColumn<int>("id");
        for (int id = 0; id < kCliTextCount; ++id) {
            QTest::addRow("text-%d", id) << id;
        }
    }

    void everyTextHasBothLanguages()
    {
        QFETCH(int, id);
        const QString italian = cliText(static_cast<CliText>(id), Italian);
        const QString english = cliText(static_cast<CliText>(id), English);
        QVERIFY(!italian.isEmpty() && !english.isEmpty());
        QVERIFY(italian != QLatin1String("[missing text]") && english != QLatin1String("[missing text]"));
        QCOMPARE(placeholders(italian), placeholders(english));
    }

    void usageTextsStartWithTheirUsageLines_data()
    {
        QTest::addColumn<int>("id");
        for (const CliText id : {CliText::UsageGeneral, CliText::UsageRun, CliText::UsageCheck, CliText::UsageChallenge,
                                 CliText::UsageGenerate, CliText::UsageLesson, CliText::UsageQasm,
                                 CliText::UsageValidate, CliText::UsagePack}) {
            QTest::addRow("usage-%d", static_cast<int>(id)) << static_cast<int>(id);
        }
    }

    void usageTextsStartWithTheirUsageLines()
    {
        QFETCH(int, id);
        const QString italian = cliText(static_cast<CliText>(id), Italian);
        const QString english = cliText(static_cast<CliText>(id), English);
        QVERIFY(italian.startsWith(QLatin1String("Uso: fasoria-cli")));
        QVERIFY(english.startsWith(QLatin1String("Usage: fasoria-cli")));
        // The short usage shown with an error is everything before the first blank line.
        QVERIFY(italian.contains(QLatin1String("\n\n")) && english.contains(QLatin1String("\n\n")));
        QVERIFY(italian.endsWith(QLatin1Char('\n')) && english.endsWith(QLatin1Char('\n')));
    }

    void missingRowIsVisible()
    {
        QCOMPARE(cliText(static_cast<CliText>(kCliTextCount), English), QStringLiteral("[missing text]"));
    }
};

QTEST_GUILESS_MAIN(TestCliTexts)
#include "test_cli_texts.moc"
