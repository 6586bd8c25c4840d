// The main window's results commands: the results list's buttons, the calibration
// choice and window, CSV and data-file export, loading results.
#include "app/measure_dlg.h"

#include "app/main_dialog_template.h"
#include "app/result_list_view.h"
#include "app/window_placement.h"
#include "calib/apply_calibration.h"
#include "calib/calibration_set.h"
#include "model/result_csv.h"
#include "platform/atomic_file.h"
#include "platform/choosers.h"
#include "platform/language.h"
#include "platform/path_parts.h"
#include "platform/prompt.h"
#include "platform/text_format.h"
#include "platform/write_failure.h"
#include "view/color_set.h"

#include <QAbstractButton>
#include <QComboBox>

void CMeasureDlg::connectResultCommands() {
    connect(m_resultList, &CResultListView::recordSelectionChanged, this, &CMeasureDlg::invalidatePicture);
    if (auto* b = qobject_cast<QAbstractButton*>(item(idc::Delete)))
        connect(b, &QAbstractButton::clicked, this, &CMeasureDlg::OnDelete);
    if (auto* b = qobject_cast<QAbstractButton*>(item(idc::Csv)))
        connect(b, &QAbstractButton::clicked, this, &CMeasureDlg::OnCsv);
    if (auto* b = qobject_cast<QAbstractButton*>(item(idc::LoadResults)))
        connect(b, &QAbstractButton::clicked, this, &CMeasureDlg::OnLoadResults);
    if (auto* b = qobject_cast<QAbstractButton*>(item(idc::Calib)))
        connect(b, &QAbstractButton::clicked, this, &CMeasureDlg::OnCalib);
    connect(itemAs<QComboBox>(idc::CalibCombo), &QComboBox::currentIndexChanged, this,
            &CMeasureDlg::ApplyCalibration);
}

void CMeasureDlg::ApplyCalibration() {
    const CALIBRATION* c = selectedCalibration();
    if (c == nullptr)
        return;
    ApplyCalibrationToMeasurements(*c, m_settings.m_ScaleData, m_MeasureChain, m_display);
    m_resultList->RewriteAll();
    if (m_colorSet)
        m_colorSet->refreshCalibratedGrid();
    emit calibrationChanged();
    setFocus();
    invalidatePicture();
}

void CMeasureDlg::RebuildResultList() { m_resultList->RebuildResultList(); }

void CMeasureDlg::OnDelete() {
    if (m_resultList->rowCount() == 0)
        return;
    const std::vector<MEASURE*> records = m_resultList->selectedRecords();
    if (!records.empty()) {
        // The rows go first: they point at the records about to be freed.
        m_resultList->ClearRows();
        RemoveRecords(m_MeasureChain, records);
        m_MeasureChain.Renumber();
        RebuildResultList();
        invalidatePicture();
        return;
    }
    const std::string text = Tr("Are all items deleted ?", "全てのアイテムを削除しますか？");
    const std::string caption = Tr("confirm", "確認");
    if (m_prompt->ask(this, text, caption, PromptButtons::YesNo, PromptIcon::Question) != PromptAnswer::Yes)
        return;
    ResetTool(0); // the measurement being drawn is dropped too
    m_resultList->ClearRows();
    m_MeasureChain.RemoveAll();
    invalidatePicture();
}

namespace {

// The folder of a chosen file, as kept in savedir2: without its trailing '/'
// (the root folder stays "/").
std::string FolderWithoutSlash(const std::string& folder) {
    if (folder.size() > 1 && folder.back() == '/')
        return folder.substr(0, folder.size() - 1);
    return folder;
}

} // namespace

void CMeasureDlg::reportWriteFailure(const std::string& path, int error) {
    const std::string text =
        Tr("The file could not be written:\n", "ファイルを書き込めませんでした：\n") + path + "\n" + WriteFailureReason(error);
    m_prompt->ask(this, text, Tr("error", "エラー"), PromptButtons::Ok, PromptIcon::Warning);
}

void CMeasureDlg::OnCsv() {
    FileRequest request;
    request.title = Tr("Save as", "保存先指定");
    request.filters = {{Tr("CSV File(*.csv)", "CSVファイル(*.csv)"), "*.csv"},
                       {Tr("Data File(*.mes)", "データファイル(*.mes)"), "*.mes"}};
    request.filterIndex = 1;
    request.fileName = JoinPath(m_settings.savedir2, DefaultFileNameNow(".csv"));
    request.defaultExtension = "csv";
    request.confirmOverwrite = true;
    const std::optional<FileChoice> choice = m_choosers->saveFile(this, request);
    if (!choice || choice->path.empty())
        return;
    const std::string& path = choice->path;
    const PathParts parts = SplitPath(path);
    m_settings.savedir2 = FolderWithoutSlash(parts.folder);

    if (choice->filterIndex == 2) {
        const std::string mes = parts.folder + parts.name + ".mes";
        if (m_MeasureChain.GetCount() == 0) {
            // Nothing to keep; say so rather than leave the operator looking for a file.
            m_prompt->ask(this, Tr("There are no measurements to save.", "保存する計測結果がありません。"),
                          Tr("confirm", "確認"), PromptButtons::Ok, PromptIcon::Information);
            return;
        }
        if (m_MeasureChain.Write(mes) == 0)
            reportWriteFailure(mes, LastWriteError());
        return;
    }
    int error = 0;
    if (AppendCsvFile(path, m_resultList->rows(), g_bJapanese, &error) != CsvAppendResult::Written)
        reportWriteFailure(path, error);
}

void CMeasureDlg::OnLoadResults() {
    FileRequest request;
    request.title = Tr("Open file", "ファイルを開く");
    request.filters = {{Tr("Data File(*.mes)", "データファイル(*.mes)"), "*.mes"}};
    request.fileName = JoinPath(m_settings.savedir2, Tr("MES File", "MESファイル"));
    const std::optional<FileChoice> choice = m_choosers->openFile(this, request);
    if (!choice || choice->path.empty())
        return;
    const std::string& path = choice->path;
    // Rows point at the records the file may replace. A file that is not a
    // data file leaves the records as they are, and the rows come back.
    m_resultList->ClearRows();
    m_MeasureChain.Read(path);
    m_MeasureChain.Renumber();
    RebuildResultList();
    m_settings.savedir2 = FolderWithoutSlash(SplitPath(path).folder);
    invalidatePicture();
}

void CMeasureDlg::OnCalib() {
    if (m_CalibrationSet->isOpen())
        return;
    CALIBRATION* c = selectedCalibration();
    if (c == nullptr)
        return;
    m_CalibrationSet->open(c, itemAs<QComboBox>(idc::CalibCombo), &m_display, &m_settings.m_CalibSet);
    PlaceNearCursor(*m_CalibrationSet, QPoint(-300, -150));
    invalidatePicture();
}
