#include "ui/commands/WorksheetCommands.h"

#include "education/model/StudySession.h"
#include "education/print/WorksheetDocument.h"
#include "ui/model/Experiment.h"
#include "ui/widgets/Prompts.h"

#include <QDir>
#include <QPageLayout>
#include <QPageSize>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QTextDocument>

#include <exception>

namespace Fasoria {

namespace {

constexpr TextPair kPdfTitle = {"Esporta scheda come PDF", "Export worksheet as PDF"};
const char *const kPdfProposedName = "Fasoria_worksheet.pdf";
const char *const kPdfFilter = "PDF (*.pdf)";
constexpr TextPair kPrintTitle = {"Stampa scheda", "Print worksheet"};
const char *const kMessageTitle = "Fasoria";

} // namespace

WorksheetCommands::WorksheetCommands(const Experiment &experiment, const StudySession &session, const Prompts &prompts,
                                     QWidget *window, QObject *parent)
    : QObject(parent), m_experiment(experiment), m_session(session), m_prompts(prompts), m_window(window)
{}

WorksheetInput WorksheetCommands::input() const
{
    WorksheetInput input = m_session.worksheetInput(m_language);
    addWorksheetPictures(input, m_language, m_experiment.workingCircuit() != nullptr);
    return input;
}

bool WorksheetCommands::exportPdf(const QString &path)
{
    const QString target =
        path.isEmpty() ? m_prompts.saveFileName(uiText(kPdfTitle, m_language), QString::fromLatin1(kPdfProposedName),
                                                QString::fromLatin1(kPdfFilter), worksheetPdfName, m_language)
                       : worksheetPdfName(path);
    if (target.isEmpty()) {
        return false;
    }
    QString error;
    if (!saveWorksheetPdf(target, input(), m_language, &error)) {
        m_prompts.message(QMessageBox::Warning, QString::fromLatin1(kMessageTitle), error);
        return false;
    }
    emit statusMessage(QDir::toNativeSeparators(target));
    return true;
}

void WorksheetCommands::print()
{
    // Built before the dialog opens: a worksheet that cannot be built is refused with nothing shown.
    WorksheetInput sheet;
    try {
        sheet = input();
        worksheetDocument(sheet, m_language);
    } catch (const std::exception &refusal) {
        m_prompts.message(QMessageBox::Warning, QString::fromLatin1(kMessageTitle), QString::fromUtf8(refusal.what()));
        return;
    }
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setDocName(QStringLiteral("Fasoria"));
    QPrintPreviewDialog preview(&printer, m_window);
    preview.setObjectName(QStringLiteral("m_worksheetPreview"));
    preview.setWindowTitle(uiText(kPrintTitle, m_language));
    const Language language = m_language;
    connect(&preview, &QPrintPreviewDialog::paintRequested, &preview,
            [&sheet, language](QPrinter *target) { printWorksheet(*target, sheet, language); });
    preview.exec();
}

} // namespace Fasoria
