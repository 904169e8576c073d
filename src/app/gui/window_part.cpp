#include "app/gui/window_part.h"

#include "core/messages.h"
#include "table/table.h"
#include "table/table_history.h"

#include <QDropEvent>
#include <QMimeData>
#include <QUrl>
#include <QWidget>

namespace quorvex {

WindowPart::WindowPart(const PartContext& context) : QObject(context.window), context_(context) {}

void WindowPart::saveIni() const {
    if (!ini().save()) session().showStatus(message(Msg::SettingsWriteFailed).arg(ini().path()));
}

void WindowPart::inform(const QString& text, bool warning) const {
    prompter().information(window(), text, warning);
}

bool WindowPart::handleFileDrop(QEvent* event, const std::function<bool(const QString&)>& wanted,
                                const std::function<void(const QString&)>& open) const {
    if (event->type() != QEvent::DragEnter && event->type() != QEvent::Drop) return false;
    auto* drop = static_cast<QDropEvent*>(event);
    const QList<QUrl> urls = drop->mimeData() ? drop->mimeData()->urls() : QList<QUrl>();
    if (urls.size() != 1 || !urls.front().isLocalFile()) return false;
    const QString path = urls.front().toLocalFile();
    if (!wanted(path) || session().longOperationRunning()) return false;
    drop->acceptProposedAction();
    if (event->type() == QEvent::Drop) open(path);
    return true;
}

void WindowPart::clearCurrentPair() const {
    reportingConversion([this] {
        TableChangeScope change(history(),
                                message(Msg::ChangeClearPair).arg(table().currentCurve()));
        table().clearCurrentPair();
    });
}

std::optional<int> WindowPart::readCurve() const {
    try {
        return table().currentCurve();
    } catch (const ConversionError& error) {
        inform(error.message(), true);
        return std::nullopt;
    }
}

bool WindowPart::uncalibratedCheck() const {
    if (!session().cornerValuesArePixels()) return true;
    return prompter().question(window(), message(Msg::UncalibratedQuestion), false) == Answer::Yes;
}

bool WindowPart::cornerTextsDiffer() const {
    const DigitizingSession& s = session();
    if (s.cornerText(0) != s.cornerText(2) && s.cornerText(1) != s.cornerText(3)) return true;
    inform(message(Msg::EqualCorners));
    return false;
}

} // namespace quorvex
