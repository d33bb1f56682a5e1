#include "Help/dialog/LicenseDialog.h"

#include "Help/model/HelpModel.h"
#include "ui/widgets/AccessibleNames.h"

#include <QCloseEvent>
#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QFontInfo>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSettings>
#include <QVBoxLayout>

using namespace Fasoria;

namespace {

constexpr TextPair kCloseText = {"Chiudi", "Close"};
// The terms are plain text broken at 78 columns; the view shows a line whole with room to spare.
constexpr int kColumns = 84;
constexpr int kDefaultHeight = 560;

} // namespace

LicenseDialog::LicenseDialog(Language language, QWidget *parent) : QDialog(parent), m_language(language)
{
    setObjectName(QStringLiteral("LicenseDialog"));
    // A window of its own beside the main window, with the usual title-bar buttons, not a dialog box.
    setWindowFlags(Qt::Window);
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(false);

    auto *rootLayout = new QVBoxLayout(this);
    m_licenseView = new QPlainTextEdit(this);
    m_licenseView->setTabChangesFocus(true);
    m_licenseView->setObjectName(QStringLiteral("m_licenseView"));
    m_licenseView->setReadOnly(true);
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    if (!QFontInfo(font).fixedPitch()) {
        // Not every platform names a fixed font; the font matcher finds one for the generic family.
        font.setFamily(QStringLiteral("monospace"));
        font.setStyleHint(QFont::TypeWriter);
    }
    m_licenseView->setFont(font);
    rootLayout->addWidget(m_licenseView);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    buttons->setObjectName(QStringLiteral("m_buttons"));
    m_closeButton = buttons->button(QDialogButtonBox::Close);
    m_closeButton->setObjectName(QStringLiteral("m_closeButton"));
    rootLayout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    const int margins = rootLayout->contentsMargins().left() + rootLayout->contentsMargins().right();
    const int frame =
        2 * m_licenseView->frameWidth() + 2 * static_cast<int>(m_licenseView->document()->documentMargin());
    resize(m_licenseView->fontMetrics().averageCharWidth() * kColumns + margins + frame, kDefaultHeight);

    setLanguage(language);
    const QByteArray geometry = QSettings().value(QString::fromLatin1(kLicenseGeometryKey)).toByteArray();
    if (!geometry.isEmpty()) {
        restoreGeometry(geometry);
    }
}

LicenseDialog::~LicenseDialog()
{
    saveGeometrySetting();
}

void LicenseDialog::setLanguage(Language language)
{
    m_language = language;
    setWindowTitle(licenseWindowTitle(language));
    m_closeButton->setText(uiText(kCloseText, language));
    m_licenseView->setPlainText(licenseText(languageCode(language), language));
    nameFocusableWidgets(this);
}

void LicenseDialog::saveGeometrySetting() const
{
    QSettings().setValue(QString::fromLatin1(kLicenseGeometryKey), saveGeometry());
}

void LicenseDialog::done(int result)
{
    saveGeometrySetting();
    QDialog::done(result);
}

void LicenseDialog::closeEvent(QCloseEvent *event)
{
    // Accepted here rather than turned into reject() by QDialog, so that one close saves once.
    saveGeometrySetting();
    event->accept();
}
