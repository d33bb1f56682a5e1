#pragma once

#include "core/Language.h"
#include "education/model/Worksheet.h"

#include <QString>

#include <memory>

class QPagedPaintDevice;
class QTextDocument;

namespace Fasoria {

/// Draws the worksheet's pictures with the window's own views: the circuit at the shown stage (the measured
/// mark after a single measurement) and the probability chart of that stage with the last preparations and
/// the measured outcome. Throws what the views throw for a circuit they cannot draw.
void addWorksheetPictures(WorksheetInput &input, Language language, bool isWorkingCircuit);

/// The worksheet as a document to print: its page with the pictures as the document's own images, the
/// program's font, and the rows of a table kept whole on a page. Throws what buildWorksheet throws.
std::unique_ptr<QTextDocument> worksheetDocument(const WorksheetInput &input, Language language);

/// Prints the worksheet on `device` with its page size (a printer's settings, or A4 for a PDF).
void printWorksheet(QPagedPaintDevice &device, const WorksheetInput &input, Language language);

/// The name a PDF worksheet is written under: as chosen when it ends in ".pdf" (any letter case), otherwise
/// with ".pdf" appended.
QString worksheetPdfName(const QString &chosenName);

/// Writes the worksheet as an A4 PDF through the atomic save: false with the builder's message or the file's
/// error text in *error, the previous file untouched.
bool saveWorksheetPdf(const QString &path, const WorksheetInput &input, Language language, QString *error);

} // namespace Fasoria
