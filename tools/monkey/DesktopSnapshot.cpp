#include "tools/monkey/DesktopSnapshot.h"

#include "gui/dialog/FractalDlg.h"
#include "gui/render/FractalWnd.h"
#include "gui/resources/ControlIds.h"

#include <QCheckBox>
#include <QComboBox>

#include <bit>
#include <cstdint>

namespace korvanta::monkey {

namespace {

// Bit for bit: a NaN must come back as the NaN it was.
bool Same(double a, double b)
{
    return std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b);
}

QString Text(const std::string& text)
{
    return QString::fromStdString(text).left(60);
}

}  // namespace

DesktopSnapshot DesktopSnapshot::Of(const CFractalDlg& dialog)
{
    DesktopSnapshot shot;
    shot.fields = dialog.Fields();
    if (auto* samples = qobject_cast<QComboBox*>(dialog.Control(kIdSamples)))
        shot.sample = samples->currentIndex();
    if (auto* desktop = qobject_cast<QCheckBox*>(dialog.Control(kIdDesktop)))
        shot.desktop = desktop->isChecked();
    if (auto* onTop = qobject_cast<QCheckBox*>(dialog.Control(kIdOnTop)))
        shot.onTop = onTop->isChecked();
    for (const CFractalWnd* window : dialog.RenderWindows()) {
        const RenderSettings& s = window->Job().Settings();
        Picture picture{s.m_nFormula, s.m_nColoring, s.m_nWidth, s.m_nHeight,
                        s.m_pAlg ? s.m_pAlg->GetMaxIter() : 0, s.GetArea()};
        if (s.m_pAlg) {
            picture.cRe = s.m_pAlg->GetConstant().m_z.real();
            picture.cIm = s.m_pAlg->GetConstant().m_z.imag();
        }
        shot.pictures.push_back(picture);
    }
    return shot;
}

QString FirstDifference(const DesktopSnapshot& saved, const DesktopSnapshot& restored)
{
    const RenderFields& a = saved.fields;
    const RenderFields& b = restored.fields;
    const std::pair<const char*, std::pair<std::string, std::string>> texts[] = {
        {"X start", {a.xStart, b.xStart}}, {"X end", {a.xEnd, b.xEnd}},
        {"Y start", {a.yStart, b.yStart}}, {"Y end", {a.yEnd, b.yEnd}},
        {"width", {a.width, b.width}},     {"height", {a.height, b.height}},
        {"# colors", {a.colors, b.colors}}, {"C re", {a.cRe, b.cRe}},
        {"C im", {a.cIm, b.cIm}}};
    for (const auto& [name, pair] : texts)
        if (pair.first != pair.second)
            return QString("%1 was \"%2\", came back \"%3\"").arg(name, Text(pair.first), Text(pair.second));
    const std::pair<const char*, std::pair<int, int>> numbers[] = {
        {"formula", {a.formula, b.formula}},         {"coloring", {a.coloring, b.coloring}},
        {"aspect ratio", {a.aspectRatio, b.aspectRatio}}, {"show values", {a.showValues, b.showValues}},
        {"on top", {saved.onTop, restored.onTop}},    {"sample", {saved.sample, restored.sample}},
        {"desktop box", {saved.desktop, restored.desktop}},
        {"window count", {int(saved.pictures.size()), int(restored.pictures.size())}}};
    for (const auto& [name, pair] : numbers)
        if (pair.first != pair.second)
            return QString("%1 was %2, came back %3").arg(name).arg(pair.first).arg(pair.second);
    for (std::size_t i = 0; i < saved.pictures.size(); ++i) {
        const DesktopSnapshot::Picture& p = saved.pictures[i];
        const DesktopSnapshot::Picture& q = restored.pictures[i];
        const bool same = p.formula == q.formula && p.coloring == q.coloring && p.width == q.width &&
                          p.height == q.height && p.limit == q.limit && Same(p.area.xStart, q.area.xStart) &&
                          Same(p.area.xEnd, q.area.xEnd) && Same(p.area.yStart, q.area.yStart) &&
                          Same(p.area.yEnd, q.area.yEnd) && Same(p.cRe, q.cRe) && Same(p.cIm, q.cIm);
        if (!same)
            return QString("render window %1 came back with other parameters").arg(i + 1);
    }
    return {};
}

}  // namespace korvanta::monkey
