#include "gui/shell/FractalPropDlg.h"

#include "gui/dialog/DialogUnits.h"
#include "gui/dialog/FractalDlg.h"
#include "core/deep/FractAlgDeep.h"
#include "core/render/ValuePanelText.h"
#include "core/text/NumberText.h"
#include "gui/resources/ControlIds.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

namespace korvanta {

namespace {

constexpr int kIdSet = 4;
constexpr int kIdCancel = 2;
constexpr int kIdColoringName = 1053;

QString Real(double value)
{
    return QString::fromStdString(FormatReal(value));
}

// A deep picture's location is its texts; the doubles beside them only approximate it.
const CFractAlgDeep* DeepFormulaOf(const RenderSettings& settings)
{
    return dynamic_cast<const CFractAlgDeep*>(settings.m_pAlg);
}

const CFractAlgDeep* DeepConstantOf(const RenderSettings& settings)
{
    const CFractAlgDeep* deep = DeepFormulaOf(settings);
    return deep && deep->UsesConstant() ? deep : nullptr;
}

void Place(QWidget* w, int x, int y, int width, int height)
{
    w->setGeometry(FromDialogUnits(x, y, width, height));
}

}  // namespace

CFractalPropDlg::CFractalPropDlg(const RenderSettings& settings, CFractalDlg* parent)
    : QDialog(parent), m_settings(settings), m_dialog(parent)
{
    CreateFrame();
    CreateFields();
    CreateButtons();
}

void CFractalPropDlg::CreateFrame()
{
    setWindowTitle("Dravik's Fractal Renderer");
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    QFont small = font();
    small.setPixelSize(10);
    setFont(small);
    const QRect size = FromDialogUnits(0, 0, 370, 180);
    setFixedSize(size.size());

    for (auto [title, y, h, w] : {std::tuple{"Render Area", 7, 48, 299},
                                  std::tuple{"Algorithm's", 62, 51, 299},
                                  std::tuple{"Options", 120, 54, 299}})
        Place(new QGroupBox(title, this), 7, y, w, h);
}

void CFractalPropDlg::CreateFields()
{
    const RenderSettings& settings = m_settings;
    const CFractAlg* alg = settings.m_pAlg;
    const CFractValue constant = alg ? alg->GetConstant() : CFractValue{};
    const CFractAlgDeep* deep = DeepFormulaOf(settings);
    const CFractAlgDeep* deepConstant = DeepConstantOf(settings);
    const auto exact = [](const std::string& text) { return QString::fromStdString(PlainDecimal(text)); };
    struct Field {
        int id;
        const char* label;
        int x, y, width;
        QString text;
    };
    const Field fields[] = {
        {kIdXStart, "X Start", 55, 16, 100, deep ? exact(deep->Area().xStart) : Real(settings.m_dXStart)},
        {kIdXEnd, "X End", 199, 16, 100, deep ? exact(deep->Area().xEnd) : Real(settings.m_dXEnd)},
        {kIdYStart, "Y Start", 55, 34, 100, deep ? exact(deep->Area().yStart) : Real(settings.m_dYStart)},
        {kIdYEnd, "Y End", 199, 34, 100, deep ? exact(deep->Area().yEnd) : Real(settings.m_dYEnd)},
        {kIdFormula, "Set", 55, 74, 100, alg ? alg->GetName() : ""},
        {kIdColoringName, "Coloring", 199, 74, 100,
         settings.m_pCol ? settings.m_pCol->GetName() : ""},
        {kIdNumColors, "# Colors", 199, 92, 100,
         QString::fromStdString(FormatInt(alg ? alg->GetMaxIter() : 0))},
        {kIdCRe, "C (Re, Im)", 55, 92, 45,
         deepConstant ? exact(deepConstant->ConstantRe()) : Real(constant.m_z.real())},
        {kIdCIm, nullptr, 112, 92, 43, deepConstant ? exact(deepConstant->ConstantIm()) : Real(constant.m_z.imag())},
        {kIdWidth, "Width", 199, 132, 100, QString::number(settings.m_nWidth)},
        {kIdHeight, "Height", 199, 150, 100, QString::number(settings.m_nHeight)},
    };
    for (const Field& f : fields) {
        auto* value = new QLabel(f.text, this);
        value->setObjectName(QString::number(f.id));
        value->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        value->setTextInteractionFlags(Qt::TextSelectableByMouse);
        Place(value, f.x, f.y, f.width, 14);
        if (f.label)
            Place(new QLabel(f.label, this), f.x < 150 ? 15 : 159, f.y + 3, 38, 8);
    }
    // Beside the exact texts, which go on for hundreds of digits at depth: how deep it is.
    if (const auto depth = DepthTextOf(settings))
        for (auto [id, text, y] : {std::tuple{kDepthWidth, depth->width, 135}, std::tuple{kDepthZoom, depth->zoom, 153}}) {
            auto* label = new QLabel(QString::fromStdString(text), this);
            label->setObjectName(id);
            label->setTextInteractionFlags(Qt::TextSelectableByMouse);
            Place(label, 15, y, 140, 8);
        }
}

void CFractalPropDlg::CreateButtons()
{
    auto* set = new QPushButton("Set", this);
    set->setObjectName(QString::number(kIdSet));
    set->setToolTip("Copy these values to control window");
    set->setDefault(true);
    Place(set, 313, 12, 50, 14);
    auto* cancel = new QPushButton("Cancel", this);
    cancel->setObjectName(QString::number(kIdCancel));
    Place(cancel, 313, 30, 50, 14);
    connect(set, &QPushButton::clicked, this, &CFractalPropDlg::OnSet);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

QString CFractalPropDlg::FieldText(int id) const
{
    const auto* label = findChild<QLabel*>(QString::number(id));
    return label ? label->text() : QString();
}

QString CFractalPropDlg::DepthText() const
{
    const auto* width = findChild<QLabel*>(kDepthWidth);
    const auto* zoom = findChild<QLabel*>(kDepthZoom);
    return width && zoom ? width->text() + ", " + zoom->text() : QString();
}

// The size and the options stay as the control window has them.
void CFractalPropDlg::OnSet()
{
    if (m_dialog) {
        const CFractAlg* alg = m_settings.m_pAlg;
        CFractalDlg::PictureFields fields{m_settings.GetArea(), m_settings.m_nFormula, m_settings.m_nColoring,
                                          alg ? alg->GetMaxIter() : 0, alg ? alg->GetConstant() : CFractValue{},
                                          std::nullopt, std::nullopt};
        if (const CFractAlgDeep* deep = DeepFormulaOf(m_settings))
            fields.exactArea = deep->Area();
        if (const CFractAlgDeep* deep = DeepConstantOf(m_settings))
            fields.exactConstant = PointTexts{deep->ConstantRe(), deep->ConstantIm()};
        m_dialog->FillFromPicture(fields);
    }
    accept();
}

}  // namespace korvanta
