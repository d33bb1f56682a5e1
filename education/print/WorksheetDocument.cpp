#include "education/print/WorksheetDocument.h"

#include "core/StateVector.h"
#include "editor/AtomicSave.h"
#include "editor/FilePath.h"
#include "ui/model/ChartModel.h"
#include "ui/views/ChartPicture.h"
#include "ui/views/CircuitPicture.h"

#include <QBuffer>
#include <QFont>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QTextDocument>
#include <QUrl>

#include <exception>

namespace Fasoria {

namespace {

// Pictures are drawn at twice their size so that they stay sharp on paper.
constexpr double kPrintScale = 2.0;
constexpr int kPdfResolution = 300;
constexpr double kPageMarginMillimetres = 15.0;

WorksheetPicture pictureOf(const QByteArray &svg, const QImage &image)
{
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return {svg, png, qRound(image.width() / kPrintScale), qRound(image.height() / kPrintScale)};
}

} // namespace

void addWorksheetPictures(WorksheetInput &input, Language language, bool isWorkingCircuit)
{
    const CircuitPictureRequest request{input.circuit, input.currentStep, input.lastOutcome >= 0, language,
                                        isWorkingCircuit};
    const StateVector state = replayPrefix(input.circuit, input.currentStep);
    const bool counted = input.lastShotsTotal != 0;
    const ChartData chart =
        chartData(state, counted ? &input.lastShotsCounts : nullptr, input.lastShotsTotal, input.lastOutcome, false);
    WorksheetPicture circuit = pictureOf(circuitSvg(request), circuitImage(request, kPrintScale));
    WorksheetPicture probabilities = pictureOf(chartSvg(chart, language), chartImage(chart, language, kPrintScale));
    input.circuitPicture = std::move(circuit);
    input.chartPicture = std::move(probabilities);
}

std::unique_ptr<QTextDocument> worksheetDocument(const WorksheetInput &input, Language language)
{
    auto document = std::make_unique<QTextDocument>();
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPointSizeF(9.5);
    document->setDefaultFont(font);
    const std::pair<const char *, const WorksheetPicture *> pictures[] = {{kCircuitPictureName, &input.circuitPicture},
                                                                          {kChartPictureName, &input.chartPicture}};
    for (const auto &[name, picture] : pictures) {
        if (!picture->png.isEmpty()) {
            document->addResource(QTextDocument::ImageResource, QUrl(QString::fromLatin1(name)),
                                  QImage::fromData(picture->png, "PNG"));
        }
    }
    document->setHtml(buildWorksheet(input, language, WorksheetPictures::Resources));
    return document;
}

void printWorksheet(QPagedPaintDevice &device, const WorksheetInput &input, Language language)
{
    const std::unique_ptr<QTextDocument> document = worksheetDocument(input, language);
    document->print(&device);
}

QString worksheetPdfName(const QString &chosenName)
{
    return withFileEnding(chosenName, ".pdf", ".pdf");
}

bool saveWorksheetPdf(const QString &path, const WorksheetInput &input, Language language, QString *error)
{
    QByteArray pdf;
    try {
        // The document is built first: a refused input writes nothing.
        const std::unique_ptr<QTextDocument> document = worksheetDocument(input, language);
        QBuffer buffer(&pdf);
        buffer.open(QIODevice::WriteOnly);
        QPdfWriter writer(&buffer);
        writer.setTitle(QStringLiteral("Fasoria"));
        writer.setCreator(QStringLiteral("Fasoria"));
        writer.setResolution(kPdfResolution);
        writer.setPageLayout(QPageLayout(
            QPageSize(QPageSize::A4), QPageLayout::Portrait,
            QMarginsF(kPageMarginMillimetres, kPageMarginMillimetres, kPageMarginMillimetres, kPageMarginMillimetres),
            QPageLayout::Millimeter));
        document->print(&writer);
    } catch (const std::exception &refusal) {
        if (error) {
            *error = QString::fromUtf8(refusal.what());
        }
        return false;
    }
    return saveFileAtomically(path, pdf, error);
}

} // namespace Fasoria
