#pragma once
#include "app/picture_mouse.h"
#include "view/hit_test_measure.h"
#include "view/tool_environment.h"

#include <functional>

class CMeasureChain;
class CMeasureEditor;
class CMeasureTools;

// Right-button editing of finished measurements: a press on a point, circumference or
// label starts an edit (whatever tool is armed), moves drag it, the right release ends
// it. Without a drag, moves give the cursor feedback over the measurements.
class EditHandler : public PictureMouseHandler {
public:
    using Environment = std::function<ToolEnvironment(bool shift)>;
    using HitOptions = std::function<HitTestOptions()>;
    EditHandler(CMeasureEditor& editor, const CMeasureTools& tools, CMeasureChain& measurements,
                PictureSurface& surface, Environment environment, HitOptions hitOptions,
                const int& showCenter);

    bool press(const PictureMouse& e) override;
    bool release(const PictureMouse& e) override;
    bool move(const PictureMouse& e) override;
    bool hover(const PictureMouse& e) override;

private:
    CMeasureEditor& m_editor;
    const CMeasureTools& m_tools;
    CMeasureChain& m_measurements;
    PictureSurface& m_surface;
    Environment m_environment;
    HitOptions m_hitOptions;
    const int& m_showCenter; // color.CursorCrosshairs.ShowCenter
};
