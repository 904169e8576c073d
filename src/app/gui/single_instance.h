#pragma once

#include <QObject>
#include <QString>
#include <functional>

class QLocalServer;

namespace quorvex {

// One running Quorvex per user answers a second start: while its caption is the bare title it
// comes to the front and the second start ends; otherwise the second start goes on. A second
// start with a picture (a file opened from a file manager) hands the path over, and the running
// instance that answers "yes" opens it.
class SingleInstance : public QObject {
    Q_OBJECT
public:
    // The name of the local socket for this user.
    static QString serverName();
    // Asks a running instance to come forward (and open `path` when one is given); true when
    // it did (the caller then exits).
    static bool activateRunningInstance(const QString& path = QString(), int timeoutMs = 1000);

    // Listens for later starts; `answer` says whether this instance comes forward, given the
    // path the later start named (empty for none).
    using Answer = std::function<bool(const QString& path)>;
    explicit SingleInstance(Answer answer, QObject* parent = nullptr);
    ~SingleInstance() override;
    bool isListening() const;

private:
    QLocalServer* server_;
    Answer answer_;
};

} // namespace quorvex
