#include "images/thumbnail_dlg.h"

#include "platform/popup_menu.h"
#include "platform/prompt.h"
#include "images/dib_qimage.h"
#include "images/thumbnail_commands.h"
#include "images/thumbnail_store.h"
#include "platform/language.h"
#include "platform/string_table.h"
#include "view/thumbnail_strip_painter.h"

#include <QCursor>
#include <QFileInfo>
#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>

namespace {

QFont BrowserFont() {
    QFont font(QString::fromUtf8(LoadStr(strid::DialogFont)), 11);
    // The named faces are rarely installed on Linux; fall back to a Japanese gothic face.
    font.setFamilies({QString::fromUtf8(LoadStr(strid::DialogFont)), QStringLiteral("IPAPGothic"),
                      QStringLiteral("IPAGothic")});
    return font;
}

// A one-pixel sunken border around r (exclusive right and bottom).
void DrawSunkenEdge(QPainter& p, const QRect& r) {
    const int l = r.left(), t = r.top(), rr = r.left() + r.width() - 1,
              b = r.top() + r.height() - 1;
    p.setPen(QColor(128, 128, 128));
    p.drawLine(l, t, rr, t);
    p.drawLine(l, t, l, b);
    p.setPen(Qt::white);
    p.drawLine(l, b, rr, b);
    p.drawLine(rr, t, rr, b);
}

// Text on a white background with its top-left corner at (x, y).
void DrawOpaqueText(QPainter& p, int x, int y, const QString& text) {
    const QFontMetrics fm(p.font());
    p.fillRect(x, y, fm.horizontalAdvance(text), fm.height(), Qt::white);
    p.setPen(Qt::black);
    p.drawText(x, y + fm.ascent(), text);
}

} // namespace

CThumbnailDlg::CThumbnailDlg(CThumbNail* list, const QImage* tile, Prompt& prompt, PopupMenu& menu,
                             QWidget* parent)
    : QDialog(parent), m_list(list), m_tile(tile), m_prompt(prompt), m_menu(menu),
      m_scroll(new QScrollBar(Qt::Vertical, this)) {
    setWindowTitle(QStringLiteral("Thumbnail"));
    setAccessibleName(QStringLiteral("Thumbnail"));
    setSizeGripEnabled(true);
    setWindowFlags(windowFlags() | Qt::WindowMaximizeButtonHint);
    m_scroll->setObjectName(QStringLiteral("item%1").arg(kScrollBar));
    m_scroll->setAccessibleName(QStringLiteral("Thumbnails"));
    m_scroll->setSingleStep(1);
    m_scroll->setPageStep(2);
    connect(m_scroll, &QScrollBar::valueChanged, this, [this] { update(); });
    resize(640, 480);
    setScrollRange();
    m_scroll->setValue(0);
}

ThumbnailGrid CThumbnailDlg::grid() const {
    return ThumbnailGrid(width(), height(), m_list->thumbWidth, m_list->thumbHeight,
                         m_scroll->value());
}

void CThumbnailDlg::setScrollRange() {
    const ThumbnailGrid g = grid();
    const int n = m_list->GetCount();
    if (!g.scrollEnabled(n)) {
        // Back to the top as well: a disabled bar could not bring the first rows back.
        m_scroll->setRange(0, 0);
        m_scroll->setEnabled(false);
        return;
    }
    m_scroll->setEnabled(true);
    m_scroll->setRange(0, g.scrollMaximum(n));
}

void CThumbnailDlg::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    const int w = m_scroll->sizeHint().width();
    m_scroll->setGeometry(width() - w, 0, w, height());
    setScrollRange();
    update();
}

void CThumbnailDlg::paintEvent(QPaintEvent*) {
    QPainter p(this);
    // The background tile in whole tiles from the top-left corner.
    if (m_tile && !m_tile->isNull()) {
        for (int y = 0; y < height(); y += m_tile->height())
            for (int x = 0; x < width(); x += m_tile->width())
                p.drawImage(x, y, *m_tile);
    } else {
        p.fillRect(rect(), palette().window());
    }
    p.setFont(BrowserFont());
    const QFontMetrics fm(p.font());
    const int w = m_list->thumbWidth;
    const int h = m_list->thumbHeight;
    const int n = m_list->GetCount();
    const ThumbnailGrid g = grid();
    const THUMBNAIL* entry = m_list->At(g.first());
    for (int i = g.first(); i < g.first() + g.visible(); ++i) {
        const IntRect c = g.cell(i);
        DrawSunkenEdge(p, QRect(c.left - 2, c.top - 2, w + 4, h + 4));
        if (i < n && entry) {
            p.drawImage(c.left, c.top, ToQImage(entry->image), 0, 0, w, h);
            const QString name = FitNameToCell(
                fm, QFileInfo(QString::fromStdString(entry->path)).fileName().toStdString(), w);
            DrawOpaqueText(p, c.left + (w - fm.horizontalAdvance(name)) / 2, c.top + h - fm.height(), name);
            DrawOpaqueText(p, c.left, c.top, QString::number(i + 1));
            entry = entry->next;
        } else if (m_tile && !m_tile->isNull()) {
            p.drawImage(c.left, c.top, *m_tile, 0, 0, w, h);
        }
    }
}

void CThumbnailDlg::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        const QPoint at = event->position().toPoint();
        const int i = grid().entryAt(at.x(), at.y(), m_list->GetCount());
        if (i >= 0) {
            done(i + kOpenResultBase);
            return;
        }
    }
    QDialog::mouseDoubleClickEvent(event);
}

void CThumbnailDlg::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::RightButton) {
        const QPoint at = event->position().toPoint();
        const int i = grid().entryAt(at.x(), at.y(), m_list->GetCount());
        if (i >= 0) {
            m_selected = i;
            const int command = m_menu.exec(this, {QCursor::pos().x(), QCursor::pos().y()},
                                            {{kCommandOpen, "Open"}, {kCommandRemove, "Remove"}, {kCommandTrash, "Trash box"}});
            onCommand(command);
            return;
        }
    }
    QDialog::mousePressEvent(event);
}

void CThumbnailDlg::onCommand(int command) {
    if (command == kCommandOpen) {
        done(m_selected + kOpenResultBase);
        return;
    }
    if (command != kCommandRemove && command != kCommandTrash)
        return;
    const auto action =
        command == kCommandRemove ? ThumbnailFileAction::Remove : ThumbnailFileAction::Trash;
    const THUMBNAIL* entry = m_list->At(m_selected);
    const std::string path = entry ? entry->path : std::string();
    if (RemoveThumbnailFile(*m_list, m_selected, action) == ThumbnailFileResult::FileKept)
        m_prompt.ask(this, ThumbnailFileKeptText(action, path), Tr("error", "エラー"), PromptButtons::Ok,
                     PromptIcon::Warning);
    setScrollRange();
    update();
}
