#include "app/picture_saving.h"

#include "platform/choosers.h"
#include "app/folder_scan_progress.h"
#include "view/image_button.h"
#include "app/main_dialog_template.h"
#include "capture/camera_state.h"
#include "settings/app_settings.h"
#include "platform/prompt.h"
#include "images/save_paths.h"
#include "images/thumbnail_index.h"
#include "images/thumbnail_store.h"
#include "platform/language.h"
#include "platform/path_parts.h"
#include "platform/text_format.h"
#include "platform/atomic_file.h"
#include "platform/write_failure.h"

#include <QFileInfo>
#include <QStringList>

#include <unistd.h>

namespace {

QString ErrorCaption() {
    return QString::fromUtf8(Tr("error", "エラー"));
}

QString ConfirmCaption() {
    return QString::fromUtf8(Tr("confirm", "確認"));
}

bool FolderIsWritable(const std::string& folder) {
    return QFileInfo(QString::fromStdString(folder)).isDir() &&
           access(folder.c_str(), W_OK | X_OK) == 0;
}

} // namespace

PictureSaving::PictureSaving(PictureSavingContext context, CThumbNail& list, Prompt& prompt, Choosers& choosers)
    : m_ctx(std::move(context)), m_list(list), m_prompt(prompt), m_choosers(choosers) {}

void PictureSaving::tell(const QString& text) {
    m_prompt.ask(m_ctx.window, text.toStdString(), ErrorCaption().toStdString(), PromptButtons::Ok, PromptIcon::Warning);
}

CameraPause PictureSaving::pauseCamera() {
    CameraControl& camera = *m_ctx.camera;
    if (!camera.state().live())
        return CameraPause::KeepRunning; // not live: nothing to pause
    const CameraPause pause = CameraPauseFor(camera.state().name);
    if (pause == CameraPause::StopAndLiveAgain)
        camera.OnLive();
    else if (pause == CameraPause::PauseGraph)
        camera.Pause();
    return pause;
}

void PictureSaving::resumeCamera(CameraPause pause) {
    if (pause == CameraPause::StopAndLiveAgain)
        m_ctx.camera->OnLive();
    else if (pause == CameraPause::PauseGraph)
        m_ctx.camera->Resume();
}

std::string PictureSaving::quickSavePath() const {
    const int type = m_ctx.settings().m_FilterIndex;
    return JoinPath(m_ctx.settings().savedir, DefaultFileNameNow(PictureExtension(type)));
}

bool PictureSaving::refuseLongPath(const std::string& path) {
    if (FitsPicturePathLimit(path))
        return false;
    tell(QString::fromUtf8(Tr("The file name is too long. The picture was not saved.\n%1",
                              "ファイル名が長すぎるため、画像を保存できませんでした。\n%1"))
             .arg(QString::fromStdString(path)));
    return true;
}

SaveResult PictureSaving::saveTo(const std::string& path, int type) {
    if (refuseLongPath(path))
        return SaveResult::WriteFailed;
    OverlayBurnIn burn;
    if (m_burnIn && m_ctx.burnIn)
        burn = m_ctx.burnIn;
    const SaveResult result = SaveImage(m_list, path, *m_ctx.picture, type, burn);
    switch (result) {
    case SaveResult::Written:
        break;
    case SaveResult::UnknownType:
        tell(QString::fromUtf8(
                 Tr("The picture was not saved: the file type %1 set in the settings is unknown.",
                    "設定のファイル形式 %1 が不明なため、画像を保存しませんでした。"))
                 .arg(type));
        break;
    case SaveResult::NoPicture:
        tell(QString::fromUtf8(
                 Tr("The picture could not be saved.\n%1", "画像を保存できませんでした。\n%1"))
                 .arg(QString::fromStdString(path)));
        break;
    case SaveResult::WriteFailed:
        tell(QString::fromUtf8(
                 Tr("The picture could not be saved.\n%1", "画像を保存できませんでした。\n%1"))
                 .arg(QString::fromStdString(path)) +
             QLatin1Char('\n') + QString::fromStdString(WriteFailureReason(LastWriteError())));
        break;
    }
    if (m_ctx.thumbnailsChanged)
        m_ctx.thumbnailsChanged();
    return result;
}

void PictureSaving::OnSave() {
    AppSettings& s = m_ctx.settings();
    const CameraPause pause = pauseCamera();
    FileRequest request;
    request.title = Tr("Save as", "保存先指定");
    for (const PictureSaveFilter& f : PictureSaveFilters())
        request.filters.push_back({g_bJapanese ? f.japanese : f.english, f.pattern});
    request.filterIndex = s.m_FilterIndex;
    request.fileName = JoinPath(s.savedir, DefaultFileNameNow(""));
    request.defaultExtension = "bmp";
    request.confirmOverwrite = true;
    const std::optional<FileChoice> choice = m_choosers.saveFile(m_ctx.window, request);
    if (choice) {
        s.m_FilterIndex = choice->filterIndex;
        const std::string& chosen = choice->path;
        const std::string path = SavePathForType(chosen, s.m_FilterIndex);
        // The dialog asked about the name it showed; a ".jpg" put in place of a typed
        // extension may name another existing file.
        bool go = true;
        if (path != chosen && QFileInfo::exists(QString::fromStdString(path)))
            go = m_prompt.ask(m_ctx.window,
                              QString::fromUtf8(Tr("%1 already exists.\nDo you want to replace it?",
                                                   "%1 は既に存在します。\n上書きしますか？"))
                                  .arg(QString::fromStdString(path))
                                  .toStdString(),
                              ConfirmCaption().toStdString(), PromptButtons::YesNo,
                              PromptIcon::Warning) == PromptAnswer::Yes;
        if (go && !refuseLongPath(path)) {
            const std::string folder = FolderOfPath(path);
            if (!SameFolder(folder, s.savedir))
                changeFolder(folder);
            saveTo(path, s.m_FilterIndex);
        }
    }
    resumeCamera(pause);
}

void PictureSaving::OnQuickSave() {
    const CameraPause pause = pauseCamera();
    saveTo(quickSavePath(), m_ctx.settings().m_FilterIndex);
    resumeCamera(pause);
}

void PictureSaving::OnF12() {
    saveTo(quickSavePath(), m_ctx.settings().m_FilterIndex);
}

void PictureSaving::OnDir() {
    FileRequest request;
    request.title = "フォルダを選択して下さい";
    request.fileName = m_ctx.settings().savedir;
    const std::optional<std::string> chosen = m_choosers.chooseFolder(m_ctx.window, request);
    if (!chosen)
        return;
    const std::string& folder = *chosen;
    if (!FolderIsWritable(folder)) {
        tell(QString::fromUtf8(
                 Tr("Pictures cannot be saved in this folder. Choose another folder.\n%1",
                    "このフォルダには画像を保存できません。別のフォルダを選択して下さい。\n%1"))
                 .arg(QString::fromStdString(folder)));
        return;
    }
    // The longest name a save gives: the 14-digit default name and ".jpeg".
    if (!FitsPicturePathLimit(JoinPath(folder, "00000000000000.jpeg"))) {
        tell(QString::fromUtf8(Tr("The folder path is too long. Choose another folder.\n%1",
                                  "フォルダのパスが長すぎます。別のフォルダを選択して下さい。\n%1"))
                 .arg(QString::fromStdString(folder)));
        return;
    }
    changeFolder(folder);
}

void PictureSaving::OnType() {
    m_burnIn = !m_burnIn;
    if (m_ctx.typeButton)
        m_ctx.typeButton->setCellOrigin(QPoint(m_burnIn ? 150 : 100, 159));
    m_ctx.window->update();
}

void PictureSaving::scanFolder(const std::string& folder) {
    m_list.LoadIndex(ThumbnailIndexPath(folder));
    FolderScanProgress progress(m_ctx.window, m_progressDelayMs);
    std::vector<std::string> unreadable;
    m_list.SyncWithFolder(folder, [&progress](int done, int total) { return progress(done, total); },
                          &unreadable);
    m_progressShown = progress.wasShown();
    // Once per scan, not once per decoder complaint.
    if (!unreadable.empty()) {
        QStringList names;
        for (const std::string& path : unreadable)
            names << QString::fromStdString(SplitPath(path).name + SplitPath(path).extension);
        qWarning("Mirelta: not readable as pictures, so without thumbnails, in %s: %s", folder.c_str(),
                 qPrintable(names.join(QStringLiteral(", "))));
    }
}

void PictureSaving::loadThumbnails(int progressDelayMs) {
    m_progressDelayMs = progressDelayMs;
    m_list.thumbWidth = 140;
    m_list.thumbHeight = 105;
    m_list.RemoveAll();
    scanFolder(m_ctx.settings().savedir);
}

bool PictureSaving::saveIndex() {
    const std::string path = ThumbnailIndexPath(m_ctx.settings().savedir);
    // Written, or no thumbnails and so no index.
    return m_list.SaveIndex(path) == 1 || m_list.GetCount() == 0;
}

void PictureSaving::changeFolder(const std::string& folder) {
    saveIndex();
    m_list.RemoveAll();
    m_ctx.settings().savedir = folder;
    scanFolder(folder);
    if (m_ctx.thumbnailsChanged)
        m_ctx.thumbnailsChanged();
}
