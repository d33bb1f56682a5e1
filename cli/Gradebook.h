#pragma once

#include "core/Language.h"
#include "curriculum/Diagnostics.h"

#include <QByteArray>
#include <QString>
#include <QVector>

#include <optional>

namespace Fasoria::Cli {

/// One graded submission with the texts every report shows for it, in the chosen language.
struct GradeRow
{
    QString file;
    /// Absent when the file could not be read or parsed; message then holds the reader's error.
    std::optional<Diagnosis> diagnosis;
    QString verdict;
    /// The challenge's verdict message with the fidelity sentence, or the reader's error.
    QString message;
    /// Empty when there is nothing to explain.
    QString diagnostics;
};

/// The grading of one challenge, ready to print.
struct Gradebook
{
    /// What the page is titled after: the lesson's title, or a challenge file's goal.
    QString title;
    /// The goal shown under the title; empty when the title already is the goal.
    QString goal;
    Language language = English;
    QVector<GradeRow> rows;
};

/// The terminal listing: per file "file, verdict, fidelity %, message" separated by tabs, then an indented
/// diagnostics line when there is something to explain.
QByteArray gradebookListing(const Gradebook &book);

/// CSV (RFC 4180 quoting) with the columns file, status code, verdict, fidelity in percent, gate count,
/// diagnostics; status, fidelity and gates are empty for an unreadable file. Cells that a spreadsheet
/// would run as a formula are prefixed with an apostrophe.
QByteArray gradebookCsv(const Gradebook &book);

/// A self-contained printable HTML page (inline style, every text escaped) with the title, the goal, the
/// number solved and one table row per file.
QByteArray gradebookHtml(const Gradebook &book);

} // namespace Fasoria::Cli
