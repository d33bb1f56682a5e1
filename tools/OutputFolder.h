// The folder every picture program writes into.
#pragma once

#include <QDir>
#include <QString>

#include <cstdio>

/// Takes the only argument as the output folder and creates it when missing. Returns 0, or the exit status
/// after saying why on standard error: 2 for wrong arguments, 1 for a folder that cannot be made.
inline int openOutputFolder(int argc, char **argv, QDir *folder)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT_DIRECTORY\n", argv[0]);
        return 2;
    }
    *folder = QDir(QString::fromLocal8Bit(argv[1]));
    if (!folder->mkpath(QStringLiteral("."))) {
        std::fprintf(stderr, "cannot create %s\n", argv[1]);
        return 1;
    }
    return 0;
}
