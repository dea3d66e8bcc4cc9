#include "gui/dialog/FractalDlg.h"

#include "gui/dialog/DialogUnits.h"
#include "gui/dialog/EditFilters.h"
#include "core/scenes/SampleScenes.h"
#include "gui/render/FractalWnd.h"
#include "gui/resources/ControlIds.h"
#include "gui/resources/Icons.h"
#include "core/render/RowWorkers.h"
#include "gui/resources/Strings.h"
#include "gui/resources/Tooltips.h"
#include "gui/shell/Help.h"
#include "gui/shell/AppPaths.h"
#include "gui/shell/FractalAboutDlg.h"
#include "gui/shell/IdleDriver.h"
#include "gui/shell/Prompter.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QEvent>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QWindowStateChangeEvent>

#include <algorithm>

namespace korvanta {

namespace {

constexpr const char* kIdProperty = "controlId";

}  // namespace

CFractalDlg::CFractalDlg(QString openFile, QWidget* parent)
    : QDialog(parent), m_strOpenFile(std::move(openFile))
{
    setWindowTitle(strings::kDialogTitle);
    setWindowIcon(AppIcon());
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    // The layout is made for a small 8-point dialog font; the same on every machine.
    QFont font = this->font();
    font.setPixelSize(10);
    setFont(font);
    setWindowFlag(Qt::WindowMinimizeButtonHint, true);
    setAcceptDrops(true);
    m_workers = std::make_unique<RowWorkers>(RowWorkers::DefaultThreads());
    m_idle = new IdleDriver([this](int count) { IdleStep(count); },
                            [this] { return AnyPictureRendering(); }, this);
    CreateControls();
    WatchForHelpRequests(this);
    CreateMacroEngine();
    OnInitDialog();
}

CFractalDlg::~CFractalDlg()
{
    CloseRenderWindows();
    CloseHelpWindow();
}

void CFractalDlg::AddControl(int id, QWidget* control, QRect dialogUnits)
{
    control->setProperty(kIdProperty, id);
    control->setObjectName(QString::number(id));
    control->setGeometry(FromDialogUnits(dialogUnits.x(), dialogUnits.y(), dialogUnits.width(),
                                         dialogUnits.height()));
    if (const char* tip = TooltipOf(id))
        control->setToolTip(tip);
}

QWidget* CFractalDlg::Control(int id) const
{
    return findChild<QWidget*>(QString::number(id));
}

QLineEdit* CFractalDlg::Edit(int id) const
{
    return qobject_cast<QLineEdit*>(Control(id));
}

void CFractalDlg::SetText(int id, const QString& text)
{
    QLineEdit* edit = Edit(id);
    edit->setText(text);
    edit->setCursorPosition(0);
}

void CFractalDlg::CreateControls()
{
    // The order of creation is the tab order.
    CreateMenuAndClientArea();
    CreateEdits();
    CreateListsAndSizeFields();
    CreateChecksAndButtons();
}

void CFractalDlg::CreateMenuAndClientArea()
{
    m_menu = new QMenuBar(this);
    QMenu* file = m_menu->addMenu("File");
    file->addAction("Load..", this, &CFractalDlg::OnLoad);
    file->addAction("Import location...", this, &CFractalDlg::OnImportLocation);
    file->addAction("Export location...", this, &CFractalDlg::OnExportLocation);
    file->addAction("&Exit", this, &CFractalDlg::reject);
    QMenu* help = m_menu->addMenu("Help");
    help->addAction("&Help", this, &CFractalDlg::OnHelp)->setData(kCmdHelp);
    help->addAction("&About...", this, &CFractalDlg::OnAbout)->setData(kCmdAbout);
    m_menu->adjustSize();
    const int menuHeight = m_menu->sizeHint().height();
    m_menu->setGeometry(0, 0, FromDialogUnits(0, 0, 370, 0).width(), menuHeight);

    // Dialog units count from below the menu bar.
    m_client = new QWidget(this);
    const QRect client = FromDialogUnits(0, 0, 370, 181);
    m_client->setGeometry(0, menuHeight, client.width(), client.height());
    setFixedSize(client.width(), client.height() + menuHeight);

    auto group = [this](const char* title, QRect du) {
        auto* box = new QGroupBox(title, m_client);
        box->setGeometry(FromDialogUnits(du.x(), du.y(), du.width(), du.height()));
    };
    group("Render Area", {7, 7, 299, 48});
    group("Algorithm's", {7, 62, 299, 51});
    group("Options", {7, 120, 356, 54});
}

void CFractalDlg::AddLabel(const char* text, int x, int y, int width)
{
    auto* l = new QLabel(text, m_client);
    l->setGeometry(FromDialogUnits(x, y + 3, width, 8));
}

void CFractalDlg::CreateEdits()
{
    struct Edit {
        int id;
        QRect du;
        const char* label;
        int labelX;
    };
    for (const Edit& e : {Edit{kIdXStart, {55, 16, 100, 14}, "X Start", 15},
                          Edit{kIdXEnd, {199, 16, 100, 14}, "X End", 159},
                          Edit{kIdYStart, {55, 34, 100, 14}, "Y Start", 15},
                          Edit{kIdYEnd, {199, 34, 100, 14}, "Y End", 159},
                          Edit{kIdCRe, {55, 92, 45, 14}, "C (Re, Im)", 11},
                          Edit{kIdCIm, {112, 92, 43, 14}, nullptr, 0}}) {
        AddControl(e.id, new CRealEdit(m_client), e.du);
        if (e.label)
            AddLabel(e.label, e.labelX, e.du.y(), e.du.x() - e.labelX - 2);
    }
}

void CFractalDlg::CreateListsAndSizeFields()
{
    m_formulaBox = new QComboBox(m_client);
    AddControl(kIdFormula, m_formulaBox, {55, 74, 100, 14});
    AddLabel("Set", 15, 74, 38);
    m_coloringBox = new QComboBox(m_client);
    AddControl(kIdColoring, m_coloringBox, {199, 74, 100, 14});
    AddLabel("Coloring", 159, 74, 38);

    auto* colors = new CDigitEdit(m_client);
    AddControl(kIdNumColors, colors, {199, 92, 91, 14});
    AddLabel("# Colors", 159, 92, 38);
    m_upDown = new UpDown(colors, 0, 2147483647, m_client);
    AddControl(kIdUpDown, m_upDown, {290, 92, 9, 14});
    colors->SetUpDown(m_upDown);

    AddControl(kIdWidth, new FilteredEdit("0123456789", m_client), {55, 132, 100, 14});
    AddLabel("Width", 15, 132, 38);
    AddControl(kIdHeight, new FilteredEdit("0123456789", m_client), {55, 150, 100, 14});
    AddLabel("Height", 15, 150, 38);

    m_samplesBox = new QComboBox(m_client);
    AddControl(kIdSamples, m_samplesBox, {199, 132, 100, 14});
    AddLabel("Samples", 159, 132, 38);
}

void CFractalDlg::CreateChecksAndButtons()
{
    struct Check {
        int id;
        const char* text;
        QRect du;
    };
    for (const Check& c : {Check{kIdShowValues, "Show Values", {159, 150, 58, 14}},
                           Check{kIdAspectRatio, "Aspect Ratio", {217, 150, 56, 14}},
                           Check{kIdOnTop, "On Top", {273, 150, 40, 14}},
                           Check{kIdDesktop, "Desktop", {318, 150, 41, 14}}}) {
        AddControl(c.id, new QCheckBox(c.text, m_client), c.du);
    }

    auto* render = new QPushButton("&Render", m_client);
    AddControl(kIdRender, render, {313, 12, 50, 14});
    render->setDefault(true);
    render->setAutoDefault(true);
    auto* help = new QPushButton("&Help...", m_client);
    AddControl(kIdHelp, help, {313, 30, 50, 14});
    help->setAutoDefault(false);
    auto* exit = new QPushButton("&Exit", m_client);
    AddControl(kIdExit, exit, {313, 48, 50, 14});
    exit->setAutoDefault(false);

    connect(render, &QPushButton::clicked, this, &CFractalDlg::OnRender);
    connect(help, &QPushButton::clicked, this, &CFractalDlg::OnHelp);
    connect(exit, &QPushButton::clicked, this, &CFractalDlg::reject);
    connect(m_formulaBox, &QComboBox::activated, this, &CFractalDlg::OnSelchangeAlgorithm);
    connect(m_coloringBox, &QComboBox::activated, this, &CFractalDlg::OnSelchangeColoring);
    connect(m_samplesBox, &QComboBox::activated, this, &CFractalDlg::OnSelchangeSamples);
    connect(qobject_cast<QCheckBox*>(Control(kIdOnTop)), &QCheckBox::clicked, this,
            &CFractalDlg::OnOnTop);
}

void CFractalDlg::OnInitDialog()
{
    AddAlg();
    AddCol();
    DoDataExchange(false);
    for (const auto& alg : m_algorithms)
        m_formulaBox->addItem(alg ? alg->GetName() : "");
    for (const auto& col : m_colorings)
        m_coloringBox->addItem(col ? col->GetName() : "");
    for (const SampleScene& scene : kSampleScenes)
        m_samplesBox->addItem(scene.name);

    m_formulaBox->setCurrentIndex(0);
    OnSelchangeAlgorithm();
    m_coloringBox->setCurrentIndex(0);
    OnSelchangeColoring();
    m_samplesBox->setCurrentIndex(m_samplesBox->count() > 0 ? 0 : -1);

    const RenderFields initial;
    SetText(kIdXStart, QString::fromStdString(initial.xStart));
    SetText(kIdXEnd, QString::fromStdString(initial.xEnd));
    SetText(kIdYStart, QString::fromStdString(initial.yStart));
    SetText(kIdYEnd, QString::fromStdString(initial.yEnd));
    m_strWidth = QString::fromStdString(initial.width);
    m_strHeight = QString::fromStdString(initial.height);
    SetText(kIdCIm, QString::fromStdString(initial.cIm));
    SetText(kIdCRe, QString::fromStdString(initial.cRe));

    RefreshMembers();
    ApplyOnTop();
    DoDataExchange(false);
    SaveOrRestoreDesktop(false);
    if (!m_strOpenFile.isEmpty())
        QMetaObject::invokeMethod(this, &CFractalDlg::OpenCommandFile, Qt::QueuedConnection);
}

void CFractalDlg::RefreshMembers()
{
    m_bValidate = false;
    DoDataExchange(true);
    m_bValidate = true;
}

void CFractalDlg::OnOnTop()
{
    RefreshMembers();
    ApplyOnTop();
}

void CFractalDlg::ApplyOnTop()
{
    const bool onTop = m_bOnTop != 0;
    if (windowFlags().testFlag(Qt::WindowStaysOnTopHint) == onTop)
        return;
    const bool visible = isVisible();
    setWindowFlag(Qt::WindowStaysOnTopHint, onTop);
    if (visible)
        show();
}

void CFractalDlg::reject()
{
    m_bValidate = false;
    if (qobject_cast<QCheckBox*>(Control(kIdDesktop))->isChecked()) {
        if (!DoDataExchange(true)) {
            m_bValidate = true;
            Prompter::Current().Message(this, strings::kRemedyOrUncheck);
            return;
        }
    } else {
        m_bDesktop = 0;
    }
    m_bValidate = true;
    if (!SaveOrRestoreDesktop(true))
        return;
    QDialog::reject();
}

void CFractalDlg::done(int result)
{
    QDialog::done(result);
    CloseRenderWindows();
}

void CFractalDlg::CloseRenderWindows()
{
    while (!m_renderWindows.empty()) {
        CFractalWnd* first = m_renderWindows.front();
        first->close();
        // A window that refused to close must not hold up the shutdown.
        if (!m_renderWindows.empty() && m_renderWindows.front() == first)
            RemoveRenderWindow(first);
    }
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void CFractalDlg::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::WindowStateChange) {
        const auto* change = static_cast<QWindowStateChangeEvent*>(event);
        const bool wasMinimized = change->oldState().testFlag(Qt::WindowMinimized);
        if (isMinimized() && !wasMinimized) {
            for (CFractalWnd* w : m_renderWindows)
                w->hide();
        } else if (!isMinimized() && wasMinimized) {
            for (CFractalWnd* w : m_renderWindows)
                w->show();
        }
    }
    QDialog::changeEvent(event);
}

void CFractalDlg::IdleStep(int count)
{
    // Rows the workers have ready are taken at once. Only when no picture moved on does a
    // step wait a little for a row, so that the loop does not spin against the workers, and
    // then for one picture: a tick that waited for each of forty kept input waiting.
    bool moved = false;
    CFractalWnd* waiting = nullptr;
    for (std::size_t i = 0; i < m_renderWindows.size(); ++i) {
        CFractalWnd* window = m_renderWindows[i];
        const RenderJob& job = window->Job();
        const std::int32_t row = job.Row(), column = job.Column();
        window->RenderStep(count, std::chrono::microseconds(0));
        if (i >= m_renderWindows.size() || m_renderWindows[i] != window)
            continue;
        moved = moved || !job.LooksAhead() || job.Row() != row || job.Column() != column;
        if (!waiting && job.LooksAhead() && !job.Finished())
            waiting = window;
    }
    if (!moved && waiting)
        waiting->RenderStep(count);
}

bool CFractalDlg::AnyPictureRendering() const
{
    return std::any_of(m_renderWindows.begin(), m_renderWindows.end(),
                       [](const CFractalWnd* w) { return !w->Job().Finished(); });
}

bool CFractalDlg::DetachRenderWindow(CFractalWnd* window)
{
    const auto it = std::find(m_renderWindows.begin(), m_renderWindows.end(), window);
    if (it == m_renderWindows.end())
        return false;
    m_renderWindows.erase(it);
    if (m_renderWindows.empty())
        m_paintScratch = QImage();
    return true;
}

bool CFractalDlg::RemoveRenderWindow(CFractalWnd* window)
{
    if (!DetachRenderWindow(window))
        return false;
    window->deleteLater();
    return true;
}

// Modal: rendering pauses while it is open.
void CFractalDlg::OnAbout()
{
    CFractalAboutDlg about(this, m_openUrl);
    KeepAboveOnTopWindows(about);
    about.exec();
}

}  // namespace korvanta
