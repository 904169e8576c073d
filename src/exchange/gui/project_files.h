#pragma once

#include "app/gui/window_part.h"

#include <QTemporaryDir>
#include <memory>

class QAction;

namespace quorvex {

// Project files: the whole work on a chart saved in one archive and opened again. While a
// project is open the window's title names it, with an asterisk while it has changes not
// saved; replacing the work or closing the window asks first.
class ProjectFiles : public WindowPart {
    Q_OBJECT
public:
    explicit ProjectFiles(const PartContext& context);

    bool saveProject();
    bool saveProjectAs();
    void openProject();
    // Opens a project file; false after a message (nothing changed) or when the user kept the
    // unsaved work.
    bool openProjectFile(const QString& path);

    const QString& projectPath() const { return projectPath_; }
    bool hasUnsavedChanges() const;
    // Before the work is replaced: true to go on (saved, discarded, or nothing to save).
    bool confirmReplacingWork();
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool writeProject(const QString& path);
    void markChanged();
    void updateTitle();
    QString pictureFolder();

    QAction* saveAction_ = nullptr;
    QString projectPath_;
    bool settingsChanged_ = false; // calibration, options or colours since the last save
    bool opening_ = false;
    // The pictures of opened projects, as files the image readers can open again.
    std::unique_ptr<QTemporaryDir> pictures_;
};

} // namespace quorvex
