#pragma once

#include "tests/support/FileBytes.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QMap>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QtTest>

// Runs the real fasoria-cli executable (its path comes from the build) and collects what it printed.
struct CliRun
{
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
};

/// Runs `program` in `directory` (the current one when empty) with the environment extended by `extra`.
inline CliRun runProcess(const QString &program, const QStringList &arguments, const QString &directory = QString(),
                         const QMap<QString, QString> &extra = {})
{
    QProcess process;
    if (!directory.isEmpty()) {
        process.setWorkingDirectory(directory);
    }
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (auto it = extra.cbegin(); it != extra.cend(); ++it) {
        environment.insert(it.key(), it.value());
    }
    process.setProcessEnvironment(environment);
    process.start(program, arguments);
    CliRun run;
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit) {
        run.err = program.toUtf8() + " did not finish normally: " + process.errorString().toUtf8();
        return run;
    }
    run.exitCode = process.exitCode();
    run.out = process.readAllStandardOutput();
    run.err = process.readAllStandardError();
    return run;
}

inline CliRun runCli(const QStringList &arguments, const QString &directory = QString())
{
    return runProcess(QStringLiteral(FASORIA_CLI), arguments, directory);
}

/// Runs a POSIX shell script in `directory` with $CLI naming the tool, for what QProcess cannot express: a
/// file-size limit in the child alone, or arguments that are not UTF-8.
inline CliRun runShell(const QString &script, const QString &directory)
{
    return runProcess(QStringLiteral("/bin/sh"), {QStringLiteral("-c"), script}, directory,
                      {{QStringLiteral("CLI"), QStringLiteral(FASORIA_CLI)}});
}

// A circuit file with the given gate objects (JSON text) on `qubits` qubits.
inline QByteArray circuitFile(int qubits, const QByteArray &gates)
{
    return R"({"format":"FasoriaCircuit","version":1,"qubits":)" + QByteArray::number(qubits) + R"(,"gates":[)" +
           gates + "]}";
}
