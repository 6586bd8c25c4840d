#include "app/measure_dlg.h"

#include "app/dialog_choosers.h"
#include "app/data_folders.h"
#include "view/image_button.h"
#include "app/main_dialog_template.h"
#include "app/main_layout.h"
#include "app/picture_saving.h"
#include "app/qmenu_popup.h"
#include "platform/prompt.h"
#include "app/resource_pictures.h"
#include "app/result_list_view.h"
#include "app/thumbnail_strip.h"
#include "app/tool_buttons.h"
#include "app/window_placement.h"
#include "view/direction_cursor.h"
#include "app/pan_handler.h"
#include "app/calibration_handler.h"
#include "app/edit_handler.h"
#include "app/edge_snapping.h"
#include "app/scale_bar_handler.h"
#include "app/tool_handler.h"
#include "app/cross_line_aid.h"
#include "app/focus_area_aid.h"
#include "app/focus_line_handler.h"
#include "view/focus_profile.h"
#include "calib/calibration_set.h"
#include "calib/magnification.h"
#include "calib/picture_layout.h"
#include "capture/live_view.h"
#include "platform/clock.h"
#include "platform/language.h"
#include "platform/string_table.h"
#include "platform/atomic_file.h"
#include "platform/write_failure.h"
#include "images/thumbnail_index.h"
#include "view/color_set.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QScrollBar>
#include <QTreeWidget>

namespace {

const char* kTitle = "Mirelta Version 1.658";

// Cells of the button sheet, by control.
struct SheetCell {
    int id;
    int x;
    int y;
};
constexpr SheetCell kSheetCells[] = {
    {idc::Line, 0, 0},        {idc::Aria, 50, 0},      {idc::Circle, 100, 0},
    {idc::Circle2, 150, 0},   {idc::Live, 0, 53},      {idc::Color, 100, 53},
    {idc::Calib, 150, 53},    {idc::Delete, 0, 106},   {idc::Csv, 100, 106},
    {idc::SaveImage, 150, 106}, {idc::SaveDir, 0, 159}, {idc::Set, 50, 159},
    {idc::Type, 100, 159},    {idc::Thumb, 0, 211},    {idc::Sui, 50, 211},
    {idc::Angle, 100, 211},   {idc::LoadResults, 50, 264}, {idc::CrossLine, 100, 264},
    {idc::FocusArea, 50, 318},
};

QRect ToQRect(const IntRect& r) { return QRect(r.left, r.top, r.width(), r.height()); }

} // namespace

CMeasureDlg::CMeasureDlg(const MeasureDlgOptions& options, QWidget* parent)
    : QDialog(parent), m_prompt(options.prompt),
      m_ownChoosers(options.choosers ? nullptr : std::make_unique<DialogChoosers>()),
      m_choosers(options.choosers ? options.choosers : m_ownChoosers.get()),
      m_ownMenu(options.popupMenu ? nullptr : std::make_unique<QMenuPopup>()),
      m_popupMenu(options.popupMenu ? options.popupMenu : m_ownMenu.get()),
      m_thumbnailProgressDelayMs(options.thumbnailProgressDelayMs),
      m_settingsPath(options.settingsPath.empty() ? SettingsFilePath() : options.settingsPath),
      m_dataFolder(options.dataFolder) {
    if (options.dpi) {
        m_scale = *options.dpi;
    } else {
        m_scale.dpiX = logicalDpiX() > 0 ? logicalDpiX() : 96;
        m_scale.dpiY = logicalDpiY() > 0 ? logicalDpiY() : 96;
    }
    setWindowFlags(Qt::Window | Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint);
    setAccessibleName(QString::fromUtf8(kTitle));
    m_timerTitle.setInterval(100);
    m_timerCamera.setInterval(300);
    m_timerCamera.setSingleShot(true); // stopped on entry, started again on exit
    connect(&m_timerTitle, &QTimer::timeout, this, &CMeasureDlg::onTitleTimer);
    connect(&m_timerCamera, &QTimer::timeout, this, &CMeasureDlg::onCameraTimer);
    // An old settings file beside the program moves to the user's folder once.
    MoveOldSettingsFile(options.oldSettingsPath.empty() ? ProgramFolder() + "Mirelta.ini"
                                                        : options.oldSettingsPath,
                        m_settingsPath);
    m_profile = std::make_unique<Profile>(m_settingsPath);
    if (options.cameras) {
        m_live = new LiveView(*this, m_settings, *m_profile, m_display, *m_prompt, *options.cameras);
        m_camera = m_live;
    }
    if (options.camera)
        m_camera = options.camera;
    loadPictures();
    createControls();
    PictureSavingContext saving;
    saving.window = this;
    saving.settingsBlock = &m_settings;
    saving.picture = &m_display;
    saving.camera = m_camera;
    saving.burnIn = [this](CDibImage& copy) { DrawOverlayOntoImage(copy); };
    saving.typeButton = imageButton(idc::Type);
    saving.thumbnailsChanged = [this] {
        UpdateStripScroll();
        invalidateStrip();
    };
    m_saving = std::make_unique<PictureSaving>(std::move(saving), m_ThumbNail, *m_prompt, *m_choosers);
    ThumbnailStripContext strip;
    strip.window = this;
    strip.box = item(idc::StripGroup);
    strip.scroll = itemAs<QScrollBar>(idc::ThumbScroll);
    strip.scale = &m_scale;
    strip.surface = this;
    strip.camera = m_camera;
    strip.tile = &m_tile;
    strip.showPicture = [this](CDibImage* picture) {
        if (picture) {
            m_display = std::move(*picture);
            emit displayImageReplaced();
        }
        layoutPicture();
        update();
    };
    m_strip = std::make_unique<ThumbnailStrip>(std::move(strip), m_ThumbNail, *m_prompt, *m_popupMenu);
    connect(imageButton(idc::SaveImage), &QAbstractButton::clicked, this, [this] { m_saving->OnSave(); });
    connect(imageButton(idc::SaveImage), &ImageButton::rightClicked, this, [this] { m_saving->OnQuickSave(); });
    connect(imageButton(idc::SaveDir), &QAbstractButton::clicked, this, [this] { m_saving->OnDir(); });
    connect(imageButton(idc::Type), &QAbstractButton::clicked, this, [this] { m_saving->OnType(); });
    connect(imageButton(idc::Thumb), &QAbstractButton::clicked, this, [this] { m_strip->OnThumb(); });
    m_pictureHooks.thumbnails = [this] { return m_strip->entries(); };
    initDialog();
}

CMeasureDlg::~CMeasureDlg() { shutdown(); }

bool CMeasureDlg::panning() const { return m_pan && m_pan->panning(); }

QWidget* CMeasureDlg::item(int id) const {
    const auto it = m_items.find(id);
    return it == m_items.end() ? nullptr : it->second;
}

ImageButton* CMeasureDlg::imageButton(int id) const { return qobject_cast<ImageButton*>(item(id)); }

void CMeasureDlg::loadPictures() {
    m_sheet = ResourcePicture(g_bJapanese ? "png/180_ja" : "png/180_en");
    m_sheet2x = ResourcePicture(g_bJapanese ? "png/180_ja@2x" : "png/180_en@2x");
    m_tile = ResourcePicture("png/181");
    m_arrows = ResourcePicture("png/182");
    m_edgeIcon = ResourcePicture("png/183");
    setWindowIcon(ResourceIcon());
}

void CMeasureDlg::createControls() {
    for (const ControlSpec& spec : MainDialogControls()) {
        const QString caption = QString::fromUtf8(g_bJapanese ? spec.japanese : spec.english);
        QWidget* w = nullptr;
        switch (spec.kind) {
        case ControlKind::GroupBox: {
            auto* g = new QGroupBox(caption, this);
            QPalette pal = g->palette();
            pal.setColor(QPalette::WindowText, QColor(0, 168, 185));
            g->setPalette(pal);
            w = g;
            break;
        }
        case ControlKind::ImageButton: {
            auto* b = new ImageButton(spec.id, caption, QSize(50, 53), this);
            b->setSheet(&m_sheet, &m_sheet2x);
            b->setDisabledOffset(200);
            b->setLampsShown(true);
            for (const SheetCell& c : kSheetCells)
                if (c.id == spec.id)
                    b->setCellOrigin(QPoint(c.x, c.y));
            for (const auto& [id, kind] : kToolButtons)
                if (id == spec.id)
                    b->setGreenLampSource([this, kind = kind] { return m_Measure.kind == kind; });
            w = b;
            break;
        }
        case ControlKind::ArrowButton: {
            auto* b = new ImageButton(spec.id, caption, QSize(13, 13), this);
            b->setSheet(&m_arrows);
            b->setCellOrigin(QPoint(spec.id == idc::StripToggle ? 26 : 0, 0));
            connect(b, &QAbstractButton::clicked, this,
                    [this, id = spec.id] { togglePanel(id == idc::StripToggle); });
            w = b;
            break;
        }
        case ControlKind::IconButton: {
            auto* b = new ImageButton(spec.id, caption, QSize(16, 16), this);
            b->setSheet(&m_edgeIcon);
            w = b;
            break;
        }
        case ControlKind::CheckBox: w = new QCheckBox(caption, this); break;
        case ControlKind::ComboBox: w = new QComboBox(this); break;
        case ControlKind::Label: {
            auto* l = new QLabel(caption, this);
            l->setWordWrap(true); // "Calibration value" takes two lines beside its combo
            l->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
            QPalette pal = l->palette();
            pal.setColor(QPalette::WindowText, QColor(0, 168, 185));
            l->setPalette(pal);
            w = l;
            break;
        }
        case ControlKind::ListView: {
            m_resultList = new CResultListView(this);
            w = m_resultList;
            break;
        }
        case ControlKind::ScrollBar: w = new QScrollBar(Qt::Horizontal, this); break;
        case ControlKind::PictureFrame: {
            m_picture = new PictureView(this);
            w = m_picture;
            break;
        }
        }
        w->setObjectName(QStringLiteral("item%1").arg(spec.id));
        w->setAccessibleName(caption);
        // Designed at 96 dpi; scaled to the screen.
        const QRect r = ToQRect(spec.rect);
        w->setGeometry(ScaleX(r.x()), ScaleY(r.y()), ScaleX(r.width()), ScaleY(r.height()));
        m_items[spec.id] = w;
    }
    // Group boxes behind the buttons they frame.
    item(idc::LoadImageGroup)->lower();
    item(idc::InstrumentGroup)->lower();
    item(idc::StripGroup)->lower();
}

void CMeasureDlg::loadSettings() {
    if (m_dataFolder.empty())
        m_dataFolder = DataFolder();
    LoadAppSettings(*m_profile, m_settings, m_dataFolder);
    fillScreenScaleCombo();
    LoadCalibrations(*m_profile, m_CalibChain);
    m_saving->loadThumbnails(m_thumbnailProgressDelayMs);
    // Until a camera delivers, the picture is a white frame of the configured size.
    if (!m_display.create(m_settings.width, m_settings.height, 24))
        m_display.create(1280, 1024, 24);
    m_display.fillRect(RGB(255, 255, 255));
}

void CMeasureDlg::fillScreenScaleCombo() {
    auto* combo = itemAs<QComboBox>(idc::ScreenScale);
    combo->clear();
    combo->addItem(QString::fromUtf8(Tr("full-screen", "全画面表示")));
    for (int i = 1; i < kMagnificationCount; ++i)
        combo->addItem(QString::fromStdString(MagnificationName(i)));
    const int row = m_settings.m_Bai;
    m_view.m_Bai = row >= 0 && row < combo->count() ? row : 1;
    combo->setCurrentIndex(m_view.m_Bai);
    // The stored offsets replace those the change of magnification would compute; the
    // layout brings them inside their bounds.
    m_view.m_Bai_X = m_settings.m_Bai_X;
    m_view.m_Bai_Y = m_settings.m_Bai_Y;
}

void CMeasureDlg::saveSettings() {
    m_settings.m_Bai = m_view.m_Bai;
    m_settings.m_Bai_X = m_view.m_Bai_X;
    m_settings.m_Bai_Y = m_view.m_Bai_Y;
    Profile::Batch batch(*m_profile);
    SaveAppSettings(*m_profile, m_settings);
    SaveCalibrations(*m_profile, m_CalibChain);
    emit settingsSaving(*m_profile);
    std::string failures;
    const auto failed = [&failures](int text, const std::string& path, int error) {
        failures += (failures.empty() ? "" : "\n\n") + QString::fromUtf8(LoadStr(text))
                                                           .arg(QString::fromStdString(path),
                                                                QString::fromStdString(WriteFailureReason(error)))
                                                           .toStdString();
    };
    if (!m_saving->saveIndex())
        failed(strid::IndexNotSaved, ThumbnailIndexPath(m_settings.savedir), LastWriteError());
    if (!batch.commit()) {
        qWarning("Mirelta: the settings could not be written to %s", m_settingsPath.c_str());
        failed(strid::SettingsNotSaved, m_settingsPath, LastWriteError());
    }
    // The program is ending: the operator hears once what could not be kept.
    if (!failures.empty())
        m_prompt->ask(this, failures, Tr("error", "エラー"), PromptButtons::Ok, PromptIcon::Warning);
}

void CMeasureDlg::fillCalibrationCombo() {
    auto* combo = itemAs<QComboBox>(idc::CalibCombo);
    combo->clear();
    for (int i = 0; i < m_CalibChain.GetCount(); ++i)
        if (const CALIBRATION* c = m_CalibChain.At(i))
            combo->addItem(QString::fromStdString(c->name));
    combo->setCurrentIndex(0);
    ApplyCalibration();
}

CALIBRATION* CMeasureDlg::selectedCalibration() {
    const auto* combo = itemAs<QComboBox>(idc::CalibCombo);
    return m_CalibChain.At(combo ? combo->currentIndex() : 0);
}

void CMeasureDlg::shutdown() {
    if (m_shutDown)
        return;
    m_shutDown = true;
    // Timers off, camera stopped, settings saved, capture released: in that order.
    m_timerTitle.stop();
    m_timerCamera.stop();
    if (m_live) {
        m_live->CloseCamera();
        m_live->storeSettings(m_settings);
    }
    saveSettings();
}

void CMeasureDlg::done(int result) {
    // The window's normal rectangle, taken while it still exists.
    const QRect normal = isVisible() ? normalGeometry() : geometry();
    m_settings.Window_Max = isMaximized() ? 1 : 0;
    m_settings.window = {normal.left(), normal.top(), normal.right() + 1, normal.bottom() + 1};
    m_settings.hasWindowRect = true;
    QDialog::done(result);
    shutdown();
}

void CMeasureDlg::placeWindowFromSettings() {
    const QRect current = geometry();
    LoadWindowPlacement(*m_profile, m_settings,
                        {current.left(), current.top(), current.right() + 1, current.bottom() + 1});
    const IntRect& w = m_settings.window;
    if (w.width() > 0 && w.height() > 0)
        setGeometry(w.left, w.top, w.width(), w.height());
    raise();
    if (m_settings.Window_Max)
        setWindowState(windowState() | Qt::WindowMaximized);
}

void CMeasureDlg::initDialog() {
    resize(ScaleX(kMainDialogWidth), ScaleY(kMainDialogHeight));
    loadSettings();
    item(idc::EdgeSnapButton)->resize(16, 16);
    setWindowTitle(QString::fromUtf8(kTitle));
    m_resultList->setupColumns(m_scale);
    m_resultList->attach(&m_MeasureChain, [this] {
        const CALIBRATION* c = selectedCalibration();
        return c ? c->unit : -1;
    });
    CalibrationAutoContext autoCalibration;
    autoCalibration.profile = m_profile.get();
    autoCalibration.autoMinSize = &m_settings.AutoMinSize;
    autoCalibration.autoMaxSize = &m_settings.AutoMaxSize;
    autoCalibration.prompt = m_prompt;
    m_CalibrationSet = new CCalibrationSet(this, autoCalibration);
    fillCalibrationCombo();
    connectResultCommands();
    connectToolButtons();
    connectPicture();
    connectCrossLines();
    connectFocusLine();
    connectFocusAreas();
    buildPictureMouse();
    itemAs<QScrollBar>(idc::ThumbScroll)->setValue(0);

    if (g_bJapanese) {
        // Tooltips exist in Japanese only.
        const std::pair<int, int> tips[] = {
            {idc::Live, 200},     {idc::SaveImage, 201}, {idc::SaveDir, 202},
            {idc::Set, 203},      {idc::Type, 204},      {idc::Thumb, 205},
            {idc::FocusArea, 206}, {idc::ScreenScale, 207}, {idc::Line, 208},
            {idc::Aria, 209},     {idc::Circle, 210},    {idc::Circle2, 211},
            {idc::Sui, 212},      {idc::Angle, 213},     {idc::Delete, 214},
            {idc::LoadResults, 215}, {idc::Color, 216},  {idc::Csv, 217},
            {idc::Calib, 218},    {idc::CalibCombo, 219}, {idc::ResultsList, 220},
        };
        for (const auto& [id, str] : tips)
            if (QWidget* w = item(id))
                w->setToolTip(QString::fromUtf8(LoadStr(str)));
    }

    // F11 and F12 work from every control.
    for (const auto& [id, w] : m_items)
        w->installEventFilter(this);
    installEventFilter(this); // and from the window itself

    m_panelRoom = item(idc::LoadImageGroup)->width() + ScaleX(60);
    m_panelRoomInitial = m_panelRoom;
    m_stripRoom = item(idc::StripGroup)->height() + ScaleY(50);
    item(idc::EdgeSnapCheck)->hide();
    item(idc::EdgeSnapButton)->hide();

    setMouseTracking(true);
    connect(itemAs<QComboBox>(idc::ScreenScale), qOverload<int>(&QComboBox::activated), this,
            &CMeasureDlg::SetMagnification);
    connect(imageButton(idc::Color), &QAbstractButton::clicked, this, &CMeasureDlg::OnColor);
    connect(itemAs<QScrollBar>(idc::ThumbScroll), &QScrollBar::valueChanged, this,
            [this] { update(item(idc::StripGroup)->geometry()); });

    m_timerTitle.start();
    m_timerCamera.start();
    connectCamera();
    connectEdgeSnapping();
    if (m_live)
        m_live->start();
    layoutControls();
}

void CMeasureDlg::layoutControls() {
    QWidget* frame = item(idc::Picture);
    if (!frame)
        return;
    const int clientWidth = width();
    const int liveWidth = item(idc::Live)->width();
    const int comboWidth = item(idc::CalibCombo)->width();
    for (const auto& [id, w] : m_items) {
        if (const auto left = RightAlignedLeft(id, clientWidth, w->width(), m_scale, liveWidth,
                                               comboWidth))
            w->move(*left, w->y());
    }
    QWidget* strip = item(idc::StripToggle);
    strip->move(strip->x(), height() - strip->height());
    layoutPicture();
}

PictureLayoutInput CMeasureDlg::pictureLayoutInput(int magnification) const {
    const QWidget* frame = item(idc::Picture);
    PictureLayoutInput in;
    in.imageWidth = m_display.width();
    in.imageHeight = m_display.height();
    in.clientWidth = width();
    in.clientHeight = height();
    in.px = frame->x();
    in.py = frame->y();
    in.panelRoom = m_rightPanel ? m_panelRoom : ScaleX(24);
    in.stripRoom = m_bottomPanel ? m_stripRoom : ScaleY(20);
    in.magnification = magnification;
    return in;
}

void CMeasureDlg::layoutPicture() {
    QWidget* frame = item(idc::Picture);
    if (!frame)
        return;
    frame->setGeometry(ToQRect(PictureAreaRect(pictureLayoutInput(m_view.m_Bai))));
    m_view.Clamp(frame->width(), frame->height(), m_display.width(), m_display.height());

    QWidget* toggle = item(idc::StripToggle);
    const int bw = toggle->width();
    const int bh = toggle->height();
    QWidget* list = item(idc::ResultsList);
    list->setGeometry(width() - bw - list->width(), list->y(), list->width(),
                      std::max(0, height() - bh - list->y()));
    for (int id : {idc::StripGroup, idc::ThumbScroll}) {
        QWidget* w = item(id);
        w->setGeometry(w->x(), height() - bh - w->height() - (id == idc::ThumbScroll ? ScaleY(4) : 0),
                       std::max(0, width() - m_panelRoomInitial - (id == idc::ThumbScroll ? ScaleX(16) : 0)),
                       w->height());
    }
    // The strip's width decides how many thumbnails it shows.
    UpdateStripScroll();
}

void CMeasureDlg::togglePanel(bool bottom) {
    if (!item(idc::Picture))
        return;
    if (bottom) {
        m_bottomPanel = !m_bottomPanel;
        item(idc::ThumbScroll)->setVisible(m_bottomPanel);
        item(idc::StripGroup)->setVisible(m_bottomPanel);
        imageButton(idc::StripToggle)->setCellOrigin(QPoint(m_bottomPanel ? 26 : 39, 0));
    } else {
        m_rightPanel = !m_rightPanel;
        static constexpr int kPanel[] = {
            idc::LoadImageGroup, idc::SaveDir,       idc::SaveImage,   idc::Live,       idc::Thumb,
            idc::Type,           idc::Set,           idc::FocusArea,   idc::ScreenScale, idc::ScreenScaleLabel,
            idc::InstrumentGroup, idc::EdgeSnapButton, idc::EdgeSnapCheck, idc::Line,   idc::Circle2,
            idc::Aria,           idc::Sui,           idc::Delete,      idc::Circle,     idc::Angle,
            idc::LoadResults,    idc::Color,         idc::Calib,       idc::Csv,        idc::CrossLine,
            idc::CalibLabel,     idc::CalibCombo,    idc::ResultsList};
        // The edge-snapping pair too: hidden at start, it appears once the panel has been
        // hidden and shown again.
        for (int id : kPanel) {
            if (QWidget* w = item(id))
                w->setVisible(m_rightPanel);
        }
        imageButton(idc::PanelToggle)->setCellOrigin(QPoint(m_rightPanel ? 0 : 13, 0));
    }
    layoutPicture();
    update();
}

void CMeasureDlg::setCursorType(int type) {
    m_CursorType = type;
    m_cursorHidden = false;
    switch (type) {
    case CursorCode::Ring: setCursor(ResourceCursor("cursor/176")); break;
    case CursorCode::ThinCross: setCursor(ResourceCursor("cursor/177")); break;
    case CursorCode::Hand: setCursor(ResourceCursor("cursor/138")); break;
    case CursorCode::Move: setCursor(ResourceCursor("cursor/174")); break;
    case CursorCode::SizeNeSw: setCursor(Qt::SizeBDiagCursor); break;
    case CursorCode::SizeVertical: setCursor(Qt::SizeVerCursor); break;
    case CursorCode::SizeNwSe: setCursor(Qt::SizeFDiagCursor); break;
    case CursorCode::SizeHorizontal: setCursor(Qt::SizeHorCursor); break;
    case CursorCode::SizeAll: setCursor(Qt::SizeAllCursor); break;
    default: unsetCursor(); break;
    }
}

void CMeasureDlg::connectCamera() {
    if (auto* live = qobject_cast<QAbstractButton*>(item(idc::Live)))
        connect(live, &QAbstractButton::clicked, this, &CMeasureDlg::OnLive);
    if (!m_live)
        return;
    if (auto* set = qobject_cast<QAbstractButton*>(item(idc::Set)))
        connect(set, &QAbstractButton::clicked, m_live, &LiveView::OnSet);
    connect(m_live, &LiveView::frameShown, this, &CMeasureDlg::invalidatePicture);
    connect(m_live, &LiveView::pictureResized, this, [this] {
        // The picture may have a new size: the screen magnification is applied again.
        SetMagnification(magnification());
        update();
    });
    connect(m_live, &LiveView::windowMayShow, this, [this] { show(); });
    connect(&m_timerTitle, &QTimer::timeout, m_live, &LiveView::OnTitleTick);
    connect(m_live, &LiveView::setButtonEnabled, this, [this](bool enabled) {
        if (QWidget* set = item(idc::Set))
            set->setEnabled(enabled);
    });
}

void CMeasureDlg::connectEdgeSnapping() {
    EdgeSnappingContext c;
    c.window = this;
    c.check = qobject_cast<QAbstractButton*>(item(idc::EdgeSnapCheck));
    c.button = imageButton(idc::EdgeSnapButton);
    c.magnet = &m_settings.MagnetData;
    c.display = &m_display;
    c.surface = this;
    m_edgeSnapping = std::make_unique<EdgeSnapping>(c, m_pictureHooks);
    EdgeSnapping* e = m_edgeSnapping.get();
    connect(this, &CMeasureDlg::displayImageReplaced, e, &EdgeSnapping::onStillPicture);
    if (m_live) {
        connect(m_live, &LiveView::imagesRecreated, e, &EdgeSnapping::resize);
        connect(m_live, &LiveView::frameShown, e, &EdgeSnapping::onFrame);
    }
}

void CMeasureDlg::onTitleTimer() {
    m_camera->state().lastTick = GetTickCount();
    if (m_repaintRequested) {
        m_repaintRequested = false;
        update();
    }
    updateTitle();
}

void CMeasureDlg::updateTitle() {
    // The frame rate shows only while a camera runs; without one the plain title
    // stays (an empty camera name with "0.0fps" would say nothing).
    const CameraState& camera = m_camera->state();
    const QString title = camera.live() ? QStringLiteral("%1 %2fps")
                                              .arg(QString::fromStdString(camera.name))
                                              .arg(camera.frameRate, 0, 'f', 1)
                                        : QString::fromUtf8(kTitle);
    if (windowTitle() != title)
        setWindowTitle(title);
}

void CMeasureDlg::onCameraTimer() {
    m_timerCamera.stop();
    if (m_live)
        m_live->OnRetryTimer();
    CameraSearch& search = m_camera->state().search;
    if (search == CameraSearch::GiveUp) {
        search = CameraSearch::Ended;
        done(0);
        return;
    }
    m_timerCamera.start();
}

void CMeasureDlg::accept() {}

void CMeasureDlg::OnLive() { m_camera->OnLive(); }

void CMeasureDlg::setVisible(bool visible) {
    if (visible && m_live && m_live->keepsWindowHidden())
        return;
    QDialog::setVisible(visible);
}

void CMeasureDlg::QuickSave() { m_saving->OnF12(); }

void CMeasureDlg::UpdateStripScroll() {
    if (m_strip)
        m_strip->UpdateStripScroll();
}

void CMeasureDlg::OpenThumbnail(int i) { m_strip->OpenThumbnail(i); }

bool CMeasureDlg::OpenPictureFile(const std::string& path) { return m_strip->OpenPictureFile(path); }

void CMeasureDlg::invalidateStrip() {
    if (QWidget* box = item(idc::StripGroup))
        update(box->geometry());
}

void CMeasureDlg::reject() { askQuit(); }

void CMeasureDlg::askQuit() {
    if (m_quitting)
        return;
    const std::string text = Tr("Do you quit the application ?", "終了しますか？");
    const std::string caption = Tr("confirm", "確認");
    if (m_prompt->ask(this, text, caption, PromptButtons::YesNo, PromptIcon::Question) ==
        PromptAnswer::Yes) {
        m_quitting = true;
        done(QDialog::Rejected);
    }
}

void CMeasureDlg::closeEvent(QCloseEvent* event) {
    if (m_quitting) {
        event->accept();
        return;
    }
    event->ignore();
    askQuit();
}

void CMeasureDlg::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        event->accept(); // Enter does nothing
        return;
    }
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        // In Japanese, Escape pressed on the window itself is swallowed.
        if (!(g_bJapanese && (focusWidget() == nullptr || focusWidget() == this)))
            askQuit();
        return;
    }
    QDialog::keyPressEvent(event);
}

bool CMeasureDlg::eventFilter(QObject* watched, QEvent* event) {
    if ((event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease) &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Shift && m_Measure.kind > 0)
        invalidatePicture(); // the figure being drawn turns to or from its rounded direction
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        // Taken here so that it does not run again when the control passes it up.
        if (key->key() == Qt::Key_F11 || key->key() == Qt::Key_F12) {
            if (!key->isAutoRepeat())
                key->key() == Qt::Key_F11 ? OnLive() : QuickSave();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void CMeasureDlg::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    layoutControls();
    update();
}

void CMeasureDlg::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (m_firstShow) {
        m_firstShow = false;
        placeWindowFromSettings();
        layoutPicture();
    }
}

void CMeasureDlg::paintEvent(QPaintEvent*) {
    QPainter p(this);
    if (m_tile.isNull()) {
        p.fillRect(rect(), QColor(32, 38, 46));
    } else {
        // Whole tiles from the top-left corner.
        for (int y = 0; y < height(); y += m_tile.height())
            for (int x = 0; x < width(); x += m_tile.width())
                p.drawImage(x, y, m_tile);
    }
    paintThumbnailStrip(p);
}

void CMeasureDlg::customEvent(QEvent* event) {
    if (event->type() == WM_CALIB_CLOSED) {
        ApplyCalibration();
        invalidatePicture();
        return;
    }
    QDialog::customEvent(event);
}
