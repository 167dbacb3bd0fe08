#pragma once

#include <QAbstractSpinBox>

namespace vanemark {

// A spin box whose arrows work on whatever number stands in its edit, not on
// a stored value: the text may hold any number the user typed (also one
// outside the arrow range), and each arrow step adds `step` to it, keeps the
// result within lower ... upper and prints it back with "%g". Only digits
// can be typed.
class CNumericSpin : public QAbstractSpinBox {
    Q_OBJECT

public:
    explicit CNumericSpin(QWidget* parent = nullptr);

    // A non-zero step also sets the number of arrow positions, |range / step|
    // (at most 32767), and the position from the current text.
    void SetRange(double lowerBound, double upperBound, double stepSize);
    double Step() const { return step; }
    // Where the current number sits among the arrow positions.
    int Position() const { return position; }

    QString Text() const;
    void SetText(const QString& value);

    void stepBy(int delta) override;
    QValidator::State validate(QString& input, int& pos) const override;
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

    // "%g", whatever the process locale.
    static QString FormatG(double value);

protected:
    StepEnabled stepEnabled() const override;

private:
    void StepText(int delta);
    void SetPosition(double value);

    double lower = 0.0;
    double upper = 100.0;
    double step = 1.0;
    int steps = 100;
    int position = 0;
};

} // namespace vanemark
