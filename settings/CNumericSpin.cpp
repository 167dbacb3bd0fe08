#include "settings/CNumericSpin.h"

#include "core/NumberText.h"

#include <QLineEdit>

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>

namespace vanemark {

namespace {

constexpr int kMaxSteps = 32767;
constexpr double kRelativeTolerance = 1e-9;

} // namespace

CNumericSpin::CNumericSpin(QWidget* parent) : QAbstractSpinBox(parent)
{
    setAccelerated(false);
    setCorrectionMode(QAbstractSpinBox::CorrectToPreviousValue);
    SetRange(lower, upper, step);
}

QString CNumericSpin::FormatG(double value)
{
    std::array<char, 64> buffer{};
    const auto result =
        std::to_chars(buffer.data(), buffer.data() + buffer.size(), value, std::chars_format::general, 6);
    return QString::fromLatin1(buffer.data(), static_cast<qsizetype>(result.ptr - buffer.data()));
}

QString CNumericSpin::Text() const
{
    return lineEdit()->text();
}

void CNumericSpin::SetText(const QString& value)
{
    lineEdit()->setText(value);
}

void CNumericSpin::SetRange(double lowerBound, double upperBound, double stepSize)
{
    lower = lowerBound;
    upper = upperBound;
    step = stepSize;
    if (step != 0.0) {
        const double count = std::trunc(std::fabs((upper - lower) / step));
        steps = count > kMaxSteps ? kMaxSteps : static_cast<int>(count);
    }
    SetPosition(ParseDouble(Text().toStdString()));
}

void CNumericSpin::SetPosition(double value)
{
    const double span = upper - lower;
    if (span == 0.0) {
        return;
    }
    int pos = 0;
    if (value < lower) {
        pos = 0;
    } else if (value > upper) {
        pos = steps;
    } else {
        // Within the range the scaled value is not negative: rounding half up.
        pos = static_cast<int>(std::floor((value - lower) / span * steps + 0.5));
    }
    // The arrow positions are 16-bit.
    position = static_cast<std::int16_t>(pos & 0xFFFF);
}

void CNumericSpin::stepBy(int delta)
{
    StepText(delta);
}

void CNumericSpin::StepText(int delta)
{
    double value = ParseDouble(Text().toStdString()) + delta * step;
    // Accumulated rounding must not push a value that lands on a bound
    // (as 0.1 steps do) past it.
    double tolerance = 0.0;
    if (delta >= 0) {
        tolerance = (value <= upper ? std::fabs(upper) : std::fabs(value)) * kRelativeTolerance;
    } else {
        tolerance = (value <= lower ? std::fabs(lower) : std::fabs(value)) * kRelativeTolerance;
    }
    tolerance = std::max(tolerance, kRelativeTolerance);

    const bool outside = delta >= 0 ? value - upper > tolerance : lower - value > tolerance;
    if (outside) {
        const bool up = delta >= 0;
        value = wrapping() ? (up ? lower : upper) : (up ? upper : lower);
    }
    SetText(FormatG(value));
    SetPosition(value);
    lineEdit()->selectAll();
}

QAbstractSpinBox::StepEnabled CNumericSpin::stepEnabled() const
{
    // Both arrows always work: a step from outside the range clamps into it.
    if (isReadOnly()) {
        return StepNone;
    }
    return StepUpEnabled | StepDownEnabled;
}

QValidator::State CNumericSpin::validate(QString& input, int& /*pos*/) const
{
    for (const QChar c : input) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9')) {
            return QValidator::Invalid;
        }
    }
    return QValidator::Acceptable;
}

QSize CNumericSpin::sizeHint() const
{
    QSize hint = QAbstractSpinBox::sizeHint();
    const int digits = fontMetrics().horizontalAdvance(QStringLiteral("10000000"));
    hint.setWidth(std::max(hint.width(), digits + 2 * fontMetrics().height()));
    return hint;
}

QSize CNumericSpin::minimumSizeHint() const
{
    return sizeHint();
}

} // namespace vanemark
