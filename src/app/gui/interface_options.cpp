#include "app/gui/interface_options.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QDoubleSpinBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QStackedWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace quorvex {

TInterfacing::TInterfacing(const InterfaceState& s, InterfaceActions actions, QWidget* parent)
    : QDialog(parent), actions_(std::move(actions)) {
    setObjectName(QStringLiteral("Interfacing"));
    setWindowTitle(QStringLiteral("Interface options"));
    auto* layout = new QVBoxLayout(this);
    auto* body = new QHBoxLayout;
    layout->addLayout(body);
    TreeView1 = new QTreeWidget;
    TreeView1->setObjectName(QStringLiteral("TreeView1"));
    TreeView1->setHeaderHidden(true);
    auto* languageNode = new QTreeWidgetItem(TreeView1, {QStringLiteral("Language")});
    auto* helpNode = new QTreeWidgetItem(TreeView1, {QStringLiteral("Help")});
    for (const char* child : {"Prompt", "Hints", "Status Bar"})
        new QTreeWidgetItem(helpNode, {QString::fromLatin1(child)});
    auto* imageNode = new QTreeWidgetItem(TreeView1, {QStringLiteral("Image")});
    for (const char* child : {"Rulers", "Hair lines"})
        new QTreeWidgetItem(imageNode, {QString::fromLatin1(child)});
    TreeView1->expandAll();
    body->addWidget(TreeView1);
    pages = new QStackedWidget;
    body->addWidget(pages, 1);

    // Page 1: the language.
    auto* page1 = new QWidget;
    auto* p1 = new QVBoxLayout(page1);
    auto* languageBox = new QGroupBox(QStringLiteral("  Language of messages   "));
    auto* lb = new QHBoxLayout(languageBox);
    language = new QButtonGroup(this);
    auto* english = new QRadioButton(QStringLiteral("English"));
    auto* russian = new QRadioButton(QStringLiteral("Russian"));
    language->addButton(english, 0);
    language->addButton(russian, 1);
    lb->addWidget(english);
    lb->addWidget(russian);
    (s.language == Language::English ? english : russian)->setChecked(true);
    p1->addWidget(languageBox);
    p1->addStretch();
    pages->addWidget(page1);

    // Page 2: help, hints and the status bar.
    auto* page2 = new QWidget;
    auto* p2 = new QVBoxLayout(page2);
    prompt = new QCheckBox(QStringLiteral("Prompt for application start-up"));
    prompt->setChecked(s.showStartupHint);
    hints = new QCheckBox(s.hintsCaption);
    hints->setChecked(s.hintsTenSeconds);
    statusBarGroup = new QGroupBox(QStringLiteral("Status Bar"));
    auto* sg = new QGridLayout(statusBarGroup);
    Height = new QSpinBox;
    Height->setObjectName(QStringLiteral("Height"));
    Height->setRange(10, 100);
    Height->setValue(s.statusBarHeight);
    widthFactorLabel = new QLabel(QStringLiteral("Panels width factor:"));
    RxSpinEdit1 = new QDoubleSpinBox;
    RxSpinEdit1->setObjectName(QStringLiteral("RxSpinEdit1"));
    RxSpinEdit1->setRange(0.1, 10.0);
    RxSpinEdit1->setSingleStep(0.1);
    RxSpinEdit1->setDecimals(1);
    RxSpinEdit1->setValue(s.widthFactor);
    autoResize = new QCheckBox(QStringLiteral("Automatic resize a width of panels"));
    autoResize->setChecked(s.autoResizePanels);
    widthFactorLabel->setEnabled(!s.autoResizePanels);
    RxSpinEdit1->setEnabled(!s.autoResizePanels);
    sg->addWidget(new QLabel(QStringLiteral("Height:")), 0, 0);
    sg->addWidget(Height, 0, 1);
    sg->addWidget(widthFactorLabel, 1, 0);
    sg->addWidget(RxSpinEdit1, 1, 1);
    sg->addWidget(autoResize, 2, 0, 1, 2);
    p2->addWidget(prompt);
    p2->addWidget(hints);
    p2->addWidget(statusBarGroup);
    p2->addStretch();
    pages->addWidget(page2);

    // Page 3: the image.
    auto* page3 = new QWidget;
    auto* p3 = new QVBoxLayout(page3);
    imageText = new QLabel;
    rulers = new QCheckBox(QStringLiteral("Show rulers (vertical and horizontal)"));
    rulers->setChecked(s.rulersShown);
    hairLines =
        new QCheckBox(QStringLiteral("Paint hair lines on the Image when select a rectangle"));
    hairLines->setChecked(s.hairLines);
    p3->addWidget(imageText);
    p3->addWidget(rulers);
    p3->addWidget(hairLines);
    p3->addStretch();
    pages->addWidget(page3);

    auto* buttons = new QHBoxLayout;
    auto* ok = new QPushButton(QStringLiteral("OK"));
    ok->setObjectName(QStringLiteral("OKBtn"));
    ok->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("Cancel"));
    applyButton = new QPushButton(QStringLiteral("Apply"));
    applyButton->setObjectName(QStringLiteral("ApplyBtn"));
    applyButton->setEnabled(false);
    auto* reset = new QPushButton(QStringLiteral("Reset all"));
    reset->setObjectName(QStringLiteral("ResetBtn"));
    for (QPushButton* b : {ok, cancel, applyButton, reset})
        buttons->addWidget(b);
    layout->addLayout(buttons);
    connect(ok, &QPushButton::clicked, this, &TInterfacing::OkClick);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(applyButton, &QPushButton::clicked, this, &TInterfacing::ApplyClick);
    connect(reset, &QPushButton::clicked, this, &TInterfacing::ResetAllClick);

    // Every change enables "Apply"; some act at once.
    const auto changed = [this] { applyButton->setEnabled(true); };
    connect(language, &QButtonGroup::idClicked, this, changed);
    for (QCheckBox* c : {prompt, hints, autoResize, rulers, hairLines})
        connect(c, &QCheckBox::toggled, this, changed);
    connect(Height, qOverload<int>(&QSpinBox::valueChanged), this, changed);
    connect(RxSpinEdit1, qOverload<double>(&QDoubleSpinBox::valueChanged), this, changed);
    connect(autoResize, &QCheckBox::toggled, this, [this](bool on) {
        widthFactorLabel->setEnabled(!on);
        RxSpinEdit1->setEnabled(!on);
    });
    connect(rulers, &QCheckBox::toggled, this, [this](bool on) {
        if (actions_.showRulers) actions_.showRulers(on);
    });
    connect(hairLines, &QCheckBox::toggled, this, [this](bool on) {
        if (actions_.hairLines) actions_.hairLines(on);
    });
    connect(prompt, &QCheckBox::toggled, this, [this](bool on) {
        if (actions_.startupHint) actions_.startupHint(on);
    });
    connect(TreeView1, &QTreeWidget::currentItemChanged, this, &TInterfacing::showNode);
    TreeView1->setCurrentItem(languageNode);
    showNode();
    applyButton->setEnabled(false);
    setFixedSize(sizeHint());
}

void TInterfacing::selectNode(const QString& path) {
    const QStringList parts = path.split(QLatin1Char('/'));
    for (int i = 0; i < TreeView1->topLevelItemCount(); ++i) {
        QTreeWidgetItem* top = TreeView1->topLevelItem(i);
        if (top->text(0) != parts[0]) continue;
        if (parts.size() == 1) return TreeView1->setCurrentItem(top);
        for (int k = 0; k < top->childCount(); ++k)
            if (top->child(k)->text(0) == parts[1]) return TreeView1->setCurrentItem(top->child(k));
    }
}

void TInterfacing::showNode() {
    QTreeWidgetItem* item = TreeView1->currentItem();
    if (!item) return;
    const QString node = item->text(0);
    const QString parent = item->parent() ? item->parent()->text(0) : QString();
    if (node == QLatin1String("Language")) {
        pages->setCurrentIndex(0);
        return;
    }
    if (node == QLatin1String("Help") || parent == QLatin1String("Help")) {
        pages->setCurrentIndex(1);
        prompt->setVisible(node == QLatin1String("Prompt"));
        hints->setVisible(node == QLatin1String("Hints"));
        statusBarGroup->setVisible(node == QLatin1String("Status Bar"));
        return;
    }
    pages->setCurrentIndex(2);
    rulers->setVisible(node == QLatin1String("Rulers"));
    hairLines->setVisible(node == QLatin1String("Hair lines"));
    imageText->setText(
        node == QLatin1String("Rulers") ? QStringLiteral("The rulers may be hiden by double click")
        : node == QLatin1String("Hair lines")
            ? QStringLiteral("For a well locating:")
            : QStringLiteral(" The Image - it is the container of a chart digitized."));
}

InterfaceState TInterfacing::state() const {
    InterfaceState s;
    s.language = language->checkedId() == 1 ? Language::Russian : Language::English;
    s.showStartupHint = prompt->isChecked();
    s.hintsTenSeconds = hints->isChecked();
    s.hintsCaption = hints->text();
    s.statusBarHeight = Height->value();
    s.widthFactor = RxSpinEdit1->value();
    s.autoResizePanels = autoResize->isChecked();
    s.rulersShown = rulers->isChecked();
    s.hairLines = hairLines->isChecked();
    return s;
}

void TInterfacing::ApplyClick() {
    if (actions_.apply) actions_.apply(state());
    applyButton->setEnabled(false);
}

void TInterfacing::OkClick() {
    ApplyClick();
    if (actions_.writeSettings) actions_.writeSettings();
    accept();
}

void TInterfacing::ResetAllClick() {
    if (actions_.loadDefaults) actions_.loadDefaults();
    hints->setChecked(true);
    Height->setValue(22);
    RxSpinEdit1->setValue(1.0);
    ApplyClick();
}

void TInterfacing::done(int result) {
    // Whichever way the dialog closes, the automatic resizing takes the box's state.
    if (actions_.autoResizeOnClose) actions_.autoResizeOnClose(autoResize->isChecked());
    QDialog::done(result);
}

} // namespace quorvex
