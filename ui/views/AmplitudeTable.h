#pragma once

#include "core/Language.h"
#include "core/Measurement.h"
#include "core/StateVector.h"

#include <QString>

#include <array>
#include <cstdint>

class QTableWidget;

/// The amplitude table: one row per basis state with its label, real and imaginary part, phase (with the
/// arrow of Education::PhaseDelegate), probability, and the count and frequency of the last repeated
/// preparations. Numbers always use a decimal point and never show a negative zero.
namespace AmplitudeTable {

constexpr int kColumnCount = 7;
constexpr int kStateColumn = 0;
constexpr int kPhaseColumn = 3;
constexpr int kFrequencyColumn = 6;
/// Amplitudes below this magnitude have no defined phase.
constexpr double kZeroAmplitude = 1e-12;

/// One-time set-up: seven columns, the phase delegate on column 3, rows 38 pixels high without a row header,
/// every column stretched except column 0 (sized to its contents), alternating colours, no editing, no
/// selection, and the fixed seventh header "Frequenza %". Throws invalid_argument for a null table.
void setUp(QTableWidget *table);

/// Headers 0..5 with their tooltips and the table's tooltip in `language`; the seventh header is left alone.
/// Throws invalid_argument for a null table.
void applyLanguage(QTableWidget *table, Fasoria::Language language);

/// The wording the learning lab gives the table: the frequency header in `language`, and the tool
/// tips that tell the observed frequency from the theoretical probability and explain the phase arrow.
/// Throws invalid_argument for a null table.
void applyLearningHeaders(QTableWidget *table, Fasoria::Language language);
/// No column narrower than its header text or the widest number in the table's current font; called by
/// applyLearningHeaders, and again whenever the font changes.
void fitColumnsToTexts(QTableWidget *table);

/// Fills one row per basis state of `state`, reusing the existing cell items, with updates suspended.
/// `shotsTotal` 0 means no preparations (counts and frequencies "-"); otherwise `histogram` must hold one
/// count per basis state. Throws invalid_argument for a null table or a histogram of the wrong size, before
/// changing anything.
void fill(QTableWidget *table, const Fasoria::StateVector &state, const Fasoria::Histogram &histogram,
          std::uint64_t shotsTotal);

/// The norm line under the table: the total probability with 9 decimals in its sentence.
QString normText(const Fasoria::StateVector &state, Fasoria::Language language);

/// The n-bit label of a basis index, q(n-1) first and q0 last ("10" is q1 = 1, q0 = 0).
QString basisLabel(std::uint64_t index, int qubits);

/// A real or imaginary part with 6 decimals.
QString componentText(double value);
/// The phase in degrees with 1 decimal, -180.0..180.0, or "-" below kZeroAmplitude.
QString phaseText(const Fasoria::Complex &amplitude);
/// A probability as a percentage with 2 decimals.
QString probabilityText(double probability);
/// The count, or "-" without preparations.
QString countText(std::uint64_t count, std::uint64_t shotsTotal);
/// count × 100 / shotsTotal with 2 decimals, or "-" without preparations.
QString frequencyText(std::uint64_t count, std::uint64_t shotsTotal);

/// The seven cell texts of basis state `index`.
std::array<QString, kColumnCount> rowTexts(const Fasoria::StateVector &state, std::uint64_t index,
                                           const Fasoria::Histogram &histogram, std::uint64_t shotsTotal);

} // namespace AmplitudeTable
