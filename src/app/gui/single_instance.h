#pragma once

#include <QObject>
#include <QString>
#include <functional>

class QLocalServer;

namespace quorvex {

// One running Quorvex per user answers a second start: while its caption is the bare title it
// comes to the front and the second start ends; otherwise the second start goes on.
class SingleInstance : public QObject {
    Q_OBJECT
public:
    // The name of the local socket for this user.
    static QString serverName();
    // Asks a running instance to come forward; true when it did (the caller then exits).
    static bool activateRunningInstance(int timeoutMs = 1000);

    // Listens for later starts; `answer` says whether this instance comes forward.
    explicit SingleInstance(std::function<bool()> answer, QObject* parent = nullptr);
    ~SingleInstance() override;
    bool isListening() const;

private:
    QLocalServer* server_;
    std::function<bool()> answer_;
};

} // namespace quorvex
