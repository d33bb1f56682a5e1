#pragma once

#include "core/Language.h"

#include <QDialog>

class QCloseEvent;
class QPlainTextEdit;
class QPushButton;

/// The program's distribution terms, read-only, from the compiled-in text of the interface language. A
/// separate, non-modal window that deletes itself when closed; its geometry is kept in "license/geometry",
/// saved when it closes and when it is destroyed, and restored when a new one is built.
class LicenseDialog : public QDialog
{
    Q_OBJECT

public:
    explicit LicenseDialog(Fasoria::Language language, QWidget *parent = nullptr);
    ~LicenseDialog() override;

    Fasoria::Language language() const { return m_language; }
    /// Shows the terms and the window's texts in `language`.
    void setLanguage(Fasoria::Language language);

    /// Every way of closing (the Close button, Escape, the window's close button) saves the geometry.
    void done(int result) override;

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void saveGeometrySetting() const;

    Fasoria::Language m_language = Fasoria::Italian;
    QPlainTextEdit *m_licenseView = nullptr;
    QPushButton *m_closeButton = nullptr;
};
