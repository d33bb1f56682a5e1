#pragma once

#include "editor/ResultsExport.h"
#include "ui/model/Experiment.h"

#include <QDateTime>
#include <QString>

namespace Fasoria {

/// What the results document records of the experiment at its current stage: the shown circuit, the
/// generated algorithm or the read-only catalog lesson's record, the remembered file, the prediction, a
/// single measurement taken at this stage and the last repeated preparations (which a later single
/// measurement at the same stage does not discard).
ResultsInput resultsInput(const Experiment &experiment, const QDateTime &timestamp, const QString &version);

/// The name a results document is saved under: as chosen when it ends in ".json" (any letter case),
/// otherwise with ".json" appended.
QString resultsFileName(const QString &chosenName);

} // namespace Fasoria
