// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "exchange/ContactExporter.h"

#include <QDialog>

class QButtonGroup;
class QComboBox;
class QRadioButton;

// "导出人脉": the ticked contacts or the whole list, as vCard or as a spreadsheet
// in UTF-8 or GB18030. The file name is asked for afterwards.
class CExportDlg : public QDialog {
    Q_OBJECT
  public:
    CExportDlg(int ticked, int listed, QWidget* parent = nullptr);

    bool tickedOnly() const;
    exchange::ExportFormat format() const;
    exchange::Encoding encoding() const;

    QRadioButton* tickedButton() const { return ticked_; }
    QRadioButton* allButton() const { return all_; }
    QRadioButton* csvButton() const { return csv_; }
    QComboBox* encodingBox() const { return encoding_; }

  private:
    QRadioButton* ticked_;
    QRadioButton* all_;
    QRadioButton* vcard_;
    QRadioButton* csv_;
    QComboBox* encoding_;
};
