#pragma once

#include <QLineEdit>
#include <QString>
#include <QWidget>

namespace korvanta {

// A line edit that lets through only the typed characters of its set (editing keys and the
// clipboard shortcuts always pass; pasted text is not filtered).
class FilteredEdit : public QLineEdit {
    Q_OBJECT

public:
    FilteredEdit(QString allowed, QWidget* parent = nullptr);

    // A buddy up-down control that the arrow keys step.
    void SetUpDown(class UpDown* upDown) { m_upDown = upDown; }

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    QString m_allowed;
    UpDown* m_upDown = nullptr;
};

// Coordinates and C: digits, point and minus.
class CRealEdit : public FilteredEdit {
    Q_OBJECT
public:
    explicit CRealEdit(QWidget* parent = nullptr) : FilteredEdit("0123456789.-", parent) {}
};

// Counts: digits only.
class CDigitEdit : public FilteredEdit {
    Q_OBJECT
public:
    explicit CDigitEdit(QWidget* parent = nullptr) : FilteredEdit("0123456789", parent) {}
};

// Steps the integer in its buddy edit within a range; the value is written back without
// thousands separators.
class UpDown : public QWidget {
    Q_OBJECT

public:
    UpDown(QLineEdit* buddy, int minimum, int maximum, QWidget* parent = nullptr);
    void Step(int delta);

private:
    QLineEdit* m_buddy;
    int m_minimum;
    int m_maximum;
};

}  // namespace korvanta
