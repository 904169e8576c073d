#pragma once

// What every window test shares: a main window over a private settings folder, created with a
// scripted prompter, and helpers to find its controls and write test files.
#include "app/gui/main_window.h"
#include "control_names.h"
#include "image/bmp.h"
#include "scripted_prompter.h"

#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QLocale>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

namespace quorvex {

// Sends a left-button mouse event to a widget at a point (a move carries the held button).
inline void sendMouse(QWidget* w, QEvent::Type type, QPoint at) {
    const Qt::MouseButtons held =
        type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(Qt::LeftButton);
    QMouseEvent event(type, QPointF(at), w->mapToGlobal(QPointF(at)),
                      type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton, held,
                      Qt::NoModifier);
    QApplication::sendEvent(w, &event);
}

class WindowFixture : public QObject {
protected:
    QTemporaryDir config_;
    QTemporaryDir files_;
    ScriptedPrompter* prompter_ = nullptr;
    std::unique_ptr<MainWindow> window_;

    // A fresh main window over the test's settings folder, shown and without the start-up hint.
    // `programPath` stands for where the program file is (the test binary by default).
    MainWindow* createWindow(bool withHint = false, const QString& programPath = QString()) {
        auto prompter = std::make_unique<ScriptedPrompter>();
        prompter_ = prompter.get();
        window_ = std::make_unique<MainWindow>(
            std::move(prompter),
            programPath.isEmpty() ? QCoreApplication::applicationFilePath() : programPath);
        if (!withHint) {
            // The hint window belongs to the first paint; tests that do not look at it close it.
            prompter_->dialogs.push_back([](QDialog*) { return false; });
        }
        window_->show();
        if (!QTest::qWaitForWindowExposed(window_.get()))
            QTest::qFail("the main window was not shown", __FILE__, __LINE__);
        if (!withHint && !QTest::qWaitFor([this] { return !window_->startupHintPending(); }))
            QTest::qFail("the start-up hint window did not come", __FILE__, __LINE__);
        return window_.get();
    }

    template <typename T> T* child(const char* name) const {
        T* found = window_->findChild<T*>(QString::fromLatin1(name));
        if (!found) qFatal("no child %s", name);
        return found;
    }

    QString writeRaster(const QString& name, const Raster& raster) {
        const QString path = files_.filePath(name);
        writeBmpFile(raster, path);
        return path;
    }

    QString saveQImage(const QString& name, const char* format) {
        QImage image(20, 10, QImage::Format_RGB32);
        image.fill(Qt::white);
        image.setPixel(3, 4, qRgb(255, 0, 0));
        const QString path = files_.filePath(name);
        if (!image.save(path, format)) qFatal("cannot write %s", qPrintable(path));
        return path;
    }

    void openThroughDialog(const QString& path, int filter = 0, bool switched = false) {
        prompter_->openChoices.push_back(Prompter::OpenChoice{path, filter, switched});
        child<QAction>(controls::openImage)->trigger();
    }

    QStringList recentSettings() const {
        QStringList entries;
        for (int i = 1; i <= 4; ++i)
            entries << window_->ini().readString(ini::kOpenFiles, ini::recentFileKey(i), "");
        return entries;
    }

    void setUpSuite() {
        qputenv("QUORVEX_CONFIG_DIR", config_.path().toLocal8Bit());
        qputenv("QUORVEX_INSTANCE_NAME",
                QByteArray("quorvex-test-") +
                    QByteArray::number(QCoreApplication::applicationPid()));
        QLocale::setDefault(QLocale::c());
    }
    void setUpTest() {
        QFile::remove(config_.filePath(
            QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName() + ".INI"));
        QFile::remove(config_.filePath("digitize.cfg"));
        QApplication::clipboard()->clear();
    }
    void tearDownTest() {
        if (window_) {
            window_->close();
            window_.reset();
        }
    }
};

} // namespace quorvex
