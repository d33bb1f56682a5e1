#include "validation/suite/ValidationReport.h"

#include "fasoria/Version.h"

#include "editor/AtomicSave.h"
#include "validation/suite/EngineChecks.h"

#include <QDateTime>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QtGlobal>

namespace Fasoria {

namespace {

QLatin1String verdict(bool passed)
{
    return passed ? QLatin1String("PASS") : QLatin1String("FAIL");
}

QString seedText()
{
    return QLatin1String("0x") + QString::number(kCrossCheckSeed, 16).toUpper();
}

QJsonArray checkArray(const std::vector<ValidationCheck> &checks)
{
    QJsonArray array;
    for (const ValidationCheck &check : checks) {
        QJsonObject row;
        row.insert(QLatin1String("id"), QString::fromStdString(check.id));
        row.insert(QLatin1String("group"), QString::fromStdString(check.group));
        row.insert(QLatin1String("passed"), check.passed);
        row.insert(QLatin1String("details"), QString::fromStdString(check.details));
        array.append(row);
    }
    return array;
}

} // namespace

QByteArray validationTextReport(const std::vector<ValidationCheck> &checks)
{
    QString text = QLatin1String("Fasoria ") + QLatin1String(kApplicationVersion) +
                   QLatin1String(" scientific validation (deterministic)\n");
    text += QLatin1String("RESULT: ") + verdict(isOverallPass(checks)) + QLatin1String("  ") +
            QString::number(passedCount(checks)) + QLatin1Char('/') + QString::number(checks.size()) +
            QLatin1Char('\n');
    for (const ValidationCheck &check : checks) {
        text += verdict(check.passed) + QLatin1String(" | ") + QString::fromStdString(check.group) +
                QLatin1String(" | ") + QString::fromStdString(check.id) + QLatin1String(" | ") +
                QString::fromStdString(check.details) + QLatin1Char('\n');
    }
    return text.toUtf8();
}

QByteArray validationJsonReport(const std::vector<ValidationCheck> &checks)
{
    QJsonObject root;
    root.insert(QLatin1String("format"), QLatin1String("FasoriaValidation"));
    root.insert(QLatin1String("schema_version"), 1);
    root.insert(QLatin1String("application_version"), QLatin1String(kApplicationVersion));
    root.insert(QLatin1String("utc"), QDateTime::currentDateTimeUtc().toString(Qt::ISODate));
    root.insert(QLatin1String("qt_version"), QLatin1String(qVersion()));
    root.insert(QLatin1String("deterministic_seed"), seedText());
    root.insert(QLatin1String("status"), verdict(isOverallPass(checks)));
    root.insert(QLatin1String("passed"), passedCount(checks));
    root.insert(QLatin1String("total"), static_cast<qint64>(checks.size()));
    root.insert(QLatin1String("checks"), checkArray(checks));
    return QJsonDocument(root).toJson(QJsonDocument::Indented);
}

QString validationReportFileName()
{
    return QLatin1String("Fasoria_validation_v") + QString::fromLatin1(kApplicationVersion).replace('.', '_') +
           QLatin1String(".json");
}

bool saveValidationReport(const QString &path, const std::vector<ValidationCheck> &checks, QString *error)
{
    return saveFileAtomically(path, validationJsonReport(checks), error);
}

} // namespace Fasoria
