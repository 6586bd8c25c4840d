#include "view/cross_line_settings.h"

#include "platform/profile.h"
#include "platform/text_format.h"
#include "view/cross_line_model.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace {

std::string Key(const char* name, int i) {
    return StrFormat("%s_%d", name, i);
}

CROSSLINE ReadEntry(const Profile& p, const char* section, int i, bool withCircle) {
    CROSSLINE e;
    e.Show = p.GetInt(section, Key("Show", i), 0) != 0 ? 1 : 0;
    e.Pos_x = p.GetInt(section, Key("Pos_x", i), 0);
    e.Pos_y = p.GetInt(section, Key("Pos_y", i), 0);
    e.Type = p.GetInt(section, Key("Type", i), 0) == 1 ? 1 : 0;
    e.Color = static_cast<COLORREF>(p.GetInt(section, Key("Color", i), 0)) & 0xFFFFFFu;
    e.Size = std::clamp(p.GetInt(section, Key("Size", i), 0), kCrossLineMinSize, kCrossLineMaxSize);
    e.Draw = std::clamp(p.GetInt(section, Key("Draw", i), 0), 0, 100);
    e.Radius = 0.0f;
    e.Mode = 0;
    if (withCircle) {
        const double r = p.ReadReal(section, Key("Radius", i), 0.0);
        e.Radius = std::isfinite(r) && r > 0.0 && r < 1.0e30 ? static_cast<float>(r) : 0.0f;
        e.Mode = p.GetInt(section, Key("Mode", i), 0) >= kCircleDefined ? kCircleDefined : 0;
    }
    return e;
}

void ReadList(const Profile& p, const char* section, bool withCircle, CrossLineList& out) {
    const int count = std::min(p.GetInt(section, "Count", 0), kMaxCrossLines);
    for (int i = 0; i < count; ++i)
        out.push_back(ReadEntry(p, section, i, withCircle));
}

void WriteList(Profile& p, const char* section, bool withCircle, const CrossLineList& list) {
    const int count = static_cast<int>(std::min<std::size_t>(list.size(), kMaxCrossLines));
    p.WriteInt(section, "Count", count);
    for (int i = 0; i < count; ++i) {
        const CROSSLINE& e = list[static_cast<std::size_t>(i)];
        p.WriteInt(section, Key("Show", i), e.Show);
        p.WriteInt(section, Key("Pos_x", i), e.Pos_x);
        p.WriteInt(section, Key("Pos_y", i), e.Pos_y);
        p.WriteInt(section, Key("Type", i), e.Type);
        p.WriteInt(section, Key("Color", i), static_cast<int>(e.Color));
        p.WriteInt(section, Key("Size", i), e.Size);
        p.WriteInt(section, Key("Draw", i), e.Draw);
        if (withCircle) {
            p.WriteReal(section, Key("Radius", i), e.Radius);
            p.WriteInt(section, Key("Mode", i), e.Mode);
        }
    }
}

} // namespace

void LoadCrossLines(const Profile& profile, CrossLineModel& model) {
    for (CrossLineList& l : model.lists)
        l.clear();
    ReadList(profile, kCrossLineSection, false, model.list(CrossLineModel::kFirst));
    if (model.list(CrossLineModel::kFirst).empty())
        model.list(CrossLineModel::kFirst).push_back(CrossLineModel::DefaultMaster());
    ReadList(profile, kCrossLineSection2, true, model.list(CrossLineModel::kSecond));
}

bool SaveCrossLines(Profile& profile, const CrossLineModel& model) {
    Profile::Batch batch(profile);
    WriteList(profile, kCrossLineSection, false, model.list(CrossLineModel::kFirst));
    WriteList(profile, kCrossLineSection2, true, model.list(CrossLineModel::kSecond));
    return batch.commit();
}
