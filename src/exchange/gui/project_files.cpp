#include "exchange/gui/project_files.h"

#include "core/messages.h"
#include "exchange/project.h"
#include "image/image_error.h"
#include "image/image_file.h"
#include "image/pixel_format.h"
#include "table/table.h"
#include "table/table_history.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QWidget>

namespace quorvex {

namespace {

// The picture as a project keeps it: the bytes of the file it was opened from while the
// picture is still what that file gives, else a PNG of the picture as it is now.
void takePicture(const ImageDocument& document, Project& project, const QString& scratchFolder) {
    const QString& file = document.fileName;
    // A PDF or SVG page stays its file with the page and resolution, while it looks as rendered.
    if (document.hasVectorLayer() && QFileInfo(file).isFile()) {
        try {
            const VectorFile vector(file);
            QFile in(file);
            if (vector.render(document.vectorPage, document.vectorDpi) == document.raster &&
                in.open(QIODevice::ReadOnly)) {
                project.pictureName = QFileInfo(file).fileName();
                project.pictureBytes = in.readAll();
                project.page = document.vectorPage;
                project.dpi = document.vectorDpi;
                return;
            }
        } catch (const ImageError&) {
            // The file changed or went away: the picture is kept as it is shown.
        }
    }
    if (!file.isEmpty() && QFileInfo(file).isFile()) {
        QFile in(file);
        try {
            Raster fromFile = readImageFile(file, readerForPath(file));
            if (fromFile != document.raster && fromFile.format() != PixelFormat::Bit24)
                fromFile = convertPixelFormat(fromFile, PixelFormat::Bit24);
            if (fromFile == document.raster && in.open(QIODevice::ReadOnly)) {
                project.pictureName = QFileInfo(file).fileName();
                project.pictureBytes = in.readAll();
                return;
            }
        } catch (const ImageError&) {
            // The file changed or went away: the picture is kept as it is shown.
        }
    }
    const QString base =
        file.isEmpty() ? QStringLiteral("picture") : QFileInfo(file).completeBaseName();
    const QString png = scratchFolder + QLatin1Char('/') + base + QStringLiteral(".png");
    writeImageFile(document.raster, png);
    QFile in(png);
    if (!in.open(QIODevice::ReadOnly)) throw ImageError(in.errorString());
    project.pictureName = QFileInfo(png).fileName();
    project.pictureBytes = in.readAll();
    in.close();
    QFile::remove(png);
}

} // namespace

ProjectFiles::ProjectFiles(const PartContext& context) : WindowPart(context) {
    CommandRegistry& c = commands();
    QAction* open = c.addAction("OpenProject", message(Msg::ProjectOpenItem));
    saveAction_ = c.addAction("SaveProject", message(Msg::ProjectSaveItem));
    QAction* saveAs = c.addAction("SaveProjectAs", message(Msg::ProjectSaveAsItem));
    c.addRule(saveAction_, CommandNeeds::Image, true);
    c.addRule(saveAs, CommandNeeds::Image, true);
    connect(open, &QAction::triggered, this, &ProjectFiles::openProject);
    connect(saveAction_, &QAction::triggered, this, &ProjectFiles::saveProject);
    connect(saveAs, &QAction::triggered, this, &ProjectFiles::saveProjectAs);

    DigitizingSession& s = session();
    s.confirmReplacingWork = [this] { return confirmReplacingWork(); };
    window()->installEventFilter(this); // projects dropped on the window open
    // The Table is unchanged while its history stands where it was saved; the settings are
    // changed by any change.
    connect(&history().stack(), &QUndoStack::cleanChanged, this, &ProjectFiles::updateTitle);
    connect(&s, &DigitizingSession::calibrationChanged, this, &ProjectFiles::markChanged);
    connect(&s, &DigitizingSession::curveColourChanged, this, &ProjectFiles::markChanged);
    connect(&s, &DigitizingSession::optionsChanged, this, &ProjectFiles::markChanged);
    // Another picture ends the project (the user was asked first).
    connect(&s, &DigitizingSession::pictureReset, this, [this] {
        if (opening_) return;
        projectPath_.clear();
        settingsChanged_ = false;
    });
}

bool ProjectFiles::eventFilter(QObject* watched, QEvent* event) {
    if (watched == window() && handleFileDrop(
                                   event,
                                   [](const QString& path) {
                                       return path.endsWith(QLatin1String(".qvx"),
                                                            Qt::CaseInsensitive);
                                   },
                                   [this](const QString& path) { openProjectFile(path); }))
        return true;
    return WindowPart::eventFilter(watched, event);
}

void ProjectFiles::markChanged() {
    if (opening_ || projectPath_.isEmpty() || settingsChanged_) return;
    settingsChanged_ = true;
    updateTitle();
}

bool ProjectFiles::hasUnsavedChanges() const {
    return !projectPath_.isEmpty() && (settingsChanged_ || !history().stack().isClean());
}

void ProjectFiles::updateTitle() {
    if (projectPath_.isEmpty()) return;
    window()->setWindowTitle(fileCaption(projectPath_) +
                             (hasUnsavedChanges() ? QStringLiteral("*") : QString()));
}

QString ProjectFiles::pictureFolder() {
    if (!pictures_) pictures_ = std::make_unique<QTemporaryDir>();
    return pictures_->isValid() ? pictures_->path() : QString();
}

bool ProjectFiles::confirmReplacingWork() {
    if (!hasUnsavedChanges()) return true;
    const QString question =
        message(Msg::ProjectUnsavedQuestion).arg(QFileInfo(projectPath_).fileName());
    switch (prompter().question(window(), question, true)) {
    case Answer::Yes:
        return saveProject();
    case Answer::No:
        return true;
    case Answer::Cancel:
        return false;
    }
    return false;
}

bool ProjectFiles::saveProject() {
    if (projectPath_.isEmpty()) return saveProjectAs();
    return writeProject(projectPath_);
}

bool ProjectFiles::saveProjectAs() {
    if (session().longOperationRunning() || !session().hasPicture()) return false;
    const QString folder = projectPath_.isEmpty() ? session().pictureDialogFolder()
                                                  : QFileInfo(projectPath_).absolutePath();
    const QString name = projectPath_.isEmpty()
                             ? QFileInfo(session().document().fileName).completeBaseName()
                             : QFileInfo(projectPath_).fileName();
    const auto choice = prompter().saveFile(window(), message(Msg::ProjectSaveTitle), folder,
                                            {message(Msg::ProjectFilter)}, name);
    if (!choice) return false;
    return writeProject(choice->path);
}

bool ProjectFiles::writeProject(const QString& path) {
    DigitizingSession& s = session();
    if (s.longOperationRunning() || !s.hasPicture()) return false;
    Project project;
    QString error;
    try {
        takePicture(s.document(), project, pictureFolder());
    } catch (const ImageError& e) {
        error = e.message();
    }
    project.profile = s.profile(localeDecimalSeparator());
    project.curveColour = s.curveColour();
    project.markerColour = s.markerColour;
    if (error.isEmpty() && writeProjectFile(path, project, table(), &error)) {
        projectPath_ = path;
        settingsChanged_ = false;
        history().stack().setClean();
        updateTitle();
        return true;
    }
    inform(message(Msg::ProjectWriteFailed).arg(QFileInfo(path).fileName(), error), true);
    return false;
}

void ProjectFiles::openProject() {
    if (session().longOperationRunning()) return;
    const QString folder = projectPath_.isEmpty() ? session().pictureDialogFolder()
                                                  : QFileInfo(projectPath_).absolutePath();
    const auto choice = prompter().openFile(window(), message(Msg::ProjectOpenTitle), folder,
                                            {message(Msg::ProjectFilter)}, 0);
    if (choice) openProjectFile(choice->path);
}

bool ProjectFiles::openProjectFile(const QString& path) {
    DigitizingSession& s = session();
    if (s.longOperationRunning()) return false;
    // Everything is read and checked before anything changes.
    Project project;
    Raster picture;
    std::shared_ptr<const VectorLayer> layer;
    QString picturePath;
    try {
        project = readProjectFile(path);
        const QString folder = pictureFolder();
        QDir().mkpath(folder);
        picturePath = folder + QLatin1Char('/') + QFileInfo(path).completeBaseName() +
                      QLatin1Char('-') + project.pictureName;
        QFile out(picturePath);
        if (!out.open(QIODevice::WriteOnly) ||
            out.write(project.pictureBytes) != project.pictureBytes.size() || !out.flush())
            throw ProjectError(
                message(Msg::ProjectUnusable).arg(QFileInfo(path).fileName(), out.errorString()));
        out.close();
        if (project.page > 0) {
            const VectorFile vector(picturePath);
            if (project.page > vector.pageCount()) throw ImageError(message(Msg::VectorNoPage));
            picture = vector.render(project.page, project.dpi);
            layer = std::make_shared<const VectorLayer>(vector.record(project.page, project.dpi));
        } else {
            picture = readImageFile(picturePath, readerForPath(picturePath));
        }
    } catch (const ProjectError& e) {
        inform(e.message(), true);
        return false;
    } catch (const ImageError& e) {
        inform(message(Msg::ProjectUnusable).arg(QFileInfo(path).fileName(), e.message()), true);
        return false;
    }
    if (!confirmReplacingWork()) return false;

    opening_ = true;
    s.document().raster = std::move(picture);
    s.document().fileName = picturePath;
    s.document().dropVectorLayer();
    if (layer) {
        s.document().vectorLayer = layer;
        s.document().vectorPage = project.page;
        s.document().vectorDpi = project.dpi;
    }
    s.resetAfterNewImage(DigitizingSession::TableOnReset::Keep);
    table().replaceContents(*project.table);
    history().clear();
    s.applyProfile(project.profile, localeDecimalSeparator());
    s.setCurveColour(project.curveColour);
    s.markerColour = project.markerColour;
    s.releaseDigitizingTools();
    s.commandStatesChanged();
    opening_ = false;
    projectPath_ = path;
    settingsChanged_ = false;
    updateTitle();
    return true;
}

} // namespace quorvex
