// The superdense-coding pack of the seed corpus: two lessons, "sdc" (guided, six explained steps) and
// "sdc-challenge", under "L'entanglement al lavoro" / "Entanglement at work". The test target defines
// FASORIA_EDITOR_TEST_DATA as tests/editor/data.
#pragma once

#include "editor/LessonPack.h"

#include <QString>
#include <QtGlobal>

inline const QString kSuperdenseSeed =
    QStringLiteral(FASORIA_EDITOR_TEST_DATA "/lesson-pack-corpus/valid-superdense.lessons.json");

/// The seed pack as the reader gives it; a seed that no longer reads stops the test.
inline Fasoria::LessonPack superdenseSeedPack()
{
    Fasoria::LessonPack pack;
    QString error;
    if (!Fasoria::loadLessonPackFile(kSuperdenseSeed, pack, &error)) {
        qFatal("seed pack: %s", qPrintable(error));
    }
    return pack;
}
