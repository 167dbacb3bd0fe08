#pragma once

#include "panel/LayoutEdit.h"
#include "panel/LayoutModel.h"

#include <QPoint>

#include <string>

namespace vanemark {

// What the window holds while a layout is being arranged: the model of the
// file in use and the drag under way. The pointer arrives in window pixels,
// the layout counts in the panel's 1x pixels.
class EditMode {
public:
    explicit EditMode(const std::string& layoutFile) { model.Load(layoutFile); }
    EditMode(const EditMode&) = delete;
    EditMode& operator=(const EditMode&) = delete;

    LayoutModel& Model() { return model; }
    const LayoutModel& Model() const { return model; }
    LayoutEdit& Edit() { return edit; }

    // The 1x pixel a window pixel shows; rounded toward minus infinity, so a
    // drag that leaves the window at left or top keeps moving in whole pixels.
    static PixelPoint ToBase(QPoint windowPos, int scale);

private:
    LayoutModel model;
    LayoutEdit edit{model};
};

} // namespace vanemark
