#include "image/gui/vector_page_dialog.h"

#include "components/widgets.h"
#include "core/messages.h"
#include "image/image_error.h"
#include "image/vector_page.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QPixmap>
#include <QSpinBox>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

namespace quorvex {

VectorPageDialog::VectorPageDialog(const VectorFile& file, double dpi, QWidget* parent)
    : QDialog(parent), file_(file) {
    setObjectName(QStringLiteral("VectorPageDialog"));
    setWindowTitle(message(Msg::VectorPageTitle));
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    pageBox = named(new QSpinBox, "PageBox");
    pageBox->setRange(1, file.pageCount());
    pageBox->setSuffix(QStringLiteral(" / %1").arg(file.pageCount()));
    dpiBox = named(new QSpinBox, "DpiBox");
    dpiBox->setRange(kLowestDpi, kHighestDpi);
    dpiBox->setValue(
        static_cast<int>(std::lround(std::clamp<double>(dpi, kLowestDpi, kHighestDpi))));
    dpiBox->setSuffix(QStringLiteral(" dpi"));
    form->addRow(message(Msg::VectorPageLabel), pageBox);
    form->addRow(message(Msg::VectorDpiLabel), dpiBox);
    layout->addLayout(form);
    size_ = named(new QLabel, "PageSize");
    layout->addWidget(size_);
    preview_ = named(new QLabel, "PagePreview");
    preview_->setMinimumSize(220, 220);
    preview_->setAlignment(Qt::AlignCenter);
    layout->addWidget(preview_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(pageBox, qOverload<int>(&QSpinBox::valueChanged), this, &VectorPageDialog::showPreview);
    connect(dpiBox, qOverload<int>(&QSpinBox::valueChanged), this, &VectorPageDialog::showPreview);
    showPreview();
}

int VectorPageDialog::page() const {
    return pageBox->value();
}

double VectorPageDialog::dpi() const {
    return dpiBox->value();
}

// The page small enough for the dialog, and the size it will have.
void VectorPageDialog::showPreview() {
    const QSizeF points = file_.pageSize(page());
    const double fitted = fittingDpi(points, dpi());
    size_->setText(message(Msg::VectorPageSize)
                       .arg(std::ceil(points.width() * fitted / 72))
                       .arg(std::ceil(points.height() * fitted / 72)));
    if (points.isEmpty()) return;
    const double previewDpi = 200.0 * 72 / std::max(points.width(), points.height());
    try {
        preview_->setPixmap(QPixmap::fromImage(toQImage(file_.render(page(), previewDpi))));
    } catch (const ImageError& error) {
        preview_->setText(error.message());
    }
}

} // namespace quorvex
