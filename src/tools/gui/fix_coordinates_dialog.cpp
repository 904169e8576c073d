#include "tools/gui/fix_coordinates_dialog.h"

#include "components/widgets.h"
#include "core/messages.h"
#include "core/numbers.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QSpinBox>

namespace quorvex {

FixCoordinatesDialog::FixCoordinatesDialog(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("RectangleSize"));
    setWindowTitle(QStringLiteral("Fix coordinates"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    auto* grid = new QGridLayout(this);
    helpLabel = new QLabel;
    helpLabel->setObjectName(QStringLiteral("Label1"));
    grid->addWidget(helpLabel, 0, 0, 1, 4);
    grid->setRowMinimumHeight(1, 90); // room for the picture of the rectangle
    auto spin = [this](const char* name, const char* hint) {
        auto* s = new QSpinBox(this);
        s->setObjectName(QString::fromLatin1(name));
        s->setToolTip(QString::fromLatin1(hint));
        s->setRange(0, 100000);
        return s;
    };
    leftBottomXBox = spin("SpinEdit1", "coordinates of left bottom corner (in pixells)");
    leftBottomYBox = spin("SpinEdit3", "coordinates of left bottom corner (in pixells)");
    rightTopXBox = spin("SpinEdit2", "coordinates of right top corner (in pixells)");
    rightTopYBox = spin("SpinEdit4", "coordinates of right top corner (in pixells)");
    const char* names[4] = {"Edit1", "Edit2", "Edit3", "Edit4"};
    for (int i = 0; i < 4; ++i) {
        graphFields[static_cast<std::size_t>(i)] = new QLineEdit(this);
        graphFields[static_cast<std::size_t>(i)]->setObjectName(QString::fromLatin1(names[i]));
        graphFields[static_cast<std::size_t>(i)]->setToolTip(
            i % 2 == 0 || i == 1
                ? QStringLiteral("coordinates of left bottom corner (in coorfinates of Your chart)")
                : QStringLiteral("coordinates of right top corner (in coorfinates of Your chart)"));
        enterLocaleDecimalSeparator(graphFields[static_cast<std::size_t>(i)]);
    }
    graphFields[2]->setToolTip(
        QStringLiteral("coordinates of right top corner (in coorfinates of Your chart)"));
    grid->addWidget(new QLabel(QStringLiteral("^\r\nI\r\nY")), 2, 0, 2, 1);
    grid->addWidget(new QLabel(QStringLiteral("left-bottom")), 2, 1);
    grid->addWidget(leftBottomXBox, 3, 1);
    grid->addWidget(leftBottomYBox, 4, 1);
    grid->addWidget(graphFields[0], 5, 1);
    grid->addWidget(graphFields[1], 6, 1);
    grid->addWidget(new QLabel(QStringLiteral("right-top")), 2, 2);
    grid->addWidget(rightTopXBox, 3, 2);
    grid->addWidget(rightTopYBox, 4, 2);
    grid->addWidget(graphFields[2], 5, 2);
    grid->addWidget(graphFields[3], 6, 2);
    grid->addWidget(new QLabel(QStringLiteral("X --->")), 7, 1);
    synchroniseBox = new QCheckBox(QStringLiteral(
        "Synchronize data of simple-edit fields with a changing of spin-edit fields"));
    synchroniseBox->setObjectName(QStringLiteral("CheckBox1"));
    synchroniseBox->setChecked(true);
    grid->addWidget(synchroniseBox, 8, 0, 1, 4);
    auto* ok = new QPushButton(QStringLiteral("OK"));
    ok->setObjectName(QStringLiteral("BitBtn1"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    grid->addWidget(ok, 9, 3);
    for (QSpinBox* s : {leftBottomXBox, rightTopXBox, leftBottomYBox, rightTopYBox})
        connect(s, qOverload<int>(&QSpinBox::valueChanged), this, [this, s] { synchronise(s); });
}

void FixCoordinatesDialog::prepare(const std::array<QString, 4>& mainTexts, int width, int height,
                                   const SelectionBox& selection) {
    helpLabel->setText(message(Msg::FixCoordinatesHelp));
    for (std::size_t i = 0; i < 4; ++i)
        graphFields[i]->setText(mainTexts[i]);
    leftBottomXBox->setMaximum(width);
    rightTopXBox->setMaximum(width);
    leftBottomYBox->setMaximum(height);
    rightTopYBox->setMaximum(height);
    bool allZero = true;
    for (const QString& text : mainTexts) {
        double v = 0;
        if (!tryParseDouble(text, localeDecimalSeparator(), v) || v != 0) allZero = false;
    }
    // Filling the pixel fields must not overwrite the graph values the user has.
    const bool synchronised = synchroniseBox->isChecked();
    synchroniseBox->setChecked(false);
    leftBottomXBox->setValue(std::min(selection.left, selection.right));
    rightTopXBox->setValue(std::max(selection.left, selection.right));
    leftBottomYBox->setValue(height - std::max(selection.top, selection.bottom));
    rightTopYBox->setValue(height - std::min(selection.top, selection.bottom));
    if (allZero) {
        for (QLineEdit* f : graphFields)
            f->setText(QStringLiteral("0"));
        synchroniseBox->setChecked(synchronised);
    }
}

void FixCoordinatesDialog::synchronise(QSpinBox* source) {
    if (!synchroniseBox->isChecked()) return;
    QLineEdit* target = source == leftBottomXBox   ? graphFields[0]
                        : source == leftBottomYBox ? graphFields[1]
                        : source == rightTopXBox   ? graphFields[2]
                                                   : graphFields[3];
    target->setText(QString::number(source->value()));
}

void FixCoordinatesDialog::paintEvent(QPaintEvent* event) {
    QDialog::paintEvent(event);
    for (QLineEdit* f : graphFields)
        f->setStyleSheet(calibratedFieldStyle());
    QPainter p(this);
    p.setPen(QPen(Qt::red, 1, Qt::DotLine));
    p.drawRect(60, 80, 290, 60);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::red);
    p.drawEllipse(QPoint(60, 140), 2, 2);
    p.drawEllipse(QPoint(350, 80), 2, 2);
}

} // namespace quorvex
