// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "exchange/CsvMapping.h"
#include "exchange/ImportFile.h"
#include "exchange/ImportSummary.h"

#include <QWizard>

class Prompter;
class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QTableWidget;
class Settings;

// "导入人脉": the file, its encoding and what to do with contacts already
// there; then the first contacts of the file, and for a spreadsheet which
// column goes to which field. The mapping is remembered for the next import.
class CImportWizard : public QWizard {
    Q_OBJECT
  public:
    enum PageId { FilePage, MappingPage };

    CImportWizard(Prompter& prompter, Settings& settings, QWidget* parent = nullptr);

    // Starts on a file already chosen (a scripted run or a test).
    void setFile(const QString& path);

    const exchange::ImportFile& file() const { return file_; }
    exchange::Encoding encoding() const;
    exchange::DuplicatePolicy policy() const;
    void setPolicy(exchange::DuplicatePolicy policy);
    exchange::CsvMapping mapping() const;

    QLineEdit* pathEdit() const { return path_; }
    QComboBox* encodingBox() const { return encodingBox_; }
    QCheckBox* headerBox() const { return header_; }
    QTableWidget* preview() const { return preview_; }
    // The list of targets over column i of the preview.
    QComboBox* targetBox(int column) const;

    int nextId() const override;
    bool validateCurrentPage() override;

    static constexpr int kPreviewRows = 20;

  private:
    QWizardPage* buildFilePage();
    QWizardPage* buildMappingPage();
    void browse();
    // Reads what the file is; with tell, a file that cannot be imported is said.
    bool openFile(bool tell = true);
    void fillPreview();
    void fillCardPreview();
    void applyHeaderChoice();

    Prompter& prompter_;
    Settings& settings_;
    exchange::ImportFile file_;
    bool fileOpen_ = false;
    QString openedPath_;
    QList<QStringList> rows_;
    QStringList firstRow_;

    QLineEdit* path_ = nullptr;
    QLabel* format_ = nullptr;
    QComboBox* encodingBox_ = nullptr;
    QButtonGroup* policies_ = nullptr;
    QCheckBox* header_ = nullptr;
    QTableWidget* preview_ = nullptr;
    QWizardPage* mappingPage_ = nullptr;
};
