#include "gui/dialog/FractalDlg.h"

#include "core/text/NumberText.h"
#include "gui/resources/ControlIds.h"
#include "gui/resources/Strings.h"
#include "gui/shell/Prompter.h"

#include <QCheckBox>
#include <QLineEdit>

namespace korvanta {

namespace {

constexpr int kMinSize = 1;
constexpr int kMaxSize = 32000;

}  // namespace

bool CFractalDlg::Fail(int id, const QString& message, bool selectAll)
{
    Prompter::Current().Message(this, message);
    if (QWidget* control = Control(id)) {
        control->setFocus();
        if (auto* edit = qobject_cast<QLineEdit*>(control); edit && selectAll)
            edit->selectAll();
    }
    return false;
}

bool CFractalDlg::DoDataExchange(bool save)
{
    struct CheckMember {
        int id;
        int* member;
    };
    for (const CheckMember& c : {CheckMember{kIdAspectRatio, &m_bAspectRatio},
                                 CheckMember{kIdShowValues, &m_bShowValues},
                                 CheckMember{kIdOnTop, &m_bOnTop},
                                 CheckMember{kIdDesktop, &m_bDesktop}}) {
        auto* box = qobject_cast<QCheckBox*>(Control(c.id));
        if (save)
            *c.member = box->isChecked() ? 1 : 0;
        else
            box->setChecked(*c.member == 1);
    }

    struct TextMember {
        int id;
        QString* member;
    };
    const TextMember sizes[] = {{kIdWidth, &m_strWidth}, {kIdHeight, &m_strHeight}};
    for (const TextMember& t : sizes) {
        if (save)
            *t.member = Edit(t.id)->text();
        else
            Edit(t.id)->setText(*t.member);
    }
    if (!m_bValidate)
        return true;

    for (const TextMember& t : sizes) {
        const std::int32_t value = AtoI(t.member->toStdString());
        if (value < kMinSize || value > kMaxSize)
            return Fail(t.id, QString(strings::kValueRange).arg(kMinSize).arg(kMaxSize), true);
    }
    if (!save)
        return true;

    struct Coordinate {
        int id;
        const char* message;
        double value;
    };
    Coordinate coordinates[] = {{kIdXStart, strings::kIllegalXStart, 0},
                                {kIdXEnd, strings::kIllegalXEnd, 0},
                                {kIdYStart, strings::kIllegalYStart, 0},
                                {kIdYEnd, strings::kIllegalYEnd, 0}};
    for (Coordinate& c : coordinates) {
        const auto value = ScanReal(Edit(c.id)->text().left(399).toStdString());
        if (!value)
            return Fail(c.id, c.message, false);
        c.value = *value;
    }
    if (coordinates[0].value == coordinates[1].value)
        return Fail(kIdXStart, strings::kXTooClose, false);
    if (coordinates[2].value == coordinates[3].value)
        return Fail(kIdYStart, strings::kYTooClose, false);
    return true;
}

}  // namespace korvanta
