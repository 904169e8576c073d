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

TRectangleSize::TRectangleSize(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("RectangleSize"));
    setWindowTitle(QStringLiteral("Fix coordinates"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    auto* grid = new QGridLayout(this);
    Label1 = new QLabel;
    Label1->setObjectName(QStringLiteral("Label1"));
    grid->addWidget(Label1, 0, 0, 1, 4);
    grid->setRowMinimumHeight(1, 90); // room for the picture of the rectangle
    auto spin = [this](const char* name, const char* hint) {
        auto* s = new QSpinBox(this);
        s->setObjectName(QString::fromLatin1(name));
        s->setToolTip(QString::fromLatin1(hint));
        s->setRange(0, 100000);
        return s;
    };
    SpinEdit1 = spin("SpinEdit1", "coordinates of left bottom corner (in pixells)");
    SpinEdit3 = spin("SpinEdit3", "coordinates of left bottom corner (in pixells)");
    SpinEdit2 = spin("SpinEdit2", "coordinates of right top corner (in pixells)");
    SpinEdit4 = spin("SpinEdit4", "coordinates of right top corner (in pixells)");
    const char* names[4] = {"Edit1", "Edit2", "Edit3", "Edit4"};
    for (int i = 0; i < 4; ++i) {
        graphFields[static_cast<std::size_t>(i)] = new QLineEdit(this);
        graphFields[static_cast<std::size_t>(i)]->setObjectName(QString::fromLatin1(names[i]));
        graphFields[static_cast<std::size_t>(i)]->setToolTip(
            i % 2 == 0 || i == 1
                ? QStringLiteral("coordinates of left bottom corner (in coorfinates of Your chart)")
                : QStringLiteral("coordinates of right top corner (in coorfinates of Your chart)"));
        graphFields[static_cast<std::size_t>(i)]->installEventFilter(this);
    }
    graphFields[2]->setToolTip(
        QStringLiteral("coordinates of right top corner (in coorfinates of Your chart)"));
    grid->addWidget(new QLabel(QStringLiteral("^\r\nI\r\nY")), 2, 0, 2, 1);
    grid->addWidget(new QLabel(QStringLiteral("left-bottom")), 2, 1);
    grid->addWidget(SpinEdit1, 3, 1);
    grid->addWidget(SpinEdit3, 4, 1);
    grid->addWidget(graphFields[0], 5, 1);
    grid->addWidget(graphFields[1], 6, 1);
    grid->addWidget(new QLabel(QStringLiteral("right-top")), 2, 2);
    grid->addWidget(SpinEdit2, 3, 2);
    grid->addWidget(SpinEdit4, 4, 2);
    grid->addWidget(graphFields[2], 5, 2);
    grid->addWidget(graphFields[3], 6, 2);
    grid->addWidget(new QLabel(QStringLiteral("X --->")), 7, 1);
    CheckBox1 = new QCheckBox(QStringLiteral(
        "Synchronize data of simple-edit fields with a changing of spin-edit fields"));
    CheckBox1->setObjectName(QStringLiteral("CheckBox1"));
    CheckBox1->setChecked(true);
    grid->addWidget(CheckBox1, 8, 0, 1, 4);
    auto* ok = new QPushButton(QStringLiteral("OK"));
    ok->setObjectName(QStringLiteral("BitBtn1"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    grid->addWidget(ok, 9, 3);
    for (QSpinBox* s : {SpinEdit1, SpinEdit2, SpinEdit3, SpinEdit4})
        connect(s, qOverload<int>(&QSpinBox::valueChanged), this, [this, s] { synchronise(s); });
}

void TRectangleSize::prepare(const std::array<QString, 4>& mainTexts, int width, int height,
                             const SelectionBox& selection) {
    Label1->setText(message(Msg::FixCoordinatesHelp));
    for (std::size_t i = 0; i < 4; ++i)
        graphFields[i]->setText(mainTexts[i]);
    SpinEdit1->setMaximum(width);
    SpinEdit2->setMaximum(width);
    SpinEdit3->setMaximum(height);
    SpinEdit4->setMaximum(height);
    bool allZero = true;
    for (const QString& text : mainTexts) {
        double v = 0;
        if (!tryParseDouble(text, localeDecimalSeparator(), v) || v != 0) allZero = false;
    }
    // Filling the pixel fields must not overwrite the graph values the user has.
    const bool synchronised = CheckBox1->isChecked();
    CheckBox1->setChecked(false);
    SpinEdit1->setValue(std::min(selection.left, selection.right));
    SpinEdit2->setValue(std::max(selection.left, selection.right));
    SpinEdit3->setValue(height - std::max(selection.top, selection.bottom));
    SpinEdit4->setValue(height - std::min(selection.top, selection.bottom));
    if (allZero) {
        for (QLineEdit* f : graphFields)
            f->setText(QStringLiteral("0"));
        CheckBox1->setChecked(synchronised);
    }
}

void TRectangleSize::synchronise(QSpinBox* source) {
    if (!CheckBox1->isChecked()) return;
    QLineEdit* target = source == SpinEdit1   ? graphFields[0]
                        : source == SpinEdit3 ? graphFields[1]
                        : source == SpinEdit2 ? graphFields[2]
                                              : graphFields[3];
    target->setText(QString::number(source->value()));
}

void TRectangleSize::paintEvent(QPaintEvent* event) {
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

// "," or "." typed into a graph field enters the locale's decimal separator.
bool TRectangleSize::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        auto* field = qobject_cast<QLineEdit*>(watched);
        if (field && (key->text() == QLatin1String(",") || key->text() == QLatin1String("."))) {
            field->insert(QString(localeDecimalSeparator()));
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace quorvex
