#include "components/calculator_dialog.h"

#include "core/numbers.h"

#include <QGridLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <cmath>
#include <limits>

namespace quorvex {

CalculatorDialog::CalculatorDialog(QWidget* parent)
    : QDialog(parent), display_(new QLineEdit(QStringLiteral("0"))) {
    setObjectName(QStringLiteral("RxCalculator1"));
    setWindowTitle(QStringLiteral("Calculator"));
    display_->setReadOnly(true);
    display_->setAlignment(Qt::AlignRight);
    display_->setObjectName(QStringLiteral("Display"));
    auto* grid = new QGridLayout(this);
    grid->addWidget(display_, 0, 0, 1, 4);
    const QString separator(localeDecimalSeparator());
    const QString keys[5][4] = {{"7", "8", "9", "/"},
                                {"4", "5", "6", "*"},
                                {"1", "2", "3", "-"},
                                {"0", separator, "=", "+"},
                                {"C", "", "", ""}};
    for (int r = 0; r < 5; ++r)
        for (int c = 0; c < 4; ++c) {
            if (keys[r][c].isEmpty()) continue;
            auto* b = new QPushButton(keys[r][c]);
            b->setFocusPolicy(Qt::NoFocus);
            const QChar key = keys[r][c].at(0);
            connect(b, &QPushButton::clicked, this, [this, key] { press(key); });
            grid->addWidget(b, r + 1, c);
        }
}

QString CalculatorDialog::display() const {
    return display_->text();
}

void CalculatorDialog::applyPending() {
    // After an error the display holds no number: the error goes on until "C" or a new number.
    double value = 0;
    if (!tryParseDouble(display_->text(), localeDecimalSeparator(), value))
        value = std::numeric_limits<double>::quiet_NaN();
    if (pending_ == QLatin1Char('+'))
        accumulator_ += value;
    else if (pending_ == QLatin1Char('-'))
        accumulator_ -= value;
    else if (pending_ == QLatin1Char('*'))
        accumulator_ *= value;
    else if (pending_ == QLatin1Char('/'))
        accumulator_ /= value;
    else
        accumulator_ = value;
}

void CalculatorDialog::press(QChar key) {
    const QChar separator = localeDecimalSeparator();
    key = typedNumericKey(key, separator);
    if (key.isDigit() || key == separator) {
        QString text = startNew_ ? QString() : display_->text();
        if (key == separator && text.contains(separator)) return;
        if (text == QLatin1String("0") && key != separator) text.clear();
        if (text.isEmpty() && key == separator) text = QStringLiteral("0");
        display_->setText(text + key);
        startNew_ = false;
    } else if (key == QLatin1Char('C') || key == QLatin1Char('c')) {
        accumulator_ = 0;
        pending_ = QChar();
        display_->setText(QStringLiteral("0"));
        startNew_ = true;
    } else if (QStringLiteral("+-*/=").contains(key)) {
        if (!startNew_ || pending_.isNull()) applyPending();
        display_->setText(std::isfinite(accumulator_) ? NumberText(accumulator_)
                                                      : QStringLiteral("Error"));
        pending_ = key == QLatin1Char('=') ? QChar() : key;
        startNew_ = true;
    }
}

void CalculatorDialog::keyPressEvent(QKeyEvent* event) {
    const QString text = event->text();
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
        press(QLatin1Char('='));
    else if (event->key() == Qt::Key_Escape)
        QDialog::keyPressEvent(event);
    else if (!text.isEmpty())
        press(text.at(0));
}

} // namespace quorvex
