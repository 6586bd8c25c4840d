#pragma once
#include "app/picture_mouse.h"
#include "view/tool_environment.h"

#include <functional>

class CMeasureTools;

// The armed measuring tool on the picture: it takes every move while armed (cursor,
// crosshair, the figure in progress), places points on left releases that are not the
// second half of a double-click, closes ARIA on a double-click and ends a SUI series
// on a right release. It never takes a press.
class ToolHandler : public PictureMouseHandler {
public:
    using Environment = std::function<ToolEnvironment(bool shift)>;
    ToolHandler(CMeasureTools& tools, PictureSurface& surface, Environment environment,
                const int& showCenter);

    bool release(const PictureMouse& e) override;
    bool doubleClick(const PictureMouse& e) override;
    bool move(const PictureMouse& e) override;

private:
    void changed(bool filed);

    CMeasureTools& m_tools;
    PictureSurface& m_surface;
    Environment m_environment;
    const int& m_showCenter; // color.CursorCrosshairs.ShowCenter
};
