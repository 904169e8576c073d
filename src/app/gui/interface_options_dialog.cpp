#include "app/gui/interface_options_dialog.h"

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

InterfaceOptionsDialog::InterfaceOptionsDialog(const InterfaceState& s, InterfaceActions actions,
                                               QWidget* parent)
    : QDialog(parent), actions_(std::move(actions)) {
    setObjectName(QStringLiteral("Interfacing"));
    setWindowTitle(QStringLiteral("Interface options"));
    auto* layout = new QVBoxLayout(this);
    auto* body = new QHBoxLayout;
    layout->addLayout(body);
    topicTree = new QTreeWidget;
    topicTree->setObjectName(QStringLiteral("TreeView1"));
    topicTree->setHeaderHidden(true);
    auto* languageNode = new QTreeWidgetItem(topicTree, {QStringLiteral("Language")});
    auto* helpNode = new QTreeWidgetItem(topicTree, {QStringLiteral("Help")});
    for (const char* child : {"Prompt", "Hints", "Status Bar"})
        new QTreeWidgetItem(helpNode, {QString::fromLatin1(child)});
    auto* imageNode = new QTreeWidgetItem(topicTree, {QStringLiteral("Image")});
    for (const char* child : {"Rulers", "Hair lines"})
        new QTreeWidgetItem(imageNode, {QString::fromLatin1(child)});
    topicTree->expandAll();
    body->addWidget(topicTree);
    pages = new QStackedWidget;
    body->addWidget(pages, 1);

    // Page 1: the language.
    auto* page1 = new QWidget;
    auto* p1 = new QVBoxLayout(page1);
    auto* languageBox = new QGroupBox(QStringLiteral("  Language of messages   "));
    auto* lb = new QHBoxLayout(languageBox);
    languageGroup = new QButtonGroup(this);
    auto* english = new QRadioButton(QStringLiteral("English"));
    auto* russian = new QRadioButton(QStringLiteral("Russian"));
    languageGroup->addButton(english, 0);
    languageGroup->addButton(russian, 1);
    lb->addWidget(english);
    lb->addWidget(russian);
    (s.language == Language::English ? english : russian)->setChecked(true);
    p1->addWidget(languageBox);
    p1->addStretch();
    pages->addWidget(page1);

    // Page 2: help, hints and the status bar.
    auto* page2 = new QWidget;
    auto* p2 = new QVBoxLayout(page2);
    startupHintBox = new QCheckBox(QStringLiteral("Prompt for application start-up"));
    startupHintBox->setChecked(s.showStartupHint);
    longHintsBox = new QCheckBox(s.hintsCaption);
    longHintsBox->setChecked(s.hintsTenSeconds);
    statusBarGroup = new QGroupBox(QStringLiteral("Status Bar"));
    auto* sg = new QGridLayout(statusBarGroup);
    statusBarHeightBox = new QSpinBox;
    statusBarHeightBox->setObjectName(QStringLiteral("Height"));
    statusBarHeightBox->setRange(10, 100);
    statusBarHeightBox->setValue(s.statusBarHeight);
    widthFactorLabel = new QLabel(QStringLiteral("Panels width factor:"));
    widthFactorBox = new QDoubleSpinBox;
    widthFactorBox->setObjectName(QStringLiteral("RxSpinEdit1"));
    widthFactorBox->setRange(0.1, 10.0);
    widthFactorBox->setSingleStep(0.1);
    widthFactorBox->setDecimals(1);
    widthFactorBox->setValue(s.widthFactor);
    autoResizeBox = new QCheckBox(QStringLiteral("Automatic resize a width of panels"));
    autoResizeBox->setChecked(s.autoResizePanels);
    widthFactorLabel->setEnabled(!s.autoResizePanels);
    widthFactorBox->setEnabled(!s.autoResizePanels);
    sg->addWidget(new QLabel(QStringLiteral("Height:")), 0, 0);
    sg->addWidget(statusBarHeightBox, 0, 1);
    sg->addWidget(widthFactorLabel, 1, 0);
    sg->addWidget(widthFactorBox, 1, 1);
    sg->addWidget(autoResizeBox, 2, 0, 1, 2);
    p2->addWidget(startupHintBox);
    p2->addWidget(longHintsBox);
    p2->addWidget(statusBarGroup);
    p2->addStretch();
    pages->addWidget(page2);

    // Page 3: the image.
    auto* page3 = new QWidget;
    auto* p3 = new QVBoxLayout(page3);
    imageText = new QLabel;
    rulersBox = new QCheckBox(QStringLiteral("Show rulers (vertical and horizontal)"));
    rulersBox->setChecked(s.rulersShown);
    hairLinesBox =
        new QCheckBox(QStringLiteral("Paint hair lines on the Image when select a rectangle"));
    hairLinesBox->setChecked(s.hairLines);
    p3->addWidget(imageText);
    p3->addWidget(rulersBox);
    p3->addWidget(hairLinesBox);
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
    connect(ok, &QPushButton::clicked, this, &InterfaceOptionsDialog::acceptChanges);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(applyButton, &QPushButton::clicked, this, &InterfaceOptionsDialog::applyChanges);
    connect(reset, &QPushButton::clicked, this, &InterfaceOptionsDialog::resetAll);

    // Every change enables "Apply"; some act at once.
    const auto changed = [this] { applyButton->setEnabled(true); };
    connect(languageGroup, &QButtonGroup::idClicked, this, changed);
    for (QCheckBox* c : {startupHintBox, longHintsBox, autoResizeBox, rulersBox, hairLinesBox})
        connect(c, &QCheckBox::toggled, this, changed);
    connect(statusBarHeightBox, qOverload<int>(&QSpinBox::valueChanged), this, changed);
    connect(widthFactorBox, qOverload<double>(&QDoubleSpinBox::valueChanged), this, changed);
    connect(autoResizeBox, &QCheckBox::toggled, this, [this](bool on) {
        widthFactorLabel->setEnabled(!on);
        widthFactorBox->setEnabled(!on);
    });
    connect(rulersBox, &QCheckBox::toggled, this, [this](bool on) {
        if (actions_.showRulers) actions_.showRulers(on);
    });
    connect(hairLinesBox, &QCheckBox::toggled, this, [this](bool on) {
        if (actions_.hairLines) actions_.hairLines(on);
    });
    connect(startupHintBox, &QCheckBox::toggled, this, [this](bool on) {
        if (actions_.startupHint) actions_.startupHint(on);
    });
    connect(topicTree, &QTreeWidget::currentItemChanged, this, &InterfaceOptionsDialog::showNode);
    topicTree->setCurrentItem(languageNode);
    showNode();
    applyButton->setEnabled(false);
    setFixedSize(sizeHint());
}

void InterfaceOptionsDialog::selectNode(const QString& path) {
    const QStringList parts = path.split(QLatin1Char('/'));
    for (int i = 0; i < topicTree->topLevelItemCount(); ++i) {
        QTreeWidgetItem* top = topicTree->topLevelItem(i);
        if (top->text(0) != parts[0]) continue;
        if (parts.size() == 1) return topicTree->setCurrentItem(top);
        for (int k = 0; k < top->childCount(); ++k)
            if (top->child(k)->text(0) == parts[1]) return topicTree->setCurrentItem(top->child(k));
    }
}

void InterfaceOptionsDialog::showNode() {
    QTreeWidgetItem* item = topicTree->currentItem();
    if (!item) return;
    const QString node = item->text(0);
    const QString parent = item->parent() ? item->parent()->text(0) : QString();
    if (node == QLatin1String("Language")) {
        pages->setCurrentIndex(0);
        return;
    }
    if (node == QLatin1String("Help") || parent == QLatin1String("Help")) {
        pages->setCurrentIndex(1);
        startupHintBox->setVisible(node == QLatin1String("Prompt"));
        longHintsBox->setVisible(node == QLatin1String("Hints"));
        statusBarGroup->setVisible(node == QLatin1String("Status Bar"));
        return;
    }
    pages->setCurrentIndex(2);
    rulersBox->setVisible(node == QLatin1String("Rulers"));
    hairLinesBox->setVisible(node == QLatin1String("Hair lines"));
    imageText->setText(
        node == QLatin1String("Rulers") ? QStringLiteral("The rulers may be hiden by double click")
        : node == QLatin1String("Hair lines")
            ? QStringLiteral("For a well locating:")
            : QStringLiteral(" The Image - it is the container of a chart digitized."));
}

InterfaceState InterfaceOptionsDialog::state() const {
    InterfaceState s;
    s.language = languageGroup->checkedId() == 1 ? Language::Russian : Language::English;
    s.showStartupHint = startupHintBox->isChecked();
    s.hintsTenSeconds = longHintsBox->isChecked();
    s.hintsCaption = longHintsBox->text();
    s.statusBarHeight = statusBarHeightBox->value();
    s.widthFactor = widthFactorBox->value();
    s.autoResizePanels = autoResizeBox->isChecked();
    s.rulersShown = rulersBox->isChecked();
    s.hairLines = hairLinesBox->isChecked();
    return s;
}

void InterfaceOptionsDialog::applyChanges() {
    if (actions_.apply) actions_.apply(state());
    applyButton->setEnabled(false);
}

void InterfaceOptionsDialog::acceptChanges() {
    applyChanges();
    if (actions_.writeSettings) actions_.writeSettings();
    accept();
}

void InterfaceOptionsDialog::resetAll() {
    if (actions_.loadDefaults) actions_.loadDefaults();
    longHintsBox->setChecked(true);
    statusBarHeightBox->setValue(22);
    widthFactorBox->setValue(1.0);
    applyChanges();
}

void InterfaceOptionsDialog::done(int result) {
    // Whichever way the dialog closes, the automatic resizing takes the box's state.
    if (actions_.autoResizeOnClose) actions_.autoResizeOnClose(autoResizeBox->isChecked());
    QDialog::done(result);
}

} // namespace quorvex
