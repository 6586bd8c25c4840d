#include "view/edge_snapper.h"

#include "platform/clock.h"
#include "settings/app_settings.h"
#include "view/edge_image.h"
#include "view/edge_preview.h"
#include "view/snap_to_edge.h"

namespace {

constexpr std::uint32_t kRecomputeIntervalMs = 1000;

bool HasSize(const CDibImage& image, int width, int height) {
    return !image.isNull() && image.width() == width && image.height() == height;
}

// An 8-bit image of the given size: kept when it already is one, else created anew.
bool Fit8(CDibImage& image, int width, int height) {
    if (HasSize(image, width, height) && image.bitCount() == 8)
        return true;
    return image.createMemoryOnly(width, height, 8) != 0;
}

} // namespace

EdgeSnapper::EdgeSnapper() : m_clock(&Clock::current()) {}
EdgeSnapper::EdgeSnapper(const Clock& clock) : m_clock(&clock) {}

bool EdgeSnapper::resize(int width, int height) {
    return Fit8(m_grey, width, height) && Fit8(m_edge, width, height) &&
           Fit8(m_preview, width, height);
}

bool EdgeSnapper::fitTo(const CDibImage& display) {
    return !display.isNull() && resize(display.width(), display.height());
}

bool EdgeSnapper::recompute(const CDibImage& display, const MagnetSettings& magnet) {
    return fitTo(display) && ComputeEdgeImage(display, m_grey, m_edge, magnet.Vector) != 0;
}

bool EdgeSnapper::onFrame(const CDibImage& display, const MagnetSettings& magnet) {
    if (magnet.Show == 1)
        return recompute(display, magnet);
    if (!m_enabled)
        return false;
    const std::uint32_t now = m_clock->nowMs();
    if (!m_clockStarted) {
        m_clockStarted = true;
        m_lastTick = now;
        return false;
    }
    // Unsigned difference: correct across the tick count's wrap.
    if (now - m_lastTick <= kRecomputeIntervalMs)
        return false;
    m_lastTick = now;
    return recompute(display, magnet);
}

bool EdgeSnapper::onStillPicture(const CDibImage& display, const MagnetSettings& magnet) {
    return recompute(display, magnet);
}

int EdgeSnapper::snapToEdge(DPOINT& p, const MagnetSettings& magnet) const {
    if (!m_enabled)
        return 0;
    return SnapToEdge(p, m_edge, magnet.TH, magnet.Size);
}

DPOINT EdgeSnapper::snapped(const DPOINT& p, const MagnetSettings& magnet) const {
    DPOINT q = p;
    snapToEdge(q, magnet);
    return q;
}

const CDibImage* EdgeSnapper::preview(const CDibImage& display, const MagnetSettings& magnet) {
    if (magnet.Show != 1)
        return nullptr;
    const CDibImage& source = magnet.Vector == 3 ? display : m_edge;
    if (source.isNull() || !Fit8(m_preview, source.width(), source.height()))
        return nullptr;
    return MakeEdgePreview(magnet, m_edge, display, m_preview) ? &m_preview : nullptr;
}
