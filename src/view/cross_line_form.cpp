#include "view/cross_line_form.h"

#include "platform/text_format.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>

namespace {

// Integer fields: leading digits count, the rest is ignored, as the edit boxes read.
long long IntOf(const std::string& text) {
    const long long v = std::strtoll(text.c_str(), nullptr, 10);
    return std::clamp<long long>(v, std::numeric_limits<std::int32_t>::min(),
                                 std::numeric_limits<std::int32_t>::max());
}

double RealOf(const std::string& text) {
    const double v = StrToDoubleC(text.c_str());
    return std::isfinite(v) ? v : 0.0;
}

std::string Int(long long v) {
    return StrFormat("%lld", v);
}

float RadiusFrom(double diameterPixels) {
    const double r = diameterPixels / 2.0;
    if (!std::isfinite(r) || std::fabs(r) > 1.0e30)
        return 0.0f;
    return static_cast<float>(r);
}

} // namespace

std::string CrossLineRowText(int row) {
    return row == 0 ? std::string("Master") : StrFormat("Slave_%d", row);
}

std::vector<std::string> CrossLineRowTexts(std::size_t count) {
    std::vector<std::string> rows;
    rows.reserve(count);
    for (std::size_t i = 0; i < count; ++i)
        rows.push_back(CrossLineRowText(static_cast<int>(i)));
    return rows;
}

void CrossLineForm::showTab(int tab) {
    m_tab = tab == kSecondTab ? kSecondTab : kFirstTab;
    m_distanceRow = list().empty() ? -1 : 0;
    selectRow(list().empty() ? -1 : 0);
}

void CrossLineForm::selectRow(int row) {
    m_row = row >= 0 && static_cast<std::size_t>(row) < list().size() ? row : -1;
    takeFieldsFrom(editedEntry());
}

void CrossLineForm::selectDistanceRow(int row) {
    m_distanceRow = row >= 0 && static_cast<std::size_t>(row) < list().size() ? row : -1;
}

const CROSSLINE* CrossLineForm::editedEntry() const {
    if (m_row < 0 || static_cast<std::size_t>(m_row) >= list().size())
        return nullptr;
    return &list()[static_cast<std::size_t>(m_row)];
}

CROSSLINE* CrossLineForm::edited() {
    return const_cast<CROSSLINE*>(editedEntry());
}

void CrossLineForm::takeFieldsFrom(const CROSSLINE* e) {
    if (!e) {
        m_typeRow = 0;
        m_size = 1;
        m_draw = 100;
        return;
    }
    m_typeRow = e->Type == 1 ? 1 : 0;
    m_size = e->Size;
    m_draw = e->Draw;
}

CrossLineFields CrossLineForm::fields() const {
    CrossLineFields f;
    if (const CROSSLINE* e = editedEntry()) {
        f.x = Int(e->Pos_x);
        f.y = Int(e->Pos_y);
        f.calX = EditNumber2(e->Pos_x * mppX());
        f.calY = EditNumber2(e->Pos_y * mppY());
        if (m_tab == kSecondTab) {
            const double d = 2.0 * static_cast<double>(e->Radius);
            f.diameter = EditNumber2(d);
            f.diameterY = EditNumber2(d);
            f.calDiameter = EditNumber2(d * mppX());
            f.calDiameterY = EditNumber2(d * mppY());
        }
        f.size = Int(e->Size);
        f.transparency = Int(e->Draw);
        f.typeRow = e->Type == 1 ? 1 : 0;
        f.show = e->Show != 0;
        f.swatch = e->Color;
    }
    const CrossLineList& l = list();
    if (m_row >= 0 && m_distanceRow >= 0 && static_cast<std::size_t>(m_row) < l.size() &&
        static_cast<std::size_t>(m_distanceRow) < l.size()) {
        const DPOINT a = CrossLineAbsolute(l, static_cast<std::size_t>(m_row));
        const DPOINT b = CrossLineAbsolute(l, static_cast<std::size_t>(m_distanceRow));
        const double dx = (b.x - a.x) * mppX();
        const double dy = (b.y - a.y) * mppY();
        f.distX = EditNumber2(dx);
        f.distY = EditNumber2(dy);
        f.distXY = EditNumber2(std::sqrt(dx * dx + dy * dy));
    }
    return f;
}

void CrossLineForm::add(const std::string& clickPrompt) {
    const CROSSLINE* current = editedEntry();
    CROSSLINE e;
    e.Show = 1;
    e.Type = m_typeRow;
    e.Color = current ? current->Color : kCrossLineGreen;
    if (m_tab == kFirstTab) {
        e.Pos_x = 0;
        e.Pos_y = 0;
        e.Size = std::clamp(m_size, kCrossLineMinSize, kCrossLineMaxSize);
        e.Draw = std::clamp(m_draw, 0, 100);
    } else {
        e.Pos_x = 320;
        e.Pos_y = 240;
        e.Size = 1;
        e.Draw = 100;
        m_message = clickPrompt;
    }
    list().push_back(e);
    selectRow(static_cast<int>(list().size()) - 1);
}

bool CrossLineForm::sub() {
    CrossLineList& l = list();
    const int r = m_row;
    if (r < 0 || static_cast<std::size_t>(r) >= l.size())
        return false;
    const bool allowed = m_tab == kFirstTab ? r > 0 : (r > 0 || l.size() == 1);
    if (!allowed)
        return false;
    l.erase(l.begin() + r);
    if (m_distanceRow >= static_cast<int>(l.size()))
        m_distanceRow = l.empty() ? -1 : static_cast<int>(l.size()) - 1;
    selectRow(r - 1);
    return true;
}

bool CrossLineForm::editX(const std::string& text) {
    if (!canEdit())
        return false;
    edited()->Pos_x = static_cast<std::int32_t>(IntOf(text));
    return true;
}

bool CrossLineForm::editY(const std::string& text) {
    if (!canEdit())
        return false;
    edited()->Pos_y = static_cast<std::int32_t>(IntOf(text));
    return true;
}

bool CrossLineForm::editSize(const std::string& text) {
    if (!canEdit())
        return false;
    // The spin box's range; a typed 0 or 25 would draw nothing or a band.
    m_size =
        static_cast<int>(std::clamp<long long>(IntOf(text), kCrossLineMinSize, kCrossLineMaxSize));
    edited()->Size = m_size;
    return true;
}

bool CrossLineForm::editTransparency(const std::string& text) {
    if (!canEdit())
        return false;
    m_draw = static_cast<int>(std::clamp<long long>(IntOf(text), 0, 100));
    edited()->Draw = m_draw;
    return true;
}

bool CrossLineForm::editType(int row) {
    if (!canEdit())
        return false;
    m_typeRow = row == 1 ? 1 : 0;
    edited()->Type = m_typeRow;
    return true;
}

bool CrossLineForm::editShow(bool on) {
    if (!canEdit())
        return false;
    edited()->Show = on ? 1 : 0;
    return true;
}

bool CrossLineForm::editDiameter(const std::string& text, bool) {
    if (!canEdit())
        return false;
    edited()->Radius = RadiusFrom(RealOf(text));
    return true;
}

bool CrossLineForm::editCalibratedDiameter(const std::string& text, bool yField) {
    if (!canEdit())
        return false;
    const double mpp = yField ? mppY() : mppX();
    // An unset calibration (0) would make an infinite radius.
    if (!(mpp != 0.0) || !std::isfinite(mpp))
        return false;
    edited()->Radius = RadiusFrom(RealOf(text) / mpp);
    return true;
}

bool CrossLineForm::editColour(COLORREF colour) {
    if (!editedEntry())
        return false;
    edited()->Color = colour & 0xFFFFFFu;
    return true;
}
