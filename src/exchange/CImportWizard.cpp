// SPDX-License-Identifier: GPL-3.0-or-later
#include "exchange/CImportWizard.h"

#include "base/Prompter.h"
#include "base/Settings.h"
#include "exchange/ImportTargets.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QVBoxLayout>

using namespace exchange;

namespace {

const QString kNotImported = QStringLiteral("(不导入)");

// The entries of the automatic choice and the two encodings.
enum EncodingChoice { Detected = 0, ChooseUtf8 = 1, ChooseGb18030 = 2 };

} // namespace

CImportWizard::CImportWizard(Prompter& prompter, Settings& settings, QWidget* parent)
    : QWizard(parent), prompter_(prompter), settings_(settings) {
    setObjectName(QStringLiteral("CImportWizard"));
    setWindowTitle(QStringLiteral("导入人脉"));
    setWizardStyle(QWizard::ClassicStyle);
    setOption(QWizard::NoBackButtonOnStartPage);
    setButtonText(QWizard::NextButton, QStringLiteral("下一步(&N) >"));
    setButtonText(QWizard::BackButton, QStringLiteral("< 上一步(&B)"));
    setButtonText(QWizard::FinishButton, QStringLiteral("导入(&I)"));
    setButtonText(QWizard::CancelButton, QStringLiteral("取消"));
    setPage(FilePage, buildFilePage());
    setPage(MappingPage, buildMappingPage());
    connect(this, &QWizard::currentIdChanged, this, [this](int id) {
        if (id != MappingPage)
            return;
        const bool csv = file_.format() == FileFormat::Csv;
        header_->setVisible(csv);
        mappingPage_->setTitle(csv ? QStringLiteral("各列对应的人脉字段")
                                   : QStringLiteral("文件中的人脉"));
        mappingPage_->setSubTitle(
            csv ? QStringLiteral("在每列上方选择它要导入到的字段; 下面是文件的前几行。"
                                 "本次的选择会记住, 下次导入同样的列时自动选好。")
                : QStringLiteral(
                      "vCard 名片的各项资料自动对应到人脉字段。下面是文件中的前几张名片。"));
    });
    resize(900, 580);
}

QWizardPage* CImportWizard::buildFilePage() {
    auto* page = new QWizardPage(this);
    page->setTitle(QStringLiteral("选择要导入的文件"));
    page->setSubTitle(
        QStringLiteral("手机、邮件程序导出的 vCard 名片 (.vcf), 或表格程序保存的 CSV 文件"));
    path_ = new QLineEdit(page);
    path_->setObjectName(QStringLiteral("path"));
    auto* browse = new QPushButton(QStringLiteral("浏览(&W)..."), page);
    connect(browse, &QPushButton::clicked, this, &CImportWizard::browse);
    connect(path_, &QLineEdit::textChanged, this, [this] {
        fileOpen_ = false;
        format_->clear();
    });
    // Leaving the field shows what the file is; a problem is said when going on.
    connect(path_, &QLineEdit::editingFinished, this, [this] {
        if (!path_->text().trimmed().isEmpty())
            openFile(false);
    });
    auto* pathRow = new QHBoxLayout;
    pathRow->addWidget(path_, 1);
    pathRow->addWidget(browse);

    format_ = new QLabel(page);
    format_->setObjectName(QStringLiteral("format"));
    encodingBox_ = new QComboBox(page);
    encodingBox_->setObjectName(QStringLiteral("encoding"));
    encodingBox_->addItems({QStringLiteral("自动识别"), QStringLiteral("UTF-8"),
                            QStringLiteral("GB18030 (GBK、GB2312)")});
    encodingBox_->setEnabled(false);
    connect(encodingBox_, &QComboBox::currentIndexChanged, this, [this] {
        if (fileOpen_ && file_.format() == FileFormat::Csv)
            fillPreview();
    });

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("文件:"), pathRow);
    form->addRow(QStringLiteral("格式:"), format_);
    form->addRow(QStringLiteral("编码:"), encodingBox_);

    auto* duplicates = new QGroupBox(
        QStringLiteral("已有的人脉 (手机号码、邮件地址相同, 或同一单位中姓名相同)"), page);
    policies_ = new QButtonGroup(page);
    auto* layout = new QVBoxLayout(duplicates);
    const QStringList choices = {QStringLiteral("跳过, 不导入"),
                                 QStringLiteral("合并: 只补充已有人脉中空白的资料"),
                                 QStringLiteral("仍作为新的人脉导入")};
    for (int i = 0; i < choices.size(); ++i) {
        auto* button = new QRadioButton(choices[i], duplicates);
        policies_->addButton(button, i);
        layout->addWidget(button);
    }
    policies_->button(int(DuplicatePolicy::Skip))->setChecked(true);

    auto* outer = new QVBoxLayout(page);
    outer->addLayout(form);
    outer->addSpacing(12);
    outer->addWidget(duplicates);
    outer->addStretch(1);
    return page;
}

QWizardPage* CImportWizard::buildMappingPage() {
    auto* page = new QWizardPage(this);
    mappingPage_ = page;
    header_ = new QCheckBox(QStringLiteral("第一行是列标题 (不作为人脉导入)"), page);
    header_->setObjectName(QStringLiteral("headerRow"));
    connect(header_, &QCheckBox::toggled, this, &CImportWizard::applyHeaderChoice);
    preview_ = new QTableWidget(page);
    preview_->setObjectName(QStringLiteral("preview"));
    preview_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    preview_->setSelectionMode(QAbstractItemView::NoSelection);
    preview_->verticalHeader()->setDefaultSectionSize(preview_->fontMetrics().height() + 8);
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(header_);
    layout->addWidget(preview_, 1);
    return page;
}

void CImportWizard::setFile(const QString& path) {
    path_->setText(path);
    openFile();
}

void CImportWizard::browse() {
    const QString chosen = QFileDialog::getOpenFileName(
        this, QStringLiteral("选择要导入的文件"),
        path_->text().isEmpty() ? QDir::homePath() : path_->text(),
        QStringLiteral("人脉文件 (*.vcf *.vcard *.csv *.txt);;所有文件 (*)"));
    if (!chosen.isEmpty())
        setFile(chosen);
}

bool CImportWizard::openFile(bool tell) {
    const QString path = path_->text().trimmed();
    if (fileOpen_ && path == openedPath_)
        return true;
    fileOpen_ = false;
    if (path.isEmpty()) {
        if (tell)
            prompter_.inform(QStringLiteral("请选择要导入的文件!"));
        return false;
    }
    if (!file_.open(path)) {
        format_->setText(file_.error());
        if (tell)
            prompter_.inform(file_.error());
        return false;
    }
    fileOpen_ = true;
    openedPath_ = path;
    const bool csv = file_.format() == FileFormat::Csv;
    encodingBox_->setEnabled(csv);
    encodingBox_->setItemText(
        Detected, csv ? QStringLiteral("自动识别 (%1)").arg(encodingName(file_.detectedEncoding()))
                      : QStringLiteral("自动识别"));
    if (!csv) {
        format_->setText(QStringLiteral("vCard 名片"));
        fillCardPreview();
        return true;
    }
    const QChar sep = file_.separator();
    format_->setText(QStringLiteral("CSV 表格 (%1分隔)")
                         .arg(sep == u'\t'  ? QStringLiteral("制表符")
                              : sep == u';' ? QStringLiteral("分号")
                                            : QStringLiteral("逗号")));
    fillPreview();
    return true;
}

Encoding CImportWizard::encoding() const {
    switch (encodingBox_->currentIndex()) {
    case ChooseUtf8:
        return Encoding::Utf8;
    case ChooseGb18030:
        return Encoding::Gb18030;
    default:
        return file_.detectedEncoding();
    }
}

DuplicatePolicy CImportWizard::policy() const {
    return DuplicatePolicy(policies_->checkedId());
}

void CImportWizard::setPolicy(DuplicatePolicy policy) {
    policies_->button(int(policy))->setChecked(true);
}

void CImportWizard::fillPreview() {
    rows_.clear();
    firstRow_.clear();
    if (!file_.preview(encoding(), kPreviewRows + 1, &rows_)) {
        prompter_.inform(file_.error());
        preview_->clear();
        preview_->setRowCount(0);
        preview_->setColumnCount(0);
        return;
    }
    firstRow_ = rows_.value(0);
    qsizetype columns = 0;
    for (const QStringList& row : rows_)
        columns = qMax(columns, row.size());
    const CsvMapping guess = CsvMapping::guess(firstRow_, CsvMapping::remembered(settings_));
    preview_->clear();
    preview_->horizontalHeader()->setStretchLastSection(false);
    preview_->setColumnCount(int(columns));
    preview_->setRowCount(int(rows_.size()) + 1);
    QStringList choices{kNotImported};
    for (const ImportTarget& t : targets::all())
        choices << t.label;
    for (int c = 0; c < columns; ++c) {
        auto* box = new QComboBox(preview_);
        box->setObjectName(QStringLiteral("target%1").arg(c));
        box->addItems(choices);
        box->setMaxVisibleItems(20);
        // A short list that scrolls, not a popup over the whole screen.
        box->setStyleSheet(QStringLiteral("combobox-popup: 0;"));
        const QString id = guess.targets.value(c);
        int index = 0;
        for (int i = 0; i < targets::all().size(); ++i)
            if (targets::all().at(i).id == id)
                index = i + 1;
        box->setCurrentIndex(index);
        preview_->setCellWidget(0, c, box);
    }
    for (int r = 0; r < rows_.size(); ++r)
        for (int c = 0; c < rows_[r].size(); ++c) {
            // Line breaks inside a field show as one line in the preview.
            QString text = rows_[r][c];
            text.replace(u'\n', QChar(0x21B5)).remove(u'\r');
            preview_->setItem(r + 1, c, new QTableWidgetItem(text));
        }
    header_->blockSignals(true);
    header_->setChecked(guess.headerRow);
    header_->blockSignals(false);
    applyHeaderChoice();
    preview_->resizeColumnsToContents();
    for (int c = 0; c < columns; ++c)
        preview_->setColumnWidth(c, qBound(120, preview_->columnWidth(c), 260));
}

void CImportWizard::fillCardPreview() {
    // A card's fields need no choosing: the first cards are shown as they will be read.
    static const QStringList columns = {"base_name", "base_mobil", "base_email", "work_name",
                                        "work_duty_code"};
    auto source = file_.vcardSource({});
    preview_->clear();
    preview_->setColumnCount(int(columns.size()));
    preview_->setRowCount(0);
    QStringList labels;
    for (const QString& c : columns)
        labels << targets::labelOf(c);
    preview_->setHorizontalHeaderLabels(labels);
    IncomingContact contact;
    QStringList rowLabels;
    while (preview_->rowCount() < kPreviewRows && source->next(contact)) {
        const int r = preview_->rowCount();
        preview_->insertRow(r);
        rowLabels << QStringLiteral("第 %1 行").arg(contact.line);
        for (int c = 0; c < columns.size(); ++c)
            preview_->setItem(r, c, new QTableWidgetItem(contact.record.value(columns[c])));
        if (!contact.refusal.isEmpty())
            preview_->setItem(r, 0,
                              new QTableWidgetItem(QStringLiteral("(%1)").arg(contact.refusal)));
    }
    preview_->setVerticalHeaderLabels(rowLabels);
    preview_->resizeColumnsToContents();
    for (int c = 0; c < columns.size(); ++c)
        preview_->setColumnWidth(c, qBound(100, preview_->columnWidth(c), 240));
    preview_->horizontalHeader()->setStretchLastSection(true);
}

void CImportWizard::applyHeaderChoice() {
    const bool headings = header_->isChecked();
    QStringList labels;
    QStringList rowLabels{QStringLiteral("导入到")};
    for (int c = 0; c < preview_->columnCount(); ++c)
        labels << (headings ? firstRow_.value(c) : QStringLiteral("第 %1 列").arg(c + 1));
    preview_->setHorizontalHeaderLabels(labels);
    // The headings row is shown greyed: it is not imported.
    for (int r = 1; r < preview_->rowCount(); ++r) {
        const int fileRow = r - 1;
        const bool skipped = headings && fileRow == 0;
        rowLabels << (skipped ? QStringLiteral("标题") : QString::number(headings ? fileRow : r));
        for (int c = 0; c < preview_->columnCount(); ++c)
            if (QTableWidgetItem* item = preview_->item(r, c))
                item->setForeground(skipped ? palette().color(QPalette::Disabled, QPalette::Text)
                                            : palette().color(QPalette::Text));
    }
    preview_->setVerticalHeaderLabels(rowLabels);
}

QComboBox* CImportWizard::targetBox(int column) const {
    return qobject_cast<QComboBox*>(preview_->cellWidget(0, column));
}

CsvMapping CImportWizard::mapping() const {
    CsvMapping m;
    m.headerRow = header_->isChecked();
    for (int c = 0; c < preview_->columnCount(); ++c) {
        const QComboBox* box = targetBox(c);
        const int index = box ? box->currentIndex() : 0;
        m.targets << (index > 0 ? targets::all().at(index - 1).id : QString());
    }
    return m;
}

int CImportWizard::nextId() const {
    return currentId() == FilePage ? MappingPage : -1;
}

bool CImportWizard::validateCurrentPage() {
    if (currentId() == FilePage) {
        if (!openFile())
            return false;
        return true;
    }
    if (currentId() == MappingPage && file_.format() == FileFormat::Csv) {
        const CsvMapping m = mapping();
        const bool named = m.targets.contains(QStringLiteral("base_name")) ||
                           m.targets.contains(targets::kFamilyName) ||
                           m.targets.contains(targets::kGivenName);
        if (!named) {
            prompter_.inform(QStringLiteral("请指定哪一列是姓名!"));
            return false;
        }
        CsvMapping::remember(settings_, firstRow_, m);
    }
    return true;
}
