#pragma once

#include "core/render/RenderSettings.h"

#include <QDialog>

namespace korvanta {

class CFractalDlg;

// Shows, read-only, the parameters one picture was made from; "Set" copies them (except the
// size and the options) into the control window.
class CFractalPropDlg : public QDialog {
    Q_OBJECT

public:
    CFractalPropDlg(const RenderSettings& settings, CFractalDlg* parent);

    // The text shown for a control, or an empty string.
    QString FieldText(int id) const;
    // A deep picture's width and zoom in short, or empty strings.
    QString DepthText() const;
    void OnSet();

private:
    void CreateFrame();
    void CreateFields();
    void CreateButtons();

    static constexpr const char* kDepthWidth = "depth-width";
    static constexpr const char* kDepthZoom = "depth-zoom";

    const RenderSettings& m_settings;
    CFractalDlg* m_dialog;
};

}  // namespace korvanta
